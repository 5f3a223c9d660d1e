#include "spreadsheet/xls/write_objects.h"

#include <algorithm>

#include "spreadsheet/biff/records.h"
#include "spreadsheet/biff/strings.h"

namespace tabrel::xls {
namespace {

constexpr uint16_t kCommonData = 0x15, kNoteData = 0x0D, kMacro = 0x04;
constexpr uint16_t kComment = 25, kTextBox = 6, kButton = 7, kChart = 5;
constexpr uint16_t kLocked = 0x0001, kPrinted = 0x0010, kAutoFill = 0x2000, kAutoLine = 0x4000;

void common_data(biff::PayloadBuilder& p, uint16_t object_type, uint16_t object_id, uint16_t flags) {
  p.u16(kCommonData);
  p.u16(0x12);
  p.u16(object_type);
  p.u16(object_id);
  p.u16(flags);
  for (int i = 0; i < 12; ++i) p.u8(0);
}

// The assigned macro: its formula, padded to an even length.
void macro_part(biff::PayloadBuilder& p, const std::vector<uint8_t>& tokens) {
  if (tokens.empty() || tokens.size() > 0x7FFF) return;
  const size_t size = 6 + tokens.size();
  p.u16(kMacro);
  p.u16(static_cast<uint16_t>(size + size % 2));
  p.u16(static_cast<uint16_t>(tokens.size()));
  p.u32(0);
  p.bytes(tokens);
  if (size % 2) p.u8(0);
}

}  // namespace

biff::PayloadBuilder comment_obj(uint16_t object_id) {
  biff::PayloadBuilder p;
  common_data(p, kComment, object_id, kLocked | kPrinted | kAutoLine);
  p.u16(kNoteData);
  p.u16(0x16);
  for (int i = 0; i < 22; ++i) p.u8(0);
  p.u32(0);  // end
  return p;
}

bool can_make_obj(uint16_t object_type) {
  // Line, rectangle, oval, arc, chart, text box, button, drawn shape: the kinds whose OBJ
  // record needs nothing beyond the common data and a macro.
  return (object_type >= 1 && object_type <= 7) || object_type == 30;
}

bool has_text_object(uint16_t object_type) {
  return object_type == kTextBox || object_type == kButton || object_type == kComment || object_type == 30 ||
         (object_type >= 2 && object_type <= 3);
}

biff::PayloadBuilder drawing_obj(const model::DrawingObject& d, uint16_t object_id,
                                 const std::vector<uint8_t>& macro_tokens) {
  biff::PayloadBuilder p;
  const uint16_t flags = kLocked | kPrinted | (d.object_type == kChart ? 0 : kAutoFill | kAutoLine);
  common_data(p, d.object_type, object_id, flags);
  macro_part(p, macro_tokens);
  p.u32(0);  // end
  return p;
}

std::optional<model::RawRecord> with_macro(const model::RawRecord& obj, const std::vector<uint8_t>& macro_tokens) {
  constexpr uint16_t kEnd = 0x00, kListData = 0x13;
  if (!obj.continue_offsets.empty()) return std::nullopt;
  const std::vector<uint8_t>& b = obj.payload;
  biff::PayloadBuilder p;
  size_t at = 0;
  while (true) {
    if (b.size() - at < 4) return std::nullopt;
    const uint16_t ft = static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
    const uint16_t cb = static_cast<uint16_t>(b[at + 2] | (b[at + 3] << 8));
    if (ft == kEnd) break;
    if (ft == kListData || cb > b.size() - at - 4) return std::nullopt;
    if (ft != kMacro) p.bytes(std::span<const uint8_t>(b).subspan(at, 4 + cb));
    if (ft == kCommonData) macro_part(p, macro_tokens);
    at += 4 + cb;
  }
  p.bytes(std::span<const uint8_t>(b).subspan(at));  // the end marker and what follows it
  return model::RawRecord{obj.id, p.flat(), {}};
}

void write_text_object(biff::RecordWriter& out, const model::RichText& text, uint16_t object_type) {
  // Left and top, or centred both ways for a button; the text locked with the object.
  const uint16_t options = object_type == kButton ? 0x0224 : 0x0212;
  const auto length = static_cast<uint16_t>(std::min<size_t>(text.text.size(), 0xFFFF));
  std::vector<model::FormatRun> runs = text.runs;
  if (runs.empty() || runs.front().first_char != 0) runs.insert(runs.begin(), model::FormatRun{0, 0});
  biff::PayloadBuilder p;
  p.u16(options);
  p.u16(0);
  for (int i = 0; i < 3; ++i) p.u16(0);
  p.u16(length);
  p.u16(length ? static_cast<uint16_t>((runs.size() + 1) * 8) : 0);
  p.u16(0);
  p.u16(0);  // no formula
  out.write(biff::rt::TxO, p);
  if (!length) return;
  biff::PayloadBuilder t;
  biff::append_string_body(t, std::u16string_view(text.text).substr(0, length));
  out.write(biff::rt::Continue, t);
  biff::PayloadBuilder r;
  for (const model::FormatRun& run : runs) {
    r.u16(run.first_char);
    r.u16(run.font);
    r.u32(0);
  }
  r.u16(length);
  r.u16(0);
  r.u32(0);
  out.write(biff::rt::Continue, r);
}

}  // namespace tabrel::xls
