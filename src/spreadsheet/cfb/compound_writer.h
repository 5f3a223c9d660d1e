#pragma once
// Building a compound file from a tree of storages and streams. The output is deterministic
// (zero class ids and times) and passes the reader's strict mode.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/cfb/error.h"
#include "spreadsheet/cfb/types.h"

namespace tabrel::cfb {

class CompoundWriter {
 public:
  CompoundWriter();

  // Paths join names with '/'; missing parent storages are created. A name holds 1 to 31
  // characters and none of '/', '\', ':', '!'; a name used twice in one storage (ignoring
  // case) raises DuplicateEntry, except that adding an existing storage again does nothing.
  void add_storage(std::u16string_view path);
  void add_stream(std::u16string_view path, std::vector<uint8_t> bytes);
  // The same with bytes that others hold as well; they are not copied before finish().
  void add_shared_stream(std::u16string_view path, std::shared_ptr<const std::vector<uint8_t>> bytes);

  // Streams under 4096 bytes go to the mini stream; the rest get sectors of their own.
  std::vector<uint8_t> finish(SectorSize sector_size = SectorSize::Bytes512) const;

 private:
  struct Node {
    std::u16string name;
    EntryType type;
    std::vector<size_t> children;
    std::map<std::u16string, size_t> child_by_name;  // upper-cased name -> child
    std::shared_ptr<const std::vector<uint8_t>> bytes;  // streams only
  };

  // The storage that holds the last name of `path`, created with its parents as needed;
  // `names` gets the names of the path.
  size_t parent_of(std::u16string_view path, std::vector<std::u16string_view>& names);
  // The child of that name, or 0 (the root is nobody's child) when there is none.
  size_t find_child(size_t parent, std::u16string_view name) const;
  size_t add_child(size_t parent, std::u16string_view name, EntryType type);

  std::vector<Node> nodes_;  // nodes_[0] is the root
};

}  // namespace tabrel::cfb
