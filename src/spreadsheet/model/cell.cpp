#include "spreadsheet/model/cell.h"

namespace tabrel::model {

CellValue CellValue::text(std::u16string s) {
  auto t = std::make_shared<RichText>();
  t->text = std::move(s);
  CellValue v;
  v.data = Text(std::move(t));
  return v;
}

CellValue CellValue::rich(RichText t) {
  CellValue v;
  v.data = Text(std::make_shared<const RichText>(std::move(t)));
  return v;
}

Variant CellValue::to_variant() const {
  switch (data.index()) {
    case 0: return Variant();
    case 1: return Variant(as_number());
    case 2: return Variant(as_text());
    case 3: return Variant(as_bool());
    default: return Variant::error(as_error());
  }
}

bool CellValue::operator==(const CellValue& o) const {
  if (data.index() != o.data.index()) return false;
  switch (data.index()) {
    case 0: return true;
    case 1: return as_number() == o.as_number();
    case 2: return as_rich() == o.as_rich();
    case 3: return as_bool() == o.as_bool();
    default: return as_error() == o.as_error();
  }
}

}  // namespace tabrel::model
