#include "corpus/displayed_csv.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "corpus/corpus_files.h"
#include "spreadsheet/core/text.h"

namespace tabrel::corpus {
namespace {

std::vector<std::string> split_tabs(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream ss(line);
  std::string field;
  while (std::getline(ss, field, '\t')) out.push_back(field);
  return out;
}

bool all_hashes(std::u16string_view s) { return !s.empty() && s.find_first_not_of(u'#') == std::u16string_view::npos; }

// What the export writes for a text: "_" for each UTF-16 unit of a character that
// Windows-1252 lacks (the encoder writes "?" for those, so a character survives only when it
// reads back as itself).
std::u16string as_exported(std::u16string_view text) {
  std::u16string out;
  for (const char16_t c : text) {
    const std::u16string one(1, c);
    const auto bytes = encode_codepage(one, 1252);
    out += bytes && decode_codepage(*bytes, 1252) == one ? c : u'_';
  }
  return out;
}

}  // namespace

std::vector<ExportedSheet> exported_sheets() {
  const auto dir = corpus_dir();
  if (!dir) return {};
  std::ifstream in(*dir / "displayed" / "INDEX.tsv");
  std::vector<ExportedSheet> rows;
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    const auto f = split_tabs(line);
    if (f.size() < 7) continue;
    rows.push_back({f[0], f[1], f[3], std::stoi(f[2]), std::stoi(f[4]), std::stoi(f[5])});
  }
  return rows;
}

std::vector<std::vector<std::u16string>> read_export(const std::string& csv_name) {
  const auto dir = corpus_dir();
  if (!dir) return {};
  std::ifstream in(*dir / "displayed" / csv_name, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  // ASCII exports are a subset of Windows-1252.
  const std::u16string text = decode_codepage(ss.str(), 1252).value_or(u"");
  std::vector<std::vector<std::u16string>> rows(1);
  std::u16string field;
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (quoted) {
      if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') field.push_back(u'"'), ++i;
      else if (c == u'"') quoted = false;
      else field.push_back(c);
    } else if (c == u'"') {
      quoted = true;
    } else if (c == u',') {
      rows.back().push_back(std::move(field));
      field.clear();
    } else if (c == u'\n' || (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')) {
      rows.back().push_back(std::move(field));
      field.clear();
      rows.emplace_back();
      if (c == u'\r') ++i;
    } else {
      field.push_back(c);
    }
  }
  if (!field.empty() || !rows.back().empty()) rows.back().push_back(field);
  if (rows.back().empty()) rows.pop_back();
  return rows;
}

bool same_as_export(std::u16string ours, std::u16string_view exported) {
  std::u16string csv(exported);
  for (std::u16string* s : {&ours, &csv}) {
    std::erase(*s, u'\n');
    std::erase(*s, u'\r');
  }
  if (all_hashes(ours) && all_hashes(csv)) return true;
  return as_exported(ours) == csv;
}

}  // namespace tabrel::corpus
