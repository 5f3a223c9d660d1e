#pragma once
// Conditional formats: one CONDFMT record per range list, followed by a CF record per rule with
// its differential formatting (font, border and fill blocks for the parts the rule sets), then
// the format's newer records (CONDFMT12, CF12) kept as stored.

#include <vector>

#include "spreadsheet/biff/record_writer.h"
#include "spreadsheet/model/sheet_parts.h"

namespace tabrel::xls {

void write_conditional_formats(biff::RecordWriter& out, const std::vector<model::CondFormat>& formats);

biff::PayloadBuilder condfmt_payload(const model::CondFormat& format);
biff::PayloadBuilder cf_payload(const model::CondRule& rule);

}  // namespace tabrel::xls
