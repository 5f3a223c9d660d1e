#include "spreadsheet/xls/write_globals.h"

#include <algorithm>

#include "spreadsheet/biff/records.h"
#include "spreadsheet/biff/strings.h"
#include "spreadsheet/xls/write_raw_records.h"
#include "spreadsheet/xls/write_sheet.h"
#include "spreadsheet/xls/write_styles.h"

namespace tabrel::xls {
namespace {

namespace rt = biff::rt;

constexpr uint16_t kUnicodeCodePage = 1200;
constexpr size_t kWriteAccessSize = 112;

void write_interface(biff::RecordWriter& out) {
  u16_record(out, rt::InterfaceHdr, kUnicodeCodePage);
  u16_record(out, rt::Mms, 0);
  out.write(rt::InterfaceEnd, std::span<const uint8_t>());
  // The user name of the last save: none, padded with spaces to the fixed size.
  biff::PayloadBuilder access;
  access.u16(0);
  access.u8(0);
  for (size_t i = 3; i < kWriteAccessSize; ++i) access.u8(' ');
  out.write(rt::WriteAccess, access);
}

void write_project_records(biff::RecordWriter& out, const model::Workbook& wb) {
  biff::PayloadBuilder tabs;
  for (size_t i = 0; i < wb.sheets.size(); ++i) tabs.u16(static_cast<uint16_t>(i + 1));
  out.write(rt::RRTabId, tabs);
  if (wb.macro_project) out.write(rt::ObProj, std::span<const uint8_t>());
  if (!wb.code_name.empty()) {
    biff::PayloadBuilder p;
    biff::append_string(p, wb.code_name);
    out.write(rt::CodeName, p);
  }
}

void write_protection(biff::RecordWriter& out, const model::Workbook& wb) {
  if (write_global_slot(out, wb.other_records, GlobalSlot::Protection) != 0) return;
  for (uint16_t type : {rt::WinProtect, rt::Protect, rt::Password, rt::Prot4Rev, rt::Prot4RevPass})
    u16_record(out, type, 0);
}

void write_settings(biff::RecordWriter& out, const model::Workbook& wb) {
  const bool stored = write_global_slot(out, wb.other_records, GlobalSlot::BookSettings) != 0;
  if (!stored) {
    u16_record(out, rt::Backup, 0);
    u16_record(out, rt::HideObj, 0);
  }
  u16_record(out, rt::Date1904, wb.date_system == DateSystem::k1904 ? 1 : 0);
  u16_record(out, rt::CalcPrecision, wb.precision_as_displayed ? 0 : 1);
  if (!stored) {
    u16_record(out, rt::RefreshAll, 0);
    u16_record(out, rt::BookBool, 0);
  }
}

uint8_t sheet_type(model::SheetKind kind) {
  switch (kind) {
    case model::SheetKind::MacroSheet: return 1;
    case model::SheetKind::ChartSheet: return 2;
    default: return 0;
  }
}

}  // namespace

biff::PayloadBuilder window1_payload(const model::WorkbookView& view, size_t sheet_count) {
  // The active and first shown tabs must name sheets the workbook has.
  model::WorkbookView v = view;
  const auto last = static_cast<uint16_t>(sheet_count ? sheet_count - 1 : 0);
  v.active_sheet = std::min(v.active_sheet, last);
  v.first_visible_tab = std::min(v.first_visible_tab, v.active_sheet);
  biff::PayloadBuilder p;
  p.u16(static_cast<uint16_t>(v.x));
  p.u16(static_cast<uint16_t>(v.y));
  p.u16(v.width);
  p.u16(v.height);
  p.u16(v.flags);
  p.u16(v.active_sheet);
  p.u16(v.first_visible_tab);
  p.u16(v.selected_tabs);
  p.u16(v.tab_ratio);
  return p;
}

std::vector<uint64_t> write_globals(biff::RecordWriter& out, const GlobalsInput& in) {
  const model::Workbook& wb = in.workbook;
  write_interface(out);
  u16_record(out, rt::CodePage, kUnicodeCodePage);
  u16_record(out, rt::DSF, 0);
  write_project_records(out, wb);
  write_global_slot(out, wb.other_records, GlobalSlot::BookHeader);
  write_protection(out, wb);
  out.write(rt::Window1, window1_payload(wb.view, wb.sheets.size()));
  write_settings(out, wb);
  write_styles(out, in.styles);
  write_global_slot(out, wb.other_records, GlobalSlot::FormattingTail);
  write_global_slot(out, wb.other_records, GlobalSlot::BeforeSheets);

  std::vector<uint64_t> positions;
  for (const auto& sheet : wb.sheets) {
    positions.push_back(out.position() + 4);
    biff::PayloadBuilder p;
    p.u32(0);  // patched with the substream's position
    p.u8(static_cast<uint8_t>(sheet->visibility));
    p.u8(sheet_type(sheet->kind));
    biff::append_short_string(p, std::u16string_view(sheet->name).substr(0, 31));
    out.write(rt::BoundSheet8, p);
  }
  write_global_slot(out, wb.other_records, GlobalSlot::AfterSheets);
  write_link_table(out, in.links);
  write_global_slot(out, wb.other_records, GlobalSlot::AfterNames);
  if (!in.drawing_group.empty()) out.write(rt::MsoDrawingGroup, in.drawing_group);
  biff::write_shared_strings(out, in.strings.table());
  write_global_slot(out, wb.other_records, GlobalSlot::Tail);
  write_eof(out);
  return positions;
}

}  // namespace tabrel::xls
