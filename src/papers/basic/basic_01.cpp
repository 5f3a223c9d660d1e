// Paper 기초다지기01회: data entry, title and cell formats, a conditional format; five
// formulas; a data table and a subtotal; two macros with their buttons and a chart.

#include "inspect/alignment_cells.h"
#include "inspect/chart_checks.h"
#include "inspect/chart_series.h"
#include "inspect/cell_checks.h"
#include "inspect/condition_cells.h"
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

namespace basic_01 {

Problem Problem1() {
  const float item = per(10, 5);
  const auto format = after_cell(u"셀 서식이 틀립니다.");
  const auto centred = after_cell(u" 셀의 수평 가운데 맞춤이 틀립니다");
  const auto style = after_cell(u"셀 스타일이 틀립니다.");
  return {
      data_entry(u"A3", u"F10"),
      switch_sheets(2),
      chain({{cells(GetWrongMergeCells, u"A1", u"G1"), item, after_cell(u"셀 병합이 틀립니다.")},
             {cells(GetWrongHAlignMergeCells, u"A1", u"G1"), item, after_cell(u"셀의 병합 수평 가운데 맞춤이 틀립니다.")},
             {cells(GetWrongFontColorCells, u"A1", u"G1"), item, after_cell(u"셀의 글꼴 색상이 틀립니다.")},
             {cells(GetWrongFontNameCells, u"A1", u"G1"), item, after_cell(u"셀의 글꼴 이름이 틀립니다.")},
             {cells(GetWrongFontSizeCells, u"A1", u"G1"), item, after_cell(u"셀1의 글꼴 크기가 틀립니다.")},
             {cells(GetWrongBoldCells, u"A1", u"G1"), item, after_cell(u"셀의 글꼴 굵기가 틀립니다.")}}),
      chain({{cells(GetWrongFormulaCells, u"D4", u"D13", false), item, format},
             {cells(GetWrongTextCells, u"D4", u"D13", 0, false), item, format},
             {cells(GetWrongFormulaCells, u"G4", u"G13", false), item, format},
             {cells(GetWrongTextCells, u"G4", u"G13", 0, false), item, format}}),
      chain({{cells(GetWrongHAlignMergeCells, u"A3", u"A13"), item, centred},
             {cells(GetWrongHAlignMergeCells, u"B3", u"G3"), item, centred},
             {cells(GetWrongFormulaCells, u"E4", u"F12", false), item, style},
             {cells(GetWrongTextCells, u"E4", u"F12", 0, false), item, style}}),
      check({yes(IsTextPartEqual, u"D3", 1, 3), item, literal(u"한자가 틀립니다")}),
      check({cells(GetWrongBorderCells, u"A3", u"G13"), item, after_cell(u" 셀의 괘선 설정이 틀립니다.")}),
      switch_sheets(3),
      chain({{cells(GetWrongCondFontColorCells, u"A4", u"F13", 1), 5, after_cell(u"셀의 글꼴 색이 틀립니다.")},
             {cells(GetWrongCondBoldCells, u"A4", u"F13", 1), 5, after_cell(u"셀의 글꼴 굵기가 틀립니다.")},
             {cells(GetWrongCondRuleCells, u"A4", u"F13", 1), 5, after_cell(u" 셀의 조건부 서식이 틀립니다.")}}),
  };
}

Problem Problem2() {
  return formula_items(8, {
                              all_functions(u"B17", u"C17", u"COUNTIF;&"),
                              all_functions(u"I3", u"I6", u"HLOOKUP;LEFT"),
                              all_functions(u"C32", u"C32", u"DMAX;DMIN"),
                              all_functions(u"H32", u"H32", u"ROUND;DAVERAGE"),
                              all_functions(u"C36", u"C45", u"IF;RANK"),
                          });
}

Problem Problem3() {
  return {
      check({cells(GetWrongTextCells, u"D11", u"H17", 0, false), 10, literal(u" 데이터표 결과가 틀립니다.")}),
      switch_sheets(6),
      check({cells(GetWrongTextCells, u"A3", u"I28", 1, true), 10, literal(u"부분합의 결과가 틀렸습니다.")}),
  };
}


Problem Problem4() {
  const float item = per(10, 5);
  // Data labels of series 1 and 2, points 1 to 4, in the order they are compared.
  std::vector<Test> labels;
  for (auto [series, point] : {std::pair{1, 2}, {1, 1}, {1, 3}, {1, 4}, {2, 1}, {2, 2}, {2, 3}, {2, 4}})
    labels.push_back(yes(ComparePointDataLabel, int16_t{1}, static_cast<int16_t>(series), static_cast<int16_t>(point),
                         int16_t{0}));
  return {
      macro_buttons({.first_macro = u"쉼표",
                     .second_macro = u"백분율",
                     .preparation = {reset_for_macro(u"F4", u"F12"), reset_for_macro(u"G4", u"G12")},
                     .first_result = cells(GetWrongTextCells, u"F4", u"F12", 1, false),
                     .second_result = cells(GetWrongTextCells, u"G4", u"G12", 1, false),
                     .points = per(10, 2)}),
      chart_block({.tests_auto_scale_font = true,
                   .items = {
                       check({all_of({yes(CompareChartDataRange, int16_t{1}, int16_t{2}, int16_t{0}),
                                      yes(CompareChartDataRange, int16_t{1}, int16_t{1}, int16_t{0})}),
                              item, literal(u"데이타 범위가 틀립니다.")}),
                       check({yes(CompareChartType, int16_t{1}, int16_t{0}, int16_t{0}), item, literal(u"차트 종류가 틀립니다")}),
                       check({yes(CompareChartTitle, int16_t{1}, int16_t{0}), item, literal(u"차트 제목이 틀립니다")}),
                       check({all_of(std::move(labels)), item, literal(u"데이터 이름표의 값 표시가 틀립니다")}),
                       chart_placement(item, u"차트 위치가 틀립니다", u"A27", u"F42"),
                   }}),
  };
}

}  // namespace basic_01

Paper Basic01() {
  Paper paper;
  paper.paper_name = u"Tabrel2급기초다지기01회";
  paper.file_name = u"2급기초다지기01회";
  paper.password = u"5862#9";
  paper.sheet_count = 7;
  paper.first_sheets = {1, 4, 5, 7};
  paper.problems = {basic_01::Problem1(), basic_01::Problem2(), basic_01::Problem3(), basic_01::Problem4()};
  return paper;
}

}  // namespace tabrel::papers
