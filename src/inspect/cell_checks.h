#pragma once
// Yes/no checks of single things of the target against the answer: the ends or a stretch of a
// cell's displayed text, a defined name, and a cell's comment. They read the sheets by address
// and leave the selection of both instances as it was; any failure gives no.

#include <cstdint>
#include <string_view>

#include "inspect/excel_objects.h"

namespace tabrel::inspect {

// The first characters of the two displayed texts are equal, and so are their last ones.
bool IsTextEndsEqual(ExcelObjects& objects, std::u16string_view cell);

// The `length` characters from position `start` (from 1) of the two displayed texts are equal.
bool IsTextPartEqual(ExcelObjects& objects, std::u16string_view cell, int16_t start, int16_t length);

// Among the target's first N names (N the answer's count of names), the one whose trimmed
// name is `nameText` refers, in R1C1 text, to what the answer's name of that name refers to.
// `nameNumber` only tells the callers' checks apart.
bool IsDefinedNameCorrect(ExcelObjects& objects, int16_t nameNumber, std::u16string_view nameText);

// The target comment's text, with or without its author line and without line feeds, equals
// the answer comment's.
bool CompareCellComment(ExcelObjects& objects, std::u16string_view address);

// Both comments are shown, or both hidden.
bool CompareCommentVisible(ExcelObjects& objects, std::u16string_view address);

// Both comment boxes have the same auto-shape type.
bool CompareCommentShape(ExcelObjects& objects, std::u16string_view address);

}  // namespace tabrel::inspect
