// Hostile formulas written to a file and read back, then recalculated: what the reader makes of
// shared formulas and defined names must keep the engine's bounds.

#include <cmath>
#include <string>

#include "spreadsheet/formula/encode.h"
#include "spreadsheet/formula/engine_fixture.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::formula {
namespace {

using testing::same;

model::CellRef at(const std::string& a1) { return *model::parse_a1(from_utf8(a1)); }

void put_formula(model::Workbook& wb, const std::string& cell, const std::string& text) {
  Encoded bytes = encode(parse(from_utf8(text), wb, at(cell), Notation::A1), at(cell));
  model::Cell c;
  c.value = model::CellValue::number(-1);
  c.formula = model::FormulaPtr::make(model::Formula{bytes.tokens, bytes.extra, 0, false});
  wb.sheets[0]->cells.put(at(cell), c);
}

// A chain of 10,000 cells, names that double up forty times and one that refers to itself, and
// 60 cells sharing a formula nested 250 deep that ends in a volatile cell.
TEST(RecalculationFromFile, HostileFormulasKeepTheirBoundsAfterReading) {
  auto book = testing::small_book();
  model::Workbook& wb = *book;
  constexpr int kChain = 10000, kNames = 40, kShared = 60, kNesting = 250;
  auto add_name = [&](const std::string& name) {
    model::DefinedName def;
    def.name = from_utf8(name);
    wb.names.push_back(def);
  };
  for (int i = 1; i <= kNames; ++i) add_name("Level" + std::to_string(i));
  add_name("Loop");
  auto define = [&](const std::string& name, const std::string& text) {
    for (model::DefinedName& def : wb.names)
      if (def.name == from_utf8(name)) def.tokens = encode(parse(from_utf8(text), wb, {0, 0}, Notation::A1), {0, 0}, EncodeForm::Name).tokens;
  };
  for (int i = 1; i <= kNames; ++i) {
    const std::string next = "Level" + std::to_string(i + 1);
    define("Level" + std::to_string(i), i == kNames ? "=1" : "=" + next + "+" + next);
  }
  define("Loop", "=Loop+Loop");
  for (int r = 1; r <= kChain; ++r) put_formula(wb, "A" + std::to_string(r), r == kChain ? "=1" : "=A" + std::to_string(r + 1) + "+1");
  put_formula(wb, "B1", "=Level1");
  put_formula(wb, "B2", "=Loop");
  // C1:C60 share ABS(ABS(...(C2)...)); C61 is NOW().
  Node tree = parse(u"=C2", wb, at("C1"), Notation::A1);
  for (int i = 0; i < kNesting; ++i) {
    Node abs;
    abs.kind = Node::Kind::Function;
    abs.function = 24;  // ABS
    abs.token_class = ptg::TokenClass::Value;
    abs.children.push_back(std::move(tree));
    tree = std::move(abs);
  }
  Encoded shared = encode(tree, at("C1"), EncodeForm::Relative);
  model::Sheet& s = *wb.sheets[0];
  s.shared_formulas[model::CellStore::key(at("C1"))] = model::SharedFormula{{at("C1"), {kShared - 1, 2}}, shared.tokens, shared.extra};
  Node member;
  member.kind = Node::Kind::SharedRef;
  member.first = {0, 2, false, false};
  for (int r = 0; r < kShared; ++r) {
    model::Cell c;
    c.formula = model::FormulaPtr::make(model::Formula{encode(member).tokens, {}, 0, false});
    s.cells.put({r, 2}, c);
  }
  put_formula(wb, "C" + std::to_string(kShared + 1), "=NOW()");

  std::unique_ptr<model::Workbook> read = xls::read_workbook(xls::write_workbook(wb));
  Engine engine(*read, EngineOptions{[] { return testing::kNow; }, {}});
  engine.recompute_all();
  auto value = [&](const std::string& cell) { return to_scalar(engine.value_of(0, at(cell))); };
  EXPECT_TRUE(same(value("A1"), double(kChain)));
  EXPECT_TRUE(same(value("B1"), std::ldexp(1.0, kNames - 1)));
  EXPECT_TRUE(same(value("B2"), -1.0));  // a circular reference keeps its value
  EXPECT_TRUE(same(value("C1"), testing::kNow));
  const EngineWork& work = engine.work();
  EXPECT_LE(work.deepest_nesting, kNesting + 2);
  EXPECT_LE(work.evaluations, uint64_t(kChain + kShared + 10));
  EXPECT_LE(work.nodes, uint64_t(4 * kChain + kShared * (kNesting + 2) + 20 * kNames));
  EXPECT_LE(work.decodes, uint64_t(kChain + kNames + 10));
}

}  // namespace
}  // namespace tabrel::formula
