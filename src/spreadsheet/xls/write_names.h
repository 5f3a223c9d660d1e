#pragma once
// The link table of the globals: SUPBOOK with its EXTERNNAME records, EXTERNSHEET, and the
// defined names (NAME).

#include "spreadsheet/biff/record_writer.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::xls {

void write_link_table(biff::RecordWriter& out, const model::Workbook& workbook);

biff::PayloadBuilder supbook_payload(const model::SupportingBook& book);
biff::PayloadBuilder name_payload(const model::DefinedName& name);

}  // namespace tabrel::xls
