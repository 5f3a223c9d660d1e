#include "spreadsheet/xls/write_sheet.h"

#include <algorithm>

#include "spreadsheet/biff/records.h"
#include "spreadsheet/xls/write_autofilter.h"
#include "spreadsheet/xls/write_cells.h"
#include "spreadsheet/xls/write_chart.h"
#include "spreadsheet/xls/write_condfmt.h"
#include "spreadsheet/xls/write_raw_records.h"
#include "spreadsheet/xls/write_sheet_view.h"
#include "spreadsheet/biff/strings.h"

namespace tabrel::xls {
namespace {

namespace rt = biff::rt;

constexpr uint16_t kBofWorksheet = 0x0010, kBofChart = 0x0020, kBofMacroSheet = 0x0040;
constexpr size_t kMergesPerRecord = 1026;

// The calculation and print settings a sheet carries when the model kept none.
void write_default_calc(biff::RecordWriter& out) {
  u16_record(out, rt::CalcMode, 1);
  u16_record(out, rt::CalcCount, 100);
  u16_record(out, rt::CalcRefMode, 1);
  u16_record(out, rt::CalcIter, 0);
  biff::PayloadBuilder delta;
  delta.f64(0.001);
  out.write(rt::CalcDelta, delta);
  u16_record(out, rt::CalcSaveRecalc, 1);
  u16_record(out, rt::PrintRowCol, 0);
  u16_record(out, rt::PrintGrid, 0);
  u16_record(out, rt::GridSet, 1);
}

// Empty header and footer, no centring, A4 portrait at 100%.
void write_default_page_setup(biff::RecordWriter& out) {
  out.write(rt::Header, std::span<const uint8_t>());
  out.write(rt::Footer, std::span<const uint8_t>());
  u16_record(out, rt::HCenter, 0);
  u16_record(out, rt::VCenter, 0);
  biff::PayloadBuilder setup;
  for (uint16_t v : {9, 100, 1, 1, 1, 0x0002, 600, 600}) setup.u16(v);
  setup.f64(0.5);
  setup.f64(0.5);
  setup.u16(1);
  out.write(rt::Setup, setup);
}

void write_guts(biff::RecordWriter& out, const model::Sheet& sheet) {
  if (!sheet.guts.empty()) {
    out.write(rt::Guts, sheet.guts);
    return;
  }
  uint16_t row_levels = 0, col_levels = 0;
  for (const auto& [row, info] : sheet.rows) row_levels = std::max<uint16_t>(row_levels, info.outline_level);
  for (const model::ColumnInfo& c : sheet.columns) col_levels = std::max<uint16_t>(col_levels, c.outline_level);
  auto levels = [](uint16_t deepest) { return static_cast<uint16_t>(deepest ? deepest + 1 : 0); };
  biff::PayloadBuilder p;
  p.u16(static_cast<uint16_t>(row_levels ? 17 * levels(row_levels) : 0));
  p.u16(static_cast<uint16_t>(col_levels ? 17 * levels(col_levels) : 0));
  p.u16(levels(row_levels));
  p.u16(levels(col_levels));
  out.write(rt::Guts, p);
}

void write_columns(biff::RecordWriter& out, const model::Sheet& sheet, size_t xf_count) {
  u16_record(out, rt::DefColWidth, sheet.default_column_width);
  for (const model::ColumnInfo& c : sheet.columns) {
    biff::PayloadBuilder p;
    p.u16(static_cast<uint16_t>(c.first));
    p.u16(static_cast<uint16_t>(std::min(c.last, model::kMaxColumns - 1)));  // some files run on to 256
    p.u16(c.width);
    p.u16(c.xf < xf_count ? c.xf : 15);
    p.u16(static_cast<uint16_t>((c.hidden ? 0x1 : 0) | (c.custom_width ? 0x2 : 0) | (c.best_fit ? 0x4 : 0) |
                                ((c.outline_level & 0x7) << 8) | (c.collapsed ? 0x1000 : 0)));
    p.u16(0);
    out.write(rt::ColInfo, p);
  }
}

void write_merges(biff::RecordWriter& out, const model::Sheet& sheet) {
  for (size_t begin = 0; begin < sheet.merges.size(); begin += kMergesPerRecord) {
    const size_t count = std::min(kMergesPerRecord, sheet.merges.size() - begin);
    biff::PayloadBuilder p;
    p.u16(static_cast<uint16_t>(count));
    for (size_t i = begin; i < begin + count; ++i) {
      const model::RangeRef& r = sheet.merges[i];
      p.u16(static_cast<uint16_t>(r.first.row));
      p.u16(static_cast<uint16_t>(r.last.row));
      p.u16(static_cast<uint16_t>(r.first.col));
      p.u16(static_cast<uint16_t>(r.last.col));
    }
    out.write(rt::MergeCells, p);
  }
}

void write_chart_sheet(biff::RecordWriter& out, const model::Sheet& sheet) {
  if (sheet.chart.records.empty() && sheet.chart.chart.groups.empty()) {
    write_bof(out, kBofChart);
    write_eof(out);
    return;
  }
  write_chart_data(out, sheet.chart);
}

}  // namespace

void write_bof(biff::RecordWriter& out, uint16_t type) {
  biff::PayloadBuilder p;
  p.u16(0x0600);  // BIFF8
  p.u16(type);
  p.u16(0x0DBB);  // build
  p.u16(0x07CC);  // year
  p.u32(0);
  p.u32(6);       // lowest BIFF version that can read the file
  out.write(rt::BOF, p);
}

void write_eof(biff::RecordWriter& out) { out.write(rt::Eof, std::span<const uint8_t>()); }

void u16_record(biff::RecordWriter& out, uint16_t type, uint16_t value) {
  biff::PayloadBuilder p;
  p.u16(value);
  out.write(type, p);
}

namespace {

// Where the INDEX record points: the default column width and the cell table's blocks.
struct SheetPositions {
  uint64_t default_width = 0;
  CellTableIndex cells;
};

biff::PayloadBuilder index_payload(const SheetPositions& at, uint64_t base) {
  biff::PayloadBuilder p;
  p.u32(0);
  p.u32(static_cast<uint32_t>(at.cells.first_row));
  p.u32(static_cast<uint32_t>(at.cells.end_row));
  p.u32(static_cast<uint32_t>(base + at.default_width));
  for (uint64_t dbcell : at.cells.dbcells) p.u32(static_cast<uint32_t>(base + dbcell));
  return p;
}

// Writes the worksheet with the given INDEX payload; returns where the records INDEX points at
// landed, relative to the sheet's BOF.
SheetPositions write_worksheet(biff::RecordWriter& out, const model::Sheet& sheet, const SheetContext& context,
                               const biff::PayloadBuilder& index) {
  const uint64_t base = out.position();
  SheetPositions at;
  const auto& raw = sheet.other_records;
  write_bof(out, sheet.kind == model::SheetKind::MacroSheet ? kBofMacroSheet : kBofWorksheet);
  write_sheet_slot(out, raw, SheetSlot::BeforeIndex);
  out.write(rt::Index, index);
  if (write_sheet_slot(out, raw, SheetSlot::Calc) == 0) write_default_calc(out);
  write_guts(out, sheet);
  biff::PayloadBuilder row_height;
  row_height.u16(sheet.default_row_flags);
  row_height.u16(sheet.default_row_height);
  out.write(rt::DefaultRowHeight, row_height);
  u16_record(out, rt::WsBool, sheet.wsbool);
  write_sheet_slot(out, raw, SheetSlot::PageBreaks);
  if (write_sheet_slot(out, raw, SheetSlot::PageSetup) == 0) write_default_page_setup(out);
  write_sheet_slot(out, raw, SheetSlot::Protection);
  at.default_width = out.position() - base;
  write_columns(out, sheet, context.xf_count);
  write_sheet_slot(out, raw, SheetSlot::Scenarios);
  write_sheet_slot(out, raw, SheetSlot::Sort);
  if (sheet.autofilter) write_autofilter(out, *sheet.autofilter);
  write_sheet_slot(out, raw, SheetSlot::FilterTail);
  write_dimensions(out, sheet);
  at.cells = write_cell_table(out, sheet, context.strings, context.xf_count);
  for (uint64_t& dbcell : at.cells.dbcells) dbcell -= base;
  write_sheet_slot(out, raw, SheetSlot::AfterCells);
  write_objects(out, sheet, context.drawing, context.macro_tokens);
  write_sheet_slot(out, raw, SheetSlot::Objects);
  write_notes(out, sheet);
  write_sheet_slot(out, raw, SheetSlot::Pivot);
  // The workbook's active sheet is the one shown, and it is among the selected tabs.
  model::SheetView view = sheet.view;
  view.active = context.shown;
  view.selected = view.selected || context.shown;
  write_sheet_view(out, view);
  write_sheet_slot(out, raw, SheetSlot::WindowExtra);
  write_sheet_slot(out, raw, SheetSlot::CustomViews);
  if (sheet.standard_width) u16_record(out, rt::DxGCol, *sheet.standard_width);
  write_merges(out, sheet);
  write_sheet_slot(out, raw, SheetSlot::Query);
  if (!sheet.phonetic_settings.empty()) out.write(rt::PhoneticInfo, sheet.phonetic_settings);
  write_conditional_formats(out, sheet.conditional_formats);
  write_sheet_slot(out, raw, SheetSlot::Links);
  if (!sheet.code_name.empty()) {
    biff::PayloadBuilder p;
    biff::append_string(p, sheet.code_name);
    out.write(rt::CodeName, p);
  }
  write_sheet_slot(out, raw, SheetSlot::Tail);
  write_eof(out);
  return at;
}

}  // namespace

void write_sheet(biff::RecordWriter& out, const model::Sheet& sheet, const SheetContext& context) {
  if (sheet.kind == model::SheetKind::ChartSheet) {
    write_chart_sheet(out, sheet);
    return;
  }
  // INDEX points forward at records after it: lay the sheet out once on its own to learn where
  // they land (the records' sizes do not depend on where the sheet starts), then write it.
  SheetPositions planned;
  planned.cells.dbcells.resize(cell_table_blocks(sheet));
  biff::RecordWriter layout;
  planned = write_worksheet(layout, sheet, context, index_payload(planned, 0));
  write_worksheet(out, sheet, context, index_payload(planned, out.position()));
}

}  // namespace tabrel::xls
