#include "inspect/cell_checks.h"

#include <gtest/gtest.h>

#include <vector>

#include "inspect/fixture.h"
#include "inspect/workbook_parts.h"

namespace tabrel::inspect {
namespace {

using testing::active_address;
using testing::add_comment;
using testing::at;
using testing::blank_workbook;
using testing::defined_name;
using testing::open_blank_pair;
using testing::open_pair;

struct TextCase {
  const char* name;
  const char16_t* answer;
  const char16_t* target;
  bool ends_equal;
  bool part_equal;  // characters 5 and 6
};

TEST(CellTextChecksTest, EndsAndStretchesOfTheDisplayedText) {
  const TextCase cases[] = {
      {"same decorated title", u"★제목★", u"★제목★", true, true},
      {"white star at the start", u"★제목★", u"☆제목★", false, true},
      {"trailing space after the decoration", u"★제목★", u"★제목★ ", false, false},
      {"both empty", u"", u"", true, true},
      {"both shorter than the stretch", u"ab", u"cd", false, true},
      {"hanja differs", u"대한(大韓)", u"대한(大寒)", true, false},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.name);
    ExcelObjects o = open_blank_pair();
    at(o.AnswerSheet, u"A1")->SetValue(Variant(c.answer));
    at(o.TargetSheet, u"A1")->SetValue(Variant(c.target));
    at(o.AnswerSheet, u"C7")->Select();
    EXPECT_EQ(IsTextEndsEqual(o, u"A1"), c.ends_equal);
    EXPECT_EQ(IsTextPartEqual(o, u"A1", 5, 2), c.part_equal);
    EXPECT_EQ(active_address(o.AnswerExcel), u"$C$7");
  }
}

TEST(CellTextChecksTest, StretchOutsideTheTextGivesNo) {
  ExcelObjects o = open_blank_pair();
  EXPECT_FALSE(IsTextPartEqual(o, u"A1", 0, 2));
  EXPECT_FALSE(IsTextPartEqual(o, u"A1", 1, -1));
  o.TargetExcel->Quit();
  EXPECT_FALSE(IsTextEndsEqual(o, u"A1"));
}

// Names of the answer and of the target, each a name and what it refers to.
using Names = std::vector<std::pair<const char16_t*, const char16_t*>>;

ExcelObjects with_names(const Names& answer_names, const Names& target_names) {
  auto answer = blank_workbook({u"Sheet1", u"Sheet2"});
  auto target = blank_workbook({u"Sheet1", u"Sheet2"});
  for (const auto& [name, ref] : answer_names) answer->names.push_back(defined_name(*answer, name, ref));
  for (const auto& [name, ref] : target_names) target->names.push_back(defined_name(*target, name, ref));
  return open_pair(std::move(answer), std::move(target));
}

TEST(IsDefinedNameCorrectTest, SearchBoundedByTheAnswersCount) {
  struct Case {
    const char* name;
    Names answer, target;
    const char16_t* sought;
    bool expected;
  };
  const Case cases[] = {
      {"same reference", {{u"목표량", u"Sheet1!$B$3"}}, {{u"목표량", u"Sheet1!$B$3"}}, u"목표량", true},
      {"empty name", {{u"목표량", u"Sheet1!$B$3"}}, {{u"목표량", u"Sheet1!$B$3"}}, u"", false},
      {"other letter case", {{u"Goal", u"Sheet1!$B$3"}}, {{u"GOAL", u"Sheet1!$B$3"}}, u"Goal", false},
      {"other sheet", {{u"목표량", u"Sheet1!$B$3"}}, {{u"목표량", u"Sheet2!$B$3"}}, u"목표량", false},
      {"relative reference", {{u"목표량", u"Sheet1!$B$3"}}, {{u"목표량", u"Sheet1!B3"}}, u"목표량", false},
      {"second of two",
       {{u"a", u"Sheet1!$A$1"}, {u"목표량", u"Sheet1!$B$3"}},
       {{u"b", u"Sheet1!$A$2"}, {u"목표량", u"Sheet1!$B$3"}},
       u"목표량",
       true},
      {"beyond the answer's count",
       {{u"목표량", u"Sheet1!$B$3"}},
       {{u"b", u"Sheet1!$A$2"}, {u"목표량", u"Sheet1!$B$3"}},
       u"목표량",
       false},
      {"target has fewer names",
       {{u"a", u"Sheet1!$A$1"}, {u"목표량", u"Sheet1!$B$3"}},
       {{u"a", u"Sheet1!$A$1"}},
       u"목표량",
       false},
      {"missing from the answer", {{u"a", u"Sheet1!$A$1"}}, {{u"목표량", u"Sheet1!$B$3"}}, u"목표량", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExcelObjects o = with_names(c.answer, c.target);
    EXPECT_EQ(IsDefinedNameCorrect(o, 1, c.sought), c.expected);
  }
}

TEST(CommentChecksTest, TextWithOrWithoutTheAuthorLine) {
  struct Case {
    const char* name;
    const char16_t* answer;
    const char16_t* target;
    bool expected;
  };
  const Case cases[] = {
      {"author line before the text", u"입력 금지", u"홍길동:\n입력 금지", true},
      {"author line deleted", u"입력 금지", u"입력 금지", true},
      {"two lines joined without a space", u"입력금지", u"홍길동:\n입력\n금지", true},
      {"two lines against a space", u"입력 금지", u"홍길동:\n입력\n금지", false},
      {"a colon of the text itself", u"시간: 10분", u"시간: 10분", true},
      {"other text", u"입력 금지", u"홍길동:\n수정 금지", false},
      {"a blank after the colon in place of the line break", u"입력 금지", u"홍길동: 입력 금지", true},
      // The colon's place is counted with the leading blanks, the cut made without them.
      {"blanks before the author line move the cut", u"입력 금지", u"  홍길동:\n입력 금지", false},
      {"the moved cut can still leave the text", u"금지", u"  홍길동:\n입력 금지", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto answer = blank_workbook();
    auto target = blank_workbook();
    add_comment(*answer, c.answer);
    add_comment(*target, c.target);
    ExcelObjects o = open_pair(std::move(answer), std::move(target));
    EXPECT_EQ(CompareCellComment(o, u"G1"), c.expected);
  }
}

TEST(CommentChecksTest, VisibilityAndShape) {
  auto answer = blank_workbook();
  auto target = blank_workbook();
  add_comment(*answer, u"메모", true, 202);
  add_comment(*target, u"메모", false, 202);
  ExcelObjects o = open_pair(std::move(answer), std::move(target));
  EXPECT_FALSE(CompareCommentVisible(o, u"G1"));
  EXPECT_TRUE(CompareCommentShape(o, u"G1"));

  answer = blank_workbook();
  target = blank_workbook();
  add_comment(*answer, u"메모", true, 202);
  add_comment(*target, u"메모", true, 2);  // a rounded rectangle
  o = open_pair(std::move(answer), std::move(target));
  EXPECT_TRUE(CompareCommentVisible(o, u"G1"));
  EXPECT_FALSE(CompareCommentShape(o, u"G1"));
}

TEST(CommentChecksTest, ACellWithoutACommentGivesNo) {
  ExcelObjects o = open_blank_pair();
  EXPECT_FALSE(CompareCellComment(o, u"G1"));
  EXPECT_FALSE(CompareCommentVisible(o, u"G1"));
  EXPECT_FALSE(CompareCommentShape(o, u"G1"));
}

}  // namespace
}  // namespace tabrel::inspect
