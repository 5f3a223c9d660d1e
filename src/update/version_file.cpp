#include "update/version_file.h"

#include <algorithm>
#include <fstream>

namespace tabrel::update {

namespace {

// The most entries the list may hold: its index counts in 16 bits.
constexpr size_t kMaxEntries = 32767;

// The next line without its end; nothing at the end of the file.
std::optional<std::string> ReadLine(std::istream& in) {
  std::string line;
  bool any = false;
  for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
    any = true;
    if (c == '\n') return line;
    if (c == '\r') {
      if (in.peek() == '\n') in.get();
      return line;
    }
    line.push_back(static_cast<char>(c));
  }
  if (!any) return std::nullopt;
  return line;
}

bool GoodSegment(const std::string& s) {
  if (s.empty() || s == "." || s == "..") return false;
  for (unsigned char c : s) {
    if (c < 0x20 || c == 0x7F || c == '\\' || c == ':' || c == '/') return false;
  }
  return true;
}

std::optional<FileEntry> ParseEntry(const std::string& entry) {
  FileEntry parsed;
  if (entry.empty() || entry.front() != '/') {
    if (!GoodSegment(entry)) return std::nullopt;
    parsed.remote_name = entry;
    return parsed;
  }
  parsed.has_folder = true;
  const size_t last = entry.rfind('/');
  parsed.folder_part = entry.substr(0, last);
  parsed.remote_name = entry.substr(last + 1);
  if (!GoodSegment(parsed.remote_name)) return std::nullopt;
  size_t start = 1;
  while (start <= parsed.folder_part.size() && !parsed.folder_part.empty()) {
    const size_t slash = std::min(parsed.folder_part.find('/', start), parsed.folder_part.size());
    if (!GoodSegment(parsed.folder_part.substr(start, slash - start))) return std::nullopt;
    start = slash + 1;
  }
  return parsed;
}

}  // namespace

std::optional<std::vector<std::string>> ReadFirstLines(const std::filesystem::path& file, size_t count) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::string> lines;
  while (lines.size() < count) {
    auto line = ReadLine(in);
    if (!line) return std::nullopt;
    lines.push_back(std::move(*line));
  }
  return lines;
}

std::optional<std::vector<FileEntry>> ParseFileList(const std::string& line) {
  std::vector<FileEntry> entries;
  if (line.empty()) return entries;
  size_t start = 0;
  while (true) {
    const size_t bar = line.find('|', start);
    const auto entry = ParseEntry(line.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (!entry || entries.size() == kMaxEntries) return std::nullopt;
    entries.push_back(*entry);
    if (bar == std::string::npos) return entries;
    start = bar + 1;
  }
}

}  // namespace tabrel::update
