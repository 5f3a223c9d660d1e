#pragma once
// Records the model keeps as stored go back where the record order of their substream puts
// them: each is classified into a slot between the records the writer builds itself. A record
// of a kind not listed stays with the kept record before it; a custom view travels whole.

#include <cstdint>
#include <optional>
#include <span>

#include "spreadsheet/biff/record_writer.h"
#include "spreadsheet/model/raw_record.h"

namespace tabrel::xls {

enum class GlobalSlot {
  Built,          // the writer builds this record from the model; a stored copy is dropped
  BookHeader,     // Excel9File, ObNoMacros, function groups, after CODENAME
  Protection,     // WinProtect .. Prot4RevPass, before WINDOW1
  BookSettings,   // Backup, HideObj, RefreshAll, BookBool, after WINDOW1
  FormattingTail, // XFCRC, XFExt, DXF, StyleExt, TableStyles, ClrtClient after STYLE/PALETTE
  BeforeSheets,   // pivot cache definitions, DocRoute, UserBView, UsesELFs
  AfterSheets,    // Country and the other settings between BOUNDSHEET and the external references
  ExternalCache,  // XCT/CRN cached cells of an external workbook, after its SUPBOOK
  AfterNames,     // RecalcId, HFPicture, before the drawing group
  Tail,           // everything else, after EXTSST
};

enum class SheetSlot {
  Built,
  BeforeIndex,    // Uncalced, right after BOF
  Calc,           // CalcMode .. GridSet
  PageBreaks,     // Sync, LPr, page breaks, after WSBOOL
  PageSetup,      // Header .. Setup, HeaderFooter, BkHim
  Protection,     // BigName, Protect, ScenarioProtect, ObjProtect, Password
  Scenarios,      // ScenMan, Scenario
  Sort,           // Sort, SortData, before the filter
  FilterTail,     // DropDownObjIds, AutoFilter12 after AUTOFILTER
  AfterCells,     // EntExU2 after the cell table
  Objects,        // MsoDrawingSelection and stray objects after the drawings
  Pivot,          // pivot views and data consolidation, after NOTE
  WindowExtra,    // PLV after WINDOW2
  CustomViews,    // UserSViewBegin .. UserSViewEnd blocks after the window
  Query,          // LRng, query tables
  Links,          // HLINK, DVAL/DV after the conditional formats
  Tail,           // everything else, before EOF
};

// The slot of a record kind; nullopt for a kind not listed.
std::optional<GlobalSlot> global_slot(uint16_t id);
std::optional<SheetSlot> sheet_slot(uint16_t id);

// Writes one record as stored, cut into CONTINUE records where it was.
void write_raw(biff::RecordWriter& out, const model::RawRecord& record);

// Writes the records of `records` that fall into `slot`, in their stored order; returns how many.
size_t write_global_slot(biff::RecordWriter& out, std::span<const model::RawRecord> records, GlobalSlot slot);
size_t write_sheet_slot(biff::RecordWriter& out, std::span<const model::RawRecord> records, SheetSlot slot);

}  // namespace tabrel::xls
