#include "inspect/compare.h"

#include "runtime/strings.h"

namespace tabrel::inspect {

std::u16string text_of(const Variant& value) { return value.to_string(); }

bool differs_as_converted_text(const Variant& answer, const Variant& target) {
  return rt::Trim(text_of(answer)) != rt::Trim(text_of(target));
}

Differs differs(Comparison how, const Variant& answer, const Variant& target) {
  switch (how) {
    case Comparison::TrimmedText:
      if (answer.is_null() || target.is_null()) return std::nullopt;
      return differs_as_converted_text(answer, target);
    case Comparison::Raw: {
      const std::optional<bool> same = equals(answer, target);
      if (!same) return std::nullopt;
      return !*same;
    }
    case Comparison::YesNo:
      return answer.to_bool() != target.to_bool();
  }
  return std::nullopt;
}

Differs either(Differs first, Differs second) {
  if (first.value_or(false) || second.value_or(false)) return true;
  if (!first || !second) return std::nullopt;
  return false;
}

}  // namespace tabrel::inspect
