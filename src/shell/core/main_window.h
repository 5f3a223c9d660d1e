#pragma once
// The main window `comtest` as state: every control by its name and index, with the captions,
// visibility, enabled state and values it has when the window is created, and the score
// labels' change rule (`Label1_Change`).

#include <array>
#include <string>

#include "shell/core/controls.h"

namespace tabrel::shell {

inline constexpr char16_t kProgramTitle[] = u"Tabrel 검정 채점 프로그램";
inline constexpr char16_t kListViewToolTip[] = u"해당 오류를 더블클릭하면 오류 내용을 보실수 있습니다";
inline constexpr char16_t kPublisherCredit[] = u"ⓒ 타브렐 출판\nTabrel 검정 채점 프로그램";
inline constexpr char16_t kPublisherPage[] = u"https://tabrel.example.org/";

class ComTest {
 public:
  ComTest();
  ComTest(const ComTest&) = delete;
  ComTest& operator=(const ComTest&) = delete;

  std::u16string Caption = kProgramTitle;

  Button Command1{u"업그레이드", false};
  std::array<PictureButton, 2> Picture1{};  // (0) start, (1) exit
  TextBox Text2{u"", true};                 // inside the hidden Frame5
  bool Frame5Visible = false;
  Button Command2{u"불러오기", true};
  OptionGroup Option1{{u"2급", u"3급"}};
  std::array<bool, 2> Image1Visible{true, false};
  OptionGroup Option2{{u"기출문제", u"기초다지기", u"실력다지기", u"합격다지기"}};
  std::array<ComboBox, 4> Combo3{};
  ListBox List1{{u"Tabrel"}};
  std::array<Label, 7> Label2{Label(u"문제 1"), Label(u"문제 2"), Label(u"문제 3"), Label(u"문제 4"),
                              Label(u"과목", false), Label(u"진행률"), Label(u"문제 5", false)};
  TextBox Text1{u"Text1", false};
  ProgressBar ProgressBar1{0, 10000};
  ListView ListView1{};
  std::array<Label, 2> Label8{Label(kPublisherCredit), Label(u"채점 진행 상황")};
  Label Label10{u"감점내역"};
  std::array<Label, 8> Label1{};  // (0)..(3) allotted, (4)..(7) obtained points of problems 1..4
  std::array<Label, 2> Label5{Label(u"할당점수"), Label(u"취득점수")};
  Label Label4{u"0"};
  Label Label3{u"현재까지 점수"};
  Label Label6{u"", false};
  std::array<Label, 2> Label7{Label(u"", false), Label(u"", false)};

  // A caption of Label1(index) changed: obtained points (4..7) and the total are rewritten
  // in the "0.00" pattern; numbers only, other texts stay as they are.
  void Label1_Change(int index);

  // Shows or hides the rows of problems 4 and 5.
  void SetUpperRowsVisible(bool visible);
};

// Format(text, "0.00") for a caption: a numeric text gets two decimals, any other text stays.
std::u16string FormatCaption2(const std::u16string& caption);

}  // namespace tabrel::shell
