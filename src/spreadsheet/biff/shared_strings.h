#pragma once
// The shared string table: SST with its CONTINUE records, and the EXTSST index written after it.

#include <cstdint>
#include <functional>
#include <vector>

#include "spreadsheet/biff/record.h"
#include "spreadsheet/biff/record_writer.h"
#include "spreadsheet/biff/strings.h"

namespace tabrel::biff {

struct SharedStrings {
  uint32_t total_references = 0;  // cstTotal: LABELSST cells and other uses in the workbook
  std::vector<RichString> strings;
  bool operator==(const SharedStrings&) const = default;
};

// Reads an SST record (with its CONTINUE records gathered). FormatError when a string runs past
// the record or the unique count promises more strings than the record holds.
SharedStrings read_shared_strings(const Record& sst);

// The same string by string, for a reader that keeps the strings in a form of its own and so
// never holds them twice. Returns the total count of references (cstTotal).
uint32_t visit_shared_strings(const Record& sst, const std::function<void(RichString&&)>& take);

// Writes SST and its CONTINUE records, then EXTSST with one bucket per `strings_per_bucket`
// strings (at least 8, chosen so that there are at most 128 buckets when 0).
void write_shared_strings(RecordWriter& out, const SharedStrings& sst, uint16_t strings_per_bucket = 0);

}  // namespace tabrel::biff
