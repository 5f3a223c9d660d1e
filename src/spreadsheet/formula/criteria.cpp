#include "spreadsheet/formula/criteria.h"

#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/evaluator.h"

namespace tabrel::formula {

bool wildcard_match(std::u16string_view pattern, std::u16string_view text) {
  std::u16string p = upper(pattern), t = upper(text);
  // Iterative matching with back-tracking to the last star.
  size_t pi = 0, ti = 0, star = std::u16string::npos, mark = 0;
  while (ti < t.size()) {
    if (pi < p.size() && p[pi] == u'~' && pi + 1 < p.size() && (p[pi + 1] == u'*' || p[pi + 1] == u'?' || p[pi + 1] == u'~')) {
      if (p[pi + 1] == t[ti]) {
        pi += 2;
        ++ti;
        continue;
      }
    } else if (pi < p.size() && p[pi] == u'*') {
      star = pi++;
      mark = ti;
      continue;
    } else if (pi < p.size() && (p[pi] == u'?' || p[pi] == t[ti])) {
      ++pi;
      ++ti;
      continue;
    }
    if (star == std::u16string::npos) return false;
    pi = star + 1;
    ti = ++mark;
  }
  while (pi < p.size() && p[pi] == u'*') ++pi;
  return pi == p.size();
}

Criterion::Criterion(const Scalar& criterion, DateSystem system, bool database) {
  if (!is_text(criterion)) {
    any_ = database && is_blank(criterion);
    if (is_blank(criterion)) value_.emplace<double>(0.0);
    else value_ = criterion;
    return;
  }
  std::u16string_view t = std::get<std::u16string>(criterion);
  static constexpr std::pair<std::u16string_view, Cmp> kOps[] = {
      {u"<>", Cmp::Ne}, {u"<=", Cmp::Le}, {u">=", Cmp::Ge}, {u"<", Cmp::Lt}, {u">", Cmp::Gt}, {u"=", Cmp::Eq}};
  bool explicit_op = false;
  for (const auto& [text, op] : kOps) {
    if (t.starts_with(text)) {
      cmp_ = op;
      t.remove_prefix(text.size());
      explicit_op = true;
      break;
    }
  }
  if (t.empty()) {
    any_ = database && !explicit_op;
    empty_ = true;
    return;
  }
  if (auto n = text_to_number(t, system)) {
    value_ = *n;
  } else if (equals_ignore_case(t, u"TRUE") || equals_ignore_case(t, u"FALSE")) {
    value_ = equals_ignore_case(t, u"TRUE");
  } else if (auto e = cell_error_from_text(t)) {
    value_ = *e;
  } else {
    std::u16string pattern(t);
    if (database && !explicit_op) pattern += u'*';
    value_ = pattern;
  }
}

bool Criterion::matches(const Scalar& cell) const {
  if (any_) return true;
  if (empty_) {
    bool blank = is_blank(cell) || (is_text(cell) && std::get<std::u16string>(cell).empty());
    if (cmp_ == Cmp::Eq) return blank;
    if (cmp_ == Cmp::Ne) return !blank;
    return false;
  }
  if (is_text(value_) && (cmp_ == Cmp::Eq || cmp_ == Cmp::Ne)) {
    bool m = is_text(cell) && wildcard_match(std::get<std::u16string>(value_), std::get<std::u16string>(cell));
    return cmp_ == Cmp::Eq ? m : !m;
  }
  if (is_error(value_)) {
    bool m = is_error(cell) && std::get<CellError>(cell) == std::get<CellError>(value_);
    return cmp_ == Cmp::Eq ? m : (cmp_ == Cmp::Ne ? !m : false);
  }
  Scalar c = cell;
  // A number criterion also takes text cells that read as the same number.
  if (is_number(value_) && is_text(c) && cmp_ == Cmp::Eq) {
    if (auto n = text_to_number(std::get<std::u16string>(c), DateSystem::k1900)) c = *n;
  }
  if (c.index() != value_.index()) return cmp_ == Cmp::Ne;
  int r = compare_scalars(c, value_);
  switch (cmp_) {
    case Cmp::Eq: return r == 0;
    case Cmp::Ne: return r != 0;
    case Cmp::Lt: return r < 0;
    case Cmp::Le: return r <= 0;
    case Cmp::Gt: return r > 0;
    case Cmp::Ge: return r >= 0;
  }
  return false;
}

}  // namespace tabrel::formula
