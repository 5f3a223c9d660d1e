#include "spreadsheet/biff/shared_strings.h"

#include <algorithm>

#include "spreadsheet/biff/records.h"

namespace tabrel::biff {

uint32_t visit_shared_strings(const Record& sst, const std::function<void(RichString&&)>& take) {
  RecordCursor in(sst);
  const uint32_t total_references = in.u32();
  const uint32_t unique = in.u32();
  // Every string takes at least three bytes; a larger count cannot be honest.
  if (unique > in.remaining() / 3) in.fail("SST promises " + std::to_string(unique) + " strings");
  for (uint32_t i = 0; i < unique; ++i) take(read_rich_string(in));
  return total_references;
}

SharedStrings read_shared_strings(const Record& sst) {
  SharedStrings out;
  out.total_references = visit_shared_strings(sst, [&](RichString&& s) { out.strings.push_back(std::move(s)); });
  return out;
}

void write_shared_strings(RecordWriter& out, const SharedStrings& sst, uint16_t strings_per_bucket) {
  PayloadBuilder payload;
  payload.u32(sst.total_references);
  payload.u32(static_cast<uint32_t>(sst.strings.size()));
  payload.break_here();
  for (const RichString& s : sst.strings) append_rich_string(payload, s);
  std::vector<RecordWriter::StringPlacement> at = out.write(rt::SST, payload);

  size_t per_bucket = strings_per_bucket;
  if (per_bucket == 0) per_bucket = std::max<size_t>(8, (sst.strings.size() + 127) / 128);
  PayloadBuilder index;
  index.u16(static_cast<uint16_t>(per_bucket));
  for (size_t i = 0; i < at.size(); i += per_bucket) {
    index.u32(static_cast<uint32_t>(at[i].stream_offset));
    index.u16(at[i].offset_in_record);
    index.u16(0);
  }
  out.write(rt::ExtSST, index.flat());
}

}  // namespace tabrel::biff
