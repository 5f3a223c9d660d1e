#include "spreadsheet/xls/vba/project_stream.h"

#include <array>

#include "spreadsheet/xls/vba/data_encryption.h"

namespace tabrel::xls::vba {
namespace {

using Kind = model::MacroModule::Kind;

struct ModuleKey {
  std::u16string_view key;
  Kind kind;
};

constexpr std::array<ModuleKey, 4> kModuleKeys{{
    {u"Document=", Kind::Document},
    {u"Module=", Kind::Standard},
    {u"Class=", Kind::Class},
    {u"BaseClass=", Kind::Form},
}};

// The class id of a project made here; the spreadsheet only needs it to be well formed.
constexpr std::u16string_view kNewProjectId = u"{6A1E3D52-0B47-4C8D-9E21-5F3B7C0D9A84}";
// A document module's line ends with the version of its type library.
constexpr std::u16string_view kDocumentSuffix = u"/&H00000000";

std::vector<std::u16string> split_lines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(u'\n', start);
    const size_t next = end == std::u16string_view::npos ? text.size() : end + 1;
    if (end == std::u16string_view::npos) end = text.size();
    if (end > start && text[end - 1] == u'\r') --end;
    lines.emplace_back(text.substr(start, end - start));
    start = next;
  }
  return lines;
}

std::u16string module_line(const model::MacroModule& m) {
  for (const ModuleKey& k : kModuleKeys)
    if (k.kind == m.kind)
      return std::u16string(k.key) + m.name + (m.kind == Kind::Document ? std::u16string(kDocumentSuffix) : u"");
  return {};
}

std::u16string quoted_property(std::u16string_view key, std::u16string_view value) {
  return std::u16string(key) + u"=\"" + std::u16string(value) + u"\"";
}

// Protection state none, no password, visible: each obfuscated with the project's id.
std::vector<std::u16string> new_project_properties() {
  const std::array<uint8_t, 4> unprotected{0, 0, 0, 0};
  const std::array<uint8_t, 1> no_password{0};
  const std::array<uint8_t, 1> visible{0xFF};
  return {
      quoted_property(u"ID", kNewProjectId),
      quoted_property(u"Name", u"VBAProject"),
      quoted_property(u"HelpContextID", u"0"),
      quoted_property(u"VersionCompatible32", u"393222000"),
      quoted_property(u"CMG", encrypt_project_data(unprotected, kNewProjectId, 0x20)),
      quoted_property(u"DPB", encrypt_project_data(no_password, kNewProjectId, 0x31)),
      quoted_property(u"GC", encrypt_project_data(visible, kNewProjectId, 0x42)),
      u"",
      u"[Host Extender Info]",
      u"&H00000001={3832D640-CF90-11CF-8E43-00A0C911005A};VBE;&H00000000",
  };
}

bool starts_with(std::u16string_view s, std::u16string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

}  // namespace

ProjectLines parse_project_stream(std::u16string_view text) {
  ProjectLines out;
  bool in_sections = false;
  for (std::u16string& line : split_lines(text)) {
    in_sections = in_sections || starts_with(line, u"[");
    bool is_module = false;
    for (const ModuleKey& k : kModuleKeys) {
      if (in_sections || !starts_with(line, k.key)) continue;
      std::u16string name = line.substr(k.key.size());
      if (k.kind == Kind::Document) name = name.substr(0, name.find(u'/'));
      out.modules.emplace_back(std::move(name), k.kind);
      is_module = true;
      break;
    }
    if (!is_module) out.properties.push_back(std::move(line));
  }
  return out;
}

std::u16string build_project_stream(const model::MacroProject& project) {
  const std::vector<std::u16string> properties =
      project.properties.empty() ? new_project_properties() : project.properties;
  std::u16string text;
  auto put = [&](std::u16string_view line) {
    text += line;
    text += u"\r\n";
  };
  bool modules_written = false;
  bool in_sections = false;
  auto put_modules = [&] {
    for (const model::MacroModule& m : project.modules) put(module_line(m));
    modules_written = true;
  };
  for (const std::u16string& line : properties) {
    in_sections = in_sections || starts_with(line, u"[");
    if (!modules_written && !starts_with(line, u"ID=")) put_modules();
    if (!in_sections && starts_with(line, u"Name="))
      put(quoted_property(u"Name", project.name));
    else
      put(line);
    if (!modules_written) put_modules();
  }
  if (!modules_written) put_modules();
  return text;
}

}  // namespace tabrel::xls::vba
