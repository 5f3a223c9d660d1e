#pragma once
// A workbook with an engine and a fixed clock for evaluation tests; cells are filled from
// literal texts the way typing them would ("=..." a formula, numbers, text).

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string_view>

#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/book_fixture.h"
#include "spreadsheet/formula/encode.h"
#include "spreadsheet/formula/engine.h"
#include "spreadsheet/formula/parse.h"

namespace tabrel::formula::testing {

// 2024-03-15 13:30 in the 1900 system.
inline constexpr double kNow = 45366 + 13.5 / 24;

struct EngineFixture {
  EngineFixture() = default;
  // TEXT renders through `format_number`.
  explicit EngineFixture(NumberFormatter format_number)
      : engine{*wb, EngineOptions{[] { return kNow; }, std::move(format_number)}} {}

  std::unique_ptr<model::Workbook> wb = small_book();
  Engine engine{*wb, EngineOptions{[] { return kNow; }, {}}};

  void put(const char* a1, const char* text, int sheet = 0) {
    engine.set_formula(sheet, *model::parse_a1(from_utf8(a1)), from_utf8(text), Notation::A1);
  }
  Scalar at(const char* a1, int sheet = 0) { return to_scalar(engine.value_of(sheet, *model::parse_a1(from_utf8(a1)))); }
  // Evaluates a formula as if it stood in Z100 of the first sheet.
  Scalar eval(const char* formula) {
    model::CellRef base{99, 25};
    return engine.evaluate(parse(from_utf8(formula), *wb, base, Notation::A1), 0, base);
  }
};

inline model::CellRef at(std::string_view a1) { return *model::parse_a1(from_utf8(a1)); }

// Stores a formula as a file would: tokens plus a cached result, without computing it.
inline void load(EngineFixture& f, std::string_view a1, std::string_view formula, model::CellValue cached = {}) {
  Node tree = parse(from_utf8(formula), *f.wb, at(a1), Notation::A1);
  Encoded bytes = encode(tree, at(a1));
  model::Cell cell;
  cell.value = cached;
  cell.formula = model::FormulaPtr::make(model::Formula{bytes.tokens, bytes.extra, 0, false});
  f.wb->sheets[0]->cells.put(at(a1), cell);
}

inline std::string describe(const Scalar& s) {
  if (auto d = std::get_if<double>(&s)) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", *d);
    return buf;
  }
  if (auto t = std::get_if<std::u16string>(&s)) return "\"" + to_utf8(*t) + "\"";
  if (auto b = std::get_if<bool>(&s)) return *b ? "TRUE" : "FALSE";
  if (auto e = std::get_if<CellError>(&s)) return to_utf8(cell_error_text(*e));
  return "(blank)";
}

// `got` equals `expected` (numbers to 1e-9 relative); both are printed when they differ.
inline ::testing::AssertionResult same(const Scalar& got, const Scalar& expected) {
  bool equal = got == expected;
  if (is_number(got) && is_number(expected)) {
    double x = std::get<double>(got), y = std::get<double>(expected);
    equal = std::fabs(x - y) <= 1e-9 * std::max(1.0, std::fabs(y));
  }
  if (equal) return ::testing::AssertionSuccess() << "both are " << describe(got);
  return ::testing::AssertionFailure() << "got " << describe(got) << ", expected " << describe(expected);
}

struct EvalCase {
  const char* formula;
  Scalar expected;
};

inline void check_all(EngineFixture& f, const std::vector<EvalCase>& cases) {
  for (const EvalCase& c : cases) {
    Scalar got = f.eval(c.formula);
    EXPECT_TRUE(same(got, c.expected)) << c.formula;
  }
}

}  // namespace tabrel::formula::testing
