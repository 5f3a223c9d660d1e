// Paper 기초다지기02회: data entry, title, formats, merges, a defined name, borders and
// external data; five formulas; a subtotal and a data table; two macros and a chart. Its
// whole entry runs with errors ignored.

#include "inspect/alignment_cells.h"
#include "inspect/chart_axes.h"
#include "inspect/chart_checks.h"
#include "inspect/chart_series.h"
#include "inspect/macro_buttons.h"
#include "inspect/cell_checks.h"
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

namespace basic_02 {

Problem Problem1() {
  const float item = 2;  // 10 / 5 formatted with "0.00"
  const auto format = after_cell(u" 셀의 서식이 틀립니다");
  const auto merge = literal(u"셀의 병합 또는 맞춤 형식이 틀립니다");
  return {
      data_entry(u"A2", u"F11"),
      switch_sheets(2),
      chain({{cells(GetWrongMergeCells, u"A1", u"G1"), item, after_cell(u" 셀의 맞춤 방식이 틀립니다")},
             {cells(GetWrongFontSizeCells, u"A1", u"G1"), item, after_cell(u" 셀의 폰트 크기가 틀립니다")},
             {cells(GetWrongFontNameCells, u"A1", u"G1"), item, after_cell(u" 셀의 글꼴이 틀립니다")},
             {cells(GetWrongBoldCells, u"A1", u"G1"), item, after_cell(u" 셀의 굵기가 틀립니다")}}),
      chain({{cells(GetWrongTextCells, u"E4", u"F11", 0, false), item, format},
             {cells(GetWrongFormulaCells, u"E4", u"F11", false), item, format}}),
      chain({{cells(GetWrongMergeCells, u"A4", u"A6"), item, merge},
             {cells(GetWrongMergeCells, u"A7", u"A9"), item, merge},
             {cells(GetWrongMergeCells, u"A10", u"A11"), item, merge}}),
      check({yes(IsDefinedNameCorrect, 1, u"목표량"), item, literal(u"셀 이름이 틀립니다.")}),
      check({cells(GetWrongBorderCells, u"A3", u"G11"), item, after_cell(u" 셀의 테두리 선이 틀립니다")}),
      switch_sheets(3),
      check({cells(GetWrongTextCells, u"A3", u"H9", 0, false), 5, after_cell(u" 셀의 외부데이터 붙여넣기 결과가 틀립니다")}),
  };
}

Problem Problem2() {
  constexpr char16_t kNoBlank[] = u"셀의 함수 또는 결과가 틀립니다";
  return formula_items(8, {
                              all_functions(u"D3", u"D12", u"IF;AND"),
                              all_functions(u"J4", u"J4", u"ABS;SUMIF"),
                              all_functions(u"D17", u"D24", u"CHOOSE;WEEKDAY;1"),
                              any_function(u"J28", u"J28", u"DSUM;DAVERAGE;DMAX", kNoBlank),
                              all_functions(u"E38", u"E38", u"VLOOKUP;LARGE", kNoBlank),
                          });
}

Problem Problem3() {
  const auto table = literal(u"데이터 표가 틀립니다");
  return {
      check({cells(GetWrongTextCells, u"A4", u"F28", 1, true), 10, literal(u"부분합 계산이 틀립니다.")}),
      switch_sheets(6),
      chain({{cells(GetWrongFormulaCells, u"C14", u"G20", false), 10, table},
             {cells(GetWrongTextCells, u"C14", u"G20", 0, false), 10, table}}),
  };
}


Problem Problem4() {
  const float item = 2;  // 10 / 5 formatted with "0.00"
  return {
      macro_buttons({.first_macro = u"평균",
                     .second_macro = u"서식",
                     .preparation = {clear_target(u"G13", u"G13"), reset_for_macro(u"B3", u"G3")},
                     .first_result = cells(GetWrongTextCells, u"G13", u"G13", 0, false),
                     .second_result = cells(GetWrongFillColorCells, u"B3", u"G3"),
                     .first_button_extra = {IsShapeAdjustmentHigh}}),
      chart_block({.items = {
                       check({all_of({yes(CompareChartDataRange, int16_t{1}, int16_t{2}, int16_t{0}),
                                      yes(CompareChartDataRange, int16_t{1}, int16_t{1}, int16_t{0})}),
                              item, literal(u"차트 데이타범위가 틀립니다")}),
                       check({yes(CompareChartType, int16_t{1}, int16_t{0}, int16_t{0}), item, literal(u"차트 종류가 틀립니다")}),
                       check({yes(CompareChartTitle, int16_t{1}, int16_t{0}), item, literal(u"차트의 제목이 틀립니다")}),
                       chain({{yes(CompareValueAxisTitle, int16_t{1}, int16_t{0}), item, literal(u"Y축 제목이 틀렸습니다.")},
                              {yes(CompareValueAxisTitleOrientation, int16_t{1}, int16_t{0}), item,
                               literal(u"차트의 Y축 방향이 틀립니다")}}),
                       chart_placement(item, u"차트의 위치가 틀립니다", u"B27", u"G43"),
                   }}),
  };
}

}  // namespace basic_02

Paper Basic02() {
  Paper paper;
  paper.paper_name = u"Tabrel2급기초다지기02회";
  paper.file_name = u"2급기초다지기02회";
  paper.password = u"8215&3";
  paper.sheet_count = 7;
  paper.first_sheets = {1, 4, 5, 7};
  paper.problems = {basic_02::Problem1(), basic_02::Problem2(), basic_02::Problem3(), basic_02::Problem4()};
  paper.no_program_icon = MessageIcon::None;
  paper.ignores_errors = true;
  paper.early_hourglass = true;
  paper.keeps_pointer_after_disqualification = true;
  paper.quits_twice = true;
  paper.status_texts[0] = u"1번 문제를  처리중입니다";
  return paper;
}

}  // namespace tabrel::papers
