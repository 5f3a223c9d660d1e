#include "spreadsheet/automation/format_conditions.h"

#include <algorithm>
#include <vector>

#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/constants.h"
#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/selection.h"
#include "spreadsheet/ops/conditional_formats.h"

namespace tabrel::xl {
namespace {

constexpr int kCellValueRule = 1;
constexpr int kBetween = 1, kNotBetween = 2;

std::vector<RulePlace> rules_at(const model::Sheet& sheet, model::CellRef cell) {
  std::vector<RulePlace> places;
  for (size_t f = 0; f < sheet.conditional_formats.size(); ++f) {
    const auto& cf = sheet.conditional_formats[f];
    const bool covers = std::any_of(cf.ranges.begin(), cf.ranges.end(), [&](const model::RangeRef& r) { return r.contains(cell); });
    if (!covers) continue;
    for (size_t r = 0; r < cf.rules.size(); ++r) places.push_back({f, r});
  }
  return places;
}

// The cell the rule's formulas are stored relative to: the top-left corner of its ranges.
model::CellRef rule_base(const model::CondFormat& cf) {
  model::CellRef base = cf.ranges.empty() ? model::CellRef{} : cf.ranges.front().first;
  for (const auto& r : cf.ranges) {
    base.row = std::min(base.row, r.first.row);
    base.col = std::min(base.col, r.first.col);
  }
  return base;
}

}  // namespace

FormatConditions::FormatConditions(SheetHandle sheet, model::CellRef cell) : sheet_(std::move(sheet)), cell_(cell) {}

int FormatConditions::Count() const { return static_cast<int>(rules_at(sheet_.get(), cell_).size()); }

std::shared_ptr<FormatCondition> FormatConditions::Item(const Variant& index) const {
  const auto places = rules_at(sheet_.get(), cell_);
  const int i = index.to_long();
  if (i < 1 || static_cast<size_t>(i) > places.size()) raise(Fault::InvalidArgument);
  return std::make_shared<FormatCondition>(sheet_, cell_, places[static_cast<size_t>(i - 1)]);
}

void FormatConditions::Delete() { ops::remove_conditional_formats(sheet_.get(), {cell_, cell_}); }

FormatCondition::FormatCondition(SheetHandle sheet, model::CellRef cell, RulePlace place)
    : sheet_(std::move(sheet)), cell_(cell), place_(place) {}

const model::CondRule& FormatCondition::rule() const {
  const model::Sheet& sheet = sheet_.get();
  if (place_.format >= sheet.conditional_formats.size()) raise(Fault::ObjectDeleted);
  const auto& cf = sheet.conditional_formats[place_.format];
  if (place_.rule >= cf.rules.size()) raise(Fault::ObjectDeleted);
  return cf.rules[place_.rule];
}

const model::Palette& FormatCondition::palette() const { return sheet_.workbook().styles.palette; }

int FormatCondition::Type() const { return rule().type; }

int FormatCondition::Operator() const {
  const model::CondRule& r = rule();
  if (r.type != kCellValueRule) raise(Fault::MethodFailed);
  return r.op;
}

std::u16string FormatCondition::formula(bool second) const {
  const model::CondRule& r = rule();
  const model::Sheet& sheet = sheet_.get();
  const auto& tokens = second ? r.formula2 : r.formula1;
  if (tokens.empty()) raise(Fault::MethodFailed);
  return relative_formula(sheet_.workbook(), tokens, rule_base(sheet.conditional_formats[place_.format]),
                          active_cell(sheet), Notation::A1);
}

std::u16string FormatCondition::Formula1() const { return formula(false); }

std::u16string FormatCondition::Formula2() const {
  const model::CondRule& r = rule();
  if (r.type != kCellValueRule || (r.op != kBetween && r.op != kNotBetween)) raise(Fault::MethodFailed);
  return formula(true);
}

std::shared_ptr<ConditionFont> FormatCondition::Font() const {
  rule();
  return std::make_shared<ConditionFont>(shared_from_this());
}

std::shared_ptr<ConditionInterior> FormatCondition::Interior() const {
  rule();
  return std::make_shared<ConditionInterior>(shared_from_this());
}

void FormatCondition::Delete() {
  rule();
  auto& cf = sheet_.get().conditional_formats[place_.format];
  cf.rules.erase(cf.rules.begin() + static_cast<long>(place_.rule));
  if (cf.rules.empty()) {
    auto& all = sheet_.get().conditional_formats;
    all.erase(all.begin() + static_cast<long>(place_.format));
  }
}

ConditionFont::ConditionFont(std::shared_ptr<const FormatCondition> condition) : condition_(std::move(condition)) {}

namespace {

template <typename T, typename Map>
Variant optional_value(const std::optional<model::CondFont>& font, std::optional<T> model::CondFont::*member, Map map) {
  if (!font || !((*font).*member)) return Variant::null();
  return map(*((*font).*member));
}

}  // namespace

Variant ConditionFont::Bold() const {
  return optional_value(condition_->rule().font, &model::CondFont::bold, [](bool b) { return Variant(b); });
}

Variant ConditionFont::Italic() const {
  return optional_value(condition_->rule().font, &model::CondFont::italic, [](bool b) { return Variant(b); });
}

Variant ConditionFont::Strikethrough() const {
  return optional_value(condition_->rule().font, &model::CondFont::strikeout, [](bool b) { return Variant(b); });
}

Variant ConditionFont::Underline() const {
  return optional_value(condition_->rule().font, &model::CondFont::underline,
                        [](uint8_t u) { return Variant(underline_style(u)); });
}

Variant ConditionFont::Color() const {
  const model::Palette& palette = condition_->palette();
  return optional_value(condition_->rule().font, &model::CondFont::color,
                        [&](uint16_t c) { return Variant(color_value(palette, c)); });
}

Variant ConditionFont::ColorIndex() const {
  return optional_value(condition_->rule().font, &model::CondFont::color,
                        [](uint16_t c) { return Variant(color_index(c)); });
}

ConditionInterior::ConditionInterior(std::shared_ptr<const FormatCondition> condition)
    : condition_(std::move(condition)) {}

namespace {

// A rule's fill colour: a solid fill stores its colour as the background colour; a rule that
// sets the pattern to none reads as no fill.
std::optional<uint16_t> fill_color(const model::CondRule& rule) {
  if (!rule.fill) return std::nullopt;
  if (rule.fill->pattern && *rule.fill->pattern == 0) return model::kSystemBackground;
  if (rule.fill->background_color) return rule.fill->background_color;
  return rule.fill->pattern_color;
}

}  // namespace

Variant ConditionInterior::ColorIndex() const {
  const auto color = fill_color(condition_->rule());
  if (!color) return Variant::null();
  return Variant(*color == model::kSystemBackground ? kXlNone : color_index(*color));
}

Variant ConditionInterior::Color() const {
  const auto color = fill_color(condition_->rule());
  return color ? Variant(color_value(condition_->palette(), *color)) : Variant::null();
}

}  // namespace tabrel::xl
