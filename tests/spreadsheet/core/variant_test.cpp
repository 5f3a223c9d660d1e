#include "spreadsheet/core/variant.h"

#include <gtest/gtest.h>

#include <cmath>

#include "spreadsheet/core/automation_error.h"

namespace tabrel {
namespace {

TEST(Variant, ComparisonsFollowTheLanguage) {
  EXPECT_FALSE(equals(Variant::null(), Variant(1)).has_value());
  EXPECT_EQ(equals(Variant(1.0), Variant(u"1")), true);
  EXPECT_EQ(equals(Variant(), Variant(0)), true);
  EXPECT_EQ(equals(Variant(), Variant(u"")), true);
  EXPECT_EQ(equals(Variant(u"a"), Variant(u"A")), false);
  EXPECT_EQ(compare(Variant(u"a"), Variant(u"A"), true), 0);
  EXPECT_EQ(equals(Variant(true), Variant(-1)), true);
  EXPECT_THROW(equals(Variant::error(CellError::NA), Variant(1)), AutomationError);
}

TEST(Variant, ConversionsAndTheirErrors) {
  EXPECT_EQ(Variant(u" 2.5 ").to_double(), 2.5);
  EXPECT_EQ(Variant(2.5).to_long(), 2);   // banker's rounding
  EXPECT_EQ(Variant(3.5).to_long(), 4);
  EXPECT_EQ(Variant(true).to_string(), u"True");
  EXPECT_EQ(Variant::single(0.1f).to_string(), u"0.1");
  EXPECT_EQ(Variant(0.1).to_string(), u"0.1");
  // A number past the double range (a numeric literal of 400 digits) prints without failing.
  EXPECT_EQ(Variant(HUGE_VAL).to_string(), u"1.#INF");
  EXPECT_EQ(Variant(-HUGE_VAL).to_string(), u"-1.#INF");
  EXPECT_EQ(Variant::date(46366.5).to_string(), u"2026-12-10 오후 12:00:00");
  EXPECT_EQ(Variant::date(46366).to_string(), u"2026-12-10");
  EXPECT_THROW(Variant::null().to_string(), AutomationError);
  EXPECT_THROW(Variant(u"x").to_double(), AutomationError);
  EXPECT_THROW(Variant(1e10).to_integer(), AutomationError);
  try {
    Variant::null().to_bool();
    FAIL();
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.number(), 94);
  }
}

TEST(Variant, ErrorsAndTypeNames) {
  EXPECT_EQ(cell_error_text(CellError::Div0), u"#DIV/0!");
  EXPECT_EQ(cell_error_from_text(u"#n/a"), CellError::NA);
  EXPECT_EQ(Variant::error(CellError::Ref).type(), VarType::Error);
  EXPECT_EQ(Variant::integer(-1).type_name(), u"Integer");
  EXPECT_EQ(Variant::null().type_name(), u"Null");
  VariantArray a{{1}, {2}, {Variant(1), Variant(u"x")}};
  EXPECT_TRUE(Variant::array(a).same_as(Variant::array(a)));
}

}  // namespace
}  // namespace tabrel
