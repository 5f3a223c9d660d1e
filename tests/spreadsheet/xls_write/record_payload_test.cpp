// Payloads of single records against bytes worked out by hand from the record layouts.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>

#include "spreadsheet/xls/write_cells.h"
#include "spreadsheet/xls/write_condfmt.h"
#include "spreadsheet/xls/write_names.h"
#include "spreadsheet/xls/write_styles.h"

namespace tabrel::xls {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(RecordPayload, DefaultFormatsMatchTheSpreadsheetsOwn) {
  const model::Styles styles = completed_styles({});
  ASSERT_EQ(styles.xfs.size(), kDefaultXfCount);
  ASSERT_EQ(styles.fonts.size(), 4u);
  ASSERT_EQ(styles.styles.size(), 6u);
  // Normal style XF, the default cell XF and the Comma style XF.
  EXPECT_EQ(xf_payload(styles.xfs[0]).flat(),
            (Bytes{0, 0, 0, 0, 0xF5, 0xFF, 0x20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0x20}));
  EXPECT_EQ(xf_payload(styles.xfs[15]).flat(),
            (Bytes{0, 0, 0, 0, 0x01, 0x00, 0x20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0x20}));
  EXPECT_EQ(xf_payload(styles.xfs[16]).flat(),
            (Bytes{1, 0, 0x2B, 0, 0xF5, 0xFF, 0x20, 0, 0, 0xF8, 0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0x20}));
  EXPECT_EQ(style_payload(styles.styles[1]).flat(), (Bytes{0x10, 0x80, 3, 0xFF}));
}

TEST(RecordPayload, CompletingKeepsWhatTheWorkbookHolds) {
  model::Styles s;
  model::Font f;
  f.name = u"굴림";
  f.height = 220;
  s.fonts.push_back(f);
  model::Xf xf;
  xf.font = 0;
  xf.pattern = 1;
  s.xfs.push_back(xf);
  const model::Styles out = completed_styles(s);
  EXPECT_EQ(out.fonts[0], f);
  EXPECT_EQ(out.fonts[3], f);  // padding copies the first font
  EXPECT_EQ(out.xfs[0], xf);
  EXPECT_EQ(out.xfs.size(), kDefaultXfCount);
}

TEST(RecordPayload, BuiltInStylesGetXfsOfTheirOwnWhereCellFormatsStand) {
  // A workbook built in memory with its cell formats where the built-in styles' XFs go.
  model::Styles s = completed_styles({});
  s.styles.clear();
  s.xfs.resize(16);
  model::Xf titled = s.xfs[15];
  titled.font = 5;
  titled.horizontal = 2;
  model::Xf comma = s.xfs[15];
  comma.format = 41;
  comma.parent = 0;
  for (int i = 0; i < 5; ++i) s.xfs.push_back(i == 0 ? titled : comma);
  const model::Styles out = completed_styles(s);
  ASSERT_EQ(out.styles.size(), 6u);
  for (const model::Style& style : out.styles) {
    ASSERT_LT(style.xf, out.xfs.size());
    EXPECT_TRUE(out.xfs[style.xf].is_style) << style.xf;
  }
  EXPECT_EQ(out.xfs[out.styles[2].xf].format, 41);  // Comma [0]
  EXPECT_EQ(out.xfs[16], titled);                     // the cell formats stay where they are
}

TEST(RecordPayload, FontWithBorderAndPatternBits) {
  model::Font f;
  f.italic = true;
  f.weight = 700;
  f.underline = 1;
  f.color = 10;
  EXPECT_EQ(font_payload(f).flat(), (Bytes{0xC8, 0, 0x02, 0, 10, 0, 0xBC, 0x02, 0, 0, 1, 0, 0, 0, 5, 0,
                                           'A', 'r', 'i', 'a', 'l'}));
  model::Xf xf;
  xf.left = {model::LineStyle::Thin, 8};
  xf.bottom = {model::LineStyle::Double, 10};
  xf.diagonal_up = true;
  xf.pattern = 1;
  xf.pattern_color = 13;
  xf.background_color = 64;
  xf.horizontal = 2;
  xf.wrap = true;
  xf.parent = 0;
  const Bytes b = xf_payload(xf).flat();
  ASSERT_EQ(b.size(), 20u);
  EXPECT_EQ(b[6], 0x2A);  // centre, wrap, bottom
  // dgLeft 1, dgBottom 6, icvLeft 8, icvRight 64, diagonal up
  const uint32_t borders = b[10] | (b[11] << 8) | (b[12] << 16) | (static_cast<uint32_t>(b[13]) << 24);
  EXPECT_EQ(borders, 0x1u | (6u << 12) | (8u << 16) | (64u << 23) | (2u << 30));
  const uint32_t fill = b[14] | (b[15] << 8) | (b[16] << 16) | (static_cast<uint32_t>(b[17]) << 24);
  EXPECT_EQ(fill >> 26, 1u);
  EXPECT_EQ((fill >> 7) & 0x7F, 10u);  // icvBottom
  EXPECT_EQ(b[18] | (b[19] << 8), 13 | (64 << 7));
}

double rk_decode(uint32_t rk) {
  double v = (rk & 2) ? static_cast<double>(static_cast<int32_t>(rk) >> 2)
                      : std::bit_cast<double>(static_cast<uint64_t>(rk & ~3u) << 32);
  return (rk & 1) ? v / 100 : v;
}

TEST(RecordPayload, RkHoldsExactlyWhatItCan) {
  for (double v : {0.0, 1.0, -1.0, 536870911.0, -536870912.0, 1.5, 0.25, 12.34, -0.07, 1e300, 3.0e-5, 44197.0})
    if (auto rk = rk_encode(v)) {
      EXPECT_EQ(rk_decode(*rk), v) << v;
    }
  EXPECT_EQ(rk_encode(1.0), 0x6u);
  EXPECT_EQ(rk_encode(-1.0), 0xFFFFFFFEu);
  EXPECT_EQ(rk_encode(12.34), (1234u << 2) | 3u);
  for (double v : {-0.0, std::nan(""), 0.1 + 0.2, 3.14159265358979, 536870912.5, HUGE_VAL})
    EXPECT_FALSE(rk_encode(v).has_value()) << v;
}

TEST(RecordPayload, FormulaResults) {
  struct Case {
    model::CellValue value;
    Bytes bytes;
    bool string;
  };
  const Case cases[] = {
      {model::CellValue::text(u""), {3, 0, 0, 0, 0, 0, 0xFF, 0xFF}, false},
      {model::CellValue::text(u"합계"), {0, 0, 0, 0, 0, 0, 0xFF, 0xFF}, true},
      {model::CellValue::boolean(true), {1, 0, 1, 0, 0, 0, 0xFF, 0xFF}, false},
      {model::CellValue::error(CellError::Div0), {2, 0, 7, 0, 0, 0, 0xFF, 0xFF}, false},
      {model::CellValue::error(CellError::NA), {2, 0, 0x2A, 0, 0, 0, 0xFF, 0xFF}, false},
      {model::CellValue::number(2.5), {0, 0, 0, 0, 0, 0, 0x04, 0x40}, false},
  };
  for (const Case& c : cases) {
    const FormulaResult r = formula_result(c.value);
    EXPECT_EQ(Bytes(r.bytes, r.bytes + 8), c.bytes);
    EXPECT_EQ(r.needs_string, c.string);
  }
}

TEST(RecordPayload, ConditionalFormatRuleAsTheSpreadsheetWritesIt) {
  // A CF record the spreadsheet saved ("cell equals "x"": font colour 11, fill colour 11), with
  // the bytes it leaves uninitialised (the font name area, the fill's unused bits) zeroed.
  model::CondRule rule;
  rule.type = 1;
  rule.op = 3;
  rule.formula1 = {0x17, 1, 0, 'x'};
  rule.font = model::CondFont{};
  rule.font->color = 11;
  rule.fill = model::CondFill{};
  rule.fill->background_color = 11;
  Bytes expected = {1, 3, 4, 0, 0, 0, 0xFF, 0xFF, 0x3B, 0x24, 0x02, 0x00};
  expected.insert(expected.end(), 64, 0);
  const Bytes font_tail = {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x0B, 0, 0, 0, 0, 0, 0, 0,
                           0x9A, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0,
                           0xFF, 0xFF, 0xFF, 0x7F, 1, 0};
  expected.insert(expected.end(), font_tail.begin(), font_tail.end());
  for (uint8_t b : {0x00, 0x00, 0x80, 0x05, 0x17, 0x01, 0x00, 0x78}) expected.push_back(b);
  EXPECT_EQ(cf_payload(rule).flat(), expected);
}

TEST(RecordPayload, BuiltinNameIsItsCode) {
  model::DefinedName n;
  n.builtin = true;
  n.builtin_code = 0x0D;
  n.name = u"_FilterDatabase";
  n.flags = 0x0001;
  n.sheet_scope = 1;
  n.tokens = {0x3B, 0, 0, 0, 0, 9, 0, 0, 0, 3, 0};
  Bytes expected = {0x21, 0, 0, 1, 11, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0x0D};
  expected.insert(expected.end(), n.tokens.begin(), n.tokens.end());
  EXPECT_EQ(name_payload(n).flat(), expected);

  model::DefinedName user;
  user.name = u"합계범위";
  const Bytes b = name_payload(user).flat();
  ASSERT_EQ(b.size(), 15u + 8u);
  EXPECT_EQ(b[3], 4);    // characters
  EXPECT_EQ(b[14], 1);   // stored as UTF-16
}

TEST(RecordPayload, SupportingBooks) {
  model::SupportingBook self;
  self.sheet_count = 3;
  EXPECT_EQ(supbook_payload(self).flat(), (Bytes{3, 0, 0x01, 0x04}));
  model::SupportingBook addin;
  addin.kind = model::SupportingBook::Kind::AddIn;
  EXPECT_EQ(supbook_payload(addin).flat(), (Bytes{1, 0, 0x01, 0x3A}));
}

}  // namespace
}  // namespace tabrel::xls
