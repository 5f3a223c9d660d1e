#include "spreadsheet/xls/write_autofilter.h"

#include "spreadsheet/biff/records.h"
#include "spreadsheet/xls/write_cells.h"
#include "spreadsheet/biff/strings.h"

namespace tabrel::xls {
namespace {

constexpr uint8_t kRk = 2, kNumber = 4, kString = 6, kBoolErr = 8;

// The text of a string condition is limited by its one-byte length.
std::u16string_view condition_text(const model::AutoFilterCondition& c) {
  return std::u16string_view(c.text).substr(0, 255);
}

void doper(biff::PayloadBuilder& p, const model::AutoFilterCondition& c) {
  std::optional<uint32_t> rk = c.value_type == kRk ? rk_encode(c.number) : std::nullopt;
  const uint8_t type = c.value_type == kRk && !rk ? kNumber : c.value_type;
  p.u8(type);
  p.u8(c.op);
  if (type == kRk) {
    p.u32(*rk);
    p.u32(0);
  } else if (type == kNumber) {
    p.f64(c.number);
  } else if (type == kString) {
    p.u32(0);
    p.u8(static_cast<uint8_t>(condition_text(c).size()));
    p.u8(1);
    p.u16(0);
  } else if (type == kBoolErr) {
    p.u8(c.bool_or_error ? 1 : 0);
    p.u8(c.bool_error_value);
    for (int i = 0; i < 6; ++i) p.u8(0);
  } else {
    p.u32(0);
    p.u32(0);
  }
}

void doper_text(biff::PayloadBuilder& p, const model::AutoFilterCondition& c) {
  if (c.value_type == kString) biff::append_string_body(p, condition_text(c));
}

}  // namespace

biff::PayloadBuilder autofilter_payload(const model::AutoFilterColumn& column) {
  biff::PayloadBuilder p;
  p.u16(column.index);
  p.u16(static_cast<uint16_t>((column.join_or ? 1 : 0) | (column.simple1 ? 0x4 : 0) | (column.simple2 ? 0x8 : 0) |
                              (column.top10 ? 0x10 : 0) | (column.top ? 0x20 : 0) | (column.percent ? 0x40 : 0) |
                              ((column.top10_count & 0x1FF) << 7)));
  doper(p, column.first);
  doper(p, column.second);
  doper_text(p, column.first);
  doper_text(p, column.second);
  return p;
}

void write_autofilter(biff::RecordWriter& out, const model::AutoFilter& filter) {
  if (filter.filter_mode) out.write(biff::rt::FilterMode, std::span<const uint8_t>());
  biff::PayloadBuilder info;
  info.u16(filter.drop_downs ? filter.drop_downs : static_cast<uint16_t>(filter.range.cols()));
  out.write(biff::rt::AutoFilterInfo, info);
  for (const model::AutoFilterColumn& c : filter.columns) out.write(biff::rt::AutoFilter, autofilter_payload(c));
}

}  // namespace tabrel::xls
