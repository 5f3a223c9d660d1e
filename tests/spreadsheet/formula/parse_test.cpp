#include <gtest/gtest.h>

#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/book_fixture.h"
#include "spreadsheet/formula/decode.h"
#include "spreadsheet/formula/encode.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/parse.h"
#include "spreadsheet/formula/print.h"
#include "spreadsheet/formula/shift.h"

namespace tabrel::formula {
namespace {

// Formulas in the form the spreadsheet prints them; each must survive text -> tree -> text,
// A1 -> R1C1 -> A1 and tree -> bytes -> tree unchanged.
const char* const kCanonical[] = {
    "=A1",
    "=$B$3+C$4*$D5",
    "=SUM(A1:B10)",
    "=SUM(A1:A4,C1,5)",
    "=AVERAGE($A:$A)",
    "=SUM(3:5)",
    "=IF(A1>=60,\"합격\",\"불합격\")",
    "=IF(A1<>\"\",1,)",
    "=-2^2",
    "=-5%",
    "=(1+2)*3-4/5",
    "=\"a\"\"b\"&C2",
    "=Sheet1!A1+'My Sheet'!$B$2",
    "=SUM(Sheet1:매출!A1:B2)",
    "=VLOOKUP(A2,'My Sheet'!$A$1:$C$20,3,FALSE)",
    "=COUNTIF(B2:B10,\">=\"&C1)",
    "=IFERROR(1/0,\"x\")",
    "=Rate*2",
    "=TODAY()",
    "=PI()",
    "={1,2;3,4}",
    "=SUM({1,-2.5,\"a\",TRUE,#N/A})",
    "=#DIV/0!",
    "=Sheet1!#REF!",
    "=RANK(A2,$A$2:$A$10,0)",
    "=A1 + B1",
    "=SUM(A1 )",
    "=SUM((A1,B1))",
    "=CHOOSE(WEEKDAY(A1,2),\"월\",\"화\")",
    "=1.5E+20+0.001",
    "=ROUND(AVERAGE(A1:A3),1)",
    "=MyTotal(A1:A3,2)",
    "=#REF!$A$1+1",
    "= 2 > 1",
    "=IF(#REF!B2=\"\",0,1)",
};

TEST(Parse, CanonicalTextsSurviveEveryRoundTrip) {
  auto wb = testing::small_book();
  model::CellRef base{4, 2};
  for (const char* text : kCanonical) {
    std::u16string a1 = from_utf8(text);
    Node tree = parse(a1, *wb, base, Notation::A1);
    EXPECT_EQ(to_utf8(print(*wb, base, tree, Notation::A1)), text);

    std::u16string r1c1 = print(*wb, base, tree, Notation::R1C1);
    Node from_r1c1 = parse(r1c1, *wb, base, Notation::R1C1);
    EXPECT_EQ(to_utf8(print(*wb, base, from_r1c1, Notation::A1)), text) << to_utf8(r1c1);
    EXPECT_EQ(print(*wb, base, from_r1c1, Notation::R1C1), r1c1);

    Encoded bytes = encode(tree, base);
    Node decoded = decode(bytes.tokens, bytes.extra, base);
    EXPECT_EQ(to_utf8(print(*wb, base, decoded, Notation::A1)), text);

    Encoded shared = encode(tree, base, EncodeForm::Relative);
    model::CellRef elsewhere{10, 5};
    Node moved = decode(shared.tokens, shared.extra, elsewhere, true);
    EXPECT_EQ(print(*wb, elsewhere, moved, Notation::R1C1), r1c1) << text;
  }
}

TEST(Parse, ReferencesIntoOtherWorkbooksTheLinksHold) {
  auto wb = testing::small_book();
  model::SupportingBook other;
  other.kind = model::SupportingBook::Kind::External;
  other.url = u"\x01\x01" u"C\x03" u"data\x03" u"Prices 2.xls";
  other.sheets = {u"Jan", u"Feb"};
  other.names.push_back(model::ExternalName{u"Rate", 0, {}});
  wb->externals.books.push_back(other);
  for (const char* text : {"='C:\\data\\[Prices 2.xls]Feb'!$B$2*2", "='C:\\data\\Prices 2.xls'!Rate"}) {
    Node tree = parse(from_utf8(text), *wb, {}, Notation::A1);
    EXPECT_EQ(to_utf8(print(*wb, {}, tree, Notation::A1)), text);
  }
  EXPECT_THROW(parse(u"='[Other.xls]Jan'!A1", *wb, {}, Notation::A1), FormulaError);
  EXPECT_THROW(parse(u"='[Prices 2.xls]Mar'!A1", *wb, {}, Notation::A1), FormulaError);
}

TEST(Parse, SheetScopedNamesFromAnotherSheet) {
  auto wb = testing::small_book();
  model::DefinedName local;
  local.name = u"Local";
  local.sheet_scope = 2;  // "My Sheet"
  wb->names.push_back(local);
  Node tree = parse(u"='My Sheet'!Local*2", *wb, {}, Notation::A1);
  EXPECT_EQ(to_utf8(print(*wb, {}, tree, Notation::A1)), "='My Sheet'!Local*2");
  EXPECT_THROW(parse(u"=Sheet1!Local", *wb, {}, Notation::A1), FormulaError);
}

TEST(Parse, AcceptsLooseSpellings) {
  auto wb = testing::small_book();
  struct Case { const char* in; const char* out; Notation notation; };
  for (const Case& c : std::vector<Case>{
           {"sum(a1:b2)", "=SUM(A1:B2)", Notation::A1},
           {"=if(true,1,2)", "=IF(TRUE,1,2)", Notation::A1},
           {"=rc[-1]*r1c1", "=A3*$A$1", Notation::R1C1},
           {"=SUM(R[-2]C:R[-1]C)", "=SUM(B1:B2)", Notation::R1C1},
           {"=C[1]", "=C:C", Notation::R1C1},
           {"=R2", "=$2:$2", Notation::R1C1},
           {"='sheet1'!a1", "=Sheet1!A1", Notation::A1},
           {"=1e3", "=1000", Notation::A1},
           {"=iferror(1,2)", "=IFERROR(1,2)", Notation::A1},
       }) {
    Node tree = parse(from_utf8(c.in), *wb, {2, 1}, c.notation);
    EXPECT_EQ(to_utf8(print(*wb, {2, 1}, tree, Notation::A1)), c.out) << c.in;
  }
}

TEST(Parse, MalformedTextGivesErrorsWithOffsets) {
  auto wb = testing::small_book();
  struct Case { const char* text; FormulaError::Kind kind; size_t offset; };
  for (const Case& c : std::vector<Case>{
           {"=", FormulaError::Kind::Syntax, 1},
           {"=SUM(A1", FormulaError::Kind::Syntax, 7},
           {"=\"abc", FormulaError::Kind::Syntax, 5},
           {"=1+", FormulaError::Kind::Syntax, 3},
           {"=ROUND(1)", FormulaError::Kind::Syntax, 1},
           {"=Other!A1", FormulaError::Kind::UnknownSheet, 1},
           {"=A1)", FormulaError::Kind::Syntax, 3},
           {"={1,2;3}", FormulaError::Kind::Syntax, 7},
           {"=1@2", FormulaError::Kind::Syntax, 2},
       }) {
    try {
      parse(from_utf8(c.text), *wb, {}, Notation::A1);
      ADD_FAILURE() << "no error for " << c.text;
    } catch (const FormulaError& e) {
      EXPECT_EQ(e.kind, c.kind) << c.text << ": " << e.what();
      EXPECT_EQ(e.offset, c.offset) << c.text << ": " << e.what();
    }
  }
  std::u16string deep(2000, u'(');
  EXPECT_THROW(parse(u"=" + deep + u"1", *wb, {}, Notation::A1), FormulaError);
}

TEST(Encode, IfJumpsAndSumAttributeAsTheSpreadsheetWritesThem) {
  auto wb = testing::small_book();
  Encoded e = encode(parse(u"=IF(A1>0,\"Y\",\"N\")", *wb, {}, Notation::A1));
  std::vector<uint8_t> expected = {0x44, 0, 0, 0, 0xC0, 0x1E, 0, 0, 0x0D,
                                   0x19, 0x02, 8, 0,            // jump over the true branch
                                   0x17, 1, 0, 'Y', 0x19, 0x08, 11, 0,
                                   0x17, 1, 0, 'N', 0x19, 0x08, 3, 0,
                                   0x42, 3, 1, 0};
  EXPECT_EQ(e.tokens, expected);
  struct Case { const char16_t* text; std::vector<uint8_t> bytes; };
  for (const Case& c : std::vector<Case>{
           {u"=CHOOSE(1,2,3)", {0x1E, 1, 0, 0x19, 0x04, 2, 0, 6, 0, 13, 0, 20, 0, 0x1E, 2, 0, 0x19, 0x08, 10, 0,
                                0x1E, 3, 0, 0x19, 0x08, 3, 0, 0x42, 3, 100, 0}},
           {u"=INDIRECT(\"B9\")", {0x19, 0x01, 0, 0, 0x17, 2, 0, 'B', '9', 0x42, 1, 148, 0}},
           {u"=TYPE({1,2;3,4})", {0x60, 1, 1, 0, 0, 0, 0, 0, 0x41, 86, 0}},
       })
    EXPECT_EQ(encode(parse(c.text, *wb, {}, Notation::A1)).tokens, c.bytes) << to_utf8(c.text);
  Encoded sum = encode(parse(u"=SUM(A1:A3)", *wb, {}, Notation::A1));
  std::vector<uint8_t> sum_expected = {0x25, 0, 0, 2, 0, 0, 0xC0, 0, 0xC0, 0x19, 0x10, 0, 0};
  EXPECT_EQ(sum.tokens, sum_expected);
}

}  // namespace
}  // namespace tabrel::formula

namespace tabrel::formula {
namespace {

TEST(Shift, CopyMovesRelativePartsOnly) {
  auto wb = testing::small_book();
  struct Case { const char* in; int rows, cols; const char* out; };
  for (const Case& c : std::vector<Case>{
           {"=A1+$B$2+C$3+$D4", 2, 1, "=B3+$B$2+D$3+$D6"},
           {"=SUM(A1:B2)", 1, 0, "=SUM(A2:B3)"},
           {"=SUM($A:$A)", 5, 0, "=SUM($A:$A)"},
           {"=A2", -2, 0, "=#REF!"},
           {"=Sheet1!A1:B2", 0, -1, "=Sheet1!#REF!"},
       }) {
    Node tree = parse(from_utf8(c.in), *wb, {}, Notation::A1);
    shift_references(tree, c.rows, c.cols);
    EXPECT_EQ(to_utf8(print(*wb, {}, tree, Notation::A1)), c.out) << c.in;
  }
}

}  // namespace
}  // namespace tabrel::formula
