#pragma once
// Two small workbooks built in memory and opened side by side in two instances, with the four
// object variables pointing at one worksheet of each, as a paper grader sets them up.

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "inspect/excel_objects.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::inspect::testing {

// A workbook of blank worksheets with the given names, the first one active.
std::unique_ptr<model::Workbook> blank_workbook(std::initializer_list<std::u16string_view> sheet_names = {u"Sheet1"});

// Opens `answer` and `target` in two new instances, leaving the sheet variables unset.
ExcelObjects open_books(std::unique_ptr<model::Workbook> answer, std::unique_ptr<model::Workbook> target);

// Opens `answer` and `target` in two new instances; AnswerSheet and TargetSheet are the sheets
// named `sheet`.
ExcelObjects open_pair(std::unique_ptr<model::Workbook> answer, std::unique_ptr<model::Workbook> target,
                       std::u16string_view sheet = u"Sheet1");

// Both workbooks blank, one sheet each.
ExcelObjects open_blank_pair();

// A cell or range of a sheet variable.
std::shared_ptr<xl::Range> at(const std::shared_ptr<xl::Worksheet>& sheet, std::u16string_view address);

// The address of the active cell of an instance ("$B$3").
std::u16string active_address(const std::shared_ptr<xl::Application>& app);

}  // namespace tabrel::inspect::testing

namespace tabrel::inspect::testing {

// Puts `text` in cell `at` of the first sheet, with the characters from `run_start` on in a font
// changed by `change` (a cell whose characters are formatted differently).
void put_mixed_text(model::Workbook& wb, model::CellRef at, std::u16string text, uint16_t run_start,
                    const std::function<void(model::Font&)>& change);

}  // namespace tabrel::inspect::testing
