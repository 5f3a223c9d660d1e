#include "json.h"

#include "json_text.h"
#include "spreadsheet/core/text.h"

#include <cmath>
#include <cstdlib>

namespace tabrel::json {

namespace {

const Value kNull;
constexpr int kMaxDepth = 256;

// Appends the text `put` writes within `most` bytes.
template <typename Put>
void append(std::string& out, size_t most, Put put) {
  const size_t start = out.size();
  out.resize(start + most);
  out.resize(static_cast<size_t>(put(out.data() + start) - out.data()));
}

void write_string(std::string& out, std::string_view s) {
  append(out, max_string_bytes(s.size()), [s](char* at) { return put_string(at, s); });
}

void write_value(std::string& out, const Value& v, bool indent, int depth) {
  auto newline = [&](int d) {
    if (!indent) return;
    out.push_back('\n');
    out.append(static_cast<size_t>(d), ' ');
  };
  if (v.is_null()) out += "null";
  else if (v.is_bool()) out += v.as_bool() ? "true" : "false";
  else if (v.is_number()) append(out, kMaxNumberBytes, [&v](char* at) { return put_number(at, v.as_number()); });
  else if (v.is_string()) write_string(out, v.as_string());
  else if (v.is_array()) {
    out.push_back('[');
    bool first = true;
    for (const auto& item : v.as_array()) {
      if (!first) out.push_back(',');
      first = false;
      newline(depth + 1);
      write_value(out, item, indent, depth + 1);
    }
    if (!first) newline(depth);
    out.push_back(']');
  } else {
    out.push_back('{');
    bool first = true;
    for (const auto& [key, item] : v.as_object()) {
      if (!first) out.push_back(',');
      first = false;
      newline(depth + 1);
      write_string(out, key);
      out += indent ? ": " : ":";
      write_value(out, item, indent, depth + 1);
    }
    if (!first) newline(depth);
    out.push_back('}');
  }
}

class Parser {
 public:
  explicit Parser(std::string_view s) : s_(s) {}

  Value document() {
    Value v = value(0);
    skip_space();
    if (pos_ != s_.size()) fail("text after the value");
    return v;
  }

 private:
  [[noreturn]] void fail(const char* what) const {
    throw ParseError(std::string(what) + " at byte " + std::to_string(pos_));
  }
  void skip_space() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\n' || s_[pos_] == '\r' || s_[pos_] == '\t')) ++pos_;
  }
  bool eat(char ch) {
    skip_space();
    if (pos_ < s_.size() && s_[pos_] == ch) {
      ++pos_;
      return true;
    }
    return false;
  }
  void expect(char ch) {
    if (!eat(ch)) fail("unexpected character");
  }
  bool literal(std::string_view word) {
    if (s_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }

  Value value(int depth) {
    if (depth > kMaxDepth) fail("nesting too deep");
    skip_space();
    if (pos_ >= s_.size()) fail("unexpected end");
    const char ch = s_[pos_];
    if (ch == '{') return object(depth);
    if (ch == '[') return array(depth);
    if (ch == '"') return Value(string());
    if (literal("true")) return Value(true);
    if (literal("false")) return Value(false);
    if (literal("null")) return Value();
    if (literal("NaN")) return Value(std::nan(""));
    if (literal("Infinity")) return Value(HUGE_VAL);
    if (literal("-Infinity")) return Value(-HUGE_VAL);
    return Value(number());
  }

  Value object(int depth) {
    ++pos_;
    Object o;
    if (eat('}')) return Value(std::move(o));
    do {
      skip_space();
      if (pos_ >= s_.size() || s_[pos_] != '"') fail("expected a key");
      std::string key = string();
      expect(':');
      o[std::move(key)] = value(depth + 1);
    } while (eat(','));
    expect('}');
    return Value(std::move(o));
  }

  Value array(int depth) {
    ++pos_;
    Array a;
    if (eat(']')) return Value(std::move(a));
    do a.push_back(value(depth + 1));
    while (eat(','));
    expect(']');
    return Value(std::move(a));
  }

  double number() {
    const size_t start = pos_;
    while (pos_ < s_.size() && std::string_view("+-0123456789.eE").find(s_[pos_]) != std::string_view::npos) ++pos_;
    if (start == pos_) fail("unexpected character");
    const std::string text(s_.substr(start, pos_ - start));
    char* end = nullptr;
    const double d = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size()) fail("malformed number");
    return d;
  }

  unsigned hex4() {
    if (s_.size() - pos_ < 4) fail("short \\u escape");
    unsigned v = 0;
    for (int i = 0; i < 4; ++i) {
      const char ch = s_[pos_++];
      v <<= 4;
      if (ch >= '0' && ch <= '9') v |= static_cast<unsigned>(ch - '0');
      else if (ch >= 'a' && ch <= 'f') v |= static_cast<unsigned>(ch - 'a' + 10);
      else if (ch >= 'A' && ch <= 'F') v |= static_cast<unsigned>(ch - 'A' + 10);
      else fail("bad \\u escape");
    }
    return v;
  }

  std::string string() {
    ++pos_;
    std::string out;
    while (true) {
      if (pos_ >= s_.size()) fail("unterminated string");
      const char ch = s_[pos_++];
      if (ch == '"') return out;
      if (ch != '\\') {
        out.push_back(ch);
        continue;
      }
      if (pos_ >= s_.size()) fail("unterminated escape");
      const char e = s_[pos_++];
      switch (e) {
        case '"': out.push_back('"'); break;
        case '\\': out.push_back('\\'); break;
        case '/': out.push_back('/'); break;
        case 'b': out.push_back('\b'); break;
        case 'f': out.push_back('\f'); break;
        case 'n': out.push_back('\n'); break;
        case 'r': out.push_back('\r'); break;
        case 't': out.push_back('\t'); break;
        case 'u': {
          // A high surrogate takes the escape that follows it; unpaired halves become U+FFFD.
          std::u16string units(1, static_cast<char16_t>(hex4()));
          if (units[0] >= 0xD800 && units[0] < 0xDC00 && s_.substr(pos_, 2) == "\\u") {
            pos_ += 2;
            units.push_back(static_cast<char16_t>(hex4()));
          }
          out += tabrel::to_utf8(units);
          break;
        }
        default: fail("bad escape");
      }
    }
  }

  std::string_view s_;
  size_t pos_ = 0;
};

}  // namespace

const Value& Value::operator[](std::string_view key) const {
  if (!is_object()) return kNull;
  const auto& o = as_object();
  auto it = o.find(std::string(key));
  return it == o.end() ? kNull : it->second;
}

std::string write(const Value& v, bool indent, int depth) {
  std::string out;
  write_value(out, v, indent, depth);
  return out;
}

Value parse(std::string_view text) { return Parser(text).document(); }

}  // namespace tabrel::json
