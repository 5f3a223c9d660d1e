#pragma once
// Comparisons of one property of one axis between the answer's chart and the target's. Each
// answers true when the two values are equal; false when they differ or anything cannot be
// read (no such chart, no axis of that type and group, no title), so a property missing on both
// sides counts as a difference. Arguments as in chart_checks.h.

#include <cstdint>

#include "inspect/excel_objects.h"

namespace tabrel::inspect {

bool CompareValueAxisMaximum(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
bool CompareSecondaryAxisMinimum(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
bool CompareSecondaryAxisMaximum(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
bool CompareValueAxisMajorUnit(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
bool CompareCategoryAxisReverseOrder(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
bool CompareCategoryAxisCrosses(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
bool CompareCategoryAxisTitle(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
bool CompareValueAxisTitle(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
bool CompareSecondaryAxisTitle(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
bool CompareValueAxisGridlines(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
bool CompareCategoryAxisGridlines(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
bool CompareValueAxisTitleOrientation(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
bool CompareSecondaryAxisTitleOrientation(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);

}  // namespace tabrel::inspect
