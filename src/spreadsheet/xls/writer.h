#pragma once
// Writing a workbook from memory as a BIFF8 .xls file: the workbook stream with its globals and
// one substream per sheet, the other streams the workbook kept (macro project, pivot caches,
// summary information) and, with a password, RC4 encryption of the workbook stream.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "spreadsheet/model/workbook.h"

namespace tabrel::xls {

struct WriteOptions {
  // Set: the workbook stream is encrypted with RC4 (MD5 key derivation) under this password.
  std::optional<std::u16string> password;
};

// The whole compound file of the workbook. Throws std::invalid_argument for a workbook the
// format cannot hold: no sheet, or a cell, row, column or merged range past the 65536 rows and
// 256 columns of a sheet, or a cell text longer than 32767 characters.
std::vector<uint8_t> write_workbook(const model::Workbook&, const WriteOptions& = {});

// Writes the file at `path`, replacing it only once the whole file is written; throws
// std::runtime_error when it cannot be written.
void write_workbook_file(const model::Workbook&, const std::filesystem::path&, const WriteOptions& = {});

}  // namespace tabrel::xls
