// Paper 기초다지기03회: data entry; a title with its font, special characters and phonetic
// guide, a defined name and borders; four camera pictures; formulas of ten cells in five items;
// subtotals and a goal seek; two macros and a chart.

#include "inspect/alignment_cells.h"
#include "inspect/analysis_checks.h"
#include "inspect/cell_checks.h"
#include "inspect/chart_checks.h"
#include "inspect/chart_series.h"
#include "inspect/format_cells.h"
#include "inspect/formula_cells.h"
#include "inspect/text_cells.h"
#include "papers/basic/basic_papers.h"
#include "papers/blocks/chart_block.h"
#include "papers/blocks/data_entry.h"
#include "papers/blocks/formula_items.h"
#include "papers/blocks/macro_buttons.h"

namespace tabrel::papers {

using namespace inspect;

namespace basic_03 {

Problem Problem1() {
  // Each of the second sheet's five items is worth 10 / 5, whichever title test fails.
  const float item = per(10, 5);
  const float camera = 5;
  return {
      data_entry(u"A3", u"F11"),
      switch_sheets(2),
      chain({{cells(GetWrongMergeCells, u"A1", u"G1"), item, after_cell(u" 셀의 병합형식이 틀립니다")},
             {cells(GetWrongHAlignMergeCells, u"A1", u"G1"), item, after_cell(u" 셀의 가운데 맞춤이 틀립니다")},
             {cells(GetWrongFontSizeCells, u"A1", u"G1"), item, after_cell(u" 셀의 글꼴 크기가 틀립니다.")},
             {cells(GetWrongUnderlineCells, u"A1", u"G1"), item, after_cell(u" 셀의 글꼴 밑줄이 틀립니다.")},
             {cells(GetWrongFontNameCells, u"A1", u"G1"), item, after_cell(u" 셀의 글꼴 이름이 틀립니다.")}}),
      check({yes(IsTextEndsEqual, u"A1"), item, literal(u"A1 특수문자가 틀립니다")}),
      chain({{cells(GetWrongPhoneticVisibleCells, u"A1", u"A1"), item, literal(u"셀의 윗주보기가 틀립니다")},
             {cells(GetWrongPhoneticTextCells, u"A1", u"A1"), item, literal(u"셀의 윗주 텍스트가 틀립니다")}}),
      check({yes(IsDefinedNameCorrect, 1, u"항목별총액"), item, literal(u"셀 이름이 틀립니다.")}),
      check({cells(GetWrongBorderCells, u"A3", u"G12"), item, after_cell(u" 셀의 괘선 설정이 틀립니다.")}),
      switch_sheets(3),
      chain({{yes(HasCameraButton), camera, literal(u"도구에 카메라가 없습니다.")},
             {all_of({no(IsShapeMisplaced, 2), no(IsShapeMisplaced, 1), no(IsShapeMisplaced, 3),
                      no(IsShapeMisplaced, 4)}),
              camera, literal(u"카메라 기능이 틀렸습니다.")}}),
  };
}

Problem Problem2() {
  constexpr char16_t kNoBlank[] = u"셀의 함수 또는 결과가 틀립니다";
  constexpr char16_t kCase[] = u"UPPER;LOWER;PROPER";
  constexpr char16_t kMath[] = u"FACT;MODE;POWER";
  return formula_item_chains(8, {
                                    {all_functions(u"F9", u"F9", u"INT;STDEV"), all_functions(u"F10", u"F10", u"INT;VAR")},
                                    {all_functions(u"I3", u"I3", u"PI;TRUNC")},
                                    {any_function(u"J9", u"J9", kCase), any_function(u"K10", u"K10", kCase),
                                     any_function(u"L11", u"L11", kCase)},
                                    {all_functions(u"C17", u"C25", u"INDEX;RIGHT;MID", kNoBlank)},
                                    {any_function(u"J18", u"J21", kMath, kNoBlank), any_function(u"K18", u"K21", kMath, kNoBlank),
                                     any_function(u"J22", u"J22", kMath, kNoBlank)},
                                });
}

Problem Problem3() {
  const auto goal_seek = after_cell(u" 셀의 목표값 찾기 기능이 틀렸습니다.");
  return {
      check({cells(GetWrongTextCells, u"B4", u"I23", 1, true), 10, after_cell(u" 셀의 부분합이 틀렸습니다.")}),
      switch_sheets(6),
      chain({{cells(GetWrongTextCells, u"C5", u"C5", 0, false), 10, goal_seek},
             {cells(GetWrongFormulaCells, u"C5", u"C5", false), 10, goal_seek}}),
  };
}

Problem Problem4() {
  const float item = per(10, 5);
  // The value labels of points 1 to 4 of series 1, up to the first that differs.
  std::vector<Test> labels;
  for (int16_t point = 1; point <= 4; ++point)
    labels.push_back(yes(ComparePointDataLabel, int16_t{1}, int16_t{1}, point, int16_t{0}));
  return {
      macro_buttons({.first_macro = u"합계",
                     .second_macro = u"자동서식",
                     .preparation = {clear_target(u"E14", u"G14"), reset_for_macro(u"B3", u"G14")},
                     .first_result = cells(GetWrongTextCells, u"E14", u"G14", 0, false),
                     .second_result = yes(IsRangeFullyCorrect, u"B3", u"G14"),
                     .points = 5}),
      chart_block({.items = {
                       check({all_of({yes(CompareChartDataRange, int16_t{1}, int16_t{2}, int16_t{0}),
                                      yes(CompareChartDataRange, int16_t{1}, int16_t{1}, int16_t{0}),
                                      yes(CompareChartDataRange, int16_t{1}, int16_t{3}, int16_t{0})}),
                              item, literal(u"차트 데이타범위가 틀립니다")}),
                       check({yes(CompareChartType, int16_t{1}, int16_t{0}, int16_t{0}), item, literal(u"차트 종류가 틀립니다")}),
                       check({yes(CompareChartTitle, int16_t{1}, int16_t{0}), item, literal(u"차트의 제목이 틀립니다")}),
                       check({in_turn(std::move(labels)), item, literal(u"데이타이름표 값표시가 틀렸습니다.")}),
                       chart_placement(item, u"차트의 위치가 틀립니다", u"B30", u"H35"),
                       check({yes(CompareLegendPosition, int16_t{1}, int16_t{0}), item, literal(u"범례 위치가 틀립니다")}),
                   }}),
  };
}

}  // namespace basic_03

Paper Basic03() {
  Paper paper;
  paper.paper_name = u"Tabrel2급기초다지기03회";
  paper.file_name = u"2급기초다지기03회";
  paper.password = u"4*739@";
  paper.sheet_count = 7;
  paper.first_sheets = {1, 4, 5, 7};
  paper.problems = {basic_03::Problem1(), basic_03::Problem2(), basic_03::Problem3(), basic_03::Problem4()};
  paper.no_program_icon = MessageIcon::None;
  paper.early_hourglass = true;
  paper.quits_twice = true;
  paper.clears_obtained = false;
  paper.disqualification_clears_fifth = false;
  paper.pointer_before_status = true;
  paper.status_texts[0] = u"1번 문제를  처리중입니다";
  return paper;
}

}  // namespace tabrel::papers
