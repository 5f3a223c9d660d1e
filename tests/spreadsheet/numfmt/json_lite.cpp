#include "spreadsheet/numfmt/json_lite.h"

#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tabrel::testing {

namespace {

class Parser {
 public:
  explicit Parser(std::string_view s) : s_(s) {}

  std::optional<Json> document() {
    auto v = value(0);
    skip();
    if (!v || i_ != s_.size()) return std::nullopt;
    return v;
  }

 private:
  void skip() {
    while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\r' || s_[i_] == '\t')) ++i_;
  }
  bool eat(char c) {
    skip();
    if (i_ < s_.size() && s_[i_] == c) return ++i_, true;
    return false;
  }
  bool word(std::string_view w) {
    if (s_.substr(i_, w.size()) != w) return false;
    i_ += w.size();
    return true;
  }

  static void put_utf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }

  std::optional<unsigned> hex4() {
    if (i_ + 4 > s_.size()) return std::nullopt;
    unsigned v = 0;
    for (int k = 0; k < 4; ++k) {
      char c = s_[i_++];
      v = v * 16 + static_cast<unsigned>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
    }
    return v;
  }

  std::optional<std::string> string() {
    std::string out;
    ++i_;  // opening quote
    while (i_ < s_.size() && s_[i_] != '"') {
      char c = s_[i_++];
      if (c != '\\') {
        out.push_back(c);
        continue;
      }
      if (i_ >= s_.size()) return std::nullopt;
      char e = s_[i_++];
      switch (e) {
        case 'n': out.push_back('\n'); break;
        case 't': out.push_back('\t'); break;
        case 'r': out.push_back('\r'); break;
        case 'b': out.push_back('\b'); break;
        case 'f': out.push_back('\f'); break;
        case 'u': {
          auto cp = hex4();
          if (!cp) return std::nullopt;
          if (*cp >= 0xD800 && *cp < 0xDC00 && word("\\u")) {
            auto lo = hex4();
            if (!lo) return std::nullopt;
            *cp = 0x10000 + ((*cp - 0xD800) << 10) + (*lo - 0xDC00);
          }
          put_utf8(out, *cp);
          break;
        }
        default: out.push_back(e);
      }
    }
    if (i_ >= s_.size()) return std::nullopt;
    ++i_;
    return out;
  }

  std::optional<Json> value(int depth) {
    skip();
    if (i_ >= s_.size() || depth > 64) return std::nullopt;
    Json j;
    char c = s_[i_];
    if (c == '{') {
      ++i_;
      auto obj = std::make_shared<Json::Object>();
      if (!eat('}')) {
        do {
          skip();
          if (i_ >= s_.size() || s_[i_] != '"') return std::nullopt;
          auto key = string();
          if (!key || !eat(':')) return std::nullopt;
          auto v = value(depth + 1);
          if (!v) return std::nullopt;
          (*obj)[*key] = std::move(*v);
        } while (eat(','));
        if (!eat('}')) return std::nullopt;
      }
      j.value = obj;
    } else if (c == '[') {
      ++i_;
      auto arr = std::make_shared<Json::Array>();
      if (!eat(']')) {
        do {
          auto v = value(depth + 1);
          if (!v) return std::nullopt;
          arr->push_back(std::move(*v));
        } while (eat(','));
        if (!eat(']')) return std::nullopt;
      }
      j.value = arr;
    } else if (c == '"') {
      auto s = string();
      if (!s) return std::nullopt;
      j.value = std::move(*s);
    } else if (word("true")) {
      j.value = true;
    } else if (word("false")) {
      j.value = false;
    } else if (word("null")) {
    } else {
      char* end = nullptr;
      std::string copy(s_.substr(i_, 64));
      double d = std::strtod(copy.c_str(), &end);
      if (end == copy.c_str()) return std::nullopt;
      i_ += static_cast<size_t>(end - copy.c_str());
      j.value = d;
    }
    return j;
  }

  std::string_view s_;
  size_t i_ = 0;
};

}  // namespace

const Json* Json::get(const std::string& key) const {
  const Object* o = object();
  if (!o) return nullptr;
  auto it = o->find(key);
  return it == o->end() ? nullptr : &it->second;
}

const Json::Array* Json::array() const {
  auto p = std::get_if<std::shared_ptr<Array>>(&value);
  return p ? p->get() : nullptr;
}

const Json::Object* Json::object() const {
  auto p = std::get_if<std::shared_ptr<Object>>(&value);
  return p ? p->get() : nullptr;
}

std::optional<Json> parse_json(std::string_view text) { return Parser(text).document(); }

std::optional<std::string> read_file_maybe_gz(const std::string& path) {
  if (path.size() > 3 && path.ends_with(".gz")) {
    gzFile f = gzopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::string out;
    char buf[65536];
    int n;
    while ((n = gzread(f, buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
    gzclose(f);
    if (n < 0) return std::nullopt;
    return out;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace tabrel::testing
