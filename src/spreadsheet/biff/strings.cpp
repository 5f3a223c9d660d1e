#include "spreadsheet/biff/strings.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace tabrel::biff {
namespace {

constexpr uint8_t kHighByte = 0x01;
constexpr uint8_t kExtSt = 0x04;
constexpr uint8_t kRichSt = 0x08;
constexpr size_t kExtHeaderSize = 4;  // reserved word and size of the phonetic block

class BlockReader {
 public:
  explicit BlockReader(std::span<const uint8_t> data) : data_(data) {}
  bool has(size_t n) const { return n <= data_.size() - pos_; }
  uint16_t u16() {
    uint16_t v = static_cast<uint16_t>(data_[pos_] | data_[pos_ + 1] << 8);
    pos_ += 2;
    return v;
  }
  std::span<const uint8_t> rest() const { return data_.subspan(pos_); }

 private:
  std::span<const uint8_t> data_;
  size_t pos_ = 0;
};

// The ExtRst block: reserved (1), size of what follows, Phs, RPHSSub, PhRuns. nullopt when the
// block does not hold together.
std::optional<PhoneticText> parse_ext_rst(std::span<const uint8_t> block) {
  BlockReader in(block);
  if (!in.has(4)) return std::nullopt;
  uint16_t reserved = in.u16();
  uint16_t size = in.u16();
  if (reserved != 1 || size != block.size() - 4 || !in.has(10)) return std::nullopt;
  PhoneticText p;
  p.font = in.u16();
  p.properties = in.u16();
  uint16_t run_count = in.u16();
  uint16_t char_count = in.u16();
  uint16_t text_count = in.u16();
  if (char_count != text_count || !in.has(size_t{text_count} * 2 + size_t{run_count} * 6)) return std::nullopt;
  for (uint16_t i = 0; i < text_count; ++i) p.text.push_back(static_cast<char16_t>(in.u16()));
  for (uint16_t i = 0; i < run_count; ++i) {
    PhoneticRun r;
    r.first_phonetic = in.u16();
    r.first_base = in.u16();
    r.base_count = in.u16();
    p.runs.push_back(r);
  }
  auto rest = in.rest();
  p.trailing.assign(rest.begin(), rest.end());
  return p;
}

// Writing a string longer than its length field can count is a caller's mistake.
void check_length(size_t length, size_t limit) {
  if (length > limit) {
    throw std::length_error("string field of " + std::to_string(length) + ", at most " + std::to_string(limit));
  }
}

std::vector<uint8_t> encode_ext_rst(const PhoneticText& p) {
  PayloadBuilder b;
  size_t size = 10 + 2 * p.text.size() + 6 * p.runs.size() + p.trailing.size();
  check_length(size, 0xFFFF);
  b.u16(1);
  b.u16(static_cast<uint16_t>(size));
  b.u16(p.font);
  b.u16(p.properties);
  b.u16(static_cast<uint16_t>(p.runs.size()));
  b.u16(static_cast<uint16_t>(p.text.size()));
  b.u16(static_cast<uint16_t>(p.text.size()));
  for (char16_t c : p.text) b.u16(c);
  for (const PhoneticRun& r : p.runs) {
    b.u16(r.first_phonetic);
    b.u16(r.first_base);
    b.u16(r.base_count);
  }
  b.bytes(p.trailing);
  return b.flat();
}

std::vector<uint8_t> length_and_flags(size_t length, bool short_form, uint8_t flags) {
  check_length(length, short_form ? 0xFF : 0xFFFF);
  PayloadBuilder h;
  if (short_form) {
    h.u8(static_cast<uint8_t>(length));
  } else {
    h.u16(static_cast<uint16_t>(length));
  }
  h.u8(flags);
  return h.flat();
}

}  // namespace

bool fits_compressed(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c <= 0xFF; });
}

std::u16string read_string_body(RecordCursor& cursor, size_t count) {
  uint8_t flags = cursor.u8();
  return cursor.chars(count, (flags & kHighByte) != 0);
}

std::u16string read_short_string(RecordCursor& cursor) { return read_string_body(cursor, cursor.u8()); }

std::u16string read_string(RecordCursor& cursor) { return read_string_body(cursor, cursor.u16()); }

RichString read_rich_string(RecordCursor& cursor) {
  size_t count = cursor.u16();
  uint8_t flags = cursor.u8();
  size_t run_count = (flags & kRichSt) ? cursor.u16() : 0;
  size_t ext_size = (flags & kExtSt) ? cursor.u32() : 0;
  RichString s;
  s.text = cursor.chars(count, (flags & kHighByte) != 0);
  if (run_count * 4 > cursor.remaining()) cursor.fail("formatting runs run past the end of the record");
  s.runs.reserve(run_count);
  for (size_t i = 0; i < run_count; ++i) {
    FormatRun r;
    r.first_char = cursor.u16();
    r.font = cursor.u16();
    s.runs.push_back(r);
  }
  if (ext_size > 0) {
    auto block = cursor.bytes(ext_size);
    s.phonetic = parse_ext_rst(block);
    if (!s.phonetic) s.unparsed_ext.assign(block.begin(), block.end());
  }
  return s;
}

void append_string_body(PayloadBuilder& out, std::u16string_view text) {
  bool wide = !fits_compressed(text);
  const uint8_t flags = wide ? kHighByte : 0;
  out.string(std::span(&flags, 1), text, wide);
}

void append_short_string(PayloadBuilder& out, std::u16string_view text) {
  bool wide = !fits_compressed(text);
  out.string(length_and_flags(text.size(), true, wide ? kHighByte : 0), text, wide);
}

void append_string(PayloadBuilder& out, std::u16string_view text) {
  bool wide = !fits_compressed(text);
  out.string(length_and_flags(text.size(), false, wide ? kHighByte : 0), text, wide);
}

void append_rich_string(PayloadBuilder& out, const RichString& s) {
  bool wide = !fits_compressed(s.text);
  check_length(s.text.size(), 0xFFFF);
  check_length(s.runs.size(), 0xFFFF);
  std::vector<uint8_t> ext = s.phonetic ? encode_ext_rst(*s.phonetic) : s.unparsed_ext;
  uint8_t flags = static_cast<uint8_t>((wide ? kHighByte : 0) | (s.runs.empty() ? 0 : kRichSt) | (ext.empty() ? 0 : kExtSt));
  PayloadBuilder header;
  header.u16(static_cast<uint16_t>(s.text.size()));
  header.u8(flags);
  if (!s.runs.empty()) header.u16(static_cast<uint16_t>(s.runs.size()));
  if (!ext.empty()) header.u32(static_cast<uint32_t>(ext.size()));
  out.string(header.flat(), s.text, wide);
  // After the characters, the runs and the phonetic block continue without a flag byte and may
  // be cut anywhere, except inside the block's 4-byte header (as the spreadsheet writes them).
  if (!s.runs.empty()) {
    PayloadBuilder runs;
    for (const FormatRun& r : s.runs) {
      runs.u16(r.first_char);
      runs.u16(r.font);
    }
    out.loose_bytes(runs.flat());
  }
  if (ext.size() > kExtHeaderSize) {
    out.bytes(std::span(ext).first(kExtHeaderSize));
    out.loose_bytes(std::span(ext).subspan(kExtHeaderSize));
  } else if (!ext.empty()) {
    out.loose_bytes(ext);
  }
}

}  // namespace tabrel::biff
