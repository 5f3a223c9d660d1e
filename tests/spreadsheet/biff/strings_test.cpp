// String codecs: byte-exact read -> write for each form, strings that cross CONTINUE
// boundaries (8-bit and 16-bit halves, runs and phonetic data), and damaged strings.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "spreadsheet/biff/format_error.h"
#include "spreadsheet/biff/strings.h"

namespace tabrel::biff {
namespace {

Record record_of(std::vector<uint8_t> data, std::vector<size_t> boundaries = {}) {
  Record r;
  r.data = std::move(data);
  r.boundaries = std::move(boundaries);
  r.continue_offsets.assign(r.boundaries.size(), 0);
  return r;
}

// Phonetic text "トウキョウ" over "東京" with one run.
const std::vector<uint8_t> kPhonetic = {
    0x02, 0x00, 0x05, 0x1E, 0x00, 0x00, 0x00, 0x71, 0x67, 0xAC, 0x4E,  // cch, flags, cbExtRst, text
    0x01, 0x00, 0x1A, 0x00, 0x01, 0x00, 0x31, 0x00,                    // reserved, cb, font, properties
    0x01, 0x00, 0x05, 0x00, 0x05, 0x00,                                // run count, char counts
    0xC8, 0x30, 0xA6, 0x30, 0xAD, 0x30, 0xE7, 0x30, 0xA6, 0x30,        // phonetic text
    0x00, 0x00, 0x00, 0x00, 0x02, 0x00};                               // the run

RichString phonetic_string() {
  RichString s;
  s.text = u"\u6771\u4EAC";
  PhoneticText p;
  p.font = 1;
  p.properties = 0x31;
  p.text = u"\u30C8\u30A6\u30AD\u30E7\u30A6";
  p.runs = {{0, 0, 2}};
  s.phonetic = p;
  return s;
}

enum class Form { Body, Short, Long, Rich };

struct EncodedString {
  const char* what;
  Form form;
  std::vector<uint8_t> bytes;
  RichString value;  // only text for the short and long forms
};

RichString plain(std::u16string text) {
  RichString s;
  s.text = std::move(text);
  return s;
}

std::vector<EncodedString> cases() {
  RichString runs{u"abc", {{0, 5}, {2, 6}}, std::nullopt, {}};
  RichString unparsed{u"x", {}, std::nullopt, {0xAA, 0xBB, 0xCC}};
  return {
      {"body of 16-bit characters", Form::Body, {0x01, 0x00, 0xAC, 0x41, 0x00}, plain(u"\uAC00A")},
      {"short 8-bit", Form::Short, {0x06, 0x00, 'S', 'h', 'e', 'e', 't', '1'}, plain(u"Sheet1")},
      {"short 16-bit", Form::Short, {0x02, 0x01, 0xDC, 0xC2, 0xB8, 0xD2}, plain(u"\uC2DC\uD2B8")},
      {"long empty", Form::Long, {0x00, 0x00, 0x00}, plain(u"")},
      {"long 8-bit", Form::Long, {0x02, 0x00, 0x00, 'a', 0xE9}, plain(u"a\u00E9")},
      {"long 16-bit, a surrogate pair", Form::Long, {0x02, 0x00, 0x01, 0x3C, 0xD8, 0x63, 0xDF}, plain(u"\U0001F363")},
      {"rich with runs", Form::Rich,
       {0x03, 0x00, 0x08, 0x02, 0x00, 'a', 'b', 'c', 0x00, 0x00, 0x05, 0x00, 0x02, 0x00, 0x06, 0x00}, runs},
      {"rich with phonetic data", Form::Rich, kPhonetic, phonetic_string()},
      {"rich with an ExtRst that does not parse", Form::Rich,
       {0x01, 0x00, 0x04, 0x03, 0x00, 0x00, 0x00, 'x', 0xAA, 0xBB, 0xCC}, unparsed},
  };
}

TEST(Strings, ReadThenWriteIsByteExact) {
  for (const EncodedString& c : cases()) {
    Record rec = record_of(c.bytes);
    RecordCursor in(rec);
    PayloadBuilder out;
    switch (c.form) {
      case Form::Body:
        EXPECT_EQ(read_string_body(in, c.value.text.size()), c.value.text) << c.what;
        append_string_body(out, c.value.text);
        break;
      case Form::Short:
        EXPECT_EQ(read_short_string(in), c.value.text) << c.what;
        append_short_string(out, c.value.text);
        break;
      case Form::Long:
        EXPECT_EQ(read_string(in), c.value.text) << c.what;
        append_string(out, c.value.text);
        break;
      case Form::Rich:
        EXPECT_EQ(read_rich_string(in), c.value) << c.what;
        append_rich_string(out, c.value);
        break;
    }
    EXPECT_TRUE(in.at_end()) << c.what;
    EXPECT_EQ(out.flat(), c.bytes) << c.what;
  }
}

TEST(Strings, CharactersContinueWithANewFlagByte) {
  struct Split {
    const char* what;
    std::vector<uint8_t> data;
    std::vector<size_t> boundaries;
    std::u16string text;
  };
  const Split splits[] = {
      {"8-bit then 16-bit", {0x06, 0x00, 0x00, 'a', 'b', 'c', 0x01, 'd', 0x00, 'e', 0x00, 0xAC, 0x00}, {6},
       u"abcde\u00AC"},
      {"16-bit then 8-bit", {0x04, 0x00, 0x01, 'a', 0x00, 'b', 0x00, 0x00, 'c', 'd'}, {7}, u"abcd"},
      {"boundary before the first character", {0x02, 0x00, 0x00, 0x01, 'x', 0x00, 'y', 0x00}, {3}, u"xy"},
      {"two boundaries", {0x03, 0x00, 0x00, 'a', 0x01, 'b', 0x00, 0x00, 'c'}, {4, 7}, u"abc"},
  };
  for (const Split& s : splits) {
    Record rec = record_of(s.data, s.boundaries);
    RecordCursor in(rec);
    EXPECT_EQ(read_string(in), s.text) << s.what;
    EXPECT_TRUE(in.at_end()) << s.what;
  }
}

TEST(Strings, RunsAndPhoneticDataContinueWithoutAFlagByte) {
  // Formatting runs cut in the middle of a run.
  Record runs = record_of({0x03, 0x00, 0x08, 0x01, 0x00, 'a', 'b', 'c', 0x01, 0x00, 0x05, 0x00}, {10});
  RecordCursor in(runs);
  EXPECT_EQ(read_rich_string(in).runs, (std::vector<FormatRun>{{1, 5}}));
  // The phonetic block cut inside its text.
  for (size_t cut : std::vector<size_t>{12, 20, 30, kPhonetic.size() - 1}) {
    Record rec = record_of(kPhonetic, {cut});
    RecordCursor c(rec);
    EXPECT_EQ(read_rich_string(c), phonetic_string()) << cut;
  }
}

TEST(Strings, DamagedStringsRaise) {
  struct Bad {
    const char* what;
    std::vector<uint8_t> data;
    std::vector<size_t> boundaries;
    std::function<void(RecordCursor&)> read;
  };
  auto long_form = [](RecordCursor& c) { read_string(c); };
  auto rich = [](RecordCursor& c) { read_rich_string(c); };
  const Bad cases[] = {
      {"characters past the end", {0x05, 0x00, 0x00, 'a', 'b'}, {}, long_form},
      {"16-bit character cut by a boundary", {0x02, 0x00, 0x01, 'a', 0x00, 'b', 0x01, 0x00}, {6}, long_form},
      {"flag byte missing at the end", {0x02, 0x00, 0x00, 'a'}, {4}, long_form},
      {"runs past the end", {0x01, 0x00, 0x08, 0xFF, 0x00, 'a', 0x00, 0x00}, {}, rich},
      {"phonetic block past the end", {0x01, 0x00, 0x04, 0x40, 0x00, 0x00, 0x00, 'a', 0x01}, {}, rich},
      {"no length", {0x01}, {}, long_form},
  };
  for (const Bad& b : cases) {
    Record rec = record_of(b.data, b.boundaries);
    rec.offset = 1000;
    for (size_t i = 0; i < rec.boundaries.size(); ++i) rec.continue_offsets[i] = 1004 + rec.boundaries[i] + 4 * i;
    RecordCursor in(rec);
    try {
      b.read(in);
      ADD_FAILURE() << b.what << " read without error";
    } catch (const FormatError& e) {
      EXPECT_GE(e.offset(), 1004u) << b.what;
    }
  }
}

TEST(Strings, WritersRefuseLengthsTheirFieldCannotCount) {
  PayloadBuilder b;
  EXPECT_THROW(append_short_string(b, std::u16string(256, u'a')), std::length_error);
  EXPECT_THROW(append_string(b, std::u16string(65536, u'a')), std::length_error);
  EXPECT_NO_THROW(append_string(b, std::u16string(65535, u'a')));
}

TEST(Strings, EightBitFormOnlyWhenEveryCharacterFits) {
  EXPECT_TRUE(fits_compressed(u"caf\u00E9"));
  EXPECT_FALSE(fits_compressed(u"\u0100"));
  PayloadBuilder b;
  append_string(b, u"a\uAC00");
  EXPECT_EQ(b.flat(), (std::vector<uint8_t>{0x02, 0x00, 0x01, 'a', 0x00, 0x00, 0xAC}));
}

}  // namespace
}  // namespace tabrel::biff
