// Paper 기초다지기04회: data entry, title and cell formats, borders and an advanced filter;
// five formulas; a pivot table, a scenario summary and two defined names; two macros with
// their buttons and a chart. Problems 2 to 4 write the new total formatted with "0.00".

#include "inspect/alignment_cells.h"
#include "inspect/analysis_checks.h"
#include "inspect/cell_checks.h"
#include "inspect/chart_axes.h"
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

namespace basic_04 {

Problem Problem1() {
  const float item = per(10, 5);
  const auto format = after_cell(u"셀 서식이 틀립니다.");
  const auto filter = literal(u" 고급 필터 결과가 틀립니다");
  return {
      data_entry(u"A3", u"G9"),
      switch_sheets(2),
      chain({{cells(GetWrongMergeCells, u"A1", u"G1"), item, after_cell(u" 셀의 병합이 틀립니다")},
             {cells(GetWrongHAlignMergeCells, u"A1", u"G1"), item, after_cell(u" 셀의 가운데 맞춤이 틀립니다")},
             {cells(GetWrongFontSizeCells, u"A1", u"G1"), item, after_cell(u" 셀의 글꼴 크기가 틀립니다.")},
             {cells(GetWrongFontNameCells, u"A1", u"G1"), item, after_cell(u" 셀의 글꼴이 틀립니다.")},
             {cells(GetWrongBoldCells, u"A1", u"G1"), item, after_cell(u" 셀의 글꼴 굵기가 틀립니다.")},
             {cells(GetWrongItalicCells, u"A1", u"G1"), item, after_cell(u" 셀의 글꼴 기울임이 틀립니다.")}}),
      check({yes(IsTextEndsEqual, u"A1"), item, literal(u"A1 특수문자가 틀립니다")}),
      chain({{cells(GetWrongFormulaCells, u"E5", u"E12", false), item, format},
             {cells(GetWrongTextCells, u"E5", u"E12", 0, false), item, format},
             {cells(GetWrongFormulaCells, u"G5", u"G12", false), item, format},
             {cells(GetWrongTextCells, u"G5", u"G12", 0, false), item, format}}),
      chain({{cells(GetWrongFormulaCells, u"B5", u"C12", false), item, format},
             {cells(GetWrongTextCells, u"B5", u"C12", 0, false), item, format}}),
      check({cells(GetWrongBorderCells, u"A4", u"G12"), item, after_cell(u" 셀의 괘선 설정이 틀립니다.")}),
      switch_sheets(3),
      // The criteria stand above B17:C17, which stays empty: a further criteria row there
      // changes what the filter keeps.
      chain({{cells(GetWrongFormulaCells, u"B19", u"K21", false), 5, filter},
             {yes(IsTargetRangeEmpty, u"B17", u"C17"), 5, filter}}),
  };
}

Problem Problem2() {
  return formula_items(per(40, 5), {
                                       all_functions(u"E3", u"E7", u"IF;COUNTIF"),
                                       all_functions(u"J3", u"J11", u"CHOOSE;WEEKDAY"),
                                       all_functions(u"E11", u"E11", u"DAVERAGE;ROUND"),
                                       all_functions(u"K15", u"K23", u"AVERAGE;HLOOKUP"),
                                       all_functions(u"B33", u"B33", u"SUMIF"),
                                   });
}

Problem Problem3() {
  const auto name = literal(u"셀 이름이 틀립니다.");
  return {
      check({cells(GetWrongPivotPageCells, u"B19", u"F34", u"(모두)"), 10, literal(u"피벗테이블 결과가 틀립니다.")}),
      switch_sheets(6),
      // A wrong summary leaves the names untested and their sheet unselected.
      chain({{cells(GetWrongFormulaCells, u"C6", u"F8", false), 10, literal(u"시나리오 요약의 결과가 틀립니다")},
             {same_sheet_position(), 10, literal(u" 시나리오 요약 시트 위치가 틀립니다.")},
             switch_within_chain(7),
             {yes(IsDefinedNameCorrect, 1, u"기본상여율"), 10, name},
             {yes(IsDefinedNameCorrect, 2, u"수당합계"), 10, name}}),
  };
}

Problem Problem4() {
  const float item = per(10, 5);
  // Data labels of points 1 to 6 of series 1, then of series 2.
  std::vector<Test> labels;
  for (int16_t series = 1; series <= 2; ++series)
    for (int16_t point = 1; point <= 6; ++point)
      labels.push_back(yes(ComparePointHasDataLabel, int16_t{1}, series, point, int16_t{0}));
  return {
      macro_buttons({.first_macro = u"합계",
                     .second_macro = u"서식",
                     .preparation = {clear_target(u"F4", u"F11"), reset_for_macro(u"A3", u"F3")},
                     .lookup_before_preparation = true,
                     .first_result = cells(GetWrongTextCells, u"F4", u"F11", 0, false),
                     .second_result = cells(GetWrongFillColorCells, u"A3", u"F3"),
                     .points = 5}),
      chart_block({.items = {
                       check({all_of({yes(CompareChartDataRange, int16_t{1}, int16_t{2}, int16_t{0}),
                                      yes(CompareChartDataRange, int16_t{1}, int16_t{1}, int16_t{0})}),
                              item, literal(u"데이타 범위가 틀립니다.")}),
                       check({yes(CompareChartType, int16_t{1}, int16_t{0}, int16_t{0}), item, literal(u"차트 종류가 틀립니다")}),
                       chain({{yes(CompareChartTitle, int16_t{1}, int16_t{0}), item, literal(u"차트 제목이 틀립니다")},
                              {yes(CompareSecondaryAxisTitle, int16_t{1}, int16_t{0}), item, literal(u"보조 Y축 제목이 틀렸습니다.")}}),
                       check({all_of(std::move(labels)), item, literal(u"데이터 이름표의 값 표시가 틀립니다")}),
                       chart_placement(item, u"차트 위치가 틀립니다", u"A24", u"F40"),
                   }}),
  };
}

}  // namespace basic_04

Paper Basic04() {
  Paper paper;
  paper.paper_name = u"Tabrel2급기초다지기04회";
  paper.file_name = u"2급기초다지기04회";
  paper.password = u"9#2&5";
  paper.sheet_count = 8;
  paper.first_sheets = {1, 4, 5, 8};
  paper.problems = {basic_04::Problem1(), basic_04::Problem2(), basic_04::Problem3(), basic_04::Problem4()};
  paper.no_program_icon = MessageIcon::None;
  paper.close_formats_total = {false, true, true, true};
  return paper;
}

}  // namespace tabrel::papers
