#pragma once
// Plain values shared by the compound-file reader and writer.

#include <cstdint>
#include <string>

namespace tabrel::cfb {

// Strict refuses anything the format forbids (for tests and for our own output); Permissive
// tolerates what real writers get wrong as long as every byte read is still well defined.
enum class Mode { Strict, Permissive };

// 512-byte sectors make a version 3 file, 4096-byte sectors a version 4 file.
enum class SectorSize { Bytes512, Bytes4096 };

enum class EntryType { Storage, Stream };

// One storage or stream below the root. `path` joins the names from the root with '/'.
struct Entry {
  std::u16string path;
  EntryType type = EntryType::Stream;
  uint64_t size = 0;  // bytes of a stream; 0 for a storage

  bool operator==(const Entry&) const = default;
};

}  // namespace tabrel::cfb
