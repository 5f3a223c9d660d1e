#pragma once
// The one error type of the crypto module: a damaged or unknown encryption header, or a
// password that does not open the file.

#include <stdexcept>
#include <string>

namespace tabrel::crypto {

enum class CryptoErrorKind {
  Malformed,      // the FILEPASS payload is shorter or larger than its layout says
  Unsupported,    // a scheme or algorithm the spreadsheet never writes into a BIFF8 file
  WrongPassword,  // neither the given password nor the built-in default opens the file
};

class CryptoError : public std::runtime_error {
 public:
  CryptoError(CryptoErrorKind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
  CryptoErrorKind kind() const { return kind_; }

 private:
  CryptoErrorKind kind_;
};

}  // namespace tabrel::crypto
