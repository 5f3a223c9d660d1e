#pragma once
// The string forms of BIFF8: ShortXLUnicodeString (8-bit length), XLUnicodeString (16-bit
// length) and XLUnicodeRichExtendedString (formatting runs and phonetic data), read through a
// RecordCursor and appended to a PayloadBuilder. Writers store a string in 8-bit form when
// every character fits in one byte, 16-bit otherwise; a string longer than its length field can
// count raises std::length_error.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/biff/payload_builder.h"
#include "spreadsheet/biff/record_cursor.h"

namespace tabrel::biff {

// From character `first_char` on, the text uses font `font` (a FONT record index).
struct FormatRun {
  uint16_t first_char = 0;
  uint16_t font = 0;
  bool operator==(const FormatRun&) const = default;
};

// A piece of phonetic text over a piece of the base text.
struct PhoneticRun {
  uint16_t first_phonetic = 0;  // ichFirst: first character in the phonetic text
  uint16_t first_base = 0;      // ichMom: first character in the base text
  uint16_t base_count = 0;      // cchMom: characters of the base text covered
  bool operator==(const PhoneticRun&) const = default;
};

// The ExtRst block: phonetic (furigana) text and its properties.
struct PhoneticText {
  uint16_t font = 0;       // phs.ifnt
  uint16_t properties = 0; // phs second word: bits 0-1 phType, bits 2-3 alcH, rest kept as read
  std::u16string text;
  std::vector<PhoneticRun> runs;
  std::vector<uint8_t> trailing;  // bytes the block's size covers beyond its known fields
  bool operator==(const PhoneticText&) const = default;

  uint8_t type() const { return properties & 0x3; }
  uint8_t alignment() const { return (properties >> 2) & 0x3; }
};

struct RichString {
  std::u16string text;
  std::vector<FormatRun> runs;
  std::optional<PhoneticText> phonetic;
  std::vector<uint8_t> unparsed_ext;  // an ExtRst block that did not parse, kept as read
  bool operator==(const RichString&) const = default;
};

std::u16string read_short_string(RecordCursor& cursor);
std::u16string read_string(RecordCursor& cursor);
RichString read_rich_string(RecordCursor& cursor);

// A string body without its length field (cch given elsewhere): flag byte, then characters.
std::u16string read_string_body(RecordCursor& cursor, size_t count);

void append_string_body(PayloadBuilder& out, std::u16string_view text);   // flag byte and characters
void append_short_string(PayloadBuilder& out, std::u16string_view text);  // at most 255 chars
void append_string(PayloadBuilder& out, std::u16string_view text);        // at most 65535 chars
void append_rich_string(PayloadBuilder& out, const RichString& text);

// True when every character fits in the 8-bit ("compressed") form.
bool fits_compressed(std::u16string_view text);

}  // namespace tabrel::biff
