#pragma once
// The buttons that run the examinee's macros: shapes of the problem sheet found by the macro
// they are assigned, and compared with the answer's button for text, macro, place, size, shape
// type and first adjustment. A button is addressed by its position in the sheet's Shapes (from
// 1); 0 stands for no button. Every yes/no check answers no when anything it reads fails.

#include <cstdint>
#include <string_view>

#include "inspect/excel_objects.h"

namespace tabrel::inspect {

// The position of the first shape whose assigned macro (OnAction) contains `macroName`,
// letter case counting; 0 when there is none. `which` 0 searches AnswerSheet, any other value
// TargetSheet. A shape whose macro cannot be read is passed over.
int16_t FindMacroButton(ExcelObjects& objects, std::u16string_view macroName, int16_t which);

// TargetSheet has a shape at `targetIndex` and its name is not empty.
bool HasTargetShape(ExcelObjects& objects, int16_t targetIndex);

// Same assigned macro: the whole texts when either lacks "!", else the trimmed names after the
// first "!" and then the alternative texts (line feeds read as blanks, trimmed).
bool CompareButtonMacro(ExcelObjects& objects, int16_t answerIndex, int16_t targetIndex);

// Same trimmed text in the two shapes; a text that cannot be read counts as empty.
bool CompareShapeText(ExcelObjects& objects, int16_t answerIndex, int16_t targetIndex);

// First gives the target sheet the answer's widths of columns A to I; then the target shape's
// Left lies within the answer's Left ± 30 points and its Top within the answer's Top ± 10
// (bounds included), and CompareShapeSize holds.
bool CompareShapePlacement(ExcelObjects& objects, int16_t answerIndex, int16_t targetIndex);

// The target shape's Width lies strictly within the answer's Width ± 30 points and its Height
// strictly within the answer's Height ± 10.
bool CompareShapeSize(ExcelObjects& objects, int16_t answerIndex, int16_t targetIndex);

// Same AutoShapeType.
bool CompareShapeType(ExcelObjects& objects, int16_t answerIndex, int16_t targetIndex);

// Select the target shape, then compare the first adjustment of the target instance's selected
// shape range with 0.7658: Low holds when it is not greater, High when it is not less.
bool IsShapeAdjustmentLow(ExcelObjects& objects, int16_t targetIndex);
bool IsShapeAdjustmentHigh(ExcelObjects& objects, int16_t targetIndex);

}  // namespace tabrel::inspect
