#pragma once
// Camera pictures of an answer workbook: a picture object linked by its formula to the range it
// shows, as the spreadsheet stores what its camera tool takes.
//
//   camera | F3:I9 | ='기본작업-3'!$A$3:$D$9    the picture covers F3:I9 and shows A3:D9

#include <string>
#include <vector>

#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/worksheet.h"

namespace tabrel::answers {

// Applies a `camera` statement to `sheet`; false for any other verb. Throws SourceError naming
// `line` for fields that do not read.
bool apply_camera_statement(int line, const std::vector<std::u16string>& fields, xl::Workbook& book,
                            xl::Worksheet& sheet);

}  // namespace tabrel::answers
