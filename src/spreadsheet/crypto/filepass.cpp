#include "spreadsheet/crypto/filepass.h"

#include <string>

#include "spreadsheet/crypto/crypto_error.h"

namespace tabrel::crypto {
namespace {

constexpr uint32_t kAlgorithmRc4 = 0x6801;
constexpr uint32_t kAlgorithmSha1 = 0x8004;

// Little-endian reads with a bounds check against the payload.
class Reader {
 public:
  explicit Reader(std::span<const uint8_t> data) : data_(data) {}

  std::span<const uint8_t> take(size_t n) {
    if (n > data_.size() - pos_) {
      throw CryptoError(CryptoErrorKind::Malformed,
                        "FILEPASS payload ends at byte " + std::to_string(data_.size()) + ", field needs " +
                            std::to_string(n) + " bytes at " + std::to_string(pos_));
    }
    auto out = data_.subspan(pos_, n);
    pos_ += n;
    return out;
  }
  uint16_t u16() {
    auto b = take(2);
    return static_cast<uint16_t>(b[0] | b[1] << 8);
  }
  uint32_t u32() {
    auto b = take(4);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
  }
  template <size_t N>
  void fill(std::array<uint8_t, N>& out) {
    auto b = take(N);
    std::copy(b.begin(), b.end(), out.begin());
  }
  size_t remaining() const { return data_.size() - pos_; }

 private:
  std::span<const uint8_t> data_;
  size_t pos_ = 0;
};

[[noreturn]] void unsupported(const std::string& what) { throw CryptoError(CryptoErrorKind::Unsupported, what); }

CryptoApiHeader parse_cryptoapi(Reader& in, uint16_t major, uint16_t minor) {
  CryptoApiHeader h;
  h.version_major = major;
  h.version_minor = minor;
  h.flags = in.u32();
  uint32_t header_size = in.u32();
  if (header_size < 32 || header_size > in.remaining()) {
    throw CryptoError(CryptoErrorKind::Malformed, "FILEPASS encryption header size " + std::to_string(header_size));
  }
  Reader header(in.take(header_size));
  h.header_flags = header.u32();
  h.size_extra = header.u32();
  h.algorithm_id = header.u32();
  h.hash_algorithm_id = header.u32();
  h.key_bits = header.u32();
  h.provider_type = header.u32();
  header.u32();  // reserved
  header.u32();  // reserved
  while (header.remaining() >= 2) {
    char16_t c = header.u16();
    if (c == 0) break;
    h.provider_name.push_back(c);
  }
  uint32_t salt_size = in.u32();
  if (salt_size != 16) throw CryptoError(CryptoErrorKind::Malformed, "FILEPASS salt size " + std::to_string(salt_size));
  auto salt = in.take(salt_size);
  h.salt.assign(salt.begin(), salt.end());
  in.fill(h.encrypted_verifier);
  uint32_t hash_size = in.u32();
  if (hash_size != 20) throw CryptoError(CryptoErrorKind::Malformed, "FILEPASS verifier hash size " + std::to_string(hash_size));
  auto hash = in.take(hash_size);
  h.encrypted_verifier_hash.assign(hash.begin(), hash.end());

  if (h.algorithm_id != kAlgorithmRc4 && h.algorithm_id != 0) {
    unsupported("encryption algorithm " + std::to_string(h.algorithm_id) + " in a BIFF8 file");
  }
  if (h.hash_algorithm_id != kAlgorithmSha1 && h.hash_algorithm_id != 0) {
    unsupported("hash algorithm " + std::to_string(h.hash_algorithm_id) + " in a BIFF8 file");
  }
  uint32_t bits = h.key_bits == 0 ? 40 : h.key_bits;
  if (bits < 40 || bits > 128 || bits % 8 != 0) unsupported("RC4 key of " + std::to_string(bits) + " bits");
  return h;
}

void put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

}  // namespace

FilePass parse_filepass(std::span<const uint8_t> payload) {
  Reader in(payload);
  uint16_t type = in.u16();
  if (type == 0) {
    XorHeader h;
    h.key = in.u16();
    h.verifier = in.u16();
    return h;
  }
  if (type != 1) unsupported("FILEPASS encryption type " + std::to_string(type));
  uint16_t major = in.u16();
  uint16_t minor = in.u16();
  if (major == 1 && minor == 1) {
    Rc4Header h;
    in.fill(h.salt);
    in.fill(h.encrypted_verifier);
    in.fill(h.encrypted_verifier_hash);
    return h;
  }
  if (major >= 2 && major <= 4 && minor == 2) return parse_cryptoapi(in, major, minor);
  unsupported("RC4 header version " + std::to_string(major) + "." + std::to_string(minor));
}

std::vector<uint8_t> write_filepass(const Rc4Header& header) {
  std::vector<uint8_t> out;
  put16(out, 1);  // RC4
  put16(out, 1);  // version 1.1
  put16(out, 1);
  out.insert(out.end(), header.salt.begin(), header.salt.end());
  out.insert(out.end(), header.encrypted_verifier.begin(), header.encrypted_verifier.end());
  out.insert(out.end(), header.encrypted_verifier_hash.begin(), header.encrypted_verifier_hash.end());
  return out;
}

}  // namespace tabrel::crypto
