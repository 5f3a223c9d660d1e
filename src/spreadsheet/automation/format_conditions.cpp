#include "spreadsheet/automation/format_conditions.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/constants.h"
#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/selection.h"
#include "spreadsheet/formula/encode.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/parse.h"
#include "spreadsheet/formula/shift.h"
#include "spreadsheet/ops/conditional_formats.h"

namespace tabrel::xl {
namespace {

constexpr int kCellValueRule = 1, kExpressionRule = 2;
constexpr int kBetween = 1, kNotBetween = 2, kLessEqual = 8;
constexpr size_t kMaxConditions = 3;

// A condition's formula typed as seen from `active`, stored relative to `base`. A bound given
// without "=" is a constant, as the dialog reads it.
std::vector<uint8_t> condition_tokens(model::Workbook& wb, const std::u16string& text, model::CellRef active,
                                      model::CellRef base) {
  const std::u16string formula = !text.empty() && text.front() == u'=' ? text : u"=" + text;
  try {
    formula::Node tree = formula::parse(formula, wb, active, formula::Notation::A1);
    formula::shift_references(tree, base.row - active.row, base.col - active.col);
    return formula::encode(tree, base, formula::EncodeForm::Relative).tokens;
  } catch (const formula::FormulaError&) {
    raise(Fault::MethodFailed);
  }
}

// The rules that apply to a cell, in the order the collection lists them: by priority, and in
// record order where rules have none (a file from the spreadsheet's versions before 2007, or a
// rule added here); rules without a priority come after those with one.
std::vector<RulePlace> rules_at(const model::Sheet& sheet, model::CellRef cell) {
  std::vector<RulePlace> places;
  for (size_t f = 0; f < sheet.conditional_formats.size(); ++f) {
    const auto& cf = sheet.conditional_formats[f];
    const bool covers = std::any_of(cf.ranges.begin(), cf.ranges.end(), [&](const model::RangeRef& r) { return r.contains(cell); });
    if (!covers) continue;
    for (size_t r = 0; r < cf.rules.size(); ++r) places.push_back({f, r});
  }
  auto priority = [&](const RulePlace& p) {
    const auto& given = sheet.conditional_formats[p.format].rules[p.rule].priority;
    return given ? static_cast<int>(*given) : INT_MAX;
  };
  std::stable_sort(places.begin(), places.end(),
                   [&](const RulePlace& a, const RulePlace& b) { return priority(a) < priority(b); });
  return places;
}

// Type as the 2007 and later versions report it. The record's type says colour scale, data bar
// and icon set; for formula and filter rules the template says what the rule tests.
int condition_type(const model::CondRule& rule) {
  constexpr int kColorScale = 3, kDataBar = 4, kTop10 = 5, kIconSet = 6, kUniqueValues = 8,
                kTextString = 9, kBlanks = 10, kTimePeriod = 11, kAboveAverage = 12, kNoBlanks = 13,
                kErrors = 16, kNoErrors = 17;
  constexpr uint8_t kFormulaRecord = 2, kColorScaleRecord = 3, kDataBarRecord = 4, kFilterRecord = 5,
                    kIconSetRecord = 6;
  switch (rule.type) {
    case kColorScaleRecord: return kColorScale;
    case kDataBarRecord: return kDataBar;
    case kIconSetRecord: return kIconSet;
    case kFormulaRecord:
    case kFilterRecord: break;
    default: return kCellValueRule;
  }
  const uint16_t kind = rule.template_kind.value_or(0);
  switch (kind) {
    case 0x05: return kTop10;
    case 0x07: case 0x1B: return kUniqueValues;  // unique and duplicate values
    case 0x08: return kTextString;
    case 0x09: return kBlanks;
    case 0x0A: return kNoBlanks;
    case 0x0B: return kErrors;
    case 0x0C: return kNoErrors;
    case 0x19: case 0x1A: case 0x1D: case 0x1E: return kAboveAverage;  // above/below (or equal)
    default:
      if (kind >= 0x0F && kind <= 0x18) return kTimePeriod;  // today .. this month
      return rule.type == kFilterRecord ? kTop10 : kExpressionRule;
  }
}

}  // namespace

FormatConditions::FormatConditions(SheetHandle sheet, model::RangeRef area) : sheet_(std::move(sheet)), area_(area) {}

int FormatConditions::Count() const { return static_cast<int>(rules_at(sheet_.get(), area_.first).size()); }

std::shared_ptr<FormatCondition> FormatConditions::Item(const Variant& index) const {
  const auto places = rules_at(sheet_.get(), area_.first);
  const int i = index.to_long();
  if (i < 1 || static_cast<size_t>(i) > places.size()) raise(Fault::InvalidArgument);
  return std::make_shared<FormatCondition>(sheet_, area_.first, places[static_cast<size_t>(i - 1)]);
}

std::shared_ptr<FormatCondition> FormatConditions::Add(const Variant& type, const Variant& op, const Variant& formula1,
                                                       const Variant& formula2) {
  model::Sheet& sheet = sheet_.get();
  model::Workbook& wb = sheet_.workbook();
  model::CondRule rule;
  rule.type = static_cast<uint8_t>(type.to_long());
  if (rule.type != kCellValueRule && rule.type != kExpressionRule) raise(Fault::InvalidArgument);
  if (rule.type == kCellValueRule) {
    const int code = omitted(op) ? kBetween : op.to_long();
    if (code < kBetween || code > kLessEqual) raise(Fault::InvalidArgument);
    rule.op = static_cast<uint8_t>(code);
  }
  if (omitted(formula1)) raise(Fault::InvalidArgument);
  const model::CellRef active = active_cell(sheet);
  rule.formula1 = condition_tokens(wb, formula1.to_string(), active, area_.first);
  const bool two_bounds = rule.type == kCellValueRule && (rule.op == kBetween || rule.op == kNotBetween);
  if (two_bounds) {
    if (omitted(formula2)) raise(Fault::InvalidArgument);
    rule.formula2 = condition_tokens(wb, formula2.to_string(), active, area_.first);
  }
  auto& formats = sheet.conditional_formats;
  auto same = std::find_if(formats.begin(), formats.end(), [&](const model::CondFormat& cf) {
    return cf.ranges == std::vector<model::RangeRef>{area_};
  });
  if (same == formats.end()) {
    if (rules_at(sheet, area_.first).size() >= kMaxConditions) raise(Fault::MethodFailed);
    formats.push_back(model::CondFormat{{area_}, {rule}, {}});
    return std::make_shared<FormatCondition>(sheet_, area_.first, RulePlace{formats.size() - 1, 0});
  }
  if (same->rules.size() >= kMaxConditions) raise(Fault::MethodFailed);
  same->rules.push_back(rule);
  return std::make_shared<FormatCondition>(
      sheet_, area_.first, RulePlace{static_cast<size_t>(same - formats.begin()), same->rules.size() - 1});
}

void FormatConditions::Delete() { ops::remove_conditional_formats(sheet_.get(), area_); }

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

int FormatCondition::Type() const { return condition_type(rule()); }

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
  const model::Workbook& wb = sheet_.workbook();
  return condition_formula(wb, wb.sheet_index(&sheet), tokens, active_cell(sheet), Notation::A1);
}

std::u16string FormatCondition::Formula1() const { return formula(false); }

std::u16string FormatCondition::Formula2() const {
  const model::CondRule& r = rule();
  if (r.type != kCellValueRule || (r.op != kBetween && r.op != kNotBetween)) raise(Fault::MethodFailed);
  return formula(true);
}

std::shared_ptr<ConditionFont> FormatCondition::Font() {
  rule();
  return std::make_shared<ConditionFont>(shared_from_this());
}

std::shared_ptr<ConditionInterior> FormatCondition::Interior() {
  rule();
  return std::make_shared<ConditionInterior>(shared_from_this());
}

model::CondRule& FormatCondition::rule_for_edit() {
  rule();
  return sheet_.get().conditional_formats[place_.format].rules[place_.rule];
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

void FormatCondition::SetFirstPriority() {
  rule();
  auto& all = sheet_.get().conditional_formats;
  auto& rules = all[place_.format].rules;
  const auto r = static_cast<long>(place_.rule);
  std::rotate(rules.begin(), rules.begin() + r, rules.begin() + r + 1);
  const auto f = static_cast<long>(place_.format);
  std::rotate(all.begin(), all.begin() + f, all.begin() + f + 1);
  place_ = {0, 0};
}

bool FormatCondition::StopIfTrue() const {
  rule();
  return true;
}

ConditionFont::ConditionFont(std::shared_ptr<FormatCondition> condition) : condition_(std::move(condition)) {}

model::CondFont& ConditionFont::font_for_edit() {
  auto& font = condition_->rule_for_edit().font;
  if (!font) font.emplace();
  return *font;
}

void ConditionFont::SetBold(const Variant& value) { font_for_edit().bold = value.to_bool(); }
void ConditionFont::SetItalic(const Variant& value) { font_for_edit().italic = value.to_bool(); }

void ConditionFont::SetColor(const Variant& value) {
  font_for_edit().color = nearest_palette_index(condition_->palette(), value.to_long());
}

void ConditionFont::SetColorIndex(const Variant& value) {
  const auto index = palette_index(value.to_long());
  if (!index) raise(Fault::MethodFailed);
  font_for_edit().color = *index;
}

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

ConditionInterior::ConditionInterior(std::shared_ptr<FormatCondition> condition)
    : condition_(std::move(condition)) {}

void ConditionInterior::fill_with(std::optional<uint16_t> color) {
  auto& fill = condition_->rule_for_edit().fill;
  if (!fill) fill.emplace();
  fill->pattern = color ? 1 : 0;
  fill->background_color = color.value_or(model::kSystemBackground);
}

void ConditionInterior::SetColorIndex(const Variant& value) {
  const int index = value.to_long();
  if (index == kXlNone) return fill_with(std::nullopt);
  const auto color = palette_index(index);
  if (!color) raise(Fault::MethodFailed);
  fill_with(*color);
}

void ConditionInterior::SetColor(const Variant& value) {
  fill_with(nearest_palette_index(condition_->palette(), value.to_long()));
}

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
