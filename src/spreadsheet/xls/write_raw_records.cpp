#include "spreadsheet/xls/write_raw_records.h"

#include <algorithm>
#include <vector>

#include "spreadsheet/biff/records.h"

namespace tabrel::xls {
namespace {

namespace rt = biff::rt;

bool one_of(uint16_t id, std::initializer_list<uint16_t> ids) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

std::optional<GlobalSlot> global_slot(uint16_t id) {
  if (one_of(id, {rt::BOF, rt::Eof, rt::FilePass, rt::InterfaceHdr, rt::Mms, rt::InterfaceEnd,
                  rt::WriteAccess, rt::CodePage, rt::DSF, rt::RRTabId, rt::ObProj, rt::CodeName,
                  rt::Window1, rt::Date1904, rt::CalcPrecision, rt::Font, rt::Format, rt::XF,
                  rt::Style, rt::Palette, rt::BoundSheet8, rt::SupBook, rt::ExternName,
                  rt::ExternSheet, rt::Lbl, rt::MsoDrawingGroup, rt::SST, rt::ExtSST, rt::Continue}))
    return GlobalSlot::Built;
  if (one_of(id, {rt::Template, rt::FileSharing, rt::Lel, rt::Excel9File, rt::ObNoMacros,
                  rt::BuiltInFnGroupCount, rt::FnGroupName, rt::FnGrp12, rt::NameFnGrp12}))
    return GlobalSlot::BookHeader;
  if (one_of(id, {rt::WinProtect, rt::Protect, rt::Password, rt::Prot4Rev, rt::Prot4RevPass}))
    return GlobalSlot::Protection;
  if (one_of(id, {rt::Backup, rt::HideObj, rt::RefreshAll, rt::BookBool}))
    return GlobalSlot::BookSettings;
  if (one_of(id, {rt::XFCRC, rt::XFExt, rt::DXF, rt::StyleExt, rt::TableStyles, rt::TableStyle,
                  rt::TableStyleElement, rt::ClrtClient}))
    return GlobalSlot::FormattingTail;
  if (one_of(id, {rt::SXStreamID, rt::SXVS, rt::SXDB, rt::SXDBEx, rt::SXFDB, rt::SXDBB, rt::DConRef,
                  rt::DConName, rt::DConBin, rt::SXFDBType, rt::SxIsxoper, rt::SXRng, rt::SXTBRGIITM,
                  rt::SxTbpg, rt::SXNum, rt::SxBool, rt::SxErr, rt::SXInt, rt::SXString, rt::SXDtr,
                  rt::SxNil, rt::SXFormula, rt::SxFmla, rt::SxName, rt::SXPair, rt::DocRoute,
                  rt::RecipName, rt::UserBView, rt::UsesELFs}))
    return GlobalSlot::BeforeSheets;
  if (one_of(id, {rt::Country, rt::MTRSettings, rt::ForceFullCalculation, rt::RealTimeData}))
    return GlobalSlot::AfterSheets;
  if (one_of(id, {rt::XCT, rt::CRN})) return GlobalSlot::ExternalCache;
  if (one_of(id, {rt::RecalcId, rt::HFPicture})) return GlobalSlot::AfterNames;
  if (one_of(id, {rt::WebPub, rt::WOpt, rt::CrErr, rt::BookExt, rt::FeatHdr, rt::DConn, rt::Theme,
                  rt::CompressPictures, rt::Compat12, rt::GUIDTypeLib, rt::MDTInfo, rt::MDXStr,
                  rt::MDXTuple, rt::MDXSet, rt::MDXProp, rt::MDXKPI, rt::MDB}))
    return GlobalSlot::Tail;
  return std::nullopt;
}

std::optional<SheetSlot> sheet_slot(uint16_t id) {
  if (one_of(id, {rt::BOF, rt::Eof, rt::Index, rt::DBCell, rt::Guts, rt::DefaultRowHeight, rt::WsBool,
                  rt::DefColWidth, rt::ColInfo, rt::FilterMode, rt::AutoFilterInfo, rt::AutoFilter,
                  rt::Dimensions, rt::Row, rt::Formula, rt::Blank, rt::MulBlank, rt::RK, rt::MulRk,
                  rt::BoolErr, rt::Number, rt::LabelSst, rt::Label, rt::String, rt::Array, rt::Table,
                  rt::ShrFmla, rt::MsoDrawing, rt::Obj, rt::TxO, rt::Note, rt::Window2, rt::Scl,
                  rt::Pane, rt::Selection, rt::DxGCol, rt::MergeCells, rt::PhoneticInfo, rt::CondFmt,
                  rt::CF, rt::CondFmt12, rt::CF12, rt::CFEx, rt::CodeName, rt::Continue}))
    return SheetSlot::Built;
  if (id == rt::Uncalced) return SheetSlot::BeforeIndex;
  if (one_of(id, {rt::CalcMode, rt::CalcCount, rt::CalcRefMode, rt::CalcIter,
                  rt::CalcDelta, rt::CalcSaveRecalc, rt::PrintRowCol, rt::PrintGrid, rt::GridSet}))
    return SheetSlot::Calc;
  if (one_of(id, {rt::Sync, rt::LPr, rt::HorizontalPageBreaks, rt::VerticalPageBreaks}))
    return SheetSlot::PageBreaks;
  if (one_of(id, {rt::Header, rt::Footer, rt::HCenter, rt::VCenter, rt::LeftMargin, rt::RightMargin,
                  rt::TopMargin, rt::BottomMargin, rt::Pls, rt::Setup, rt::HeaderFooter, rt::BkHim}))
    return SheetSlot::PageSetup;
  if (one_of(id, {rt::BigName, rt::ContinueBigName, rt::Protect, rt::ScenarioProtect, rt::ObjProtect,
                  rt::Password}))
    return SheetSlot::Protection;
  if (one_of(id, {rt::ScenMan, rt::Scenario})) return SheetSlot::Scenarios;
  if (one_of(id, {rt::Sort, rt::SortData})) return SheetSlot::Sort;
  if (one_of(id, {rt::DropDownObjIds, rt::AutoFilter12, rt::ContinueFrt12})) return SheetSlot::FilterTail;
  if (one_of(id, {rt::MsoDrawingSelection, rt::HFPicture})) return SheetSlot::Objects;
  if ((id >= rt::SxView && id <= rt::SXPI) || id == rt::SXDI || id == rt::SXEx || id == rt::SxFormat ||
      id == rt::SxSelect || id == rt::SxRule || id == rt::SxFilt || id == rt::SxDXF || id == rt::SxItm ||
      id == rt::SXVDEx || id == rt::QsiSXTag || id == rt::DBQueryExt || id == rt::ExtString ||
      (id >= rt::SXViewEx && id <= rt::SXViewEx9) || id == rt::SXAddl || id == rt::SXViewLink ||
      one_of(id, {rt::DCon, rt::DConName, rt::DConBin, rt::DConRef}))
    return SheetSlot::Pivot;
  if (id == rt::PLV) return SheetSlot::WindowExtra;
  if (one_of(id, {rt::LRng, rt::Qsi, rt::DbOrParamQry, rt::Qsir, rt::Qsif, rt::OleDbConn, rt::TxtQry}))
    return SheetSlot::Query;
  if (one_of(id, {rt::HLink, rt::HLinkTooltip, rt::DVal, rt::Dv})) return SheetSlot::Links;
  if (id == rt::EntExU2) return SheetSlot::AfterCells;
  if (one_of(id, {rt::UserSViewBegin, rt::UserSViewEnd})) return SheetSlot::CustomViews;
  if (one_of(id, {rt::WebPub, rt::CellWatch, rt::SheetExt, rt::Feat, rt::FeatHdr, rt::FeatHdr11,
                  rt::Feature11, rt::Feature12, rt::List12}))
    return SheetSlot::Tail;
  return std::nullopt;
}

void write_raw(biff::RecordWriter& out, const model::RawRecord& record) {
  std::span<const uint8_t> payload(record.payload);
  size_t begin = 0;
  uint16_t type = record.id;
  for (uint32_t cut : record.continue_offsets) {
    if (cut <= begin || cut > payload.size()) continue;
    out.write(type, payload.subspan(begin, cut - begin));
    begin = cut;
    type = rt::Continue;
  }
  out.write(type, payload.subspan(begin));
}

namespace {

// Slots of a list of kept records, in order.
std::vector<GlobalSlot> global_slots(std::span<const model::RawRecord> records) {
  std::vector<GlobalSlot> out;
  GlobalSlot last = GlobalSlot::Tail;
  for (const model::RawRecord& r : records) out.push_back(last = global_slot(r.id).value_or(last));
  return out;
}

std::vector<SheetSlot> sheet_slots(std::span<const model::RawRecord> records) {
  std::vector<SheetSlot> out;
  SheetSlot last = SheetSlot::Tail;
  bool in_view = false;
  for (const model::RawRecord& r : records) {
    if (r.id == rt::UserSViewBegin) in_view = true;
    last = in_view ? SheetSlot::CustomViews : sheet_slot(r.id).value_or(last);
    if (r.id == rt::UserSViewEnd) in_view = false;
    out.push_back(last);
  }
  return out;
}

template <class Slot>
size_t write_matching(biff::RecordWriter& out, std::span<const model::RawRecord> records,
                      const std::vector<Slot>& slots, Slot slot) {
  size_t written = 0;
  for (size_t i = 0; i < records.size(); ++i)
    if (slots[i] == slot) write_raw(out, records[i]), ++written;
  return written;
}

}  // namespace

size_t write_global_slot(biff::RecordWriter& out, std::span<const model::RawRecord> records, GlobalSlot slot) {
  return write_matching(out, records, global_slots(records), slot);
}

size_t write_sheet_slot(biff::RecordWriter& out, std::span<const model::RawRecord> records, SheetSlot slot) {
  return write_matching(out, records, sheet_slots(records), slot);
}

}  // namespace tabrel::xls
