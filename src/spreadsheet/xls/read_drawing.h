#pragma once
// The drawing layer of a sheet: shapes of the OfficeArt records that MSODRAWING records carry,
// the OBJ record of each shape, TXO text boxes and NOTE comments.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "spreadsheet/biff/record.h"
#include "spreadsheet/model/sheet_parts.h"

namespace tabrel::xls {

// One shape container of the drawing: what the grader reads, and where its bytes lie in the
// joined drawing data.
struct OfficeArtShape {
  uint32_t shape_id = 0;
  uint16_t shape_type = 0;  // msosp
  std::optional<model::Anchor> anchor;
  std::u16string name;
  std::u16string alternative_text;
  std::map<int, int32_t> adjustments;
  double rotation = 0;  // degrees clockwise
  bool hidden = false;
  bool has_client_data = false;  // an OBJ record belongs to this shape
  size_t begin = 0, end = 0;
};

// Shapes of the joined MSODRAWING payloads of a sheet, in document order. A damaged record ends
// the walk early; what was read before it is kept, and where it lies is told.
struct OfficeArtDrawing {
  std::vector<OfficeArtShape> shapes;
  std::optional<size_t> damaged_at;  // offset of the record that did not fit
};
OfficeArtDrawing read_officeart_shapes(std::span<const uint8_t> drawing);

// The OBJ record's common data (type, id) and assigned macro formula. A sub-record that runs
// past the record ends the reading; what it left out is added to `problems`.
void read_obj(const biff::Record& rec, model::DrawingObject& obj, std::vector<std::string>& problems);

// The text of a TXO record with its formatting runs (from the CONTINUE records that follow).
// `own_end` is set to where the text box's own bytes (fixed part, text, runs) end in rec.data.
model::RichText read_txo(const biff::Record& rec, size_t& own_end);

model::Comment read_note(const biff::Record& rec);

}  // namespace tabrel::xls
