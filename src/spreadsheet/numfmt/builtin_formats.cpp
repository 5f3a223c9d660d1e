#include "spreadsheet/numfmt/builtin_formats.h"

namespace tabrel::numfmt {

namespace {

constexpr std::u16string_view kKoreanYmdHanja = u"yyyy\"年\" mm\"月\" dd\"日\"";

constexpr std::u16string_view kCodes[kBuiltinFormatCount] = {
    u"General",                                                    // 0
    u"0",                                                          // 1
    u"0.00",                                                       // 2
    u"#,##0",                                                      // 3
    u"#,##0.00",                                                   // 4
    u"\"₩\"#,##0;\"₩\"\\-#,##0",                                   // 5
    u"\"₩\"#,##0;[Red]\"₩\"\\-#,##0",                              // 6
    u"\"₩\"#,##0.00;\"₩\"\\-#,##0.00",                             // 7
    u"\"₩\"#,##0.00;[Red]\"₩\"\\-#,##0.00",                        // 8
    u"0%",                                                         // 9
    u"0.00%",                                                      // 10
    u"0.00E+00",                                                   // 11
    u"# ?/?",                                                      // 12
    u"# ?" u"?/??",                                                  // 13
    u"yyyy-mm-dd",                                                 // 14
    u"d-mmm-yy",                                                   // 15
    u"d-mmm",                                                      // 16
    u"mmm-yy",                                                     // 17
    u"h:mm AM/PM",                                                 // 18
    u"h:mm:ss AM/PM",                                              // 19
    u"h:mm",                                                       // 20
    u"h:mm:ss",                                                    // 21
    u"yyyy-mm-dd h:mm",                                            // 22
    u"General", u"General", u"General", u"General",                // 23..26
    kKoreanYmdHanja,                                               // 27
    u"mm-dd",                                                      // 28
    u"mm-dd",                                                      // 29
    u"mm-dd-yy",                                                   // 30
    u"yyyy\"년\" mm\"월\" dd\"일\"",                               // 31
    u"h\"시\" mm\"분\"",                                           // 32
    u"h\"시\" mm\"분\" ss\"초\"",                                  // 33
    u"yyyy-mm-dd",                                                 // 34
    u"yyyy-mm-dd",                                                 // 35
    kKoreanYmdHanja,                                               // 36
    u"#,##0 ;(#,##0)",                                             // 37
    u"#,##0 ;[Red](#,##0)",                                        // 38
    u"#,##0.00;(#,##0.00)",                                        // 39
    u"#,##0.00;[Red](#,##0.00)",                                   // 40
    u"_-* #,##0_-;\\-* #,##0_-;_-* \"-\"_-;_-@_-",                 // 41
    u"_-\"₩\"* #,##0_-;\\-\"₩\"* #,##0_-;_-\"₩\"* \"-\"_-;_-@_-",   // 42
    u"_-* #,##0.00_-;\\-* #,##0.00_-;_-* \"-\"??_-;_-@_-",         // 43
    u"_-\"₩\"* #,##0.00_-;\\-\"₩\"* #,##0.00_-;_-\"₩\"* \"-\"??_-;_-@_-",  // 44
    u"mm:ss",                                                      // 45
    u"[h]:mm:ss",                                                  // 46
    u"mm:ss.0",                                                    // 47
    u"##0.0E+0",                                                   // 48
    u"@",                                                          // 49
    kKoreanYmdHanja,                                               // 50
    u"mm-dd",                                                      // 51
    u"yyyy-mm-dd",                                                 // 52
    u"yyyy-mm-dd",                                                 // 53
    u"mm-dd",                                                      // 54
    u"yyyy-mm-dd",                                                 // 55
    u"yyyy-mm-dd",                                                 // 56
    kKoreanYmdHanja,                                               // 57
    u"mm-dd",                                                      // 58
};

}  // namespace

std::optional<std::u16string_view> builtin_format_code(int id) {
  if (id < 0 || id >= kBuiltinFormatCount) return std::nullopt;
  return kCodes[id];
}

std::optional<int> builtin_format_id(std::u16string_view code) {
  for (int id = 0; id < kBuiltinFormatCount; ++id)
    if (kCodes[id] == code) return id;
  return std::nullopt;
}

}  // namespace tabrel::numfmt
