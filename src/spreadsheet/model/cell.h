#pragma once
// One cell: its value (or a formula's cached result), its cell format (XF index) and, for a
// formula cell, the formula as stored in the file (parsed tokens are the formula module's).

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "spreadsheet/core/variant.h"
#include "spreadsheet/model/cell_ref.h"
#include "spreadsheet/model/counted_ptr.h"
#include "spreadsheet/model/rich_text.h"

namespace tabrel::model {

// A cell's value: empty (blank), number, text, boolean or error, in sixteen bytes (a cell of a
// large sheet is mostly its value).
class CellValue {
 public:
  using Text = SharedText;

  CellValue() noexcept {}
  CellValue(const CellValue& other) noexcept { copy_from(other); }
  CellValue(CellValue&& other) noexcept { move_from(std::move(other)); }
  CellValue& operator=(const CellValue& other) noexcept;
  CellValue& operator=(CellValue&& other) noexcept;
  ~CellValue() { reset(); }

  static CellValue number(double d) { CellValue v; v.kind_ = Kind::Number; v.u_.number = d; return v; }
  static CellValue boolean(bool b) { CellValue v; v.kind_ = Kind::Bool; v.u_.boolean = b; return v; }
  static CellValue error(CellError e) { CellValue v; v.kind_ = Kind::Error; v.u_.error = e; return v; }
  static CellValue text(std::u16string s);
  static CellValue rich(RichText t);
  static CellValue shared(Text t);

  bool is_blank() const { return kind_ == Kind::Blank; }
  bool is_number() const { return kind_ == Kind::Number; }
  bool is_text() const { return kind_ == Kind::Text; }
  bool is_bool() const { return kind_ == Kind::Bool; }
  bool is_error() const { return kind_ == Kind::Error; }
  double as_number() const { return u_.number; }
  const RichText& as_rich() const { return *u_.text; }
  const std::u16string& as_text() const { return as_rich().text; }
  bool as_bool() const { return u_.boolean; }
  CellError as_error() const { return u_.error; }

  // The value as the automation layer returns it (Range.Value2: numbers as Double).
  Variant to_variant() const;
  bool operator==(const CellValue& o) const;

 private:
  enum class Kind : uint8_t { Blank, Number, Text, Bool, Error };
  union Payload {
    Payload() {}
    ~Payload() {}
    double number;
    Text text;
    bool boolean;
    CellError error;
  };
  void reset() noexcept;
  void copy_plain(const CellValue& other) noexcept;
  void copy_from(const CellValue& other) noexcept;
  void move_from(CellValue&& other) noexcept;

  Payload u_;
  Kind kind_ = Kind::Blank;
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

// A formula held by the cells that share it (a copied cell shares its source's formula).
using FormulaPtr = CountedPtr<Formula>;

// The format sits in the value's spare bytes: a cell takes 24 bytes, a stored cell's map node 64.
struct Cell {
  [[no_unique_address]] CellValue value;  // for a formula cell: its cached result
  uint16_t xf = 15; // index of the cell's XF record (15 is the default cell format)
  FormulaPtr formula;  // null: a constant cell

  bool has_formula() const { return formula != nullptr; }
};

}  // namespace tabrel::model
