#include "camera_statements.h"

#include <algorithm>

#include "answer_source.h"
#include "spreadsheet/biff/records.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/encode.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/parse.h"

namespace tabrel::answers {
namespace {

constexpr uint16_t kPictureObject = 8;
constexpr uint16_t kCommonData = 0x15, kClipboardFormat = 0x07, kPictureFlags = 0x08, kPictureFormula = 0x09;
constexpr uint16_t kEnhancedMetafile = 0x0002;
constexpr uint16_t kCameraPicture = 0x0080;  // fCamera of the picture flags
constexpr uint16_t kLocked = 0x0001, kPrinted = 0x0010, kAutoFill = 0x2000, kAutoLine = 0x4000;

void put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

// "F3:I9" as the anchor of an object covering those cells whole.
model::Anchor covering(int line, const std::u16string& area) {
  const size_t colon = area.find(u':');
  const auto first = model::parse_a1(area.substr(0, colon));
  const auto last = colon == std::u16string::npos ? first : model::parse_a1(area.substr(colon + 1));
  if (!first || !last || last->row < first->row || last->col < first->col) fail(line, "not an area: " + to_utf8(area));
  model::Anchor a;
  a.col1 = first->col, a.row1 = first->row;
  a.col2 = last->col + 1, a.row2 = last->row + 1;
  a.placement = 2;
  return a;
}

// A picture shows one 3-D cell or area reference (of any token class).
bool is_one_reference(const std::vector<uint8_t>& tokens) {
  constexpr uint8_t kRef3d = 0x1A, kArea3d = 0x1B;
  if (tokens.empty()) return false;
  const uint8_t base = tokens[0] & 0x1F;
  return (base == kRef3d && tokens.size() == 7) || (base == kArea3d && tokens.size() == 11);
}

// The OBJ record of a camera picture: common data, an enhanced-metafile picture, the camera
// flag, and the formula of the range it shows.
std::vector<uint8_t> camera_obj(uint16_t object_id, const std::vector<uint8_t>& range_tokens) {
  std::vector<uint8_t> p;
  put16(p, kCommonData), put16(p, 0x12), put16(p, kPictureObject), put16(p, object_id);
  put16(p, kLocked | kPrinted | kAutoFill | kAutoLine);
  p.insert(p.end(), 12, 0);
  put16(p, kClipboardFormat), put16(p, 2), put16(p, kEnhancedMetafile);
  put16(p, kPictureFlags), put16(p, 2), put16(p, kCameraPicture);
  // The formula: its token count, four unused bytes and the tokens, padded to an even size.
  const size_t formula = 2 + 4 + range_tokens.size();
  const size_t padded = formula + formula % 2;
  put16(p, kPictureFormula), put16(p, static_cast<uint16_t>(2 + padded));
  put16(p, static_cast<uint16_t>(padded));
  put16(p, static_cast<uint16_t>(range_tokens.size()));
  p.insert(p.end(), 4, 0);
  p.insert(p.end(), range_tokens.begin(), range_tokens.end());
  if (formula % 2) p.push_back(0);
  p.insert(p.end(), 4, 0);  // end
  return p;
}

}  // namespace

bool apply_camera_statement(int line, const std::vector<std::u16string>& fields, xl::Workbook& book,
                            xl::Worksheet& sheet) {
  if (fields.empty() || fields[0] != u"camera") return false;
  if (fields.size() != 3) fail(line, "camera | area | =range");
  model::Workbook& wb = book.model();
  model::Sheet& target = sheet.handle().get();
  std::vector<uint8_t> tokens;
  try {
    formula::Node tree = formula::parse(fields[2], wb, {}, formula::Notation::A1);
    tokens = formula::encode(tree, {}, formula::EncodeForm::Name).tokens;
  } catch (const formula::FormulaError&) {
    tokens.clear();
  }
  if (!is_one_reference(tokens)) fail(line, "not a range: " + to_utf8(fields[2]));
  model::DrawingObject picture;
  picture.object_type = kPictureObject;
  for (const model::DrawingObject& d : target.drawings) picture.object_id = std::max(picture.object_id, d.object_id);
  for (const model::Comment& c : target.comments) picture.object_id = std::max(picture.object_id, c.object_id);
  ++picture.object_id;
  picture.anchor = covering(line, fields[1]);
  picture.obj_records.push_back({biff::rt::Obj, camera_obj(picture.object_id, tokens), {}});
  target.drawings.push_back(std::move(picture));
  return true;
}

}  // namespace tabrel::answers
