// The language as hand-written macros use it: each case is the body of Function F and the value
// it must give, with its exact type.

#include <gtest/gtest.h>

#include "run_macro.h"
#include "spreadsheet/core/text.h"

namespace tabrel::macro {
namespace {

using testing::call_function;
using testing::function_result;

struct Case {
  const char16_t* body;
  Variant expected;
};

void expect_cases(const std::vector<Case>& cases) {
  for (const auto& c : cases) {
    const auto out = function_result(c.body);
    EXPECT_TRUE(out.ok) << to_utf8(c.body) << " -> " << to_utf8(out.reason);
    EXPECT_TRUE(out.result.same_as(c.expected))
        << to_utf8(c.body) << " gave " << to_utf8(out.result.type_name()) << " "
        << (out.result.is_array() || out.result.is_object() ? "" : to_utf8(out.result.to_string()));
  }
}

TEST(LanguageTest, OperatorsKeepTheLanguagesTypes) {
  expect_cases({
      {u"F = 1 + 2", Variant::integer(3)},
      {u"F = 32767 + 1", Variant::long_(32768)},
      {u"F = 2147483647 + 1", Variant(2147483648.0)},
      {u"F = 7 / 2", Variant(3.5)},
      {u"F = 7 \\ 2", Variant::integer(3)},
      {u"F = 7 Mod 3", Variant::integer(1)},
      {u"F = 2 ^ 10", Variant(1024.0)},
      {u"F = -2 ^ 2", Variant(-4.0)},
      {u"F = \"a\" & 1 & True", Variant(u"a1True")},
      {u"F = \"1\" + 2", Variant(3.0)},
      {u"F = \"ab\" + \"cd\"", Variant(u"abcd")},
      {u"F = 1 < 2 And 3 > 2", Variant(true)},
      {u"F = Not 5", Variant::integer(-6)},
      {u"F = 6 And 3", Variant::integer(2)},
      {u"F = IsNull(Null + 1)", Variant(true)},
      {u"F = \"abc\" Like \"a*\"", Variant(true)},
      {u"F = \"a1\" Like \"[a-c]#\"", Variant(true)},
      {u"F = \"x\" Like \"[!x]\"", Variant(false)},
      {u"F = &HFF + &O10", Variant::integer(263)},
      {u"F = 1.5E2", Variant(150.0)},
      {u"F = #1/2/2020#", Variant::date(43832)},
      {u"F = 2.5! * 2", Variant::single(5)},
      {u"F = 1 + 2 * 3 - 4 / 2", Variant(5.0)},
      {u"F = (1 + 2) * 3", Variant::integer(9)},
      {u"F = 3 = 3 = True", Variant(true)},
  });
}

TEST(LanguageTest, StatementsAndBlocks) {
  expect_cases({
      {u"Dim i As Integer, s As Long\nFor i = 1 To 10\n  s = s + i\nNext i\nF = s", Variant::long_(55)},
      {u"Dim i\nFor i = 10 To 1 Step -3: F = F & i: Next", Variant(u"10741")},
      {u"For i = 1 To 3\nFor j = 1 To 2\nF = F + 1\nNext j, i", Variant::integer(6)},
      {u"Do While n < 5\nn = n + 1\nLoop\nF = n", Variant::integer(5)},
      {u"Do\nn = n + 2\nLoop Until n >= 7\nF = n", Variant::integer(8)},
      {u"While n < 3\nn = n + 1\nWend\nF = n", Variant::integer(3)},
      {u"Do\nn = n + 1\nIf n = 4 Then Exit Do\nLoop\nF = n", Variant::integer(4)},
      {u"For i = 1 To 100\nIf i = 7 Then Exit For\nNext\nF = i", Variant::integer(7)},
      {u"x = 5\nIf x > 10 Then\nF = \"big\"\nElseIf x > 3 Then\nF = \"mid\"\nElse\nF = \"small\"\nEnd If", Variant(u"mid")},
      {u"If 1 > 2 Then F = 1 Else F = 2: F = F * 10", Variant::integer(20)},
      {u"x = 15\nSelect Case x\nCase 1, 2: F = \"a\"\nCase 10 To 20: F = \"b\"\nCase Else: F = \"c\"\nEnd Select", Variant(u"b")},
      {u"x = 50\nSelect Case x\nCase Is < 10\nF = 1\nCase Is >= 40\nF = 2\nEnd Select", Variant::integer(2)},
      {u"Select Case \"k\"\nCase \"a\"\nF = 1\nCase Else\nF = 9\nEnd Select", Variant::integer(9)},
      {u"GoTo skip\nF = 1\nskip:\nF = F & \"x\"", Variant(u"x")},
      {u"Dim a(1 To 3) As Integer\na(2) = 7\nF = a(2) + a(1) + UBound(a)", Variant::long_(10)},
      {u"Dim a()\nReDim a(2)\na(2) = \"z\"\nReDim Preserve a(4)\nF = a(2) & UBound(a)", Variant(u"z4")},
      {u"Dim m(1, 2)\nm(1, 2) = 5\nF = m(1, 2) + UBound(m, 2)", Variant::long_(7)},
      {u"a = Array(1, 2, 3)\nb = a\nb(0) = 9\nF = a(0) & b(0)", Variant(u"19")},
      {u"For Each v In Array(1, 2, 3)\nF = F + v\nNext", Variant::integer(6)},
      {u"Const k As Integer = 4\nF = k * 2", Variant::integer(8)},
      {u"Dim s As String\nF = \"[\" & s & \"]\"", Variant(u"[]")},
      {u"Dim i As Integer\ni = 2.5\nF = i", Variant::integer(2)},
      {u"x = 1: _\n  x = x + _\n  1\nF = x ' comment\nRem another", Variant::integer(2)},
  });
}

TEST(LanguageTest, ErrorHandling) {
  expect_cases({
      {u"On Error Resume Next\nx = 1 / 0\nF = Err.Number", Variant::long_(11)},
      {u"On Error GoTo h\nx = 1 / 0\nF = \"no\"\nExit Function\nh:\nF = \"handled \" & Err.Number", Variant(u"handled 11")},
      {u"On Error GoTo h\nx = CInt(\"q\")\nF = F & \"after\"\nExit Function\nh:\nF = \"h\"\nResume Next", Variant(u"hafter")},
      {u"On Error Resume Next\nErr.Raise 1234\nF = Err.Number\nErr.Clear\nF = F + Err.Number", Variant::long_(1234)},
  });
  auto out = function_result(u"x = 1 / 0");
  EXPECT_EQ(out.error, 11);
  out = function_result(u"On Error GoTo 0\nErr.Raise 5");
  EXPECT_EQ(out.error, 5);
  // A statement that cannot be read fails when it is reached, even when part of it was read.
  for (const char16_t* body : {u"F = 1\nx = (1 2)", u"F = 1\nDo While (1 2)\nLoop", u"F = 1\nFor i = 1 To (2 3)\nNext",
                               u"F = 1\nSelect Case (1 2)\nCase 1\nEnd Select", u"F = 1\nWith (1 2)\nEnd With"}) {
    out = function_result(body);
    EXPECT_FALSE(out.ok) << to_utf8(body);
  }
}

TEST(LanguageTest, ProceduresArgumentsAndModuleState) {
  auto out = call_function(
      u"Dim total As Long\n"
      u"Sub AddTo(ByRef x, ByVal y As Integer)\n x = x + y\n y = 0\nEnd Sub\n"
      u"Function Twice(Optional n As Integer = 21) As Integer\n Twice = n * 2\nEnd Function\n"
      u"Function Count(ParamArray items())\n Count = UBound(items) + 1\nEnd Function\n"
      u"Function Fact(n)\n If n <= 1 Then Fact = 1 Else Fact = n * Fact(n - 1)\nEnd Function\n"
      u"Function F()\n Dim a: a = 1\n Dim b As Integer: b = 5\n AddTo a, b\n Call AddTo(a, (b))\n"
      u" total = total + 1\n F = a & \",\" & b & \",\" & Twice() & \",\" & Twice(n:=4) & \",\" & Count(1, 2, 3) & \",\" & Fact(5) & \",\" & Module1.total\n"
      u"End Function\n");
  EXPECT_TRUE(out.ok) << to_utf8(out.reason);
  EXPECT_TRUE(out.result.same_as(Variant(u"11,5,42,8,3,120,1")));
  out = call_function(u"Function G(Optional x)\n G = IsMissing(x)\nEnd Function\nFunction F()\n F = G()\nEnd Function\n");
  EXPECT_TRUE(out.result.same_as(Variant(true)));
  out = call_function(u"Sub S(a)\nEnd Sub\nFunction F()\n S\nEnd Function\n");
  EXPECT_EQ(out.error, 449);
}

TEST(LanguageTest, RunTimeFunctions) {
  expect_cases({
      {u"F = Left(\"abcdef\", 2) & Mid$(\"abcdef\", 3, 2) & Right(\"abcdef\", 1)", Variant(u"abcdf")},
      {u"F = InStr(\"hello\", \"l\") & InStr(4, \"hello\", \"l\") & InStrRev(\"hello\", \"l\")", Variant(u"344")},
      {u"F = Replace(\"a-b-c\", \"-\", \"+\") & UCase(\"x\") & LCase(\"Y\") & Trim(\"  t  \")", Variant(u"a+b+cXyt")},
      {u"F = Len(\"가나다\") + Val(\"12abc\")", Variant(15.0)},
      {u"F = Join(Split(\"a,b,c\", \",\"), \"|\")", Variant(u"a|b|c")},
      {u"F = Format(1234.5, \"#,##0.00\") & \" \" & Format(0.256, \"0%\")", Variant(u"1,234.50 26%")},
      {u"F = CStr(Round(2.5)) & Round(3.5) & Int(-1.5) & Fix(-1.5)", Variant(u"24-2-1")},
      {u"F = Year(DateSerial(2024, 2, 29)) & Month(#3/15/2021#) & Day(\"2021-03-15\")", Variant(u"2024315")},
      {u"F = TypeName(1) & TypeName(\"s\") & TypeName(1.5) & TypeName(Empty) & TypeName(Nothing)", Variant(u"IntegerStringDoubleEmptyNothing")},
      {u"F = IsNumeric(\"1.5\") And Not IsNumeric(\"x\") And IsEmpty(z) And IsArray(Array())", Variant(true)},
      {u"F = MsgBox(\"hi\", vbYesNo) & InputBox(\"q\", \"t\", \"d\")", Variant(u"6d")},
      {u"F = Chr(65) & Asc(\"a\") & Hex(255) & String(3, \"z\") & Space(2) & \"|\"", Variant(u"A97FFzzz  |")},
      {u"F = IIf(3 > 2, \"y\", \"n\") & Choose(2, \"a\", \"b\") & RGB(255, 0, 0)", Variant(u"yb255")},
      {u"F = StrComp(\"a\", \"B\", vbTextCompare) & VBA.Left(\"xy\", 1)", Variant(u"-1x")},
      {u"F = CLng(\"42\") + CDbl(\"0.5\")", Variant(42.5)},
  });
}

}  // namespace
}  // namespace tabrel::macro
