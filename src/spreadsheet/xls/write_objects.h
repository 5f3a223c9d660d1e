#pragma once
// OBJ and TXO records the writer makes: for comments, and for objects built in memory (lines,
// rectangles, ovals, arcs, charts, text boxes, buttons and drawn shapes) with their assigned
// macro and text.

#include <cstdint>
#include <optional>
#include <vector>

#include "spreadsheet/biff/record_writer.h"
#include "spreadsheet/model/sheet_parts.h"

namespace tabrel::xls {

biff::PayloadBuilder comment_obj(uint16_t object_id);

// Whether the writer can make the OBJ record of an object of this OBJ type.
bool can_make_obj(uint16_t object_type);
// Common object data, the assigned macro's formula (when any) and the end marker.
biff::PayloadBuilder drawing_obj(const model::DrawingObject& object, uint16_t object_id,
                                 const std::vector<uint8_t>& macro_tokens);
// A kept OBJ record with its assigned macro replaced by `macro_tokens`; nullopt when the record's
// parts cannot be taken apart safely (a list box's data, a record continued).
std::optional<model::RawRecord> with_macro(const model::RawRecord& obj, const std::vector<uint8_t>& macro_tokens);

// Objects that carry a text (text boxes, buttons, comments) have a TXO record.
bool has_text_object(uint16_t object_type);

// TXO with its text and formatting runs in CONTINUE records; buttons centre their text.
void write_text_object(biff::RecordWriter& out, const model::RichText& text, uint16_t object_type);

}  // namespace tabrel::xls
