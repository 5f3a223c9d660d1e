// Malformed codes give a FormatError with the offset of the fault, never a crash.

#include <gtest/gtest.h>

#include "spreadsheet/numfmt/format.h"
#include "spreadsheet/numfmt/format_cache.h"
#include "spreadsheet/numfmt/format_error.h"

namespace tabrel::numfmt {
namespace {

TEST(FormatError, MalformedCodesReportWhere) {
  struct Case {
    const char16_t* code;
    size_t offset;
  };
  for (const Case& c : std::initializer_list<Case>{
           {u"0\"abc", 1},        // unterminated quote
           {u"0.00[Red", 4},      // unterminated bracket
           {u"0\\", 1},           // escape at the end
           {u"0_", 1},            // spacer at the end
           {u"0*", 1},            // fill at the end
           {u"[Purple]0", 0},     // unknown bracket
           {u"[>abc]0", 0},       // condition without a number
           {u"0;0;0;@;0", 7},     // fifth section
           {u"0@", 1},            // text placeholder in a number section
           {u"yyyy 0", 5},        // digit placeholder in a date
           {u"General 0", 0},     // General mixed with placeholders
       }) {
    try {
      Format::compile(c.code);
      ADD_FAILURE() << "no error";
    } catch (const FormatError& e) {
      EXPECT_EQ(e.offset(), c.offset) << e.what();
    }
  }
}

TEST(FormatError, EmptyCodeIsGeneral) {
  Format f = Format::compile(u"");
  EXPECT_EQ(f.number_sections(), 0u);
}

TEST(FormatCache, CompilesEachCodeOnceAndRemembersNoFailure) {
  FormatCache cache;
  auto a = cache.get(u"#,##0");
  auto b = cache.get(u"#,##0");
  EXPECT_EQ(a.get(), b.get());
  EXPECT_THROW(cache.get(u"[Nope]0"), FormatError);
  EXPECT_EQ(cache.size(), 1u);
}

}  // namespace
}  // namespace tabrel::numfmt
