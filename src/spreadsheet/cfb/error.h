#pragma once
// The one error type of the compound-file reader and writer: a code to branch on and an exact
// English message that names the offset, sector or entry at fault.

#include <stdexcept>
#include <string>

namespace tabrel::cfb {

enum class ErrorCode {
  TruncatedHeader,    // fewer bytes than a header
  BadSignature,       // not a compound file at all
  BadHeader,          // byte order, version, shifts, cut-off, counts, reserved fields
  BadFileSize,        // strict: the file is not a whole number of sectors
  BadSectorId,        // a chain or table holds an id that is no usable sector
  SectorPastEnd,      // a sector the file needs starts past its end
  ChainLoop,          // a chain visits a sector twice
  ChainTooShort,      // a size needs more sectors than its chain holds
  ChainTooLong,       // strict: a chain holds more sectors than its size needs
  SectorShared,       // strict: two chains or tables use the same sector
  BadDirectoryEntry,  // name length, object type, root entry
  DirectoryLoop,      // a sibling or child link reaches an entry twice
  DirectoryTooDeep,   // storages nested deeper than the reader follows
  BadSiblingOrder,    // strict: siblings out of order or with equal names
  StreamTruncated,    // a stream's bytes run past the end of the file
  NotFound,           // no entry at the path
  NotAStream,         // the path names a storage
  BadPath,            // writer: empty, too long or forbidden name, or a stream used as storage
  DuplicateEntry,     // writer: the name exists already in that storage
  TooLarge,           // writer: the tree needs more sectors than ids can count
};

class Error : public std::runtime_error {
 public:
  Error(ErrorCode code, const std::string& message) : std::runtime_error(message), code_(code) {}
  ErrorCode code() const { return code_; }

 private:
  ErrorCode code_;
};

}  // namespace tabrel::cfb

