#pragma once
// The dir stream of the macro project (after decompression): the project's code page and name,
// its references, and per module its name, stream, kind and where its source text starts.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tabrel::xls::vba {

struct DirModule {
  std::u16string name;
  std::u16string stream_name;
  uint32_t source_offset = 0;  // where the compressed source starts in the module's stream
  bool procedural = true;      // a standard module; otherwise a document, class or form module
  friend bool operator==(const DirModule&, const DirModule&) = default;
};

struct DirInfo {
  uint16_t codepage = 1252;
  std::u16string project_name;
  std::vector<uint8_t> references;  // the reference records as stored
  std::vector<DirModule> modules;
  friend bool operator==(const DirInfo&, const DirInfo&) = default;
};

// Throws ProjectError where a record breaks the format, runs past the end, or a text is not in
// a code page the system knows.
DirInfo parse_dir_stream(std::span<const uint8_t> bytes);

// The decompressed dir stream of a project whose modules have no compiled cache.
std::vector<uint8_t> build_dir_stream(const DirInfo& info);

}  // namespace tabrel::xls::vba
