#include "spreadsheet/xls/read_condfmt_records.h"

#include <algorithm>
#include <utility>

#include "spreadsheet/biff/records.h"
#include "spreadsheet/xls/read_condfmt.h"
#include "spreadsheet/xls/read_substream.h"

namespace tabrel::xls {

namespace rt = biff::rt;

bool CondFormatRecords::read(const biff::Record& rec) {
  const std::optional<uint16_t> owner = std::exchange(cf12_owner_, std::nullopt);
  auto& formats = sheet_.conditional_formats;
  switch (rec.type) {
    case rt::CondFmt: formats.push_back(xls::read_condfmt(rec)); return true;
    case rt::CF:
      if (!formats.empty() && !formats.back().from_condfmt12) formats.back().rules.push_back(xls::read_cf(rec));
      return true;
    case rt::CondFmt12:
      formats.push_back(xls::read_condfmt12(rec));
      formats.back().extended.push_back(raw_record(rec));
      return true;
    case rt::CF12: {
      model::CondFormat* format = owner ? classic_format(*owner) : nullptr;
      if (!format) {
        if (formats.empty()) formats.emplace_back();
        format = &formats.back();
      }
      format->rules.push_back(xls::read_cf12(rec));
      format->extended.push_back(raw_record(rec));
      return true;
    }
    case rt::CFEx: read_cfex(rec); return true;
    default: return false;
  }
}

model::CondFormat* CondFormatRecords::classic_format(uint16_t id) {
  auto& formats = sheet_.conditional_formats;
  auto it = std::find_if(formats.begin(), formats.end(),
                         [&](const model::CondFormat& f) { return !f.from_condfmt12 && f.id == id; });
  return it == formats.end() ? nullptr : &*it;
}

// A CFEX that names no format or no rule of it extends nothing.
// Its stored record goes with the format it names, so that the writer puts it after that format.
void CondFormatRecords::read_cfex(const biff::Record& rec) {
  const CondExtension e = xls::read_cfex(rec);
  model::CondFormat* format = classic_format(e.format_id);
  if (!format) {
    sheet_.other_records.push_back(raw_record(rec));
    return;
  }
  format->extended.push_back(raw_record(rec));
  if (e.precedes_cf12) {
    cf12_owner_ = e.format_id;
    return;
  }
  // The rule-th CF record of the format: its classic rules come first, in record order.
  if (e.rule >= format->rules.size() || format->rules[e.rule].from_cf12) return;
  format->rules[e.rule].template_kind = e.template_kind;
  format->rules[e.rule].priority = e.priority;
}

}  // namespace tabrel::xls
