#include "cell_json.h"

#include <charconv>
#include <cstring>
#include <string>
#include <vector>

#include "spreadsheet/core/text.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::dump {

namespace {

// A1 addresses, each column's letters made once.
class Addresses {
 public:
  std::string_view at(model::CellRef at) {
    const auto col = static_cast<size_t>(at.col);
    if (letters_.size() <= col) letters_.resize(col + 1);
    std::string& letters = letters_[col];
    if (letters.empty()) letters = to_utf8(model::column_letters(at.col));
    std::memcpy(text_, letters.data(), letters.size());
    char* end = std::to_chars(text_ + letters.size(), std::end(text_), at.row + 1).ptr;
    return {text_, static_cast<size_t>(end - text_)};
  }

 private:
  std::vector<std::string> letters_;
  char text_[24];
};

}  // namespace

void write_value_members(json::StreamWriter& out, const model::CellValue& v) {
  out.key("type");
  if (v.is_number()) {
    out.string("number");
    out.key("value");
    out.number(v.as_number());
  } else if (v.is_text()) {
    out.string("text");
    out.key("value");
    out.string(std::u16string_view(v.as_text()));
  } else if (v.is_bool()) {
    out.string("bool");
    out.key("value");
    out.number(v.as_bool() ? 1 : 0);
  } else if (v.is_error()) {
    out.string("error");
    out.key("value");
    out.string(std::u16string_view(cell_error_text(v.as_error())));
  } else {
    out.string("blank");
    out.key("value");
    out.string("");
  }
}

void write_cells(json::StreamWriter& out, const model::Sheet& sheet, const CellExtras& extras) {
  Addresses addresses;
  for (const auto& [key, cell] : sheet.cells) {
    const auto at = model::CellStore::position(key);
    out.key(addresses.at(at));
    out.begin_object(json::StreamWriter::Layout::Inline);
    out.key("xf");
    out.number(cell.xf);
    write_value_members(out, cell.value);
    if (cell.has_formula()) {
      out.key("formula");
      out.boolean(true);
    }
    if (extras) extras(sheet, at, cell, out);
    out.end_object();
  }
}

}  // namespace tabrel::dump
