#include "spreadsheet/xls/write_shared_strings.h"

#include <stdexcept>

namespace tabrel::xls {

biff::RichString to_rich_string(const model::RichText& text) {
  biff::RichString out;
  out.text = text.text;
  for (const model::FormatRun& r : text.runs) out.runs.push_back({r.first_char, r.font});
  if (text.phonetic) {
    biff::PhoneticText ph;
    ph.font = text.phonetic->font;
    ph.properties = static_cast<uint16_t>((text.phonetic->type & 0x3) | ((text.phonetic->alignment & 0x3) << 2));
    ph.text = text.phonetic->text;
    for (const model::PhoneticRun& r : text.phonetic->runs)
      ph.runs.push_back({r.phonetic_first, r.base_first, r.base_count});
    out.phonetic = std::move(ph);
  }
  return out;
}

SharedStringTable::SharedStringTable(const model::Workbook& workbook) {
  for (const auto& sheet : workbook.sheets) {
    for (const auto& [key, cell] : sheet->cells) {
      if (cell.has_formula() || !cell.value.is_text()) continue;
      add(cell.value.as_rich());
      ++table_.total_references;
    }
  }
}

uint32_t SharedStringTable::add(const model::RichText& text) {
  auto& candidates = by_text_[text.text];
  for (uint32_t i : candidates)
    if (texts_[i] == text) return i;
  const auto index = static_cast<uint32_t>(texts_.size());
  texts_.push_back(text);
  table_.strings.push_back(to_rich_string(text));
  candidates.push_back(index);
  return index;
}

uint32_t SharedStringTable::index_of(const model::RichText& text) const {
  auto it = by_text_.find(text.text);
  if (it != by_text_.end())
    for (uint32_t i : it->second)
      if (texts_[i] == text) return i;
  throw std::logic_error("text missing from the shared string table");
}

}  // namespace tabrel::xls
