// CELL's info types and INDIRECT of whole rows and columns.

#include "spreadsheet/formula/engine_fixture.h"

namespace tabrel::formula {
namespace {

using testing::EngineFixture;
using testing::check_all;
using E = CellError;
using S = std::u16string;

// Sheet1: B2 7, C3 "x", Z8 the text "row 8", H100 42, H1:H3 1 2 3; 'My Sheet'!H100 5.
// Formulas are evaluated as if they stood in Z100.
struct LookupSheet : EngineFixture {
  LookupSheet() {
    put("B2", "7");
    put("C3", "x");
    put("Z8", "row 8");
    put("H100", "42");
    for (const char* h : {"H1", "H2", "H3"}) put(h, h + 1);
    put("H100", "5", 1);
  }
};

TEST(LookupFixes, CellInfoTypes) {
  LookupSheet f;
  check_all(f, {
      {"=CELL(\"address\",B2)", S(u"$B$2")}, {"=CELL(\"ADDRESS\",C3:D9)", S(u"$C$3")},
      {"=CELL(\"row\",C3)", 3.0}, {"=CELL(\"col\",C3)", 3.0}, {"=CELL(\"Col\",AB1)", 28.0},
      {"=CELL(\"contents\",B2)", 7.0}, {"=CELL(\"contents\",C3)", S(u"x")}, {"=CELL(\"contents\",D4)", 0.0},
      {"=CELL(\"type\",B2)", S(u"v")}, {"=CELL(\"type\",C3)", S(u"l")}, {"=CELL(\"type\",D4)", S(u"b")},
      {"=CELL(\"row\")", 100.0}, {"=CELL(\"address\")", S(u"$Z$100")},
      // Localized or misspelt info types, non-text info types, and values for the reference.
      {"=CELL(\"adresse\",B2)", E::Value}, {"=CELL(\"zeile\",B2)", E::Value}, {"=CELL(\" row\",B2)", E::Value},
      {"=CELL(\"\",B2)", E::Value}, {"=CELL(1,B2)", E::Value}, {"=CELL(\"row\",5)", E::Value},
      {"=CELL(#N/A,B2)", E::NA}, {"=ISERROR(CELL(\"adresse\",B2))", true},
  });
}

TEST(LookupFixes, IndirectWholeRowsAndColumns) {
  LookupSheet f;
  check_all(f, {
      {"=INDIRECT(\"8:8\")", S(u"row 8")}, {"=INDIRECT(\"$8:$8\")", S(u"row 8")},
      {"=INDIRECT(\"H:H\")", 42.0}, {"=INDIRECT(\"$h:$H\")", 42.0}, {"=INDIRECT(\"Sheet1!H:H\")", 42.0},
      {"=INDIRECT(\"'My Sheet'!$H:$H\")", 5.0}, {"=SUM(INDIRECT(\"H:H\"))", 48.0},
      {"=SUM(INDIRECT(\"G:H\"))", 48.0}, {"=ROWS(INDIRECT(\"H:H\"))", 65536.0},
      {"=COLUMNS(INDIRECT(\"3:1\"))", 256.0}, {"=ROW(INDIRECT(\"3:1\"))", 1.0},
      {"=SUM(INDIRECT(\"R1:R3\",FALSE))", 13.0}, {"=SUM(INDIRECT(\"C8\",FALSE))", 48.0},
      // A lone row or column in A1 text, mixed kinds, and rows past the sheet are no references.
      {"=INDIRECT(\"8\")", E::Ref}, {"=INDIRECT(\"H\")", E::Ref}, {"=INDIRECT(\"A1:8\")", E::Ref},
      {"=INDIRECT(\"H:8\")", E::Ref}, {"=INDIRECT(\"0:0\")", E::Ref}, {"=INDIRECT(\"65537:65537\")", E::Ref},
      {"=INDIRECT(\"IW:IW\")", E::Ref}, {"=INDIRECT(\"H$:H\")", E::Ref}, {"=INDIRECT(\"Nowhere!8:8\")", E::Ref},
  });
}

}  // namespace
}  // namespace tabrel::formula
