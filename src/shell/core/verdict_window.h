#pragma once
// The verdict window `frmpass` as state: created afresh for every verdict with the contents
// below, filled by `ShowVerdict`, shown modally, closed by its button.

#include <array>
#include <string>

#include "shell/core/controls.h"

namespace tabrel::shell {

struct FrmPass {

  std::u16string Caption = u"Form1";
  Label Label3{u"◀ 합격하셨습니다 ▶"};
  std::array<ProgressBar, 4> ProgressBar1{ProgressBar(0, 100), ProgressBar(0, 100), ProgressBar(0, 100),
                                          ProgressBar(0, 100)};
  std::array<Label, 4> Label1{Label(u"20.00"), Label(u"20"), Label(u"20"), Label(u"20")};
  Label Label2{u"100 점"};
  Button Command1{u"확 인", true};
};

inline constexpr char16_t kVerdictPass[] = u"◀ 합  격 ▶";
inline constexpr char16_t kVerdictFail[] = u"◀ 불합격 ▶";

}  // namespace tabrel::shell
