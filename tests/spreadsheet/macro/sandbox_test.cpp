// Hostile macros: each is refused or stopped within its budget, and nothing outside the
// workbook is touched.

#include <gtest/gtest.h>

#include "run_macro.h"
#include "spreadsheet/core/text.h"

namespace tabrel::macro {
namespace {

using testing::run;
using testing::sample_instance;

TEST(SandboxTest, RefusedCallsStopTheRunEvenUnderResumeNext) {
  const char16_t* refused[] = {
      u"Shell \"cmd /c del *.*\"",
      u"x = Shell(\"calc.exe\", 1)",
      u"Kill \"C:\\*.xls\"",
      u"Set o = CreateObject(\"WScript.Shell\")",
      u"Set o = GetObject(, \"Excel.Application\")",
      u"x = Environ(\"PATH\")",
      u"SendKeys \"%{F4}\"",
      u"Open \"c:\\x.txt\" For Output As #1",
      u"Print #1, \"x\"",
      u"ActiveWorkbook.Save",
      u"ActiveWorkbook.SaveAs \"c:\\copy.xls\"",
      u"ActiveWorkbook.Close",
      u"Workbooks.Open \"c:\\other.xls\"",
      u"Application.Quit",
      u"x = VBA.Shell(\"calc\")",
      u"FileCopy \"a\", \"b\"",
      u"MkDir \"c:\\x\"",
  };
  for (const char16_t* line : refused) {
    const std::u16string source = u"Sub M()\r\nOn Error Resume Next\r\n" + std::u16string(line) + u"\r\nEnd Sub\r\n";
    const auto out = run(sample_instance(), source, u"M");
    EXPECT_TRUE(out.stopped) << to_utf8(line);
    EXPECT_NE(out.reason.find(u"refused"), std::u16string::npos) << to_utf8(line) << ": " << to_utf8(out.reason);
  }
}

TEST(SandboxTest, DeclaredFunctionsAreRefused) {
  const auto out = run(sample_instance(),
                       u"Private Declare Function WinExec Lib \"kernel32\" (ByVal c As String, ByVal n As Long) As Long\r\n"
                       u"Sub M()\r\n WinExec \"calc\", 1\r\nEnd Sub\r\n",
                       u"M");
  EXPECT_TRUE(out.stopped);
}

TEST(SandboxTest, EndlessLoopsAndRecursionStopWithinTheBudget) {
  Limits small;
  small.statements = 100000;
  small.seconds = 5;
  struct Case {
    const char16_t* source;
    const char16_t* reason_part;
  };
  const Case cases[] = {
      {u"Sub M()\r\nDo\r\nLoop\r\nEnd Sub\r\n", u"statements"},
      {u"Sub M()\r\nagain: GoTo again\r\nEnd Sub\r\n", u"statements"},
      {u"Sub M()\r\nOn Error Resume Next\r\nWhile True: x = x + 1: Wend\r\nEnd Sub\r\n", u"statements"},
      {u"Sub M()\r\n M\r\nEnd Sub\r\n", u"deeply"},
      {u"Function R(n)\r\n R = R(n + 1) + 1\r\nEnd Function\r\nSub M()\r\n x = R(1)\r\nEnd Sub\r\n", u"deeply"},
      {u"Sub M()\r\n Application.Run \"M\"\r\nEnd Sub\r\n", u""},
  };
  for (const auto& c : cases) {
    const auto out = run(sample_instance(), c.source, u"M", small);
    EXPECT_FALSE(out.ok) << to_utf8(c.source);
    EXPECT_NE(out.reason.find(c.reason_part), std::u16string::npos) << to_utf8(c.source) << ": " << to_utf8(out.reason);
    EXPECT_LE(out.log.statements, small.statements + 1);
  }
}

TEST(SandboxTest, HugeStringsAndArraysRaiseTheLanguagesErrors) {
  Limits small;
  small.string_units = 1000;
  small.array_items = 1000;
  auto out = run(sample_instance(), u"Sub M()\r\ns = \"x\"\r\nDo\r\ns = s & s\r\nLoop\r\nEnd Sub\r\n", u"M", small);
  EXPECT_EQ(out.error, 14);
  out = run(sample_instance(), u"Sub M()\r\nx = Space(5000)\r\nEnd Sub\r\n", u"M", small);
  EXPECT_EQ(out.error, 14);
  out = run(sample_instance(), u"Sub M()\r\nDim a(100, 100)\r\nEnd Sub\r\n", u"M", small);
  EXPECT_EQ(out.error, 7);
}

TEST(SandboxTest, UnsupportedStatementsFailOnlyWhenTheyRun) {
  const char16_t* source =
      u"Dim As Integer\r\n"  // a broken line outside the procedures is left out
      u"Sub Good()\r\n x = 1\r\nEnd Sub\r\n"
      u"Sub Bad()\r\n GoSub 10\r\nEnd Sub\r\n";
  EXPECT_TRUE(run(sample_instance(), source, u"Good").ok);
  const auto out = run(sample_instance(), source, u"Bad");
  EXPECT_EQ(out.error, 438);
  ASSERT_EQ(out.log.unsupported.size(), 1u);
  EXPECT_EQ(out.log.unsupported[0], u"statement: GoSub 10");
}

}  // namespace
}  // namespace tabrel::macro
