#pragma once
// Conditional formats: CONDFMT (the ranges) and its CF rules with their differential formats,
// and the newer CONDFMT12, CF12 and CFEX records.

#include "spreadsheet/biff/record.h"
#include "spreadsheet/model/sheet_parts.h"

namespace tabrel::xls {

// The ranges of a CONDFMT record; its rules follow as CF records.
model::CondFormat read_condfmt(const biff::Record& rec);
// One CF rule; font, border and fill are set only where the rule sets them.
model::CondRule read_cf(const biff::Record& rec);

// The newer records of the spreadsheet's 2007 and later versions. CONDFMT12: the ranges of a
// format whose rules follow as CF12 records. CF12: one rule of any type, with its priority and
// template; its colour scale, data bar, filter or icon-set details are not decoded.
model::CondFormat read_condfmt12(const biff::Record& rec);
model::CondRule read_cf12(const biff::Record& rec);

// CFEX: either the template and priority of a classic CF rule (the rule-th CF after the CONDFMT
// whose id is format_id), or, with precedes_cf12, the announcement that the next CF12 rule
// belongs to that classic format.
struct CondExtension {
  bool precedes_cf12 = false;
  uint16_t format_id = 0;
  uint16_t rule = 0;
  uint16_t template_kind = 0;
  uint16_t priority = 0;
};
CondExtension read_cfex(const biff::Record& rec);

}  // namespace tabrel::xls
