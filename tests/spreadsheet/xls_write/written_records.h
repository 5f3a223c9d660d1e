#pragma once
// Test helper: the records of the workbook stream of a file the writer produced, decrypted with
// the given password after FILEPASS.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "spreadsheet/biff/record.h"

namespace tabrel::xls::testing {

std::vector<uint8_t> workbook_stream(const std::vector<uint8_t>& file);

std::vector<biff::Record> written_records(const std::vector<uint8_t>& file,
                                          std::optional<std::u16string> password = std::nullopt);

// The records of the substream that starts at stream offset `offset` (BOF .. EOF).
std::vector<biff::Record> substream_at(const std::vector<biff::Record>& records, uint64_t offset);

std::vector<uint16_t> types_of(const std::vector<biff::Record>& records);

}  // namespace tabrel::xls::testing
