#pragma once
// The ways in which the range procedures compare a value read from the answer with the same
// value read from the target. A comparison that meets a mixed (Null) value is undecided: it
// never lists a cell by itself, but another comparison joined to it by "or" still may.

#include <optional>
#include <string>

#include "spreadsheet/core/variant.h"

namespace tabrel::inspect {

// Whether two values differ; nullopt when undecided.
using Differs = std::optional<bool>;

enum class Comparison {
  TrimmedText,  // both converted to text by one rule, leading and trailing blanks removed
  Raw,          // as read: numbers as numbers, texts exactly
  YesNo,        // both converted to yes/no; a mixed value cannot be converted and raises
};

// Raises AutomationError where the conversion a way needs fails (an error value, a mixed
// value converted to yes/no).
Differs differs(Comparison how, const Variant& answer, const Variant& target);

// The language's "Or" of two comparisons: true wins over undecided, undecided over false.
Differs either(Differs first, Differs second);

// Whether the outcome lists the cell: only a decided difference does.
inline bool lists(Differs outcome) { return outcome.value_or(false); }

// A value as text with the language's conversion; a mixed value raises "invalid use of Null".
std::u16string text_of(const Variant& value);

// Texts converted and stripped of leading and trailing blanks, compared exactly. Unlike the
// trimmed-text way, a mixed value raises here instead of leaving the comparison undecided.
bool differs_as_converted_text(const Variant& answer, const Variant& target);

}  // namespace tabrel::inspect
