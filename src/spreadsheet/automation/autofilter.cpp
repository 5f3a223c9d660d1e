#include "spreadsheet/automation/autofilter.h"

#include <array>

#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/formula/print.h"

namespace tabrel::xl {
namespace {

// Comparison operators by their stored code 1..6.
constexpr std::array<const char16_t*, 7> kOperators = {u"", u"<", u"=", u"<=", u">", u"<>", u">="};

const model::AutoFilter& filter_of(const model::Sheet& sheet) {
  if (!sheet.autofilter) raise(Fault::MethodFailed);
  return *sheet.autofilter;
}

}  // namespace

std::optional<std::u16string> criterion_text(const model::AutoFilterCondition& c) {
  const std::u16string op = c.op < kOperators.size() ? kOperators[c.op] : u"=";
  switch (c.value_type) {
    case kRk:
    case kNumber: return op + formula::number_text(c.number);
    case kString: return op + c.text;
    case kBoolOrError: {
      if (!c.bool_or_error) return op + (c.bool_error_value ? u"TRUE" : u"FALSE");
      return op + cell_error_text(static_cast<CellError>(c.bool_error_value));
    }
    case kBlanks: return std::u16string(u"=");
    case kNonBlanks: return std::u16string(u"<>");
    default: return std::nullopt;
  }
}

AutoFilter::AutoFilter(SheetHandle sheet) : sheet_(std::move(sheet)) {}

std::shared_ptr<xl::Range> AutoFilter::Range() const {
  return std::make_shared<xl::Range>(sheet_, filter_of(sheet_.get()).range);
}

std::shared_ptr<xl::Filters> AutoFilter::Filters() const {
  filter_of(sheet_.get());
  return std::make_shared<xl::Filters>(sheet_);
}

Filters::Filters(SheetHandle sheet) : sheet_(std::move(sheet)) {}

int Filters::Count() const { return filter_of(sheet_.get()).range.cols(); }

std::shared_ptr<Filter> Filters::Item(const Variant& index) const {
  const int i = index.to_long();
  if (i < 1 || i > Count()) raise(Fault::SubscriptOutOfRange);
  return std::make_shared<Filter>(sheet_, i - 1);
}

Filter::Filter(SheetHandle sheet, int column) : sheet_(std::move(sheet)), column_(column) {}

const model::AutoFilterColumn* Filter::column() const {
  for (const auto& c : filter_of(sheet_.get()).columns)
    if (c.index == column_) return &c;
  return nullptr;
}

bool Filter::On() const { return column() != nullptr; }

Variant Filter::Criteria1() const {
  const model::AutoFilterColumn* c = column();
  if (!c) raise(Fault::MethodFailed);
  if (c->top10) return Variant(static_cast<int>(c->top10_count));
  const auto text = criterion_text(c->first);
  if (!text) raise(Fault::MethodFailed);
  return Variant(*text);
}

Variant Filter::Criteria2() const {
  const model::AutoFilterColumn* c = column();
  if (!c || c->top10 || c->second.value_type == kNoCondition) raise(Fault::MethodFailed);
  const auto text = criterion_text(c->second);
  if (!text) raise(Fault::MethodFailed);
  return Variant(*text);
}

int Filter::Operator() const {
  const model::AutoFilterColumn* c = column();
  if (!c) raise(Fault::MethodFailed);
  if (c->top10) {
    if (c->top) return c->percent ? kTop10Percent : kTop10Items;
    return c->percent ? kBottom10Percent : kBottom10Items;
  }
  if (c->second.value_type == kNoCondition) return 0;
  return c->join_or ? kOr : kAnd;
}

}  // namespace tabrel::xl
