#pragma once
// The workbook globals substream: sheets and their stream positions, encryption, shared
// strings, styles, names and external references, the workbook window.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "spreadsheet/biff/record_reader.h"
#include "spreadsheet/crypto/record_cipher.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::xls {

// The version of the first BOF is not BIFF8.
struct OldVersionError {
  uint16_t version = 0;
};

struct Globals {
  std::vector<uint32_t> sheet_offsets;  // stream position of each sheet's BOF, by sheet
  std::vector<model::CellValue::Text> shared_strings;
  std::unique_ptr<crypto::RecordCipher> cipher;  // set on the reader while it lives
};

// Reads the globals from the start of the stream into `book` (adding its sheets, still empty).
// Throws OldVersionError, biff::FormatError and crypto::CryptoError.
Globals read_globals(biff::RecordReader& reader, model::Workbook& book,
                     const std::optional<std::u16string>& password);

}  // namespace tabrel::xls
