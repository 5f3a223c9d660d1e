#pragma once
// Reading a compound file (the OLE2 container of .xls workbooks): the tree of storages and
// streams and the bytes of each stream. Every id, length and link is checked against the input;
// a damaged file raises cfb::Error and never reads outside the bytes it was given.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "spreadsheet/cfb/error.h"
#include "spreadsheet/cfb/types.h"

namespace tabrel::cfb {

struct FileState;

class CompoundFile {
 public:
  // Parses the header, the allocation tables and the directory. In strict mode every stream's
  // chain is checked as well, so a file that opens strictly reads without errors.
  static CompoundFile open(std::vector<uint8_t> bytes, Mode mode = Mode::Permissive);
  // The same without copying the bytes: the caller keeps them alive while the file is used.
  static CompoundFile open_view(std::span<const uint8_t> bytes, Mode mode = Mode::Permissive);

  // Paths are names joined with '/' from the root ("Workbook", "_VBA_PROJECT_CUR/VBA/dir");
  // names compare without regard to case, as the format defines.
  bool exists(std::u16string_view path) const;
  std::optional<Entry> find(std::u16string_view path) const;
  std::vector<uint8_t> read_stream(std::u16string_view path) const;

  // The bytes of the streams at `paths`, in order; null for a path that is not a readable
  // stream. Entries whose chains start at the same sector with the same size share one buffer,
  // so a file whose entries all point at the same sectors costs the bytes once.
  using SharedBytes = std::shared_ptr<const std::vector<uint8_t>>;
  std::vector<SharedBytes> read_streams(std::span<const std::u16string> paths) const;

  // Every storage and stream below the root, depth first, siblings in directory order.
  std::vector<Entry> entries() const;

  uint16_t major_version() const;
  uint32_t sector_size() const;
  Mode mode() const;

 private:
  explicit CompoundFile(std::shared_ptr<const FileState> state);
  std::shared_ptr<const FileState> state_;
};

}  // namespace tabrel::cfb
