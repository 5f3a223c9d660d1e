#include "shell/core/main_window.h"

#include "runtime/numbers.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::shell {

ComTest::ComTest() {
  Option1.Select(0);
  Option1.SetVisible(1, false);
  Option2.Select(0);
  for (int i = 1; i < 4; ++i) Combo3[static_cast<size_t>(i)].SetEnabled(false);
  ListView1.ToolTipText = kListViewToolTip;
  for (int i = 0; i < 8; ++i) Label1[static_cast<size_t>(i)].OnChange([this, i] { Label1_Change(i); });
}

std::u16string FormatCaption2(const std::u16string& caption) {
  const auto number = parse_number(caption);
  return number ? rt::FormatFixed2(*number) : caption;
}

void ComTest::Label1_Change(int index) {
  if (index < 4 || index > 7) return;
  Label& changed = Label1[static_cast<size_t>(index)];
  changed.SetCaption(FormatCaption2(changed.Caption()));
  Label4.SetCaption(FormatCaption2(Label4.Caption()));
}

void ComTest::SetUpperRowsVisible(bool visible) {
  Label1[3].SetVisible(visible);
  Label1[7].SetVisible(visible);
  Label2[3].SetVisible(visible);
  Label2[6].SetVisible(visible);
  Label7[0].SetVisible(visible);
  Label7[1].SetVisible(visible);
}

}  // namespace tabrel::shell
