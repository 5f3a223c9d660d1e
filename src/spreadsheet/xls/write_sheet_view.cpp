#include "spreadsheet/xls/write_sheet_view.h"

#include "spreadsheet/biff/records.h"

namespace tabrel::xls {
namespace {

// WINDOW2 option bits.
constexpr uint16_t kShowGrid = 0x0002, kShowHeaders = 0x0004, kFrozen = 0x0008, kShowZeros = 0x0010,
                   kDefaultGridColor = 0x0020, kRightToLeft = 0x0040, kShowOutline = 0x0080,
                   kSelected = 0x0200, kActive = 0x0400;
constexpr uint16_t kSystemGridColor = 64;

uint16_t with(uint16_t flags, uint16_t bit, bool on) {
  return static_cast<uint16_t>(on ? (flags | bit) : (flags & ~bit));
}

}  // namespace

uint16_t window2_flags(const model::SheetView& view) {
  uint16_t f = view.window2_flags != 0 ? view.window2_flags
                                       : static_cast<uint16_t>(kDefaultGridColor | kShowOutline);
  f = with(f, kShowGrid, view.show_gridlines);
  f = with(f, kShowHeaders, view.show_headers);
  f = with(f, kFrozen, view.frozen);
  f = with(f, kShowZeros, view.show_zeros);
  f = with(f, kRightToLeft, view.right_to_left);
  f = with(f, kSelected, view.selected);
  f = with(f, kActive, view.active);
  return f;
}

void write_sheet_view(biff::RecordWriter& out, const model::SheetView& view) {
  const bool zoomed = view.zoom_percent != 100 && view.zoom_percent != 0;
  biff::PayloadBuilder w;
  w.u16(window2_flags(view));
  w.u16(static_cast<uint16_t>(view.top_left.row));
  w.u16(static_cast<uint16_t>(view.top_left.col));
  w.u16(kSystemGridColor);
  w.u16(0);
  w.u16(0);                                   // page-break preview zoom: the default
  w.u16(zoomed ? view.zoom_percent : 0);      // normal view zoom, 0 for 100%
  w.u16(0);
  w.u16(0);
  out.write(biff::rt::Window2, w);

  if (zoomed) {
    biff::PayloadBuilder scl;
    scl.u16(view.zoom_percent);
    scl.u16(100);
    out.write(biff::rt::Scl, scl);
  }
  if (!view.pane.empty()) out.write(biff::rt::Pane, view.pane);
  for (const model::Selection& s : view.selections) {
    biff::PayloadBuilder p;
    p.u8(s.pane);
    p.u16(static_cast<uint16_t>(s.active.row));
    p.u16(static_cast<uint16_t>(s.active.col));
    p.u16(static_cast<uint16_t>(s.active_index));
    p.u16(static_cast<uint16_t>(s.ranges.size()));
    for (const model::RangeRef& r : s.ranges) {
      p.u16(static_cast<uint16_t>(r.first.row));
      p.u16(static_cast<uint16_t>(r.last.row));
      p.u8(static_cast<uint8_t>(r.first.col));
      p.u8(static_cast<uint8_t>(r.last.col));
    }
    out.write(biff::rt::Selection, p);
  }
}

}  // namespace tabrel::xls
