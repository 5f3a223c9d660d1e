// Recalculation order and bounds: long chains, deep formulas, circular references, names that
// refer to themselves, dynamic references; work, nesting and allocations are counted, not timed.

#include <cmath>
#include <string>
#include <vector>

#include "spreadsheet/formula/encode.h"
#include "spreadsheet/formula/engine_fixture.h"
#include "support/allocation_counter.h"

namespace tabrel::formula {
namespace {

using testing::at;
using testing::EngineFixture;
using testing::load;
using testing::same;

std::string a(int row) { return "A" + std::to_string(row); }

// Names first (formulas naming them parse only then), definitions after.
void define(EngineFixture& f, const std::vector<std::pair<std::string, std::string>>& names) {
  for (const auto& [name, formula] : names) {
    model::DefinedName def;
    def.name = from_utf8(name);
    f.wb->names.push_back(def);
  }
  for (const auto& [name, formula] : names)
    for (model::DefinedName& def : f.wb->names)
      if (def.name == from_utf8(name))
        def.tokens = encode(parse(from_utf8(formula), *f.wb, {0, 0}, Notation::A1), {0, 0}, EncodeForm::Name).tokens;
}

// A column of 10,000 cells each adding one to the next: exact at the far end, in either
// direction, each cell computed once, one formula's nesting at a time.
TEST(Recalculation, LongChainsAreExactAndComputeEachCellOnce) {
  constexpr int kCells = 10000;
  for (bool downwards : {true, false}) {
    EngineFixture f;
    // downwards: A1=A2+1 ... A9999=A10000+1, A10000=1; else A2=A1+1 ... with A1=1.
    for (int r = 1; r <= kCells; ++r) {
      const int next = downwards ? r + 1 : r - 1;
      const bool end = downwards ? r == kCells : r == 1;
      load(f, a(r), end ? "=1" : "=" + a(next) + "+1", model::CellValue::number(-7));
    }
    f.engine.recompute_all();
    EXPECT_TRUE(same(f.at((downwards ? std::string("A1") : a(kCells)).c_str()), double(kCells))) << downwards;
    EXPECT_EQ(f.engine.work().evaluations, uint64_t(kCells)) << downwards;
    EXPECT_LE(f.engine.work().deepest_nesting, 3) << downwards;
  }
}

// After one change, reading every cell recomputes the dependents once and nothing else; reads
// that follow no change compute nothing and allocate nothing.
TEST(Recalculation, ReadsAfterAChangeComputeOnlyDependents) {
  constexpr int kCells = 2000;
  EngineFixture f;
  for (int r = 1; r <= kCells; ++r) load(f, a(r), "=B1+" + std::to_string(r), model::CellValue::number(0));
  f.put("B1", "5");
  for (int r = 1; r <= kCells; ++r) ASSERT_TRUE(same(f.at(a(r).c_str()), 5.0 + r)) << r;
  const uint64_t evaluations = f.engine.work().evaluations;
  EXPECT_EQ(evaluations, uint64_t(kCells));
  test_support::AllocationCounter counter;
  for (int r = 1; r <= kCells; ++r) f.engine.value_of(0, at(a(r)));
  EXPECT_EQ(f.engine.work().evaluations, evaluations);
  if (test_support::AllocationCounter::active()) {
    EXPECT_EQ(counter.since().calls, 0u);
  }
}

// A clock that ticks while cells are read starts no recalculation before another day, so
// reading the dependents of NOW() one by one computes each once.
TEST(Recalculation, ATickingClockDoesNotRecomputeEveryRead) {
  constexpr int kCells = 200;
  double now = 45000.25;
  auto wb = testing::small_book();
  Engine engine(*wb, EngineOptions{[&] { return now += 1.0 / 86400; }, {}});
  engine.set_formula(0, at("A1"), u"=NOW()", Notation::A1);
  for (int r = 2; r <= kCells; ++r) engine.set_formula(0, at(a(r)), from_utf8("=" + a(r - 1) + "+1"), Notation::A1);
  const uint64_t evaluations = engine.work().evaluations;
  for (int r = 1; r <= kCells; ++r) engine.value_of(0, at(a(r)));
  EXPECT_EQ(engine.work().evaluations, evaluations);
  now += 1;  // the next day
  EXPECT_TRUE(same(to_scalar(engine.value_of(0, at(a(kCells)))), now + kCells - 1));
  EXPECT_EQ(engine.work().evaluations, evaluations + kCells);
}

// 60 cells share one formula of 250 nested calls, each reading the next row, the last cell
// volatile: nesting is one formula's, and the shared formula is decoded once.
TEST(Recalculation, DeepFormulasInALongChainNestOnlyOnce) {
  constexpr int kCells = 60, kNesting = 250;
  EngineFixture f;
  model::Sheet& s = *f.wb->sheets[0];
  Node tree = parse(u"=A2", *f.wb, at("A1"), Notation::A1);
  for (int i = 0; i < kNesting; ++i) {
    Node abs;
    abs.kind = Node::Kind::Function;
    abs.function = 24;  // ABS
    abs.token_class = ptg::TokenClass::Value;
    abs.children.push_back(std::move(tree));
    tree = std::move(abs);
  }
  Encoded shared = encode(tree, at("A1"), EncodeForm::Relative);
  s.shared_formulas[model::CellStore::key(at("A1"))] = model::SharedFormula{{at("A1"), at(a(kCells))}, shared.tokens, shared.extra};
  Node exp;
  exp.kind = Node::Kind::SharedRef;
  exp.first = {0, 0, false, false};
  for (int r = 0; r < kCells; ++r) {
    model::Cell cell;
    cell.formula = model::FormulaPtr::make(model::Formula{encode(exp).tokens, {}, 0, false});
    s.cells.put({r, 0}, cell);
  }
  load(f, a(kCells + 1), "=NOW()");
  EXPECT_TRUE(same(f.at("A1"), testing::kNow));
  EXPECT_EQ(f.engine.work().decodes, 2u);
  EXPECT_LE(f.engine.work().deepest_nesting, kNesting + 2);
  EXPECT_GE(f.engine.work().longest_stack, size_t(kCells));
  EXPECT_TRUE(f.engine.is_volatile_cell(0, at("A1")));
}

// With iteration off, the cells of a circle keep what they hold (0 when they hold nothing);
// a cell outside the circle computes from those values.
TEST(Recalculation, CircularReferencesKeepTheirValues) {
  EngineFixture f;
  load(f, "A1", "=B1+1", model::CellValue::number(5));
  load(f, "B1", "=A1+1", model::CellValue::number(6));
  load(f, "C1", "=A1*10", model::CellValue::number(0));
  f.wb->sheets[0]->changes.mark(at("A1"), 1);
  EXPECT_TRUE(same(f.at("A1"), 5.0));
  EXPECT_TRUE(same(f.at("B1"), 6.0));
  EXPECT_TRUE(same(f.at("C1"), 50.0));
  // The formula that closes a circle shows 0 (it held nothing), the other cells what they held;
  // a cell reading itself, also through a range, shows 0.
  f.put("D1", "=E1+1");
  f.put("E1", "=D1+1");
  f.put("F1", "=F1+1");
  f.put("G3", "=SUM(G1:G5)");
  EXPECT_TRUE(same(f.at("D1"), 1.0));
  for (const char* cell : {"E1", "F1", "G3"}) EXPECT_TRUE(same(f.at(cell), 0.0)) << cell;
  // Naming a cell without reading its value closes no circle.
  f.put("H1", "=I1+1");
  f.put("I1", "=ROW(H1)*10+CELL(\"row\",H1)");
  EXPECT_TRUE(same(f.at("H1"), 12.0));
  EXPECT_TRUE(same(f.at("I1"), 11.0));
}

// References found while evaluating are computed first too, and their circles are found.
TEST(Recalculation, DynamicReferencesAreOrderedAndTheirCirclesFound) {
  constexpr int kCells = 3000;
  EngineFixture f;
  for (int r = 1; r <= kCells; ++r)
    load(f, a(r), r == kCells ? "=1" : "=INDIRECT(\"A" + std::to_string(r + 1) + "\")+1", model::CellValue::number(0));
  load(f, "B1", "=SUM(OFFSET(A1,0,0,3,1))");
  f.engine.recompute_all();
  EXPECT_TRUE(same(f.at("B1"), 3.0 * kCells - 3));
  EXPECT_LE(f.engine.work().evaluations, uint64_t(2 * kCells + 2));
  EXPECT_LE(f.engine.work().deepest_nesting, 4);
  f.put("C1", "=INDIRECT(\"D1\")+1");
  f.put("D1", "=INDEX(C1:C2,1)+1");
  EXPECT_TRUE(same(f.at("C1"), 1.0));
  EXPECT_TRUE(same(f.at("D1"), 0.0));
}

// A name is resolved once per recalculation: Level1 = Level2+Level2 ... Level40 = 1 takes linear work, and a
// name that reaches itself makes the cell using it a circular reference.
TEST(Recalculation, NamesResolveOnceAndSelfReferenceIsCircular) {
  constexpr int kNames = 40;
  EngineFixture f;
  std::vector<std::pair<std::string, std::string>> names;
  for (int i = 1; i <= kNames; ++i) {
    const std::string next = "Level" + std::to_string(i + 1);
    names.emplace_back("Level" + std::to_string(i), i == kNames ? "=1" : "=" + next + "+" + next);
  }
  names.emplace_back("Loop", "=Loop+Loop");
  define(f, names);
  f.put("A1", "=Level1");
  EXPECT_TRUE(same(f.at("A1"), std::ldexp(1.0, kNames - 1)));
  EXPECT_LE(f.engine.work().nodes, uint64_t(10 * kNames));
  f.put("B1", "=Loop*2");
  EXPECT_TRUE(same(f.at("B1"), 0.0));
  load(f, "B2", "=Loop", model::CellValue::number(3));
  f.engine.recompute_all();
  EXPECT_TRUE(same(f.at("B2"), 3.0));
  EXPECT_LE(f.engine.work().nodes, uint64_t(20 * kNames));
}

// Past the work limit every formula keeps its cached result and says why.
TEST(Recalculation, WorkLimitLeavesCachedResults) {
  auto wb = testing::small_book();
  Engine engine(*wb, EngineOptions{[] { return testing::kNow; }, {}, 50});
  for (int r = 1; r <= 100; ++r) {
    Node tree = parse(from_utf8("=SUM(B1:B5)+" + std::to_string(r)), *wb, at(a(r)), Notation::A1);
    model::Cell c;
    c.value = model::CellValue::number(-1);
    c.formula = model::FormulaPtr::make(model::Formula{encode(tree, at(a(r))).tokens, {}, 0, false});
    wb->sheets[0]->cells.put(at(a(r)), c);
  }
  engine.recompute_all();
  EXPECT_LE(engine.work().nodes, 51u + 100u);
  EXPECT_TRUE(same(to_scalar(engine.value_of(0, at("A100"))), -1.0));
  ASSERT_FALSE(engine.problems().empty());
  EXPECT_EQ(engine.problems().back().message, "work limit reached");
}

// Every cell a range gives counts: an array formula over a whole column reads 65,536 cells.
TEST(Recalculation, WorkLimitCountsEveryCellOfARange) {
  struct Case {
    uint64_t limit;
    double expected;  // -1: the cached result kept
  };
  for (const Case& c : {Case{10'000, -1}, Case{1'000'000, 10}}) {
    auto wb = testing::small_book();
    for (int r = 1; r <= 10; ++r) {
      model::Cell number;
      number.value = model::CellValue::number(r);
      wb->sheets[0]->cells.put(at(a(r)), number);
    }
    Node tree = parse(u"=SUMPRODUCT((A1:A65536>0)*1)", *wb, at("B1"), Notation::A1);
    model::Cell formula;
    formula.value = model::CellValue::number(-1);
    formula.formula = model::FormulaPtr::make(model::Formula{encode(tree, at("B1")).tokens, {}, 0, false});
    wb->sheets[0]->cells.put(at("B1"), formula);
    Engine engine(*wb, EngineOptions{[] { return testing::kNow; }, {}, c.limit});
    engine.recompute_all();
    EXPECT_TRUE(same(to_scalar(engine.value_of(0, at("B1"))), c.expected)) << "limit " << c.limit;
    EXPECT_LE(engine.work().nodes + engine.work().reads, c.limit + 1);
  }
}

}  // namespace
}  // namespace tabrel::formula
