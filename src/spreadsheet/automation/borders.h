#pragma once
// The lines of a range: Borders(i) with i = 5 diagonal down, 6 diagonal up, 7 left, 8 top,
// 9 bottom, 10 right, 11 inside vertical, 12 inside horizontal. An edge shows the line of
// either cell that shares it.

#include <memory>
#include <string>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

// The index of Borders(i): xlDiagonalDown, xlEdgeLeft ... xlInsideHorizontal.
inline constexpr int kDiagonalDown = 5, kEdgeLeft = 7, kEdgeTop = 8, kEdgeBottom = 9, kEdgeRight = 10,
                     kInsideVertical = 11, kInsideHorizontal = 12;

class Border;

class Borders : public Dispatch {
 public:
  Borders(SheetHandle sheet, model::RangeRef area);
  std::u16string type_name() const override { return u"Borders"; }

  std::shared_ptr<Border> Item(const Variant& index) const;
  // Over the four edges and the inside lines together.
  Variant LineStyle() const;
  void SetLineStyle(const Variant& value);
  Variant Weight() const;
  void SetWeight(const Variant& value);

 private:
  SheetHandle sheet_;
  model::RangeRef area_;
};

class Border : public Dispatch {
 public:
  Border(SheetHandle sheet, model::RangeRef area, int index);
  std::u16string type_name() const override { return u"Border"; }

  Variant LineStyle() const;
  void SetLineStyle(const Variant& value);
  Variant Weight() const;
  void SetWeight(const Variant& value);
  Variant ColorIndex() const;
  void SetColorIndex(const Variant& value);

 private:
  Variant read(bool weight) const;
  SheetHandle sheet_;
  model::RangeRef area_;
  int index_;
};

}  // namespace tabrel::xl
