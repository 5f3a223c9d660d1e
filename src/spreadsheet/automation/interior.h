#pragma once
// The fill of a range: ColorIndex is the cell colour, xlColorIndexNone without a fill (white is 2,
// not "none"); PatternColorIndex is the colour of a pattern's lines.

#include <memory>
#include <optional>
#include <string>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class Interior : public Dispatch {
 public:
  Interior(SheetHandle sheet, model::RangeRef area);
  std::u16string type_name() const override { return u"Interior"; }

  Variant ColorIndex() const;
  void SetColorIndex(const Variant& value);
  Variant Color() const;
  void SetColor(const Variant& value);
  // Newer recorders write theme colours: ThemeColor takes an xlThemeColor constant, and
  // TintAndShade then lightens or darkens that colour (or the current one); both end as the
  // nearest palette colour. TintAndShade reads 0: the file keeps no tint.
  void SetThemeColor(const Variant& value);
  Variant TintAndShade() const;
  void SetTintAndShade(const Variant& value);
  Variant Pattern() const;  // xlPatternSolid 1, xlPatternNone -4142, other patterns by code
  void SetPattern(const Variant& value);
  Variant PatternColorIndex() const;
  void SetPatternColorIndex(const Variant& value);

 private:
  SheetHandle sheet_;
  model::RangeRef area_;
  std::optional<int32_t> theme_base_;  // the RGB of the last ThemeColor set through this object
};

}  // namespace tabrel::xl
