#pragma once
// The link table of the globals: SUPBOOK with its EXTERNNAME records, EXTERNSHEET, and the
// defined names (NAME).

#include <map>
#include <vector>

#include "spreadsheet/biff/record_writer.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::xls {

// The names and external references as written: the workbook's own, with the self-reference
// counting the sheets the workbook has, with the hidden _FilterDatabase name each sheet's
// AutoFilter needs (added where missing, its area set to the filter's range), and with the
// macro names that objects built in memory call by their macro text alone.
struct LinkTable {
  model::ExternalRefs externals;
  std::vector<model::DefinedName> names;
  // Per sheet: the assigned-macro formula of each object (by its index in the sheet's drawings)
  // whose macro text has no formula (built in memory, or given a new macro since it was read).
  std::vector<std::map<size_t, std::vector<uint8_t>>> macro_tokens;
};
LinkTable link_table(const model::Workbook& workbook);

// SUPBOOK, EXTERNNAME, the kept external cell caches, EXTERNSHEET and NAME records.
void write_link_table(biff::RecordWriter& out, const LinkTable& links);

biff::PayloadBuilder supbook_payload(const model::SupportingBook& book);
biff::PayloadBuilder name_payload(const model::DefinedName& name);

}  // namespace tabrel::xls
