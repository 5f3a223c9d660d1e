#pragma once
// The text source of an answer workbook, one statement a line, fields separated by "|":
//
//   password | 5862#9
//   sheet | 기본작업-1                      a new worksheet; what follows applies to it
//   row | A3 | 성명 | 부서 | 120 | =SUM(C3:D3)   values from A3 rightward ('text keeps a
//                                            leading "=" or a number as text; empty = skip)
//   width | A:F | 12                         column widths in characters
//   font | A1:G1 | name=굴림 | size=16 | bold | italic | underline=2 | color=5
//   fill | B3:G3 | 22                        palette index
//   format | D4:D13 | #,##0"원"              number format code
//   align | A3:A13 | center                  left, center, right
//   merge | A1:G1                            merge and centre
//   border | A3:G13                          thin lines on every edge and inside
//   style | E4:F12 | Comma [0]
//   condition | A4:F13 | formula | =$F4>=80 | bold | color=3
//   condition | B4:B9 | value | between | 10 | 20 | fill=6
//   name | 목표량 | =기본작업-2!$D$12
//   filter-names | B3:K13 | B15:C16 | B19:K19   (filter_statements.h)
//   pivot | B19 | source=기본작업-1!A3:G12 | page=부서 | row=직위 | data=sum:기본급   (pivot_statements.h)
//   scenario | C3:C4 | 인상 | 0.05 | 1000     (scenario_statements.h)
//   camera | F3:I9 | ='기본작업-3'!$A$3:$D$9   (camera_statements.h)
//   phonetic | A1 | 하반기 매출 | shown        (phonetic_statements.h)
//   outline | 5:9 | 2                        (outline_statements.h)
//   autoformat | B3:G14 | 2                  (autoformat_statements.h)
//
// Charts: a new chart on the current sheet, then lines that change the sheet's last chart:
//   chart | B15:H28 | column | A3:D8 | columns   over the cells (or at "left,top,width,height" in
//                                            points); type; source block; rows or columns
//                                            (empty: decided from the block's shape)
//   chart | title | 사원별 실적                   chart title (empty: none)
//   chart | axis | category | 사원명             axis title: category, value, value2 (secondary)
//   chart | axis | value | 점수 | vertical       and its orientation: horizontal, upward, downward,
//                                            vertical (stacked letters) or degrees
//   chart | legend | bottom                  bottom, top, right, left, corner, none
//   chart | series | 2 | name=B3 | values=C4:C8 | categories=A4:A8 | type=line | axis=2
//                      | labels | smooth | color=5 | fill=3        ("new" adds a series,
//                                            "delete" removes it; name= a cell or a text)
//   chart | label | 1 | 3                    value label on point 3 of series 1
//   chart | font | scale                     fonts scale with the chart (fixed: they do not)
//   chart | shadow                           the chart area's shadow
// Types: column, column-stacked, column-100, bar, bar-stacked, bar-100, line, line-markers,
// line-stacked, pie, pie-3d, doughnut, area, area-stacked, scatter, scatter-lines,
// scatter-smooth, column-3d, column-3d-clustered, radar, or the chart-type number.
//
// Buttons, drawn shapes, comments and macro modules:
//   button | H3:I4 | 쉼표 | 쉼표                 a form button over the cells (or at
//                                            "left,top,width,height" in points), its text and
//                                            its macro as OnAction names it
//   shape | H3:I4 | 33 | 평균 | 평균 | adjust=0.8  an autoshape of that AutoShapeType, its text,
//                                            macro and first adjustment (a fraction)
//   comment | D3 | 텍스트                     a hidden comment on the cell
//   module | macros.bas                      a standard module whose code is that file (beside
//                                            the source), written as the macro editor shows it
//
// Blank lines and lines starting with "#" are skipped. Formulas are computed by the engine and
// their results cached in the file; a formula whose result is an error is refused.

#include <filesystem>
#include <cstdint>
#include <stdexcept>
#include <string>

#include <vector>

namespace tabrel::answers {

struct SourceError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Throws SourceError for the statement on `line`.
[[noreturn]] void fail(int line, const std::string& why);

// The .xls file a source describes, encrypted with its password. Throws SourceError naming the
// line for a statement that does not read, and the automation layer's error for one it refuses.
// `folder` holds the files the source names (module code).
std::vector<uint8_t> build_answer(const std::string& source, const std::filesystem::path& folder = {});

// Reads `source_file`, builds the workbook and writes it, encrypted with its password.
void build_answer_file(const std::filesystem::path& source_file, const std::filesystem::path& output);

}  // namespace tabrel::answers
