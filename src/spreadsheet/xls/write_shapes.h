#pragma once
// Shape containers the writer makes for objects whose drawing-layer records it does not have:
// comments' text boxes and objects built in memory or whose shapes a file lost.

#include <cstdint>
#include <vector>

#include "spreadsheet/model/sheet_parts.h"

namespace tabrel::xls {

// A shape container cut where its OBJ record goes.
struct ShapeParts {
  std::vector<uint8_t> head;  // up to and with the client data
  std::vector<uint8_t> tail;  // the client text box, if any
};

// A comment's default box: right of its cell, a little above it, two columns wide.
model::Anchor comment_anchor(model::CellRef cell);

ShapeParts comment_shape(uint32_t shape_id, const model::Anchor& anchor, bool visible);

// The object's own shape type, name, alternative text, hidden flag and anchor; `text_box` adds
// the client text box its TXO record goes with.
ShapeParts object_shape(uint32_t shape_id, const model::DrawingObject& object, bool text_box);

}  // namespace tabrel::xls
