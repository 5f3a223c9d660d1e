#include "update/profile_file.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>
#include <vector>

namespace tabrel::update {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(const std::string& s) {
  size_t begin = 0, end = s.size();
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

bool SameName(const std::string& a, const std::string& b) {
  auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return fold(x) == fold(y); });
}

// The file's lines without their line ends; nothing when it cannot be read.
std::optional<std::vector<std::string>> ReadLines(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

// "[name]" gives name; other lines give nothing.
std::optional<std::string> SectionName(const std::string& line) {
  const std::string t = Trimmed(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  const size_t close = t.find(']');
  if (close == std::string::npos) return std::nullopt;
  return Trimmed(t.substr(1, close - 1));
}

// "key = value" gives key; comments and lines without "=" give nothing.
std::optional<std::string> KeyName(const std::string& line) {
  const std::string t = Trimmed(line);
  if (t.empty() || t.front() == ';') return std::nullopt;
  const size_t eq = t.find('=');
  if (eq == std::string::npos) return std::nullopt;
  return Trimmed(t.substr(0, eq));
}

std::string ValueOf(const std::string& line) {
  std::string v = Trimmed(line.substr(line.find('=') + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  return v;
}

// Index of the section's heading line and one past its last line.
struct SectionSpan {
  size_t heading;
  size_t end;
};

std::optional<SectionSpan> FindSection(const std::vector<std::string>& lines, const std::string& section) {
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(lines[i]);
    if (!name || !SameName(*name, section)) continue;
    size_t end = i + 1;
    while (end < lines.size() && !SectionName(lines[end])) ++end;
    return SectionSpan{i, end};
  }
  return std::nullopt;
}

std::optional<size_t> FindKey(const std::vector<std::string>& lines, const SectionSpan& span, const std::string& key) {
  for (size_t i = span.heading + 1; i < span.end; ++i) {
    const auto name = KeyName(lines[i]);
    if (name && SameName(*name, key)) return i;
  }
  return std::nullopt;
}

}  // namespace

size_t GetPrivateProfileString(const std::string& section, const std::string& key, const std::string& default_value,
                               std::string& buffer, const std::filesystem::path& file) {
  std::string value = default_value;
  while (!value.empty() && IsBlank(value.back())) value.pop_back();
  if (const auto lines = ReadLines(file)) {
    if (const auto span = FindSection(*lines, section)) {
      if (const auto at = FindKey(*lines, *span, key)) value = ValueOf((*lines)[*at]);
    }
  }
  if (buffer.empty()) return 0;
  const size_t n = std::min(value.size(), buffer.size() - 1);
  std::copy_n(value.begin(), n, buffer.begin());
  buffer[n] = '\0';
  return n;
}

bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::filesystem::path& file) {
  if (value.find_first_of("\r\n") != std::string::npos) return false;
  std::vector<std::string> lines = ReadLines(file).value_or(std::vector<std::string>{});
  const std::string entry = key + "=" + value;
  if (const auto span = FindSection(lines, section)) {
    if (const auto at = FindKey(lines, *span, key)) {
      lines[*at] = entry;
    } else {
      size_t insert = span->end;
      while (insert > span->heading + 1 && Trimmed(lines[insert - 1]).empty()) --insert;
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insert), entry);
    }
  } else {
    if (!lines.empty() && !Trimmed(lines.back()).empty()) lines.emplace_back();
    lines.push_back("[" + section + "]");
    lines.push_back(entry);
  }
  std::ostringstream text;
  for (const auto& line : lines) text << line << "\r\n";

  std::filesystem::path aside = file;
  aside += ".new";
  {
    std::ofstream out(aside, std::ios::binary | std::ios::trunc);
    out << text.str();
    out.flush();
    if (!out) {
      std::error_code ec;
      std::filesystem::remove(aside, ec);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(aside, file, ec);
  if (!ec) return true;
  std::filesystem::remove(aside, ec);
  return false;
}

}  // namespace tabrel::update
