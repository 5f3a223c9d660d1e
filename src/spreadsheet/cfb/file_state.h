#pragma once
// Everything an opened compound file keeps: its bytes and the tables parsed from them.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "spreadsheet/cfb/allocation_table.h"
#include "spreadsheet/cfb/directory.h"
#include "spreadsheet/cfb/error.h"
#include "spreadsheet/cfb/header.h"
#include "spreadsheet/cfb/mini_stream.h"
#include "spreadsheet/cfb/sector_file.h"

namespace tabrel::cfb {

struct FileState {
  // `owned` holds the bytes when the file owns them; else the caller keeps `file_bytes` alive.
  FileState(std::span<const uint8_t> file_bytes, std::unique_ptr<const std::vector<uint8_t>> owned,
            Mode file_mode);
  FileState(const FileState&) = delete;  // `file` views `bytes`
  FileState& operator=(const FileState&) = delete;

  std::unique_ptr<const std::vector<uint8_t>> owned_bytes;
  std::span<const uint8_t> bytes;
  Mode mode;
  Header header;
  SectorFile file;
  AllocationTable fat;
  Directory directory;
  // Small streams need both; a permissive reader keeps the error for the moment one is read.
  std::optional<MiniFat> minifat;
  std::optional<MiniStream> mini_stream;
  std::optional<Error> mini_error;
};

}  // namespace tabrel::cfb
