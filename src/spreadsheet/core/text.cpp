#include "spreadsheet/core/text.h"

#include <iconv.h>

#include <cerrno>
#include <string>
#include <vector>

namespace tabrel {

std::u16string from_utf8(std::string_view in) {
  std::u16string out;
  out.reserve(in.size());
  size_t i = 0;
  auto cont = [&](size_t k) { return i + k < in.size() && (static_cast<unsigned char>(in[i + k]) & 0xC0) == 0x80; };
  while (i < in.size()) {
    unsigned char c = static_cast<unsigned char>(in[i]);
    char32_t cp = 0xFFFD;
    size_t len = 1;
    if (c < 0x80) {
      cp = c;
    } else if ((c & 0xE0) == 0xC0 && cont(1)) {
      cp = ((c & 0x1F) << 6) | (in[i + 1] & 0x3F);
      len = 2;
      if (cp < 0x80) cp = 0xFFFD;
    } else if ((c & 0xF0) == 0xE0 && cont(1) && cont(2)) {
      cp = ((c & 0x0F) << 12) | ((in[i + 1] & 0x3F) << 6) | (in[i + 2] & 0x3F);
      len = 3;
      if (cp < 0x800) cp = 0xFFFD;
    } else if ((c & 0xF8) == 0xF0 && cont(1) && cont(2) && cont(3)) {
      cp = ((c & 0x07) << 18) | ((in[i + 1] & 0x3F) << 12) | ((in[i + 2] & 0x3F) << 6) | (in[i + 3] & 0x3F);
      len = 4;
      if (cp < 0x10000 || cp > 0x10FFFF) cp = 0xFFFD;
    }
    i += len;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

char* encode_utf8(std::u16string_view in, char* out) {
  auto put = [&out](char32_t byte) { *out++ = static_cast<char>(byte); };
  for (size_t i = 0; i < in.size(); ++i) {
    char32_t cp = in[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (in[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      put(cp);
    } else if (cp < 0x800) {
      put(0xC0 | (cp >> 6));
      put(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      put(0xE0 | (cp >> 12));
      put(0x80 | ((cp >> 6) & 0x3F));
      put(0x80 | (cp & 0x3F));
    } else {
      put(0xF0 | (cp >> 18));
      put(0x80 | ((cp >> 12) & 0x3F));
      put(0x80 | ((cp >> 6) & 0x3F));
      put(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

std::string to_utf8(std::u16string_view in) {
  std::string out(in.size() * 3, '\0');
  out.resize(static_cast<size_t>(encode_utf8(in, out.data()) - out.data()));
  return out;
}

namespace {

std::string codepage_name(int codepage) {
  switch (codepage) {
    case 1200: return "UTF-16LE";
    case 65001: return "UTF-8";
    case 949: return "CP949";
    case 932: return "CP932";
    case 936: return "CP936";
    case 950: return "CP950";
    case 10000: return "MACINTOSH";
    case 367: return "ASCII";
    default: return "CP" + std::to_string(codepage);
  }
}

// Runs iconv over the whole input; an unconvertible byte sequence becomes `bad` and is skipped.
std::optional<std::string> convert(std::string_view in, const std::string& from, const std::string& to,
                                   std::string_view bad, size_t bad_step) {
  iconv_t cd = iconv_open(to.c_str(), from.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  std::vector<char> buf(4096);
  char* src = const_cast<char*>(in.data());
  size_t left = in.size();
  while (left > 0) {
    char* dst = buf.data();
    size_t room = buf.size();
    size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(buf.data(), dst);
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: replace one unit and resynchronise.
      out.append(bad);
      size_t skip = std::min(left, bad_step);
      src += skip;
      left -= skip;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::optional<std::u16string> decode_codepage(std::string_view bytes, int codepage) {
  if (codepage == 28591) return from_latin1(bytes);
  static const std::string kReplacement("\xFD\xFF", 2);  // U+FFFD little-endian
  auto raw = convert(bytes, codepage_name(codepage), "UTF-16LE", kReplacement, 1);
  if (!raw) return std::nullopt;
  std::u16string out(raw->size() / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char16_t>(static_cast<unsigned char>((*raw)[2 * i]) |
                                   (static_cast<unsigned char>((*raw)[2 * i + 1]) << 8));
  return out;
}

std::optional<std::string> encode_codepage(std::u16string_view text, int codepage) {
  std::string raw(text.size() * 2, '\0');
  for (size_t i = 0; i < text.size(); ++i) {
    raw[2 * i] = static_cast<char>(text[i] & 0xFF);
    raw[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  return convert(raw, "UTF-16LE", codepage_name(codepage), "?", 2);
}

std::u16string from_latin1(std::string_view bytes) {
  std::u16string out(bytes.size(), u'\0');
  for (size_t i = 0; i < bytes.size(); ++i) out[i] = static_cast<unsigned char>(bytes[i]);
  return out;
}

namespace {
char16_t fold_up(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  return c;
}
char16_t fold_down(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  return c;
}
}  // namespace

std::u16string upper(std::u16string_view s) {
  std::u16string out(s);
  for (auto& c : out) c = fold_up(c);
  return out;
}

std::u16string lower(std::u16string_view s) {
  std::u16string out(s);
  for (auto& c : out) c = fold_down(c);
  return out;
}

bool equals_ignore_case(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (fold_up(a[i]) != fold_up(b[i])) return false;
  return true;
}

}  // namespace tabrel
