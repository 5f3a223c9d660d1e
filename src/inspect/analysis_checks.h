#pragma once
// Checks of analysis and tool tasks that do not fit the cell-by-cell families: an AutoFilter
// result, a pivot table after its page field is set, the pictures of a camera-tool task and the
// camera button on a toolbar.

#include <cstdint>
#include <string>
#include <string_view>

#include "inspect/excel_objects.h"

namespace tabrel::inspect {

// The same rows of the range hidden (Height 0) in both sheets, the same first criterion of
// filter column `field` (0: not compared), and the same displayed texts. A reading that fails
// answers no.
bool CompareAutoFilterResult(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                             int16_t field);

// Sets the page field of the first pivot table of AnswerSheet and then of TargetSheet to
// `pageItem`, then compares the displayed texts of the range without blanks
// (GetWrongTextCells(…, 1, false)). A failure while setting skips the rest of the setting.
std::u16string GetWrongPivotPageCells(ExcelObjects& objects, std::u16string_view startCell,
                                      std::u16string_view endCell, std::u16string_view pageItem);

// True when no target shape among the first n (n the answer sheet's shape count) lies with its
// Left and Top strictly within 10 points of answer shape `answerShape`, or the one found differs
// from it by more than 50 points in Width or Height; any failure answers true.
bool IsShapeMisplaced(ExcelObjects& objects, int16_t answerShape);

// True when a visible ordinary toolbar (Type 0) of the target instance holds the camera control
// (Id 280); bars 1 to the answer instance's count are looked at. Any failure answers false.
bool HasCameraButton(ExcelObjects& objects);

}  // namespace tabrel::inspect
