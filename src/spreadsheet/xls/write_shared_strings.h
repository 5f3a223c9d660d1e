#pragma once
// Collects the texts of the workbook's constant text cells into the shared string table:
// each distinct text (with its runs and phonetic data) once, in order of first use.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "spreadsheet/biff/shared_strings.h"
#include "spreadsheet/model/rich_text.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::xls {

class SharedStringTable {
 public:
  // Gathers every constant text cell of every sheet, in sheet and row-major order.
  explicit SharedStringTable(const model::Workbook& workbook);

  // Index of a text gathered before (std::logic_error for one never gathered).
  uint32_t index_of(const model::RichText& text) const;

  const biff::SharedStrings& table() const { return table_; }

 private:
  uint32_t add(const model::RichText& text);

  biff::SharedStrings table_;
  std::vector<model::RichText> texts_;
  std::unordered_map<std::u16string, std::vector<uint32_t>> by_text_;
};

// The record layer's form of a model text.
biff::RichString to_rich_string(const model::RichText& text);

}  // namespace tabrel::xls
