// Targets that another spreadsheet program saved: each answer workbook opened and saved again as
// .xls by LibreOffice Calc, and a few of them with an examinee's mistake (tests/fixtures/
// libreoffice/README.md says how they were made). A target right in all that program keeps loses
// only what the program changed in the file; a mistake adds exactly its own row.

#include <array>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "papers/paper_fixture.h"

namespace tabrel::papers::testing {
namespace {

struct PaperKey {
  const char16_t* answer;
  const char16_t* password;
  int item;
};
constexpr PaperKey kPaper01{u"2급기초다지기01회", u"5862#9", 0};
constexpr PaperKey kPaper02{u"2급기초다지기02회", u"8215&3", 1};
constexpr PaperKey kPaper03{u"2급기초다지기03회", u"4*739@", 2};
constexpr PaperKey kPaper04{u"2급기초다지기04회", u"9#2&5", 3};
constexpr PaperKey kPaper05{u"2급기초다지기05회", u"71&958", 4};

struct SavedElsewhere {
  const char* file;
  PaperKey paper;
  std::vector<Row> rows;
  std::array<const char16_t*, 4> obtained;
};

void PrintTo(const SavedElsewhere& c, std::ostream* out) { *out << c.file; }

// What the program changes in every file it saves, as its records show:
// - it names its own default font for every cell (the title's font name is lost);
const Row kTitleFont01{u"기본작업-2", u"-2.00", u"A1셀의 글꼴 이름이 틀립니다."};
const Row kTitleFont02{u"기본작업-2", u"-2.00", u"A1 셀의 글꼴이 틀립니다"};
const Row kTitleFont03{u"기본작업-2", u"-2.00", u"A1 셀의 글꼴 이름이 틀립니다."};
const Row kTitleFont04{u"기본작업-2", u"-2.00", u"A1 셀의 글꼴이 틀립니다."};
const Row kTitleFont05{u"기본작업-2", u"-2.00", u"A1셀의 글꼴 이름이 틀립니다."};
// - buttons: OnAction qualified with the module ("Module1.합계"), "move and size with cells".
Row button(const char16_t* text) { return {u"기타작업", u"-5.00", text}; }
const Row kSumButton = button(u"합계 버튼이름, 위치, 모양이 틀립니다");
const Row kFormatButton = button(u"서식 버튼이름, 위치 ,모양이 틀립니다");
const std::vector<Row> kButtons01 = {button(u"쉼표 버튼이름, 위치, 모양이 틀립니다"),
                                     button(u"백분율 버튼이름, 위치 ,모양이 틀립니다")};
const std::vector<Row> kButtons02 = {button(u"평균 버튼이름, 위치, 모양이 틀립니다"), kFormatButton};

const std::vector<SavedElsewhere> kCases = {
    // Its own "Comma [0]" style replaces the file's, whose number format is lost (General).
    {"answer-01.xls", kPaper01,
     {kTitleFont01, {u"기본작업-2", u"-2.00", u"E4셀 스타일이 틀립니다."}, kButtons01[0], kButtons01[1]},
     {u"16.00", u"40.00", u"20.00", u"10.00"}},
    {"answer-02.xls", kPaper02, {kTitleFont02, kButtons02[0], kButtons02[1]}, {u"18.00", u"40.00", u"20.00", u"10.00"}},
    // Phonetic guides are dropped; so are the camera pictures, which hold no picture data.
    {"answer-03.xls", kPaper03,
     {kTitleFont03, {u"기본작업-2", u"-2.00", u"셀의 윗주보기가 틀립니다"},
      {u"기본작업-3", u"-5.00", u"카메라 기능이 틀렸습니다."}, kSumButton,
      button(u"자동서식 버튼이름, 위치 ,모양이 틀립니다")},
     {u"11.00", u"40.00", u"20.00", u"10.00"}},
    // The built-in date format becomes "[$-409]m/d/yyyy"; the filter's names are doubled as
    // "Excel_BuiltIn_..." names and the macros' names become "Module1.합계", so the defined
    // names no longer stand where the check looks for them.
    {"answer-04.xls", kPaper04,
     {{u"기본작업-1", u"-0.10", u"F4 셀의 값이 틀립니다"},
      {u"기본작업-1", u"-0.10", u"F5 셀의 값이 틀립니다"},
      {u"기본작업-1", u"-0.10", u"F6 셀의 값이 틀립니다"},
      {u"기본작업-1", u"-0.10", u"F7 셀의 값이 틀립니다"},
      {u"기본작업-1", u"-0.10", u"F8 셀의 값이 틀립니다"},
      {u"기본작업-1", u"-0.10", u"F9 셀의 값이 틀립니다"},
      kTitleFont04,
      {u"분석작업-2", u"-10.00", u"셀 이름이 틀립니다."},
      kSumButton,
      kFormatButton},
     {u"17.40", u"40.00", u"10.00", u"10.00"}},
    {"answer-05.xls", kPaper05, {kTitleFont05, kSumButton, kFormatButton}, {u"18.00", u"40.00", u"20.00", u"10.00"}},
    // Mistakes: a typed name ("이수민" for "이수빈"), the title no longer italic (the first
    // failing test of its chain, in place of the font name), a typed number (53 for 35).
    {"typo-05.xls", kPaper05,
     {{u"기본작업-1", u"-0.09", u"B4 셀의 값이 틀립니다"}, kTitleFont05, kSumButton, kFormatButton},
     {u"17.91", u"40.00", u"20.00", u"10.00"}},
    {"upright-title-05.xls", kPaper05,
     {{u"기본작업-2", u"-2.00", u"A1:G1 셀의 글꼴 기울임꼴이 틀립니다."}, kSumButton, kFormatButton},
     {u"18.00", u"40.00", u"20.00", u"10.00"}},
    {"typo-02.xls", kPaper02,
     {{u"기본작업-1", u"-0.08", u"E4 셀의 값이 틀립니다"}, kTitleFont02, kButtons02[0], kButtons02[1]},
     {u"17.92", u"40.00", u"20.00", u"10.00"}},
};

class OtherProgramTest : public PaperTest, public ::testing::WithParamInterface<SavedElsewhere> {
 protected:
  OtherProgramTest() : PaperTest(GetParam().paper.answer, GetParam().paper.password, 1, GetParam().paper.item) {}
};

TEST_P(OtherProgramTest, LosesOnlyWhatTheProgramChangedAndTheMistakes) {
  const SavedElsewhere& c = GetParam();
  Grade(std::filesystem::path(TABREL_FIXTURE_FOLDER) / "libreoffice" / c.file);
  ASSERT_TRUE(Graded()) << GradingError();
  EXPECT_EQ(Rows(), c.rows);
  for (int p = 1; p <= 4; ++p) EXPECT_EQ(Obtained(p), c.obtained[static_cast<size_t>(p - 1)]) << "problem " << p;
}

INSTANTIATE_TEST_SUITE_P(Saved, OtherProgramTest, ::testing::ValuesIn(kCases), [](const auto& info) {
  std::string name = info.param.file;
  for (char& ch : name)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return name;
});

}  // namespace
}  // namespace tabrel::papers::testing
