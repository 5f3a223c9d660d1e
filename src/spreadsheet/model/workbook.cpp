#include "spreadsheet/model/workbook.h"

#include "spreadsheet/core/text.h"

namespace tabrel::model {

Sheet* Workbook::sheet(std::u16string_view name) {
  for (auto& s : sheets)
    if (equals_ignore_case(s->name, name)) return s.get();
  return nullptr;
}

const Sheet* Workbook::sheet(std::u16string_view name) const {
  for (const auto& s : sheets)
    if (equals_ignore_case(s->name, name)) return s.get();
  return nullptr;
}

int Workbook::sheet_index(const Sheet* s) const {
  for (size_t i = 0; i < sheets.size(); ++i)
    if (sheets[i].get() == s) return static_cast<int>(i);
  return -1;
}

ExtraStream ExtraStream::stream(std::u16string path, std::vector<uint8_t> bytes) {
  return {std::move(path), std::make_shared<const std::vector<uint8_t>>(std::move(bytes)), false};
}

ExtraStream ExtraStream::storage(std::u16string path) { return {std::move(path), nullptr, true}; }

std::span<const uint8_t> ExtraStream::bytes() const {
  if (shared == nullptr) return {};
  return *shared;
}

const ExtraStream* Workbook::stream(std::u16string_view path) const {
  for (const auto& e : extra_streams)
    if (equals_ignore_case(e.path, path)) return &e;
  return nullptr;
}

}  // namespace tabrel::model
