#include "spreadsheet/xls/read_text.h"

#include <memory>
#include <utility>

namespace tabrel::xls {

model::RichText to_rich_text(biff::RichString s) {
  model::RichText out;
  out.text = std::move(s.text);
  out.runs.reserve(s.runs.size());
  for (const auto& r : s.runs) out.runs.push_back({r.first_char, r.font});
  if (s.phonetic) {
    auto ph = std::make_shared<model::PhoneticText>();
    ph->font = s.phonetic->font;
    ph->type = s.phonetic->type();
    ph->alignment = s.phonetic->alignment();
    ph->text = std::move(s.phonetic->text);
    for (const auto& r : s.phonetic->runs)
      ph->runs.push_back({r.first_phonetic, r.first_base, r.base_count});
    out.phonetic = std::move(ph);
  }
  return out;
}

}  // namespace tabrel::xls
