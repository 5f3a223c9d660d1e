#pragma once
// Camera pictures: picture objects whose image is linked by a formula to the range they show.

#include <optional>
#include <string>

#include "spreadsheet/model/workbook.h"

namespace tabrel::xl {

// The link of a picture as the formula bar shows it ("=기본작업-3!$A$3:$D$9"); nullopt for an
// object without a picture formula, or one whose formula does not read.
std::optional<std::u16string> picture_formula(const model::Workbook& wb, const model::DrawingObject& object);

}  // namespace tabrel::xl
