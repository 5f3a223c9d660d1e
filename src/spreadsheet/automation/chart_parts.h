#pragma once
// The parts of a chart the automation interface hands out besides series and axes: titles
// (chart and axis titles share one class), legend, data table, plot area, walls, chart groups,
// and the fill and border colours of chart elements as palette indexes.

#include <functional>
#include <memory>
#include <string>

#include "spreadsheet/automation/chart.h"
#include "spreadsheet/automation/shapes.h"
#include "spreadsheet/model/styles.h"

namespace tabrel::xl {

// Interior.ColorIndex / Border.ColorIndex of a chart element: 1..56, -4105 automatic, -4142 none.
// Setting a colour of an element that can be changed stores its palette index (8..63) and RGB.
class ChartColor : public Dispatch {
 public:
  using Setter = std::function<void(uint16_t palette_index, uint32_t rgb)>;
  ChartColor(std::u16string kind, int index, Setter set = {})
      : kind_(std::move(kind)), index_(index), set_(std::move(set)) {}
  std::u16string type_name() const override { return kind_; }
  int ColorIndex() const { return index_; }
  // 1..56 of the workbook's palette; other numbers raise.
  void SetColorIndex(int index);
  // An RGB value (red in the low byte), stored with the nearest palette entry.
  void SetColor(int64_t rgb);
  void set_palette(const model::Palette& palette) { palette_ = palette; }

 private:
  std::u16string kind_;
  int index_;
  Setter set_;
  model::Palette palette_ = model::default_palette();
};

// The ColorIndex of a stored fill or line (chart palette entries 8..63 are ColorIndex 1..56).
int fill_color_index(const std::optional<model::AreaFormat>& area);
int line_color_index(const std::optional<model::LineFormat>& line);

// The characters of a title: all of them, whose text can be replaced where the title can.
class TitleCharacters : public Dispatch {
 public:
  TitleCharacters(std::u16string text, std::function<void(const std::u16string&)> set)
      : text_(std::move(text)), set_(std::move(set)) {}
  std::u16string type_name() const override { return u"Characters"; }
  std::u16string Text() const { return text_; }
  void SetText(const std::u16string& text);

 private:
  std::u16string text_;
  std::function<void(const std::u16string&)> set_;
};

// A chart title or an axis title: its text and its orientation (-4128 horizontal, -4171
// upward, -4170 downward, -4166 stacked vertically, else the angle in degrees).
class ChartTitle : public Dispatch {
 public:
  using Setter = std::function<void(const std::u16string&)>;
  using Rotator = std::function<void(uint16_t rotation)>;
  ChartTitle(std::u16string kind, std::u16string text, uint16_t rotation, Setter set = {}, Rotator rotate = {})
      : kind_(std::move(kind)), text_(std::move(text)), rotation_(rotation), set_(std::move(set)),
        rotate_(std::move(rotate)) {}
  std::u16string type_name() const override { return kind_; }
  std::u16string Text() const { return text_; }
  std::u16string Caption() const { return text_; }
  void SetText(const std::u16string& text);
  void SetCaption(const std::u16string& text) { SetText(text); }
  std::shared_ptr<TitleCharacters> Characters() const { return std::make_shared<TitleCharacters>(text_, set_); }
  int Orientation() const;
  // One of the orientations above or an angle from -90 to 90 degrees; others raise.
  void SetOrientation(int orientation);

 private:
  std::u16string kind_;
  std::u16string text_;
  uint16_t rotation_;
  Setter set_;
  Rotator rotate_;
};

class Legend : public Dispatch {
 public:
  using Setter = std::function<void(uint8_t position)>;
  explicit Legend(model::Legend legend, Setter set = {}) : legend_(legend), set_(std::move(set)) {}
  std::u16string type_name() const override { return u"Legend"; }
  // -4107 bottom, 2 corner, -4160 top, -4152 right, -4131 left, -4161 custom.
  int Position() const;
  // One of the positions above but custom; others raise.
  void SetPosition(int position);

 private:
  model::Legend legend_;
  Setter set_;
};

class ChartDataTable : public Dispatch {
 public:
  explicit ChartDataTable(uint16_t flags) : flags_(flags) {}
  std::u16string type_name() const override { return u"DataTable"; }
  bool ShowLegendKey() const { return (flags_ & 0x08) != 0; }
  bool HasBorderHorizontal() const { return (flags_ & 0x01) != 0; }
  bool HasBorderVertical() const { return (flags_ & 0x02) != 0; }
  bool HasBorderOutline() const { return (flags_ & 0x04) != 0; }

 private:
  uint16_t flags_;
};

// The plot area and the walls: a fill and a border.
class PlotArea : public Dispatch {
 public:
  PlotArea(std::optional<model::AreaFormat> area, std::optional<model::LineFormat> line) : area_(area), line_(line) {}
  std::u16string type_name() const override { return u"PlotArea"; }
  std::shared_ptr<ChartColor> Interior() const;
  std::shared_ptr<ChartColor> Border() const;

 private:
  std::optional<model::AreaFormat> area_;
  std::optional<model::LineFormat> line_;
};

class Walls : public Dispatch {
 public:
  Walls(std::optional<model::AreaFormat> area, std::optional<model::LineFormat> line) : area_(area), line_(line) {}
  std::u16string type_name() const override { return u"Walls"; }
  std::shared_ptr<ChartColor> Interior() const;
  std::shared_ptr<ChartColor> Border() const;

 private:
  std::optional<model::AreaFormat> area_;
  std::optional<model::LineFormat> line_;
};

class ChartGroup : public Dispatch {
 public:
  ChartGroup(ChartHandle chart, size_t index) : chart_(std::move(chart)), index_(index) {}
  std::u16string type_name() const override { return u"ChartGroup"; }
  bool VaryByCategories() const;
  int GapWidth() const;
  int Index() const { return static_cast<int>(index_) + 1; }

 private:
  const model::ChartGroup& get() const;
  ChartHandle chart_;
  size_t index_;
};

}  // namespace tabrel::xl
