#include "spreadsheet/automation/scenarios.h"

#include <algorithm>

#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/print.h"
#include "spreadsheet/ops/scenarios.h"

namespace tabrel::xl {
namespace {

std::vector<ops::Scenario> all(const SheetHandle& sheet) {
  try {
    return ops::read_scenarios(sheet.get());
  } catch (const ops::ScenarioError&) {
    raise(Fault::MethodFailed);
  }
}

// A value as the scenario dialog keeps it: numbers in their shortest form, texts as they are.
std::u16string value_text(const Variant& v) {
  if (v.is_numeric() && !v.is_string()) return formula::number_text(v.to_double());
  return v.to_string();
}

}  // namespace

Scenarios::Scenarios(SheetHandle sheet) : sheet_(std::move(sheet)) {}

int Scenarios::Count() const { return static_cast<int>(all(sheet_).size()); }

std::shared_ptr<Scenario> Scenarios::Item(const Variant& index) const {
  const auto scenarios = all(sheet_);
  if (index.is_string()) {
    for (size_t i = 0; i < scenarios.size(); ++i)
      if (upper(scenarios[i].name) == upper(index.str())) return std::make_shared<Scenario>(sheet_, i);
    raise(Fault::MethodFailed);
  }
  const int i = index.to_long();
  if (i < 1 || static_cast<size_t>(i) > scenarios.size()) raise(Fault::MethodFailed);
  return std::make_shared<Scenario>(sheet_, static_cast<size_t>(i - 1));
}

std::shared_ptr<Scenario> Scenarios::Add(const Variant& name, const Range& changing_cells, const Variant& values,
                                         const Variant& comment, const Variant& locked, const Variant& hidden) {
  ops::Scenario s;
  s.name = name.to_string();
  if (!omitted(comment)) s.comment = comment.to_string();
  s.locked = omitted(locked) || locked.to_bool();
  s.hidden = !omitted(hidden) && hidden.to_bool();
  const model::RangeRef& area = changing_cells.area();
  const size_t count = static_cast<size_t>(area.last.row - area.first.row + 1) * static_cast<size_t>(area.last.col - area.first.col + 1);
  if (count > ops::kMaxScenarioCells) raise(Fault::MethodFailed);
  for (int r = area.first.row; r <= area.last.row; ++r)
    for (int c = area.first.col; c <= area.last.col; ++c) s.cells.push_back({r, c});
  if (omitted(values)) {
    for (const model::CellRef& at : s.cells) {
      const model::Cell* cell = sheet_.get().cells.find(at);
      s.values.push_back(cell ? value_text(cell->value.to_variant()) : std::u16string());
    }
  } else if (values.is_array()) {
    for (const Variant& v : values.arr().items) s.values.push_back(value_text(v));
  } else {
    s.values.push_back(value_text(values));
  }
  try {
    ops::add_scenario(sheet_.get(), s);
  } catch (const ops::ScenarioError&) {
    raise(Fault::MethodFailed);
  }
  return std::make_shared<Scenario>(sheet_, all(sheet_).size() - 1);
}

Scenario::Scenario(SheetHandle sheet, size_t index) : sheet_(std::move(sheet)), index_(index) {}

std::u16string Scenario::Name() const { return all(sheet_).at(index_).name; }

std::u16string Scenario::Comment() const { return all(sheet_).at(index_).comment; }

std::shared_ptr<Range> Scenario::ChangingCells() const {
  const auto s = all(sheet_).at(index_);
  model::RangeRef area{s.cells.front(), s.cells.front()};
  for (const model::CellRef& c : s.cells) {
    area.first.row = std::min(area.first.row, c.row);
    area.first.col = std::min(area.first.col, c.col);
    area.last.row = std::max(area.last.row, c.row);
    area.last.col = std::max(area.last.col, c.col);
  }
  return std::make_shared<Range>(sheet_, area);
}

Variant Scenario::Values(const Variant& index) const {
  const auto s = all(sheet_).at(index_);
  const int i = index.to_long();
  if (i < 1 || static_cast<size_t>(i) > s.values.size()) raise(Fault::MethodFailed);
  return Variant(s.values[static_cast<size_t>(i - 1)]);
}

void Scenario::Show() const {
  const auto s = all(sheet_).at(index_);
  for (size_t i = 0; i < s.cells.size(); ++i)
    Range(sheet_, {s.cells[i], s.cells[i]}).SetFormula(Variant(s.values[i]));
}

}  // namespace tabrel::xl
