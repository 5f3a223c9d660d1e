#pragma once
// References in formula text: sheet qualifiers ("Sheet1!", "'My Sheet'!", "Sheet1:Sheet3!",
// "#REF!", "'[Book.xls]Sheet'!", "Book.xls!Name"), A1 cells, areas, whole rows and columns, and
// their R1C1 forms relative to a base cell.

#include <cstdint>
#include <optional>
#include <string>

#include "spreadsheet/formula/ast.h"
#include "spreadsheet/formula/text_cursor.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::formula {

class ReferenceReader : protected TextCursor {
 protected:
  ReferenceReader(std::u16string_view text, model::Workbook& wb, model::CellRef base, bool r1c1)
      : TextCursor(text), wb_(wb), base_(base), r1c1_(r1c1) {}

  // A reference (or a name qualified by a sheet or a book) at the position; nullopt, with the
  // position kept, when the text there is no reference.
  std::optional<Node> reference();

  model::Workbook& wb_;
  model::CellRef base_;
  bool r1c1_;

 private:
  struct Part {
    int value = 0;
    bool relative = false;
  };

  std::optional<uint16_t> sheet_prefix();
  std::optional<uint16_t> external_link(const std::u16string& qualifier);
  std::optional<Node> sheet_name_reference(uint16_t ixti);
  std::optional<Node> external_name(uint16_t ixti);
  std::optional<Part> a1_column();
  std::optional<Part> a1_row();
  std::optional<Part> r1c1_part(char16_t letter, int base, int limit);
  std::optional<Node> a1_reference(std::optional<uint16_t> ixti);
  std::optional<Node> r1c1_reference(std::optional<uint16_t> ixti);
  bool ends_reference() const;
  bool ends_reference_or_colon() const;

  bool book_level_ = false;
};

}  // namespace tabrel::formula
