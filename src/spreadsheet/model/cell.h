#pragma once
// One cell: its value (or a formula's cached result), its cell format (XF index) and, for a
// formula cell, the formula as stored in the file (parsed tokens are the formula module's).

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "spreadsheet/core/variant.h"
#include "spreadsheet/model/cell_ref.h"
#include "spreadsheet/model/rich_text.h"

namespace tabrel::model {

// A cell's value: empty (blank), number, text, boolean or error.
struct CellValue {
  using Text = std::shared_ptr<const RichText>;
  std::variant<std::monostate, double, Text, bool, CellError> data;

  CellValue() = default;
  static CellValue number(double d) { CellValue v; v.data = d; return v; }
  static CellValue boolean(bool b) { CellValue v; v.data = b; return v; }
  static CellValue error(CellError e) { CellValue v; v.data = e; return v; }
  static CellValue text(std::u16string s);
  static CellValue rich(RichText t);
  static CellValue shared(Text t) { CellValue v; v.data = std::move(t); return v; }

  bool is_blank() const { return std::holds_alternative<std::monostate>(data); }
  bool is_number() const { return std::holds_alternative<double>(data); }
  bool is_text() const { return std::holds_alternative<Text>(data); }
  bool is_bool() const { return std::holds_alternative<bool>(data); }
  bool is_error() const { return std::holds_alternative<CellError>(data); }
  double as_number() const { return std::get<double>(data); }
  const RichText& as_rich() const { return *std::get<Text>(data); }
  const std::u16string& as_text() const { return as_rich().text; }
  bool as_bool() const { return std::get<bool>(data); }
  CellError as_error() const { return std::get<CellError>(data); }

  // The value as the automation layer returns it (Range.Value2: numbers as Double).
  Variant to_variant() const;
  bool operator==(const CellValue& o) const;
};

// A formula as the file stores it: parsed-expression bytes (rgce) and their trailing extra data
// (array constants, etc.). For a member of a shared or array formula, `tokens` is the single
// PtgExp/PtgTbl token and `master` names the cell that holds the definition in the sheet.
struct Formula {
  std::vector<uint8_t> tokens;
  std::vector<uint8_t> extra;
  uint16_t flags = 0;          // FORMULA grbit: fAlwaysCalc, fFill, fShrFmla ...
  bool cached_string = false;  // the cached result is text (STRING record followed)
  friend bool operator==(const Formula&, const Formula&) = default;
};

struct Cell {
  CellValue value;  // for a formula cell: its cached result
  uint16_t xf = 15; // index of the cell's XF record (15 is the default cell format)
  std::shared_ptr<Formula> formula;  // null: a constant cell

  bool has_formula() const { return formula != nullptr; }
};

}  // namespace tabrel::model
