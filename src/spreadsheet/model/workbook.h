#pragma once
// A workbook in memory: ordered sheets, styles, names and external references, the date
// system, and the parts later modules interpret (drawing group, pivot caches, macro project).

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "spreadsheet/core/date_serial.h"
#include "spreadsheet/model/macro_project.h"
#include "spreadsheet/model/names.h"
#include "spreadsheet/model/raw_record.h"
#include "spreadsheet/model/sheet.h"
#include "spreadsheet/model/styles.h"

namespace tabrel::model {

// A storage or stream of the compound file other than the workbook stream, kept as bytes by its
// path ("_VBA_PROJECT_CUR/VBA/dir", "_SX_DB_CUR/0001", "\x05SummaryInformation" ...). Streams
// that a file stores once under several names share their bytes; replace `shared` to change one.
struct ExtraStream {
  std::u16string path;
  std::shared_ptr<const std::vector<uint8_t>> shared;  // null for a storage
  bool is_storage = false;

  static ExtraStream stream(std::u16string path, std::vector<uint8_t> bytes);
  static ExtraStream storage(std::u16string path);
  std::span<const uint8_t> bytes() const;
};

struct WorkbookView {
  uint16_t active_sheet = 0;      // itabCur
  uint16_t first_visible_tab = 0;
  uint16_t selected_tabs = 1;
  uint16_t flags = 0x38;
  int16_t x = 0, y = 0;
  uint16_t width = 0x3A5C, height = 0x23BE;
  uint16_t tab_ratio = 600;
};

struct Workbook {
  std::vector<std::unique_ptr<Sheet>> sheets;  // in tab order (BOUNDSHEET order)
  Styles styles;
  std::vector<DefinedName> names;              // in NAME record order
  ExternalRefs externals;
  DateSystem date_system = DateSystem::k1900;
  uint16_t codepage = 1200;
  WorkbookView view;
  std::u16string code_name;                    // the workbook's own module name ("ThisWorkbook")
  std::optional<MacroProject> macro_project;   // present when the file has one (OBPROJ, storage)
  std::vector<uint8_t> drawing_group;          // MSODRAWINGGROUP payload (joined)
  std::vector<ExtraStream> extra_streams;      // other streams of the file, kept as stored
  std::vector<RawRecord> other_records;        // globals kept as stored (pivot caches, protection ...)
  bool precision_as_displayed = false;

  Sheet* sheet(std::u16string_view name);      // case-insensitive, as the spreadsheet matches
  const Sheet* sheet(std::u16string_view name) const;
  int sheet_index(const Sheet* s) const;       // 0-based, -1 when not in this workbook
  const ExtraStream* stream(std::u16string_view path) const;
};

}  // namespace tabrel::model
