#pragma once
// The drawing layer: the workbook's drawing group (MSODRAWINGGROUP) and, per sheet, its drawing
// (MSODRAWING records with the OBJ and TXO records of each shape) and the NOTE records of its
// comments. Shapes kept from a read file are written as stored with fresh shape ids; comments
// that have no stored shape get a text-box shape the spreadsheet shows as a comment, and objects
// built in memory get their shape, OBJ and TXO records made from the model.

#include <cstdint>
#include <map>
#include <vector>

#include "spreadsheet/biff/record_writer.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::xls {

struct SheetDrawing {
  uint32_t drawing_id = 0;   // 0: the sheet draws nothing
  uint32_t first_shape_id = 0;  // the group shape's; the sheet's shapes follow it
  uint32_t shape_count = 0;     // with the group shape
};

struct DrawingPlan {
  std::vector<SheetDrawing> sheets;   // one per sheet of the workbook
  std::vector<uint8_t> group;         // MSODRAWINGGROUP payload, empty when nothing draws
};

DrawingPlan plan_drawings(const model::Workbook& workbook);

// macro_tokens: assigned-macro formulas made for objects that had only a macro text, by index.
void write_objects(biff::RecordWriter& out, const model::Sheet& sheet, const SheetDrawing& drawing,
                   const std::map<size_t, std::vector<uint8_t>>& macro_tokens);
void write_notes(biff::RecordWriter& out, const model::Sheet& sheet);

}  // namespace tabrel::xls
