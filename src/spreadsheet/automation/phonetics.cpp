#include "spreadsheet/automation/phonetics.h"

#include <algorithm>

#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/phonetic_ranges.h"

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

}  // namespace

Phonetics::Phonetics(SheetHandle sheet, model::CellRef cell) : sheet_(std::move(sheet)), cell_(cell) {}

int Phonetics::Count() const { return stretch_count(guide(sheet_.get(), cell_)); }

std::shared_ptr<Phonetic> Phonetics::Item(const Variant& index) const {
  const int i = index.to_long();
  if (i < 1 || i > Count()) raise(Fault::MethodFailed);
  return std::make_shared<Phonetic>(sheet_, cell_, i - 1);
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
