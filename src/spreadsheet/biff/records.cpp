#include "spreadsheet/biff/records.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace tabrel::biff {
namespace {

constexpr RecordType kListed[] = {
#define TABREL_BIFF_RECORD_ENTRY(name, number) RecordType{number, #name},
    TABREL_BIFF_RECORDS(TABREL_BIFF_RECORD_ENTRY)
#undef TABREL_BIFF_RECORD_ENTRY
};

constexpr auto make_table() {
  std::array<RecordType, std::size(kListed)> table{};
  std::copy(std::begin(kListed), std::end(kListed), table.begin());
  std::sort(table.begin(), table.end(), [](const RecordType& a, const RecordType& b) { return a.number < b.number; });
  return table;
}

constexpr auto kTable = make_table();

bool same_name(std::string_view a, std::string_view b) {
  auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return fold(x) == fold(y); });
}

}  // namespace

std::span<const RecordType> record_types() { return kTable; }

std::string_view record_name(uint16_t number) {
  auto it = std::lower_bound(kTable.begin(), kTable.end(), number,
                             [](const RecordType& r, uint16_t n) { return r.number < n; });
  return it != kTable.end() && it->number == number ? it->name : std::string_view{};
}

std::optional<uint16_t> record_number(std::string_view name) {
  for (const RecordType& r : kTable) {
    if (same_name(r.name, name)) return r.number;
  }
  return std::nullopt;
}

size_t plain_prefix_size(uint16_t number) {
  switch (number) {
    case rt::BOF:
    case rt::FilePass:
    case rt::UsrExcl:
    case rt::FileLock:
    case rt::InterfaceHdr:
    case rt::RRDInfo:
    case rt::RRDHead:
      return SIZE_MAX;
    case rt::BoundSheet8:
      return 4;  // lbPlyPos, the stream position of the sheet's BOF
    default:
      return 0;
  }
}

}  // namespace tabrel::biff
