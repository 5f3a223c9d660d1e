// Paper 기초다지기05회: data entry, an italic merged title, a filled heading row, cell formats
// compared through their displayed texts, a Hanja word and a sorted list; five formulas; a data
// consolidation and a goal seek; two macros with their buttons and a chart.

#include "inspect/alignment_cells.h"
#include "inspect/cell_checks.h"
#include "inspect/chart_checks.h"
#include "inspect/chart_placement.h"
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

namespace basic_05 {

Problem Problem1() {
  const float item = per(10, 5);
  const auto format = after_cell(u"셀 서식이 틀립니다.");
  return {
      data_entry(u"A2", u"F10"),
      switch_sheets(2),
      chain({{cells(GetWrongMergeCells, u"A1", u"G1"), item, literal(u"A1:G1 셀 병합이 틀립니다.")},
             {cells(GetWrongHAlignMergeCells, u"A1", u"G1"), item, literal(u"A1:G1 셀의 병합 수평 가운데 맞춤이 틀립니다.")},
             {cells(GetWrongItalicCells, u"A1", u"G1"), item, literal(u"A1:G1 셀의 글꼴 기울임꼴이 틀립니다.")},
             {cells(GetWrongFontNameCells, u"A1", u"G1"), item, after_cell(u"셀의 글꼴 이름이 틀립니다.")},
             {cells(GetWrongFontSizeCells, u"A1", u"G1"), item, after_cell(u"셀1의 글꼴 크기가 틀립니다.")},
             {cells(GetWrongBoldCells, u"A1", u"G1"), item, after_cell(u"셀의 글꼴 굵기가 틀립니다.")}}),
      chain({{cells(GetWrongHAlignMergeCells, u"A3", u"G3"), item, after_cell(u" 셀의 수평 가운데 맞춤이 틀립니다")},
             {cells(GetWrongFillColorCells, u"A3", u"G3"), item, after_cell(u" 셀의 배경색이 틀립니다")}}),
      chain({{cells(GetWrongFormulaCells, u"D4", u"D11", false), item, format},
             {cells(GetWrongTextCells, u"D4", u"D11", 0, false), item, format},
             {cells(GetWrongFormulaCells, u"F4", u"G11", false), item, format},
             {cells(GetWrongTextCells, u"F4", u"G11", 0, false), item, format}}),
      check({yes(IsTextPartEqual, u"D3", 1, 3), item, literal(u"한자가 틀립니다")}),
      check({cells(GetWrongBorderCells, u"A4", u"G11"), item, after_cell(u" 셀의 괘선 설정이 틀립니다.")}),
      switch_sheets(3),
      check({cells(GetWrongTextCells, u"A4", u"H12", 0, false), 5, literal(u"정렬 결과가 틀립니다.")}),
  };
}

Problem Problem2() {
  return formula_items(8, {
                              all_functions(u"E3", u"E13", u"IF;COUNT"),
                              all_functions(u"J3", u"J11", u"HLOOKUP;RANK"),
                              any_function(u"D27", u"D27", u"COUNTA;COUNTIF;SUMIF"),
                              all_functions(u"K28", u"K28", u"ABS;DAVERAGE"),
                              all_functions(u"E32", u"E41", u"CHOOSE;MID"),
                          });
}

Problem Problem3() {
  const auto goal_seek = literal(u"목표값 찾기 결과가 틀립니다.");
  return {
      check({cells(GetWrongTextCells, u"B14", u"D18", 0, false), 10, literal(u"데이터 통합 결과가 틀립니다.")}),
      switch_sheets(6),
      // The found value shows the answer's text yet may be another number: the constant is
      // compared only once the texts agree.
      chain({{cells(GetWrongTextCells, u"D11", u"D11", 0, false), 10, goal_seek},
             {cells(GetWrongFormulaCells, u"D11", u"D11", false), 10, goal_seek}}),
  };
}

Problem Problem4() {
  const float item = per(10, 5);
  return {
      macro_buttons({.first_macro = u"합계",
                     .second_macro = u"서식",
                     .preparation = {clear_target(u"B13", u"E13"), reset_for_macro(u"H3", u"H12")},
                     .first_result = cells(GetWrongTextCells, u"B13", u"E13", 0, false),
                     // The constants first; their displayed texts only when the constants agree.
                     .second_result = in_turn({cells(GetWrongFormulaCells, u"H3", u"H12", false),
                                               cells(GetWrongTextCells, u"H3", u"H12", 0, false)}),
                     .points = per(10, 2)}),
      chart_block({.items = {
                       check({all_of({yes(CompareChartDataRange, int16_t{1}, int16_t{2}, int16_t{0}),
                                      yes(CompareChartDataRange, int16_t{1}, int16_t{1}, int16_t{0})}),
                              item, literal(u"데이타 범위가 틀립니다.")}),
                       check({yes(CompareChartType, int16_t{1}, int16_t{0}, int16_t{0}), item, literal(u"차트 종류가 틀립니다")}),
                       check({yes(CompareChartTitle, int16_t{1}, int16_t{0}), item, literal(u"차트 제목이 틀립니다")}),
                       chain({{yes(CompareSeriesSmooth, int16_t{1}, int16_t{0}, int16_t{2}), item,
                               literal(u"계열의 선을 완만하게 설정이 틀립니다")},
                              {yes(CompareSeriesBorderColor, int16_t{1}, int16_t{0}, int16_t{2}), item,
                               literal(u"계열의 선 색이 틀립니다")}}),
                       chart_placement(item, u"차트 위치가 틀립니다", u"A30", u"G51"),
                   }}),
  };
}

}  // namespace basic_05

Paper Basic05() {
  Paper paper;
  paper.paper_name = u"Tabrel2급기초다지기05회";
  paper.file_name = u"2급기초다지기05회";
  paper.password = u"71&958";
  paper.sheet_count = 7;
  paper.first_sheets = {1, 4, 5, 7};
  paper.problems = {basic_05::Problem1(), basic_05::Problem2(), basic_05::Problem3(), basic_05::Problem4()};
  return paper;
}

}  // namespace tabrel::papers
