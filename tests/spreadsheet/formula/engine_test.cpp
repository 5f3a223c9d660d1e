#include "spreadsheet/formula/cell_formula.h"
#include "spreadsheet/formula/encode.h"
#include "spreadsheet/formula/engine_fixture.h"

namespace tabrel::formula {
namespace {

using testing::at;
using testing::EngineFixture;
using testing::load;
using testing::same;

void constant(EngineFixture& f, const char* a1, double v) {
  model::Cell cell;
  cell.value = model::CellValue::number(v);
  f.wb->sheets[0]->cells.put(at(a1), cell);
}

TEST(Engine, CachedResultsStandUntilAPrecedentChanges) {
  EngineFixture f;
  constant(f, "A1", 2);
  load(f, "B1", "=A1*10", model::CellValue::number(999));
  load(f, "C1", "=B1+1", model::CellValue::number(1000));
  EXPECT_TRUE(same(f.at("B1"), 999.0));
  f.wb->sheets[0]->cells.find(at("A1"))->value = model::CellValue::number(3);
  f.wb->sheets[0]->changes.mark(at("A1"), 1);
  EXPECT_TRUE(same(f.at("C1"), 31.0));
  EXPECT_TRUE(same(f.at("B1"), 30.0));
  f.put("A1", "4");  // through the engine: mark_changed
  EXPECT_TRUE(same(f.at("C1"), 41.0));
}

TEST(Engine, VolatileCellsAndTheirDependentsFollowTheClock) {
  double now = 45000.25;
  auto wb = testing::small_book();
  Engine engine(*wb, EngineOptions{[&] { return now; }, {}});
  engine.set_formula(0, at("A1"), u"=TODAY()", Notation::A1);
  engine.set_formula(0, at("B1"), u"=A1+1", Notation::A1);
  EXPECT_TRUE(same(to_scalar(engine.value_of(0, at("B1"))), 45001.0));
  now = 45010.5;
  EXPECT_TRUE(same(to_scalar(engine.value_of(0, at("B1"))), 45011.0));
  EXPECT_TRUE(same(to_scalar(engine.value_of(0, at("A1"))), 45010.0));
}


TEST(Engine, UnknownFunctionsKeepTheCachedResultOrGiveName) {
  EngineFixture f;
  constant(f, "A1", 1);
  load(f, "B1", "=FISHER(A1)", model::CellValue::number(0.5));
  f.put("A1", "2");
  EXPECT_TRUE(same(f.at("B1"), 0.5));
  f.put("C1", "=FISHER(0.5)");
  EXPECT_EQ(f.at("C1"), Scalar(CellError::Name));
  ASSERT_FALSE(f.engine.problems().empty());
  EXPECT_NE(f.engine.problems()[0].message.find("FISHER"), std::string::npos);
}

TEST(Engine, MalformedTokensKeepTheCachedValueAndAreReported) {
  EngineFixture f;
  model::Cell cell;
  cell.value = model::CellValue::number(42);
  cell.formula = model::FormulaPtr::make(model::Formula{{0x44, 0x00}, {}, 0, false});
  f.wb->sheets[0]->cells.put(at("A1"), cell);
  f.wb->sheets[0]->changes.mark(at("A1"), 1);
  EXPECT_TRUE(same(f.at("A1"), 42.0));
  EXPECT_EQ(f.engine.problems().size(), 1u);
}

TEST(Engine, SharedAndArrayFormulasComputeFromEachCell) {
  EngineFixture f;
  model::Sheet& s = *f.wb->sheets[0];
  for (int r = 0; r < 3; ++r) constant(f, ("A" + std::to_string(r + 1)).c_str(), r + 1);
  // B1:B3 share =A1*2 (relative tokens); each member holds a PtgExp to B1.
  Node tree = parse(u"=A1*2", *f.wb, at("B1"), Notation::A1);
  Encoded rel = encode(tree, at("B1"), EncodeForm::Relative);
  s.shared_formulas[model::CellStore::key(at("B1"))] = model::SharedFormula{{at("B1"), at("B3")}, rel.tokens, rel.extra};
  // C1:C3 hold the array formula {=A1:A3*10}.
  Encoded arr = encode(parse(u"=A1:A3*10", *f.wb, at("C1"), Notation::A1), at("C1"));
  s.array_formulas[model::CellStore::key(at("C1"))] = model::ArrayFormula{{at("C1"), at("C3")}, 0, arr.tokens, arr.extra};
  for (int r = 0; r < 3; ++r) {
    for (int col : {1, 2}) {
      model::Cell cell;
      cell.value = model::CellValue::number(-1);
      Node exp;
      exp.kind = Node::Kind::SharedRef;
      exp.first = {0, col, false, false};
      cell.formula = model::FormulaPtr::make(model::Formula{encode(exp).tokens, {}, 0, false});
      s.cells.put({r, col}, cell);
      s.changes.mark({r, col}, 1);
    }
  }
  EXPECT_EQ(to_utf8(cell_formula(*f.wb, s, at("B3"), Notation::A1)), "=A3*2");
  EXPECT_EQ(to_utf8(cell_formula(*f.wb, s, at("B3"), Notation::R1C1)), "=RC[-1]*2");
  EXPECT_TRUE(same(f.at("B3"), 6.0));
  EXPECT_TRUE(same(f.at("C2"), 20.0));
  EXPECT_TRUE(same(f.at("C3"), 30.0));
}

TEST(Engine, DataTablesWithOneAndTwoInputs) {
  EngineFixture f;
  model::Sheet& s = *f.wb->sheets[0];
  // Input cells A1 (rate) and A2 (amount); formula =A1*A2.
  f.put("A1", "0.1");
  f.put("A2", "100");
  // One-input column table: D2 holds the formula, C3:C4 the rates, D3:D4 the results.
  f.put("D2", "=A1*A2");
  f.put("C3", "0.2");
  f.put("C4", "0.3");
  model::DataTable one;
  one.range = {at("D3"), at("D4")};
  one.input1 = at("A1");
  s.data_tables[model::CellStore::key(at("D3"))] = one;
  // Two-input table: F6 formula, G6:H6 amounts (row input A2), F7:F8 rates (column input A1).
  f.put("F6", "=A1*A2");
  f.put("G6", "10");
  f.put("H6", "20");
  f.put("F7", "0.5");
  f.put("F8", "2");
  model::DataTable two;
  two.range = {at("G7"), at("H8")};
  two.flags = 0x08;
  two.input1 = at("A2");
  two.input2 = at("A1");
  s.data_tables[model::CellStore::key(at("G7"))] = two;
  Node tbl;
  tbl.kind = Node::Kind::TableRef;
  for (const char* c : {"D3", "D4"}) {
    tbl.first = {2, 3, false, false};
    model::Cell cell;
    cell.formula = model::FormulaPtr::make(model::Formula{encode(tbl).tokens, {}, 0, false});
    s.cells.put(at(c), cell);
    s.changes.mark(at(c), 1);
  }
  for (const char* c : {"G7", "H7", "G8", "H8"}) {
    tbl.first = {6, 6, false, false};
    model::Cell cell;
    cell.formula = model::FormulaPtr::make(model::Formula{encode(tbl).tokens, {}, 0, false});
    s.cells.put(at(c), cell);
    s.changes.mark(at(c), 1);
  }
  EXPECT_TRUE(same(f.at("D3"), 20.0));
  EXPECT_TRUE(same(f.at("D4"), 30.0));
  EXPECT_TRUE(same(f.at("G7"), 5.0));
  EXPECT_TRUE(same(f.at("H8"), 40.0));
  EXPECT_TRUE(same(f.at("D2"), 10.0));  // the inputs themselves are untouched
  EXPECT_EQ(to_utf8(cell_formula(*f.wb, s, at("D3"), Notation::A1)), "=TABLE(,A1)");
  EXPECT_EQ(to_utf8(cell_formula(*f.wb, s, at("H8"), Notation::R1C1)), "=TABLE(R2C1,R1C1)");
}

TEST(Engine, LongChainsComputeWithoutDeepNesting) {
  EngineFixture f;
  constant(f, "A1", 1);
  for (int r = 2; r <= 3000; ++r) {
    std::string cell = "A" + std::to_string(r), formula = "=A" + std::to_string(r - 1) + "+1";
    load(f, cell.c_str(), formula.c_str(), model::CellValue::number(0));
  }
  f.put("A1", "5");
  EXPECT_TRUE(same(f.at("A3000"), 3004.0));
}

TEST(CellFormula, ConstantsAsTheFormulaBarShowsThem) {
  EngineFixture f;
  model::Sheet& s = *f.wb->sheets[0];
  f.put("A1", "1234.5");
  f.put("A2", "'0012");
  f.put("A3", "TRUE");
  f.put("A4", "#N/A");
  f.put("A5", "45352");
  s.cells.find(at("A5"))->xf = f.wb->styles.intern_xf([&] {
    model::Xf xf;
    xf.format = 14;
    return xf;
  }());
  f.put("A6", "45352.5625");
  s.cells.find(at("A6"))->xf = s.cells.find(at("A5"))->xf;
  f.put("A7", "=A1");
  // A percent format shows "50%" in the cell; the Formula property gives the plain value.
  f.put("A8", "0.5");
  s.cells.find(at("A8"))->xf = f.wb->styles.intern_xf([&] {
    model::Xf xf;
    xf.format = 9;
    return xf;
  }());
  struct Case { const char* cell; const char* text; };
  for (const Case& c : std::vector<Case>{{"A1", "1234.5"}, {"A2", "0012"}, {"A3", "TRUE"}, {"A4", "#N/A"},
                                         {"A5", "2024-03-01"}, {"A6", "2024-03-01 오후 1:30:00"}, {"A7", "=A1"},
                                         {"A8", "0.5"}, {"A9", ""}})
    EXPECT_EQ(to_utf8(cell_formula(*f.wb, s, at(c.cell), Notation::A1)), c.text) << c.cell;
}

}  // namespace
}  // namespace tabrel::formula

namespace tabrel::formula {
namespace {

TEST(Engine, NamesWithRelativeReferencesFollowTheCell) {
  EngineFixture f;
  for (int r = 0; r < 3; ++r) constant(f, ("A" + std::to_string(r + 1)).c_str(), (r + 1) * 10);
  // "Left" refers to the cell left of where it is used: Sheet1!RC[-1], stored as offsets.
  Node ref = parse(u"=Sheet1!A1", *f.wb, at("B1"), Notation::A1);
  model::DefinedName left;
  left.name = u"Left";
  left.tokens = encode(ref, at("B1"), EncodeForm::Name).tokens;
  f.wb->names.push_back(left);
  f.put("B3", "=Left*2");
  EXPECT_TRUE(same(f.at("B3"), 60.0));
  EXPECT_EQ(to_utf8(print(*f.wb, at("C5"), left.tokens, {}, Notation::R1C1, true)), "=Sheet1!RC[-1]");
  EXPECT_EQ(to_utf8(print(*f.wb, at("C5"), left.tokens, {}, Notation::A1, true)), "=Sheet1!B5");
}

TEST(Engine, RelativeNamesWrapRoundTheSheetEdge) {
  EngineFixture f;
  constant(f, "A65536", 7);
  constant(f, "IV2", 5);
  // "Above" is Sheet1!R[-1]C and "Left" Sheet1!RC[-1]: used in the first row or column they
  // reach the last one, as the spreadsheet wraps names' relative references.
  for (auto [name, text] : {std::pair{u"Above", u"=Sheet1!B1"}, std::pair{u"Left", u"=Sheet1!A2"}}) {
    model::DefinedName def;
    def.name = name;
    def.tokens = encode(parse(text, *f.wb, at("B2"), Notation::A1), at("B2"), EncodeForm::Name).tokens;
    f.wb->names.push_back(def);
  }
  f.put("A1", "=Above*2");
  f.put("A2", "=Left+1");
  EXPECT_TRUE(same(f.at("A1"), 14.0)) << testing::describe(f.at("A1"));
  EXPECT_TRUE(same(f.at("A2"), 6.0)) << testing::describe(f.at("A2"));
}

TEST(Engine, RecomputeAllRefreshesEveryFormula) {
  EngineFixture f;
  constant(f, "A1", 2);
  load(f, "A2", "=A1*3", model::CellValue::number(0));
  load(f, "A3", "=A2+A1", model::CellValue::number(0));
  EXPECT_EQ(f.engine.recompute_all(), 2u);
  EXPECT_TRUE(same(to_scalar(f.wb->sheets[0]->cells.find(at("A3"))->value), 8.0));
}

}  // namespace
}  // namespace tabrel::formula
