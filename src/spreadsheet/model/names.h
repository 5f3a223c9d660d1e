#pragma once
// Defined names and the external references formulas point through (SUPBOOK, EXTERNSHEET,
// EXTERNNAME).

#include <cstdint>
#include <string>
#include <vector>

namespace tabrel::model {

struct DefinedName {
  std::u16string name;          // for a built-in name: its text ("_FilterDatabase", "Print_Area" ...)
  bool builtin = false;
  uint8_t builtin_code = 0;     // 0x0D _FilterDatabase, 0x06 Print_Area, 0x07 Print_Titles ...
  uint16_t flags = 0;           // NAME grbit as stored (hidden, function, macro ...)
  uint16_t sheet_scope = 0;     // 0 global; else 1-based index of the sheet it belongs to
  std::vector<uint8_t> tokens;  // rgce
  std::vector<uint8_t> extra;
  std::u16string comment;
  // Deleted through the Names collection: the entry stays, without a definition, so that the
  // formulas, macro links and series that refer to later names by position keep their names, and
  // formulas that use this one show #NAME? until the name is defined again.
  bool deleted = false;
  bool hidden() const { return (flags & 0x0001) != 0; }
  bool operator==(const DefinedName&) const = default;
};

struct ExternalName {
  std::u16string name;
  uint16_t flags = 0;
  std::vector<uint8_t> payload;  // as stored after the name
  uint32_t sheet_index = 0;      // for a name in another workbook: its sheet (1-based, 0 for the book)
  bool operator==(const ExternalName&) const = default;
};

// The cached values of one sheet of an external book: an XCT record and the CRN records after
// it, each CRN a run of cells in one row, kept as stored.
struct ExternalSheetCache {
  uint16_t sheet = 0;  // index into the book's sheets
  std::vector<std::vector<uint8_t>> rows;  // CRN payloads
  bool operator==(const ExternalSheetCache&) const = default;
};

// SUPBOOK: the own workbook (self), an add-in function table, or another workbook.
struct SupportingBook {
  enum class Kind : uint8_t { Self, AddIn, External, Ole };
  Kind kind = Kind::Self;
  uint16_t sheet_count = 0;
  std::u16string url;                  // encoded file name of an external book
  std::vector<std::u16string> sheets;  // sheet names of an external book
  std::vector<ExternalName> names;
  std::vector<ExternalSheetCache> cell_caches;  // of an external book, in stored order
  bool operator==(const SupportingBook&) const = default;
};

// One XTI entry of EXTERNSHEET: a supporting book and a sheet range in it (0xFFFE / 0xFFFF are
// "workbook-level" and "deleted" markers, kept as stored).
struct ExternSheet {
  uint16_t book = 0;
  int16_t first_sheet = 0;
  int16_t last_sheet = 0;
  bool operator==(const ExternSheet&) const = default;
};

struct ExternalRefs {
  std::vector<SupportingBook> books;
  std::vector<ExternSheet> sheets;
  bool operator==(const ExternalRefs&) const = default;
};

}  // namespace tabrel::model
