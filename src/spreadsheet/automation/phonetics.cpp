#include "spreadsheet/automation/phonetics.h"

#include <algorithm>
#include <vector>

#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/phonetic_ranges.h"
#include "spreadsheet/ops/cell_format.h"
#include "spreadsheet/ops/cell_value.h"

namespace tabrel::xl {
namespace {

// The phonetic guide of the cell's text; nullptr when it has none.
const model::PhoneticText* guide(const model::Sheet& sheet, model::CellRef cell) {
  const model::Cell* c = sheet.cells.find(cell);
  if (!c || !c->value.is_text()) return nullptr;
  return c->value.as_rich().phonetic.get();
}

int stretch_count(const model::PhoneticText* g) {
  if (!g) return 0;
  if (!g->runs.empty()) return static_cast<int>(g->runs.size());
  return g->text.empty() ? 0 : 1;
}

// The guide's stretches as (base first, base count, text), in base order.
struct Stretch {
  uint16_t base_first = 0, base_count = 0;
  std::u16string text;
};

std::vector<Stretch> stretches(const model::PhoneticText& g) {
  std::vector<Stretch> out;
  for (size_t i = 0; i < g.runs.size(); ++i) {
    const size_t start = std::min<size_t>(g.runs[i].phonetic_first, g.text.size());
    const size_t end = i + 1 < g.runs.size() ? std::min<size_t>(g.runs[i + 1].phonetic_first, g.text.size()) : g.text.size();
    out.push_back({g.runs[i].base_first, g.runs[i].base_count, end > start ? g.text.substr(start, end - start) : u""});
  }
  return out;
}

}  // namespace

Phonetics::Phonetics(SheetHandle sheet, model::CellRef cell) : sheet_(std::move(sheet)), cell_(cell) {}

int Phonetics::Count() const { return stretch_count(guide(sheet_.get(), cell_)); }

std::shared_ptr<Phonetic> Phonetics::Item(const Variant& index) const {
  const int i = index.to_long();
  if (i < 1 || i > Count()) raise(Fault::MethodFailed);
  return std::make_shared<Phonetic>(sheet_, cell_, i - 1);
}

void Phonetics::Add(const Variant& start, const Variant& length, const Variant& text) {
  model::Sheet& sheet = sheet_.get();
  const model::Cell* c = sheet.cells.find(cell_);
  if (!c || !c->value.is_text()) raise(Fault::MethodFailed);
  model::RichText rich = c->value.as_rich();
  const long first = start.to_long() - 1, count = length.to_long();
  if (first < 0 || count < 1 || first + count > static_cast<long>(rich.text.size())) raise(Fault::MethodFailed);
  auto guide = std::make_shared<model::PhoneticText>();
  std::vector<Stretch> kept;
  if (rich.phonetic) {
    *guide = *rich.phonetic;
    for (Stretch& s : stretches(*rich.phonetic))
      if (s.base_first + s.base_count <= first || s.base_first >= first + count) kept.push_back(std::move(s));
  } else {
    guide->type = 1;
    guide->alignment = 1;
  }
  kept.push_back({static_cast<uint16_t>(first), static_cast<uint16_t>(count), text.to_string()});
  std::sort(kept.begin(), kept.end(), [](const Stretch& a, const Stretch& b) { return a.base_first < b.base_first; });
  guide->text.clear();
  guide->runs.clear();
  for (const Stretch& s : kept) {
    guide->runs.push_back({static_cast<uint16_t>(guide->text.size()), s.base_first, s.base_count});
    guide->text += s.text;
  }
  rich.phonetic = std::move(guide);
  ops::set_constant(sheet, cell_, model::CellValue::rich(std::move(rich)), ops::effective_xf(sheet, cell_));
}

Phonetic::Phonetic(SheetHandle sheet, model::CellRef cell, int run) : sheet_(std::move(sheet)), cell_(cell), run_(run) {}

std::u16string Phonetic::Text() const {
  const model::PhoneticText* g = guide(sheet_.get(), cell_);
  if (!g) {
    if (run_ >= 0) raise(Fault::ObjectDeleted);
    return {};
  }
  if (run_ < 0 || g->runs.empty()) return g->text;
  if (run_ >= static_cast<int>(g->runs.size())) raise(Fault::ObjectDeleted);
  const size_t i = static_cast<size_t>(run_);
  const size_t start = std::min<size_t>(g->runs[i].phonetic_first, g->text.size());
  const size_t end = i + 1 < g->runs.size() ? std::min<size_t>(g->runs[i + 1].phonetic_first, g->text.size())
                                            : g->text.size();
  return end > start ? g->text.substr(start, end - start) : std::u16string{};
}

bool Phonetic::Visible() const {
  const auto ranges = phonetic_ranges(sheet_.get().phonetic_settings);
  return std::any_of(ranges.begin(), ranges.end(), [&](const model::RangeRef& r) { return r.contains(cell_); });
}

void Phonetic::SetVisible(const Variant& value) {
  const bool shown = value.to_bool();
  model::Sheet& sheet = sheet_.get();
  sheet.phonetic_settings = with_phonetic_range(sheet.phonetic_settings, {cell_, cell_}, shown);
}

int Phonetic::CharacterType() const {
  const model::PhoneticText* g = guide(sheet_.get(), cell_);
  return g ? g->type : 1;
}

int Phonetic::Alignment() const {
  const model::PhoneticText* g = guide(sheet_.get(), cell_);
  return g ? g->alignment : 1;
}

}  // namespace tabrel::xl
