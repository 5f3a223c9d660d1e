#include "spreadsheet/automation/command_bars.h"

#include "spreadsheet/automation/errors.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl {
namespace {

struct BarSetting {
  std::u16string name;
  int type = kMsoBarTypeNormal;
  bool visible = false;
  std::vector<int> controls;  // control Ids in order
};

// The menus of the worksheet and chart menu bars: File, Edit, View, Insert, Format, Tools,
// Data, Window, Help (and Chart).
std::vector<BarSetting> default_bars() {
  const std::vector<int> menus = {30002, 30003, 30004, 30005, 30006, 30007, 30011, 30009, 30010};
  std::vector<int> chart_menus = menus;
  chart_menus.insert(chart_menus.begin() + 6, 30022);
  return {
      {u"Worksheet Menu Bar", kMsoBarTypeMenuBar, true, menus},
      {u"Chart Menu Bar", kMsoBarTypeMenuBar, false, chart_menus},
      // New, Open, Save, Print, Print Preview, Spelling, Cut, Copy, Paste, Format Painter, Undo,
      // Redo, AutoSum, Sort Ascending, Sort Descending, Chart Wizard, Drawing, Camera, Help.
      {u"Standard", kMsoBarTypeNormal, true,
       {2520, 23, 3, 4, 109, 2, 21, 19, 22, 108, 128, 129, 226, 210, 211, 436, 204, kCameraControlId, 984}},
      // Font, Font Size, Bold, Italic, Underline, Align Left, Center, Align Right, Merge and
      // Center, Currency, Percent, Comma, Increase and Decrease Decimal, Borders, Fill and Font Color.
      {u"Formatting", kMsoBarTypeNormal, true,
       {1728, 1731, 113, 114, 115, 120, 122, 121, 402, 1849, 396, 397, 398, 399, 203, 1691, 401}},
      {u"Chart", kMsoBarTypeNormal, false, {1732, 436, 1733, 1734, 1735, 1736, 1737, 1738}},
      {u"Drawing", kMsoBarTypeNormal, false, {30094, 182, 30095, 198, 199, 200, 201, 1111, 204, 1691, 1692, 401}},
      {u"PivotTable", kMsoBarTypeNormal, false, {30175, 460, 461, 459, 463, 459}},
      {u"Stop Recording", kMsoBarTypeNormal, false, {2186, 2187}},
  };
}

// Shared by every instance of the application, as its settings are.
std::vector<BarSetting>& bars() {
  static std::vector<BarSetting> settings = default_bars();
  return settings;
}

BarSetting& bar_at(size_t index) {
  if (index >= bars().size()) raise(Fault::InvalidArgument);
  return bars()[index];
}

}  // namespace

int CommandBars::Count() const { return static_cast<int>(bars().size()); }

std::shared_ptr<CommandBar> CommandBars::Item(const Variant& index) const {
  if (index.is_string()) {
    const std::u16string wanted = upper(index.str());
    for (size_t i = 0; i < bars().size(); ++i)
      if (upper(bars()[i].name) == wanted) return std::make_shared<CommandBar>(i);
    raise(Fault::InvalidArgument);
  }
  const int i = index.to_long();
  if (i < 1 || i > Count()) raise(Fault::InvalidArgument);
  return std::make_shared<CommandBar>(static_cast<size_t>(i - 1));
}

std::u16string CommandBar::Name() const { return bar_at(index_).name; }
int CommandBar::Type() const { return bar_at(index_).type; }
bool CommandBar::Visible() const { return bar_at(index_).visible; }
void CommandBar::SetVisible(bool visible) { bar_at(index_).visible = visible; }
std::shared_ptr<CommandBarControls> CommandBar::Controls() const {
  bar_at(index_);
  return std::make_shared<CommandBarControls>(index_);
}

int CommandBarControls::Count() const { return static_cast<int>(bar_at(bar_).controls.size()); }

std::shared_ptr<CommandBarControl> CommandBarControls::Item(const Variant& index) const {
  const int i = index.to_long();
  if (i < 1 || i > Count()) raise(Fault::InvalidArgument);
  return std::make_shared<CommandBarControl>(bar_at(bar_).controls[static_cast<size_t>(i - 1)]);
}

}  // namespace tabrel::xl
