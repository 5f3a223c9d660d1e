#include "spreadsheet/formula/engine_fixture.h"

namespace tabrel::formula {
namespace {

using testing::EngineFixture;
using testing::check_all;
using E = CellError;
using S = std::u16string;

// A1:A6 10 20 30 20 5 (blank); B1:B6 texts; C1:C3 dates and a time.
struct Data : EngineFixture {
  Data() {
    const char* a[] = {"10", "20", "30", "20", "5"};
    const char* b[] = {"apple", "Banana", "cherry", "apple pie", "'12", "kiwi"};
    for (int i = 0; i < 5; ++i) put(("A" + std::to_string(i + 1)).c_str(), a[i]);
    for (int i = 0; i < 6; ++i) put(("B" + std::to_string(i + 1)).c_str(), b[i]);
    put("C1", "2024-02-29");
    put("C2", "1900-03-01");
    put("C3", "13:45:30");
  }
};

TEST(Functions, Math) {
  Data f;
  check_all(f, {
      {"=ABS(-2.5)", 2.5}, {"=INT(-2.5)", -3.0}, {"=TRUNC(-2.5)", -2.0}, {"=TRUNC(2.567,2)", 2.56},
      {"=MOD(-3,2)", 1.0}, {"=MOD(3,-2)", -1.0}, {"=MOD(5,0)", E::Div0},
      {"=ROUND(2.675,2)", 2.68}, {"=ROUND(-2.5,0)", -3.0}, {"=ROUND(1234.5,-2)", 1200.0},
      {"=ROUNDDOWN(3.999,1)", 3.9}, {"=ROUNDUP(3.001,1)", 3.1}, {"=ROUNDUP(-3.001,0)", -4.0},
      {"=ROUND(0.285,2)", 0.29}, {"=ROUNDUP(0.1+0.2,1)", 0.3},
      {"=POWER(2,10)", 1024.0}, {"=POWER(0,0)", E::Num}, {"=SQRT(16)", 4.0}, {"=SQRT(-1)", E::Num},
      {"=FACT(5)", 120.0}, {"=FACT(-1)", E::Num}, {"=PI()", 3.14159265358979},
      {"=SUM(A1:A6)", 85.0}, {"=SUM(A1:A2,\"5\",TRUE)", 36.0}, {"=SUM(B1:B6)", 0.0}, {"=SUM(\"x\")", E::Value},
      {"=SUMIF(A1:A5,\">15\")", 70.0}, {"=SUMIF(B1:B5,\"apple*\",A1:A5)", 30.0},
      {"=SUMIF(A1:A5,20,C1:C5)", 61.0}, {"=SUMPRODUCT(A1:A3,A1:A3)", 1400.0},
      {"=SUMPRODUCT((A1:A5>15)*A1:A5)", 70.0}, {"=SUMPRODUCT(A1:A3,A1:A2)", E::Value},
  });
}

TEST(Functions, Statistics) {
  Data f;
  check_all(f, {
      {"=AVERAGE(A1:A6)", 17.0}, {"=AVERAGE(B1:B2)", E::Div0}, {"=COUNT(A1:B6)", 5.0}, {"=COUNT(1,\"2\",\"x\",TRUE)", 3.0},
      {"=COUNTA(A1:B6)", 11.0}, {"=COUNTBLANK(A1:A7)", 2.0},
      {"=COUNTIF(A1:A6,20)", 2.0}, {"=COUNTIF(A1:A6,\">=20\")", 3.0}, {"=COUNTIF(B1:B6,\"a*\")", 2.0},
      {"=COUNTIF(B1:B6,\"?????\")", 1.0}, {"=COUNTIF(A1:A6,\"\")", 1.0}, {"=COUNTIF(A1:A6,\"<>20\")", 4.0},
      {"=COUNTIF(B1:B6,12)", 1.0}, {"=COUNTIF(B1:B6,\"APPLE\")", 1.0},
      {"=MAX(A1:A6)", 30.0}, {"=MIN(A1:A6)", 5.0}, {"=MAX(B1:B2)", 0.0},
      {"=LARGE(A1:A5,2)", 20.0}, {"=SMALL(A1:A5,1)", 5.0}, {"=LARGE(A1:A5,6)", E::Num},
      {"=MODE(A1:A5)", 20.0}, {"=MODE(1,2,3)", E::NA},
      {"=RANK(20,A1:A5)", 2.0}, {"=RANK(20,A1:A5,1)", 3.0}, {"=RANK(5,A1:A5)", 5.0}, {"=RANK(7,A1:A5)", E::NA},
      {"=STDEV(A1:A5)", 9.74679434480896}, {"=VAR(A1:A5)", 95.0}, {"=VAR(1)", E::Div0},
      {"=MEDIAN(A1:A5)", 20.0},
      {"=SUBTOTAL(9,A1:A5)", 85.0}, {"=SUBTOTAL(1,A1:A5)", 17.0}, {"=SUBTOTAL(3,B1:B6)", 6.0}, {"=SUBTOTAL(12,A1)", E::Value},
  });
}

TEST(Functions, SubtotalLeavesOutOtherSubtotalsAndHiddenRows) {
  EngineFixture f;
  f.put("A1", "1");
  f.put("A2", "2");
  f.put("A3", "=SUBTOTAL(9,A1:A2)");
  f.put("A4", "4");
  f.put("A5", "=SUBTOTAL(9,A1:A4)");
  EXPECT_TRUE(testing::same(f.at("A5"), 7.0));
  f.wb->sheets[0]->rows[3].hidden = true;  // row 4
  f.put("A6", "=SUBTOTAL(109,A1:A4)");
  EXPECT_TRUE(testing::same(f.at("A6"), 3.0));
}

TEST(Functions, LogicalAndInformation) {
  Data f;
  check_all(f, {
      {"=IF(A1>5,\"big\",\"small\")", S(u"big")}, {"=IF(A1<5,1)", false}, {"=IF(A1<5,1,)", 0.0},
      {"=IF(\"x\",1,2)", E::Value}, {"=IF(1/0,1,2)", E::Div0}, {"=IF(TRUE,5,1/0)", 5.0},
      {"=AND(A1:A5)", true}, {"=AND(TRUE,0)", false}, {"=OR(B1:B2)", E::Value}, {"=OR(0,\"true\")", true},
      {"=NOT(0)", true}, {"=IFERROR(1/0,\"err\")", S(u"err")}, {"=IFERROR(7,1)", 7.0},
      {"=ISBLANK(A6)", true}, {"=ISNUMBER(B5)", false}, {"=ISTEXT(B5)", true}, {"=ISNA(NA())", true},
      {"=ISERR(NA())", false}, {"=ISERROR(1/0)", true},
  });
}

TEST(Functions, Text) {
  Data f;
  check_all(f, {
      {"=LEFT(\"가나다라\",2)", S(u"가나")}, {"=LEFT(\"abc\")", S(u"a")}, {"=RIGHT(\"abc\",5)", S(u"abc")},
      {"=LEFT(\"abc\",-1)", E::Value}, {"=MID(\"abcdef\",2,3)", S(u"bcd")}, {"=MID(\"abc\",5,1)", S(u"")},
      {"=MID(\"abc\",0,1)", E::Value}, {"=LEN(\"한글 ab\")", 5.0}, {"=LEN(A1)", 2.0},
      {"=LOWER(\"AbC\")", S(u"abc")}, {"=UPPER(\"abc\")", S(u"ABC")},
      {"=PROPER(\"hello wORLD-foo\")", S(u"Hello World-Foo")}, {"=TRIM(\"  a   b  \")", S(u"a b")},
      {"=CONCATENATE(\"a\",1,TRUE)", S(u"a1TRUE")}, {"=\"x\"&1/4", S(u"x0.25")}, {"=REPT(\"ab\",3)", S(u"ababab")},
      {"=REPT(\"a\",-1)", E::Value}, {"=VALUE(\"1,234.5\")", 1234.5}, {"=VALUE(\"50%\")", 0.5},
      {"=VALUE(\"abc\")", E::Value}, {"=VALUE(\"2024-03-01\")", 45352.0}, {"=\"3\"+4", 7.0},
      {"=FIND(\"b\",\"abcb\",3)", 4.0}, {"=SEARCH(\"B?\",\"abcb\")", 2.0}, {"=SUBSTITUTE(\"aaa\",\"a\",\"b\",2)", S(u"aba")},
      {"=EXACT(\"a\",\"A\")", false}, {"=\"a\"=\"A\"", true},
  });
}

// TEXT hands the number and the format code to the number formatter that the engine is given
// (the automation layer gives it the number-format renderer); a text that reads as a number
// or a date is converted first, any other text comes back as it is.
TEST(Functions, TextGoesThroughTheNumberFormatter) {
  EngineFixture f([](double value, std::u16string_view code, const model::Workbook&) {
    return std::optional(from_utf8(std::to_string(value)) + u"|" + std::u16string(code));
  });
  f.put("A1", "10");
  check_all(f, {
      {"=TEXT(1.5,\"0.00\")", S(u"1.500000|0.00")}, {"=TEXT(A1,\"#,##0\")", S(u"10.000000|#,##0")},
      {"=TEXT(\"12\",\"0\")", S(u"12.000000|0")}, {"=TEXT(\"2024-03-01\",\"yyyy\")", S(u"45352.000000|yyyy")},
      {"=TEXT(\"abc\",\"0\")", S(u"abc")}, {"=TEXT(1/0,\"0\")", E::Div0},
  });
}

TEST(Functions, DatesWithTheFictitiousLeapDay) {
  Data f;
  check_all(f, {
      {"=DATE(2024,2,29)", 45351.0}, {"=DATE(1900,2,29)", 60.0}, {"=DATE(1900,3,1)", 61.0},
      {"=DATE(2024,13,1)", 45658.0}, {"=DATE(2024,1,0)", 45291.0}, {"=DATE(99,1,1)", 36161.0}, {"=DATE(-1,1,1)", E::Num},
      {"=YEAR(C1)", 2024.0}, {"=MONTH(C1)", 2.0}, {"=DAY(C1)", 29.0}, {"=DAY(60)", 29.0}, {"=MONTH(60)", 2.0},
      {"=DAY(C2)", 1.0}, {"=YEAR(-1)", E::Num}, {"=YEAR(\"2023-05-06\")", 2023.0},
      {"=WEEKDAY(C1)", 5.0}, {"=WEEKDAY(C1,2)", 4.0}, {"=WEEKDAY(C1,3)", 3.0}, {"=WEEKDAY(C1,4)", E::Num},
      {"=WEEKDAY(1)", 1.0},
      {"=HOUR(C3)", 13.0}, {"=MINUTE(C3)", 45.0},
      {"=DAYS360(DATE(2024,1,31),DATE(2024,3,31))", 60.0}, {"=DAYS360(DATE(2024,2,29),DATE(2024,3,31))", 30.0},
      {"=DAYS360(DATE(2024,1,31),DATE(2024,3,31),TRUE)", 60.0}, {"=DAYS360(DATE(2024,1,30),DATE(2024,3,31))", 60.0},
      {"=DAYS360(DATE(2024,1,15),DATE(2024,3,31))", 76.0},
      {"=TODAY()", 45366.0}, {"=NOW()", testing::kNow},
  });
}

TEST(Functions, The1904DateSystem) {
  EngineFixture f;
  f.wb->date_system = DateSystem::k1904;
  check_all(f, {
      {"=DATE(1904,1,1)", 0.0}, {"=DATE(2024,3,15)", 45366.0 - 1462}, {"=YEAR(0)", 1904.0}, {"=WEEKDAY(0)", 6.0},
      {"=TODAY()", 45366.0 - 1462}, {"=VALUE(\"1904-01-02\")", 1.0}, {"=DATE(1903,12,31)", E::Num},
  });
}

TEST(Functions, Lookups) {
  EngineFixture f;
  // A price table sorted by code, and a grade table for approximate lookups.
  const char* codes[] = {"A01", "B02", "C03", "D04"};
  const char* prices[] = {"100", "250", "75", "300"};
  const char* bounds[] = {"0", "60", "70", "80", "90"};
  const char* grades[] = {"F", "D", "C", "B", "A"};
  for (int i = 0; i < 4; ++i) {
    f.put(("A" + std::to_string(i + 1)).c_str(), codes[i]);
    f.put(("B" + std::to_string(i + 1)).c_str(), prices[i]);
  }
  for (int i = 0; i < 5; ++i) {
    f.put(("D" + std::to_string(i + 1)).c_str(), bounds[i]);
    f.put(("E" + std::to_string(i + 1)).c_str(), grades[i]);
  }
  f.put("G1", "x");
  f.put("H1", "y");
  f.put("G2", "1");
  f.put("H2", "2");
  check_all(f, {
      {"=VLOOKUP(\"C03\",A1:B4,2,FALSE)", 75.0}, {"=VLOOKUP(\"c03\",A1:B4,2,0)", 75.0}, {"=VLOOKUP(\"C*\",A1:B4,2,FALSE)", 75.0},
      {"=VLOOKUP(\"Z\",A1:B4,2,FALSE)", E::NA}, {"=VLOOKUP(\"C03\",A1:B4,3,FALSE)", E::Ref},
      {"=VLOOKUP(\"C03\",A1:B4,0,FALSE)", E::Value}, {"=VLOOKUP(85,D1:E5,2)", S(u"B")}, {"=VLOOKUP(90,D1:E5,2,TRUE)", S(u"A")},
      {"=VLOOKUP(-1,D1:E5,2)", E::NA}, {"=VLOOKUP(59.9,$D:$E,2)", S(u"F")},
      {"=HLOOKUP(\"y\",G1:H2,2,FALSE)", 2.0}, {"=HLOOKUP(\"x\",G1:H2,3,FALSE)", E::Ref},
      {"=MATCH(\"B02\",A1:A4,0)", 2.0}, {"=MATCH(75,D1:D5)", 3.0}, {"=MATCH(75,D1:D5,-1)", E::NA}, {"=MATCH(5,D1:D5,0)", E::NA},
      {"=MATCH(\"y\",G1:H1,0)", 2.0},
      {"=INDEX(A1:B4,3,2)", 75.0}, {"=INDEX(B1:B4,4)", 300.0}, {"=INDEX(G1:H1,2)", S(u"y")}, {"=INDEX(A1:B4,5,1)", E::Ref},
      {"=SUM(INDEX(A1:B4,0,2))", 725.0}, {"=INDEX({1,2;3,4},2,1)", 3.0},
      {"=CHOOSE(2,\"a\",\"b\",\"c\")", S(u"b")}, {"=CHOOSE(4,\"a\",\"b\")", E::Value}, {"=SUM(CHOOSE(1,B1:B2,B3))", 350.0},
      {"=INDEX(B1:B4,MATCH(\"D04\",A1:A4,0))", 300.0},
      {"=SUM(OFFSET(A1,1,1,2,1))", 325.0}, {"=OFFSET(A1,-1,0)", E::Ref}, {"=OFFSET(B4,-1,0)", 75.0},
      {"=INDIRECT(\"B2\")", 250.0}, {"=SUM(INDIRECT(\"Sheet1!B1:B2\"))", 350.0}, {"=INDIRECT(\"R3C2\",FALSE)", 75.0},
      {"=INDIRECT(\"Nowhere!A1\")", E::Ref}, {"=INDIRECT(\"'My Sheet'!A1\")", 0.0},
  });
}

TEST(Functions, DatabaseCriteriaBlocks) {
  EngineFixture f;
  const char* rows[][3] = {{"이름", "부서", "점수"}, {"kim", "sales", "80"}, {"lee", "sales", "65"},
                           {"park", "support", "90"}, {"choi", "salesforce", "70"}, {"jung", "hr", ""}};
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c < 3; ++c) {
      std::string cell = std::string(1, static_cast<char>('A' + c)) + std::to_string(r + 1);
      if (*rows[r][c]) f.put(cell.c_str(), rows[r][c]);
    }
  // Criteria blocks: E1:E2 부서 = sales (begins with), F1:G2 부서 and 점수>=70 (AND),
  // H1:H3 점수 >=85 or <66 (OR), I1:I2 exact match, J1:J2 an empty criterion (everything).
  f.put("E1", "부서");
  f.put("E2", "sales");
  f.put("F1", "부서");
  f.put("G1", "점수");
  f.put("F2", "sales");
  f.put("G2", ">=70");
  f.put("H1", "점수");
  f.put("H2", ">=85");
  f.put("H3", "<66");
  f.put("I1", "부서");
  f.put("I2", "'=sales");
  f.put("J1", "부서");
  check_all(f, {
      {"=DSUM(A1:C6,\"점수\",E1:E2)", 215.0}, {"=DSUM(A1:C6,3,F1:G2)", 150.0}, {"=DCOUNT(A1:C6,3,H1:H3)", 2.0},
      {"=DSUM(A1:C6,3,I1:I2)", 145.0}, {"=DCOUNTA(A1:C6,1,J1:J2)", 5.0}, {"=DCOUNT(A1:C6,3,J1:J2)", 4.0},
      {"=DAVERAGE(A1:C6,3,E1:E2)", 71.6666666666667}, {"=DMAX(A1:C6,3,E1:E2)", 80.0}, {"=DMIN(A1:C6,3,E1:E2)", 65.0},
      {"=DVAR(A1:C6,3,E1:E2)", 58.3333333333333}, {"=DSUM(A1:C6,\"없음\",E1:E2)", E::Value},
      {"=DAVERAGE(A1:C6,3,I1:I2)", 72.5},
  });
}

TEST(Functions, ConditionalAggregatesAndMore) {
  Data f;
  check_all(f, {
      {"=COUNTIFS(A1:A5,\">=10\",B1:B5,\"a*\")", 2.0}, {"=SUMIFS(A1:A5,A1:A5,\">5\",A1:A5,\"<30\")", 50.0},
      {"=AVERAGEIF(A1:A5,\">10\")", 23.3333333333333}, {"=AVERAGEIFS(A1:A5,B1:B5,\"*e*\")", 20.0},
      {"=AVERAGEIF(A1:A5,\">100\")", E::Div0}, {"=COUNTIFS(A1:A5,\">1\",A1:A4,1)", E::Value},
      {"=LOOKUP(25,A1:A3,B1:B3)", S(u"Banana")}, {"=LOOKUP(1,A1:A3)", E::NA},
      {"=CEILING(2.1,0.5)", 2.5}, {"=FLOOR(-2.5,-2)", -2.0}, {"=CEILING(2,-1)", E::Num}, {"=LOG(8,2)", 3.0},
      {"=LN(0)", E::Num}, {"=SUMSQ(3,4)", 25.0}, {"=CHAR(65)&CODE(\"a\")", S(u"A97")}, {"=N(B1)", 0.0}, {"=T(A1)", S(u"")},
      {"=TIMEVALUE(\"3:30 PM\")", 15.5 / 24}, {"=TIMEVALUE(\"오후 1:30:00\")", 13.5 / 24},
      {"=DATEVALUE(\"2024-03-01\")", 45352.0}, {"=\"12:00 AM\"+0", 0.0},
      {"=FIXED(1234567.891)", S(u"1,234,567.89")}, {"=FIXED(-1234.5,0,TRUE)", S(u"-1235")}, {"=FIXED(1234,-2)", S(u"1,200")},
      {"=ADDRESS(3,2)", S(u"$B$3")}, {"=ADDRESS(3,2,4)", S(u"B3")}, {"=ADDRESS(3,2,2,FALSE)", S(u"R3C[2]")},
      {"=ADDRESS(1,1,1,TRUE,\"My Sheet\")", S(u"'My Sheet'!$A$1")}, {"=SUM(TRANSPOSE(A1:A3))", 60.0},
      {"=EVEN(1.5)", 2.0}, {"=ODD(-2)", -3.0}, {"=COMBIN(5,2)", 10.0}, {"=PERCENTILE(A1:A5,0.5)", 20.0},
      {"=QUARTILE(A1:A5,1)", 10.0}, {"=AVEDEV(A1:A5)", 7.6}, {"=DEVSQ(A1:A5)", 380.0}, {"=ASIN(2)", E::Num},
      {"=TYPE(\"a\")", 2.0}, {"=TYPE(A1:A2)", 64.0}, {"=ERROR.TYPE(1/0)", 2.0}, {"=ERROR.TYPE(1)", E::NA},
  });
}

// Loans, savings and depreciation, with the worked examples of the function reference (results
// given there to the cent or to a tenth of a percent, hence the ROUNDs).
TEST(Functions, Financial) {
  EngineFixture f;
  const char* flows[] = {"-70000", "12000", "15000", "18000", "21000", "26000"};
  const char* mixed[] = {"-120000", "39000", "30000", "21000", "37000", "46000"};
  for (int i = 0; i < 6; ++i) {
    f.put(("A" + std::to_string(i + 1)).c_str(), flows[i]);
    f.put(("B" + std::to_string(i + 1)).c_str(), mixed[i]);
  }
  f.put("C1", "n/a");
  f.put("D1", "-100");
  f.put("D2", "-50");
  check_all(f, {
      {"=ROUND(PMT(8%/12,10,10000),2)", -1037.03}, {"=ROUND(PMT(8%/12,10,10000,0,1),2)", -1030.16},
      {"=ROUND(PMT(6%/12,18*12,0,50000),2)", -129.08}, {"=PMT(0,4,1000)", -250.0}, {"=PMT(5%,0,1000)", E::Num},
      {"=PMT(\"x\",4,1000)", E::Value},
      {"=ROUND(FV(6%/12,10,-200,-500,1),2)", 2581.40}, {"=ROUND(FV(12%/12,12,-1000),2)", 12682.50},
      {"=ROUND(FV(11%/12,35,-2000,,1),2)", 82846.25}, {"=FV(0,10,-100,-1000)", 2000.0},
      {"=ROUND(PV(8%/12,12*20,500,,0),2)", -59777.15}, {"=PV(0,10,-100)", 1000.0},
      {"=ROUND(NPER(1%,-100,-1000,10000,1),7)", 59.6738657}, {"=ROUND(NPER(1%,-100,-1000,10000),7)", 60.0821229},
      {"=ROUND(NPER(1%,-100,-1000),7)", -9.5785940}, {"=NPER(1%,0,1000)", E::Num}, {"=NPER(0,-100,1000)", 10.0},
      {"=ROUND(RATE(4*12,-200,8000),4)", 0.0077}, {"=ROUND(RATE(4*12,-200,8000)*12,4)", 0.0924},
      {"=RATE(10,100,1000)", E::Num},
      {"=ROUND(IPMT(10%/12,1,3*12,8000),2)", -66.67}, {"=ROUND(IPMT(10%,3,3,8000),2)", -292.45},
      {"=IPMT(10%,4,3,8000)", E::Num}, {"=IPMT(10%,1,3,8000,0,1)", 0.0},
      {"=ROUND(PPMT(10%/12,1,2*12,2000),2)", -75.62}, {"=ROUND(PPMT(8%,10,10,200000),2)", -27598.05},
      {"=ROUND(SUM(PPMT(5%,1,3,1000,0,1),PPMT(5%,2,3,1000,0,1),PPMT(5%,3,3,1000,0,1)),9)", -1000.0},
      {"=ROUND(ISPMT(10%/12,1,36,8000000),2)", -64814.81},
      {"=ROUND(NPV(10%,-10000,3000,4200,6800),2)", 1188.44}, {"=NPV(10%,C1,110)", 100.0},
      {"=ROUND(IRR(A1:A5),3)", -0.021}, {"=ROUND(IRR(A1:A6),3)", 0.087}, {"=ROUND(IRR(A1:A3,-10%),3)", -0.444},
      {"=IRR(A2:A4)", E::Num},
      {"=ROUND(MIRR(B1:B6,10%,12%),3)", 0.126}, {"=ROUND(MIRR(B1:B4,10%,12%),3)", -0.048},
      {"=ROUND(MIRR(B1:B6,10%,14%),3)", 0.135}, {"=MIRR(B2:B6,10%,12%)", E::Div0}, {"=MIRR(D1:D2,10%,12%)", -1.0},
      {"=SLN(30000,7500,10)", 2250.0}, {"=SLN(30000,7500,0)", E::Div0},
      {"=ROUND(SYD(30000,7500,10,1),2)", 4090.91}, {"=ROUND(SYD(30000,7500,10,10),2)", 409.09}, {"=SYD(30000,7500,10,11)", E::Num},
      {"=ROUND(DDB(2400,300,10*365,1),2)", 1.32}, {"=DDB(2400,300,10*12,1,2)", 40.0}, {"=DDB(2400,300,10,1,2)", 480.0},
      {"=DDB(2400,300,10,2,1.5)", 306.0}, {"=ROUND(DDB(2400,300,10,10),2)", 22.12}, {"=DDB(2400,300,10,11)", E::Num},
      {"=ROUND(DB(1000000,100000,6,1,7),2)", 186083.33}, {"=ROUND(DB(1000000,100000,6,2,7),2)", 259639.42},
      {"=ROUND(DB(1000000,100000,6,7,7),2)", 15845.10}, {"=DB(1000000,100000,6,7)", E::Num},
  });
}

// Text that the functions ending in A count as 0 and booleans as 1 or 0; the other additions to
// the families.
TEST(Functions, ValuesCountedAsNumbersAndSmallerFamilies) {
  Data f;
  f.put("D1", "TRUE");
  check_all(f, {
      {"=AVERAGEA(A1:A6,B1)", 85.0 / 6}, {"=AVERAGE(A1:A6,B1)", 17.0}, {"=MAXA(B1:B2)", 0.0}, {"=MAXA(B1:B2,D1)", 1.0},
      {"=MINA(A1:A5,D1)", 1.0}, {"=MINA(A1:A5,B1)", 0.0}, {"=AVERAGEA(\"x\")", E::Value}, {"=VARPA(D1,B1)", 0.25},
      {"=STDEVA(A1:A5)", 9.74679434480896}, {"=VARA(A6)", E::Div0},
      {"=GEOMEAN(4,5,8,7,11,4,3)", 5.47698696965696}, {"=HARMEAN(4,5,8,7,11,4,3)", 5.02837596206173},
      {"=GEOMEAN(1,0)", E::Num}, {"=PERMUT(100,3)", 970200.0}, {"=PERMUT(3,4)", E::Num},
      {"=REPLACE(\"abcdefghijk\",6,5,\"*\")", S(u"abcde*k")}, {"=REPLACE(\"2009\",3,2,\"10\")", S(u"2010")},
      {"=REPLACE(\"abc\",9,1,\"x\")", S(u"abcx")}, {"=REPLACE(\"abc\",0,1,\"x\")", E::Value},
      {"=CLEAN(CHAR(9)&\"보고서\"&CHAR(10))", S(u"보고서")},
      {"=DATEDIF(\"2001-01-01\",\"2003-01-01\",\"Y\")", 2.0}, {"=DATEDIF(\"2001-06-01\",\"2002-08-15\",\"D\")", 440.0},
      {"=DATEDIF(\"2001-06-01\",\"2002-08-15\",\"YD\")", 75.0}, {"=DATEDIF(\"2001-06-01\",\"2002-08-15\",\"MD\")", 14.0},
      {"=DATEDIF(\"2001-06-01\",\"2002-08-15\",\"YM\")", 2.0}, {"=DATEDIF(\"2001-06-15\",\"2002-08-01\",\"m\")", 13.0},
      {"=DATEDIF(\"2002-01-01\",\"2001-01-01\",\"Y\")", E::Num}, {"=DATEDIF(\"2001-01-01\",\"2002-01-01\",\"W\")", E::Num},
      {"=ISREF(A1)", true}, {"=ISREF(\"A1\")", false}, {"=AREAS((A1:B2,C3,D4:E5))", 3.0}, {"=AREAS(A1:B2 B2)", 1.0},
  });
}

TEST(Functions, TextReadAsNumbersAndDates) {
  Data f;
  check_all(f, {
      {"=VALUE(\" -1.5E2 \")", -150.0}, {"=VALUE(\"2024/3/1\")", 45352.0}, {"=VALUE(\"01/18/2019\")", 43483.0},
      {"=VALUE(\"18-Jan-2019\")", 43483.0}, {"=VALUE(\"June 9, 1969\")", 25363.0}, {"=VALUE(\"2024-02-30\")", E::Value}, {"=VALUE(\"1900-02-29\")", 60.0},
      {"=VALUE(\"2024-13-01\")", E::Value}, {"=VALUE(\"13:00 PM\")", E::Value}, {"=VALUE(\"2024-03-01 12:00\")", 45352.5},
      {"=VALUE(\"1.2.3\")", E::Value},
  });
}

TEST(Functions, OperatorsAndReferences) {
  Data f;
  check_all(f, {
      {"=-2^2", 4.0}, {"=2^-1", 0.5}, {"=5%", 0.05}, {"=1/0", E::Div0}, {"=0.1+0.2=0.3", true},
      {"=2^49+1=2^49", false}, {"=2^50+1=2^50", true},  // numbers compare at 15 significant digits
      {"=0.3-0.2-0.1", 0.0}, {"=\"abc\"<\"abd\"", true}, {"=1<\"a\"", true}, {"=\"a\"<TRUE", true}, {"=A6=0", true},
      {"=A6=\"\"", true}, {"=A1+B1", E::Value}, {"=#N/A+1", E::NA}, {"=SUM(A1:A2 A2:A3)", 20.0},
      {"=SUM(A1:A2 C1:C2)", E::Null}, {"=SUM((A1,A3))", 40.0}, {"=A1:A5", E::Value}, {"=SUM(Sheet1!A1:A2)", 30.0},
      {"=NOSUCHNAME", E::Name}, {"=NOSUCHFUNCTION(1)", E::Name},
  });
}

TEST(Functions, ImplicitIntersectionUsesTheFormulaRow) {
  EngineFixture f;
  f.put("A1", "1");
  f.put("A2", "2");
  f.put("A3", "3");
  f.put("B2", "=A1:A3*10");
  f.put("B5", "=A1:A3*10");
  EXPECT_TRUE(testing::same(f.at("B2"), 20.0));
  EXPECT_EQ(f.at("B5"), Scalar(CellError::Value));
}

}  // namespace
}  // namespace tabrel::formula
