#include "spreadsheet/xls/read_autofilter.h"

#include "spreadsheet/biff/record_cursor.h"
#include "spreadsheet/biff/strings.h"
#include "spreadsheet/xls/read_cells.h"

namespace tabrel::xls {

namespace {

constexpr uint8_t kRk = 2, kNumber = 4, kString = 6, kBoolError = 8;

// A condition (DOPER, ten bytes); returns the length of the string that follows the record's
// fixed part for it, 0 when none.
size_t read_condition(biff::RecordCursor& c, model::AutoFilterCondition& cond) {
  cond.value_type = c.u8();
  cond.op = c.u8();
  size_t text_length = 0;
  switch (cond.value_type) {
    case kRk:
      cond.number = decode_rk(c.u32());
      c.skip(4);
      break;
    case kNumber:
      cond.number = c.f64();
      break;
    case kString:
      c.skip(4);
      text_length = c.u8();
      c.skip(3);
      break;
    case kBoolError:
      cond.bool_or_error = c.u8() != 0;
      cond.bool_error_value = c.u8();
      c.skip(6);
      break;
    default:
      c.skip(8);
  }
  return text_length;
}

}  // namespace

model::AutoFilterColumn read_autofilter_column(const biff::Record& rec) {
  biff::RecordCursor c(rec);
  model::AutoFilterColumn col;
  col.index = c.u16();
  const uint16_t flags = c.u16();
  col.join_or = (flags & 0x0003) == 1;
  col.simple1 = flags & 0x0004;
  col.simple2 = flags & 0x0008;
  col.top10 = flags & 0x0010;
  col.top = flags & 0x0020;
  col.percent = flags & 0x0040;
  col.top10_count = flags >> 7;
  const size_t first_text = read_condition(c, col.first);
  const size_t second_text = read_condition(c, col.second);
  if (first_text) col.first.text = biff::read_string_body(c, first_text);
  if (second_text) col.second.text = biff::read_string_body(c, second_text);
  return col;
}

}  // namespace tabrel::xls
