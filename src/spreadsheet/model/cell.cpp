#include "spreadsheet/model/cell.h"

#include <new>

namespace tabrel::model {

static_assert(sizeof(CellValue) == 16 && sizeof(Cell) == 24, "a cell's format fills its value's spare bytes");

CellValue CellValue::text(std::u16string s) {
  RichText t;
  t.text = std::move(s);
  return rich(std::move(t));
}

CellValue CellValue::rich(RichText t) { return shared(SharedText::make(std::move(t))); }

CellValue CellValue::shared(Text t) {
  CellValue v;
  new (&v.u_.text) Text(std::move(t));
  v.kind_ = Kind::Text;
  return v;
}

void CellValue::reset() noexcept {
  if (kind_ == Kind::Text) u_.text.~Text();
  kind_ = Kind::Blank;
}

void CellValue::copy_plain(const CellValue& other) noexcept {
  switch (other.kind_) {
    case Kind::Number: u_.number = other.u_.number; break;
    case Kind::Bool: u_.boolean = other.u_.boolean; break;
    case Kind::Error: u_.error = other.u_.error; break;
    case Kind::Blank: case Kind::Text: break;
  }
  kind_ = other.kind_;
}

void CellValue::copy_from(const CellValue& other) noexcept {
  if (other.kind_ == Kind::Text) {
    new (&u_.text) Text(other.u_.text);
    kind_ = Kind::Text;
  } else {
    copy_plain(other);
  }
}

void CellValue::move_from(CellValue&& other) noexcept {
  if (other.kind_ == Kind::Text) {
    new (&u_.text) Text(std::move(other.u_.text));
    kind_ = Kind::Text;
  } else {
    copy_plain(other);
  }
  other.reset();
}

CellValue& CellValue::operator=(const CellValue& other) noexcept {
  if (this != &other) {
    reset();
    copy_from(other);
  }
  return *this;
}

CellValue& CellValue::operator=(CellValue&& other) noexcept {
  if (this != &other) {
    reset();
    move_from(std::move(other));
  }
  return *this;
}

Variant CellValue::to_variant() const {
  switch (kind_) {
    case Kind::Blank: return Variant();
    case Kind::Number: return Variant(as_number());
    case Kind::Text: return Variant(as_text());
    case Kind::Bool: return Variant(as_bool());
    case Kind::Error: break;
  }
  return Variant::error(as_error());
}

bool CellValue::operator==(const CellValue& o) const {
  if (kind_ != o.kind_) return false;
  switch (kind_) {
    case Kind::Blank: return true;
    case Kind::Number: return as_number() == o.as_number();
    case Kind::Text: return as_rich() == o.as_rich();
    case Kind::Bool: return as_bool() == o.as_bool();
    case Kind::Error: break;
  }
  return as_error() == o.as_error();
}

}  // namespace tabrel::model
