// Built-in formats of the Korean locale and NumberFormatLocal in both directions.

#include <gtest/gtest.h>

#include "spreadsheet/core/text.h"
#include "spreadsheet/numfmt/builtin_formats.h"
#include "spreadsheet/numfmt/format.h"
#include "spreadsheet/numfmt/local_code.h"
#include "spreadsheet/numfmt/render_test_util.h"

namespace tabrel::numfmt {
namespace {

TEST(BuiltinFormats, KoreanTable) {
  EXPECT_EQ(builtin_format_code(0), u"General");
  EXPECT_EQ(builtin_format_code(14), u"yyyy-mm-dd");
  EXPECT_EQ(builtin_format_code(22), u"yyyy-mm-dd h:mm");
  EXPECT_EQ(builtin_format_code(31), u"yyyy\"년\" mm\"월\" dd\"일\"");
  EXPECT_EQ(builtin_format_code(49), u"@");
  EXPECT_EQ(builtin_format_code(59), std::nullopt);
  EXPECT_EQ(builtin_format_code(-1), std::nullopt);
  EXPECT_EQ(builtin_format_id(u"0.00"), 2);
  EXPECT_EQ(builtin_format_id(u"yyyy-mm-dd"), 14);
  EXPECT_EQ(builtin_format_id(u"0.000"), std::nullopt);
}

TEST(BuiltinFormats, EveryBuiltinCompilesAndShowsAValue) {
  for (int id = 0; id < kBuiltinFormatCount; ++id) {
    auto code = builtin_format_code(id);
    ASSERT_TRUE(code);
    EXPECT_NO_THROW(render(Format::compile(*code), CellValue(45000.75))) << id;
  }
  EXPECT_EQ(shown(*builtin_format_code(5), -1234.0), "₩-1,234");
  EXPECT_EQ(shown(*builtin_format_code(32), 45000.75), "18시 00분");
  EXPECT_EQ(shown(*builtin_format_code(41), 1234.0), " 1,234 ");
  EXPECT_EQ(shown(*builtin_format_code(41), 0.0), " - ");
}

TEST(BuiltinFormats, DateCodesAreToldApart) {
  for (int id : {14, 15, 16, 17, 18, 19, 20, 21, 22, 27, 31, 32, 45, 46, 47, 50, 58})
    EXPECT_TRUE(Format::compile(*builtin_format_code(id)).is_date()) << id;
  for (int id : {0, 1, 2, 3, 4, 5, 9, 11, 12, 37, 41, 48, 49})
    EXPECT_FALSE(Format::compile(*builtin_format_code(id)).is_date()) << id;
  EXPECT_TRUE(Format::compile(u"[$-412]AM/PM h:mm;@").is_date());
}

TEST(LocalCode, KoreanNamesBothWays) {
  struct Case {
    const char16_t* code;
    const char16_t* local;
  };
  for (const Case& c : std::initializer_list<Case>{
           {u"General", u"G/표준"},
           {u"[Red]0;[Blue]-0", u"[빨강]0;[파랑]-0"},
           {u"[Black]0;[Cyan]0;[Green]0;[Magenta]@", u"[검정]0;[녹청]0;[녹색]0;[자홍]@"},
           {u"[Yellow]0;[White]0", u"[노랑]0;[흰색]0"},
           {u"[Color10]0", u"[색10]0"},
           {u"General\"개\"", u"G/표준\"개\""},
           {u"\"General\" 0", u"\"General\" 0"},
           {u"[>=100][Red]#,##0;[$-412]AM/PM h:mm", u"[>=100][빨강]#,##0;[$-412]AM/PM h:mm"},
           {u"[Blue]\"▲\"#,##0;[Red]\"▼\"#,##0", u"[파랑]\"▲\"#,##0;[빨강]\"▼\"#,##0"},
       }) {
    EXPECT_EQ(to_utf8(to_local_code(c.code)), to_utf8(c.local));
    EXPECT_EQ(to_utf8(from_local_code(c.local)), to_utf8(c.code));
  }
  EXPECT_EQ(to_utf8(to_local_code(u"[RED]0")), "[빨강]0");
  EXPECT_EQ(to_utf8(to_local_code(u"general")), "G/표준");
}

TEST(LocalCode, LocalFormsCompileAsTheirCodes) {
  const char16_t* arrows = u"[파랑]\"▲\"#,##0;[빨강]\"▼\"#,##0";
  EXPECT_EQ(shown(arrows, 1234.0), "▲1,234");
  EXPECT_EQ(shown(arrows, -1234.0), "▼1,234");
  EXPECT_EQ(render_code(arrows, -1234.0).color, 3);
  EXPECT_EQ(render_code(arrows, 1234.0).color, 5);
  EXPECT_EQ(shown(u"[빨강]G/표준", -2.5), "-2.5");
  EXPECT_EQ(render_code(u"[빨강]G/표준", -2.5).color, 3);
  EXPECT_EQ(render_code(u"[색10]0", 1.0).color, 10);
}

}  // namespace
}  // namespace tabrel::numfmt
