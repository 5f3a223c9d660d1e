#pragma once
// The font of a range. A property reads Null when the cells, or the formatting runs of a cell's
// text, differ in it. Setting a property formats the whole cells.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class Font : public Dispatch {
 public:
  Font(SheetHandle sheet, model::RangeRef area);
  std::u16string type_name() const override { return u"Font"; }

  Variant Name() const;
  void SetName(const Variant& value);
  Variant Size() const;  // points
  void SetSize(const Variant& value);
  Variant Bold() const;
  void SetBold(const Variant& value);
  Variant Italic() const;
  void SetItalic(const Variant& value);
  Variant Strikethrough() const;
  void SetStrikethrough(const Variant& value);
  Variant Underline() const;  // xlUnderlineStyle constants
  void SetUnderline(const Variant& value);
  Variant ColorIndex() const;  // 1..56, xlColorIndexAutomatic
  void SetColorIndex(const Variant& value);
  Variant Color() const;  // RGB
  void SetColor(const Variant& value);
  // Newer recorders write theme colours: ThemeColor takes an xlThemeColor constant, and
  // TintAndShade then lightens or darkens that colour (or the current one); both end as the
  // nearest palette colour. TintAndShade reads 0: the file keeps no tint.
  void SetThemeColor(const Variant& value);
  Variant TintAndShade() const;
  void SetTintAndShade(const Variant& value);
  // "표준", "굵게", "기울임꼴", "굵은 기울임꼴" (English names are taken as well).
  Variant FontStyle() const;
  void SetFontStyle(const Variant& value);
  Variant Superscript() const;
  void SetSuperscript(const Variant& value);
  Variant Subscript() const;
  void SetSubscript(const Variant& value);
  Variant OutlineFont() const;
  void SetOutlineFont(const Variant& value);
  Variant Shadow() const;
  void SetShadow(const Variant& value);

 private:
  Variant read(const std::function<Variant(const model::Font&)>& property) const;
  void write(const std::function<void(model::Font&)>& change);

  SheetHandle sheet_;
  model::RangeRef area_;
  std::optional<int32_t> theme_base_;  // the RGB of the last ThemeColor set through this object
};

}  // namespace tabrel::xl
