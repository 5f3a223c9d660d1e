#include <gtest/gtest.h>

#include "spreadsheet/formula/token_builder.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/cell_formula.h"
#include "spreadsheet/formula/condition_formula.h"
#include "spreadsheet/formula/decode.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/print.h"
#include "spreadsheet/formula/sheet_names.h"

namespace tabrel::formula {
namespace {

using testing::Tokens;

struct Book {
  model::Workbook wb;
  Book() {
    for (const char16_t* n : {u"Sheet1", u"My Sheet", u"매출"}) {
      auto s = std::make_unique<model::Sheet>();
      s->name = n;
      wb.sheets.push_back(std::move(s));
    }
    model::SupportingBook self;
    self.kind = model::SupportingBook::Kind::Self;
    model::SupportingBook addin;
    addin.kind = model::SupportingBook::Kind::AddIn;
    addin.names.push_back({u"_xlfn.IFERROR", 0, {}});
    model::SupportingBook other;
    other.kind = model::SupportingBook::Kind::External;
    other.url = u"\x01" u"\x01" u"C" u"\x03" u"data" u"\x03" u"Book 2.xls";
    other.sheets = {u"Prices"};
    wb.externals.books = {self, addin, other};
    wb.externals.sheets = {{0, 0, 0}, {0, 1, 1}, {0, 0, 2}, {1, -2, -2}, {2, 0, 0}, {0, -1, -1}};
    wb.names.push_back(model::DefinedName{u"Rate", false, 0, 0, 0, {}, {}, {}});
    wb.names.push_back(model::DefinedName{u"Local", false, 0, 0, 2, {}, {}, {}});
  }
  std::u16string a1(const Tokens& t, model::CellRef base = {2, 3}) { return print(wb, base, t.bytes, {}, Notation::A1); }
  std::u16string r1c1(const Tokens& t, model::CellRef base = {2, 3}) { return print(wb, base, t.bytes, {}, Notation::R1C1); }
};

TEST(Print, ReferencesInBothNotations) {
  Book b;  // base cell D3
  struct Case { Tokens t; const char16_t* a1; const char16_t* r1c1; };
  std::vector<Case> cases = {
      {Tokens().ref(1, 2), u"=C2", u"=R[-1]C[-1]"},
      {Tokens().ref(2, 3), u"=D3", u"=RC"},
      {Tokens().ref(2, 1, false, false), u"=$B$3", u"=R3C2"},
      {Tokens().ref(4, 1, true, false), u"=$B5", u"=R[2]C2"},
      {Tokens().area(0, 0, 9, 1, false, 0x25), u"=$A$1:$B$10", u"=R1C1:R10C2"},
      {Tokens().area(0, 1, 65535, 1, false), u"=$B:$B", u"=C2"},
      {Tokens().area(4, 0, 5, 255, false), u"=$5:$6", u"=R5:R6"},
      {Tokens().u8(0x5A).u16(0).u16(0).u16(0), u"=Sheet1!$A$1", u"=Sheet1!R1C1"},
      {Tokens().u8(0x5A).u16(1).u16(0).u16(0xC003), u"='My Sheet'!D1", u"='My Sheet'!R[-2]C"},
      {Tokens().u8(0x3B).u16(2).u16(0).u16(1).u16(0).u16(0), u"=Sheet1:매출!$A$1:$A$2", u"=Sheet1:매출!R1C1:R2C1"},
      {Tokens().u8(0x5A).u16(4).u16(0).u16(0), u"='C:\\data\\[Book 2.xls]Prices'!$A$1",
       u"='C:\\data\\[Book 2.xls]Prices'!R1C1"},
      {Tokens().u8(0x5A).u16(5).u16(0).u16(0), u"=#REF!$A$1", u"=#REF!R1C1"},
      {Tokens().u8(0x4A).u16(0).u16(0), u"=#REF!", u"=#REF!"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(to_utf8(b.a1(c.t)), to_utf8(c.a1));
    EXPECT_EQ(to_utf8(b.r1c1(c.t)), to_utf8(c.r1c1));
  }
}

TEST(Print, SharedFormulaOffsetsResolveAgainstTheCell) {
  Book b;
  // PtgRefN: one row up, one column left (offsets stored as signed values).
  Tokens t = Tokens().u8(0x4C).u16(0xFFFF).u16(0xC0FF);
  EXPECT_EQ(to_utf8(b.a1(t, {9, 4})), "=D9");
  EXPECT_EQ(to_utf8(b.r1c1(t, {9, 4})), "=R[-1]C[-1]");
}

TEST(Print, OffsetsRoundTheSheetEdgeShowTheShorterWay) {
  Book b;
  // Offsets stored in names (3-D, relative), shared formulas and conditional formats (PtgRefN,
  // PtgAreaN) wrap round 65536 rows and 256 columns; cell formulas keep absolute coordinates.
  struct Case { Tokens t; bool offsets; model::CellRef from; const char* a1; const char* r1c1; };
  std::vector<Case> cases = {
      // A name defined from A1 referring to the last row: one row up from wherever it is used.
      {Tokens().u8(0x3A).u16(0).u16(0xFFFF).u16(0xC000), true, {0, 0}, "=Sheet1!A65536", "=Sheet1!R[-1]C"},
      {Tokens().u8(0x3A).u16(0).u16(0xFFFF).u16(0xC000), true, {4, 0}, "=Sheet1!A4", "=Sheet1!R[-1]C"},
      // ... and to the last column, and to the last row from the last row (wraps to the first).
      {Tokens().u8(0x3A).u16(0).u16(0).u16(0xC0FF), true, {0, 0}, "=Sheet1!IV1", "=Sheet1!RC[-1]"},
      {Tokens().u8(0x3A).u16(0).u16(1).u16(0xC001), true, {65535, 255}, "=Sheet1!A1", "=Sheet1!R[1]C[1]"},
      // PtgAreaN one row above to one row below, seen from the first row.
      {Tokens().u8(0x2D).u16(0xFFFF).u16(1).u16(0xC000).u16(0xC000), false, {0, 2}, "=C65536:C2", "=R[-1]C:R[1]C"},
      // Absolute parts never wrap; a cell formula's far reference keeps its long distance.
      {Tokens().u8(0x3A).u16(0).u16(65535).u16(0x4000), true, {0, 0}, "=Sheet1!A$65536", "=Sheet1!R65536C"},
      {Tokens().ref(65535, 0), false, {0, 0}, "=A65536", "=R[65535]C"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(to_utf8(print(b.wb, c.from, c.t.bytes, {}, Notation::A1, c.offsets)), c.a1) << c.r1c1;
    EXPECT_EQ(to_utf8(print(b.wb, c.from, c.t.bytes, {}, Notation::R1C1, c.offsets)), c.r1c1) << c.a1;
  }
}

TEST(ConditionFormula, OwnSheetShowsWithoutSheetName) {
  Book b;  // link 0: Sheet1, 1: My Sheet, 2: Sheet1:매출
  struct Case { Tokens t; model::CellRef from; const char* a1; const char* r1c1; };
  std::vector<Case> cases = {
      // Sheet1!AD1>3 as one writer stores it, for a format on AD1:AD10.
      {Tokens().u8(0x5A).u16(0).u16(0).u16(0xC000).integer(3).u8(0x0D), {0, 29}, "=AD1>3", "=RC>3"},
      {Tokens().u8(0x5A).u16(0).u16(0).u16(0xC000).integer(3).u8(0x0D), {4, 29}, "=AD5>3", "=RC>3"},
      {Tokens().u8(0x3B).u16(0).u16(0).u16(9).u16(0x12).u16(0x12), {0, 0}, "=$S$1:$S$10", "=R1C19:R10C19"},
      // Other sheets and sheet ranges keep their names.
      {Tokens().u8(0x5A).u16(1).u16(0).u16(0xC000), {0, 0}, "='My Sheet'!A1", "='My Sheet'!RC"},
      {Tokens().u8(0x5A).u16(2).u16(0).u16(0), {0, 0}, "=Sheet1:매출!$A$1", "=Sheet1:매출!R1C1"},
      // One row up, shown from the first row: round the edge, not #REF!.
      {Tokens().u8(0x4C).u16(0xFFFF).u16(0xC000), {0, 1}, "=B65536", "=R[-1]C"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(to_utf8(condition_formula(b.wb, 0, c.t.bytes, c.from, Notation::A1)), c.a1);
    EXPECT_EQ(to_utf8(condition_formula(b.wb, 0, c.t.bytes, c.from, Notation::R1C1)), c.r1c1);
  }
  // Seen from the sheet "My Sheet", references to Sheet1 keep the name.
  EXPECT_EQ(to_utf8(condition_formula(b.wb, 1, cases[0].t.bytes, {0, 29}, Notation::A1)), "=Sheet1!AD1>3");
}

TEST(Print, ConstantsOperatorsAndFunctions) {
  Book b;
  struct Case { Tokens t; const char* a1; };
  std::vector<Case> cases = {
      {Tokens().num(0.1).num(1e20).u8(0x03), "=0.1+1E+20"},
      {Tokens().num(1.0 / 3), "=0.333333333333333"},
      {Tokens().str("a\"b").str("").u8(0x08), "=\"a\"\"b\"&\"\""},
      {Tokens().integer(5).u8(0x13).u8(0x14), "=-5%"},
      {Tokens().integer(1).integer(2).u8(0x03).u8(0x15).integer(3).u8(0x05), "=(1+2)*3"},
      {Tokens().area(0, 0, 3, 0).u8(0x19).u8(0x10).u16(0), "=SUM(A1:A4)"},
      {Tokens().ref(0, 0).integer(0).u8(0x0D).str("Y").u8(0x16).funcvar(1, 3), "=IF(A1>0,\"Y\",)"},
      {Tokens().u8(0x1D).u8(1).u8(0x1C).u8(0x2A).funcvar(37, 2), "=OR(TRUE,#N/A)"},
      {Tokens().func(221).func(19).u8(0x03), "=TODAY()+PI()"},
      {Tokens().u8(0x39).u16(3).u16(1).u16(0).ref(0, 0).integer(0).funcvar(255, 3), "=IFERROR(A1,0)"},
      {Tokens().u8(0x43).u16(1).u16(0).integer(2).u8(0x05), "=Rate*2"},
      {Tokens().u8(0x59).u16(1).u16(2).u16(0), "='My Sheet'!Local"},
      {Tokens().ref(0, 0).space(0, 1).ref(0, 1).u8(0x03), "=A1+ B1"},
      {Tokens().ref(0, 0).ref(0, 1).space(0, 2).u8(0x03), "=A1  +B1"},
      {Tokens().ref(0, 0).space(4, 1).funcvar(4, 1).space(6, 1), "= SUM(A1 )"},
      {Tokens().ref(0, 0).space(2, 1).u8(0x15), "= (A1)"},
  };
  for (const auto& c : cases) EXPECT_EQ(to_utf8(b.a1(c.t)), c.a1);
}

TEST(Print, NumbersAsFormulasShowThem) {
  struct Case { double value; const char* text; };
  for (const Case& c : std::vector<Case>{{0.1, "0.1"}, {-2.5, "-2.5"}, {1.0 / 3, "0.333333333333333"}, {1e-5, "0.00001"},
                                         {1.5e-9, "0.0000000015"}, {1e-10, "1E-10"}, {123456789012345.0, "123456789012345"},
                                         {1e15, "1E+15"}, {1234567890123456789.0, "1.23456789012346E+18"}, {1e100, "1E+100"},
                                         {0.1 + 0.2, "0.3"}, {45352.5625, "45352.5625"}})
    EXPECT_EQ(to_utf8(number_text(c.value)), c.text) << c.value;
}

TEST(Print, ArrayConstantFromExtraData) {
  Book b;
  std::vector<uint8_t> tokens = {0x60, 0, 0, 0, 0, 0, 0, 0};
  std::vector<uint8_t> extra = {1, 1, 0,                       // 2 columns, 2 rows
                                0x01, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F,  // 1
                                0x02, 1, 0, 0, 'x',               // "x"
                                0x04, 1, 0, 0, 0, 0, 0, 0, 0,     // TRUE
                                0x10, 0x07, 0, 0, 0, 0, 0, 0, 0};    // #DIV/0!
  EXPECT_EQ(to_utf8(print(b.wb, {}, tokens, extra, Notation::A1)), "={1,\"x\";TRUE,#DIV/0!}");
}

TEST(Print, MalformedTokensGiveTypedErrors) {
  Book b;
  struct Case { std::vector<uint8_t> bytes; FormulaError::Kind kind; };
  std::vector<Case> cases = {
      {{}, FormulaError::Kind::BadStructure},
      {{0x44, 0x01}, FormulaError::Kind::Truncated},
      {{0x03}, FormulaError::Kind::BadStructure},
      {{0x1E, 1, 0, 0x1E, 1, 0}, FormulaError::Kind::BadStructure},
      {{0xFF}, FormulaError::Kind::UnknownToken},
      {{0x41, 0xFF, 0x7F}, FormulaError::Kind::UnknownToken},
      {{0x60, 0, 0, 0, 0, 0, 0, 0}, FormulaError::Kind::Truncated},  // array without its extra data
      {{0x17, 5, 0, 'a'}, FormulaError::Kind::Truncated},
  };
  for (const auto& c : cases) {
    try {
      print(b.wb, {}, c.bytes, {}, Notation::A1);
      ADD_FAILURE() << "no error for " << c.bytes.size() << " bytes";
    } catch (const FormulaError& e) {
      EXPECT_EQ(e.kind, c.kind) << e.what();
    }
  }
}

TEST(Print, DeepNestingIsBounded) {
  Tokens t;
  t.integer(1);
  for (int i = 0; i < 5000; ++i) t.u8(0x13);
  Book b;
  EXPECT_THROW(b.a1(t), FormulaError);
}

TEST(SheetNames, QuotingRule) {
  struct Case { const char16_t* name; bool quoted; };
  for (const Case& c : std::vector<Case>{{u"Sheet1", false}, {u"매출", false}, {u"data_2.x", false},
                                         {u"My Sheet", true}, {u"2024", true}, {u"A1", true}, {u"XFD1", true},
                                         {u"XFE1", false}, {u"R1C1", true}, {u"rc", true}, {u"R", true},
                                         {u"a-b", true}, {u"", true}, {u"it's", true}, {u"Sheet(1)", true}})
    EXPECT_EQ(sheet_name_needs_quotes(c.name), c.quoted) << to_utf8(c.name);
}

}  // namespace
}  // namespace tabrel::formula
