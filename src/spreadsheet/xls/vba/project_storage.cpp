#include "spreadsheet/xls/vba/project_storage.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "spreadsheet/core/text.h"
#include "spreadsheet/xls/vba/compression.h"
#include "spreadsheet/xls/vba/dir_stream.h"
#include "spreadsheet/xls/vba/project_error.h"
#include "spreadsheet/xls/vba/project_stream.h"
#include "spreadsheet/xls/vba/project_text.h"

namespace tabrel::xls::vba {
namespace {

using Kind = model::MacroModule::Kind;

std::u16string path_of(std::u16string_view name) { return std::u16string(kProjectStorage) + u"/" + std::u16string(name); }
std::u16string vba_path(std::u16string_view name) { return path_of(u"VBA/" + std::u16string(name)); }

// The version-independent head of the _VBA_PROJECT stream, with the version that tells every
// release of the editor to ignore compiled caches and compile from the source.
constexpr std::array<uint8_t, 7> kVbaProjectHead{0xCC, 0x61, 0xFF, 0xFF, 0x00, 0x01, 0x00};

bool under(std::u16string_view path, std::u16string_view folder) {
  return path.size() > folder.size() && path[folder.size()] == u'/' &&
         equals_ignore_case(path.substr(0, folder.size()), folder);
}

// Runs `read` on one stream; a fault names the stream it was found in.
template <typename F>
auto in_stream(std::u16string_view name, F read) {
  try {
    return read();
  } catch (const ProjectError& e) {
    throw std::runtime_error(to_utf8(name) + ": " + e.what());
  }
}

const model::ExtraStream& required(const model::Workbook& book, const std::u16string& path) {
  const model::ExtraStream* s = book.stream(path);
  if (!s || s->is_storage) throw std::runtime_error(to_utf8(path) + " is missing");
  return *s;
}

bool is_code_name(const model::Workbook& book, std::u16string_view name) {
  if (equals_ignore_case(book.code_name, name)) return true;
  return std::any_of(book.sheets.begin(), book.sheets.end(),
                     [&](const auto& s) { return equals_ignore_case(s->code_name, name); });
}

// A module that is not a standard one is a document, class or form module by the PROJECT
// stream; without a line there, the code names of the workbook and its sheets decide.
Kind kind_of(const DirModule& m, const ProjectLines& lines, const model::Workbook& book) {
  if (m.procedural) return Kind::Standard;
  for (const auto& [name, kind] : lines.modules)
    if (equals_ignore_case(name, m.name)) return kind;
  return is_code_name(book, m.name) ? Kind::Document : Kind::Class;
}

struct Loaded {
  model::MacroProject project;
  std::vector<std::u16string> owned_paths;  // the streams the project now stands for
};

Loaded load(const model::Workbook& book) {
  Loaded out;
  const std::u16string dir_path = vba_path(u"dir");
  const DirInfo dir = in_stream(u"VBA/dir", [&] { return parse_dir_stream(decompress(required(book, dir_path).bytes())); });
  out.owned_paths = {dir_path, vba_path(u"_VBA_PROJECT"), path_of(u"PROJECT"), path_of(u"PROJECTwm")};
  model::MacroProject& project = out.project;
  project.name = dir.project_name;
  project.codepage = dir.codepage;
  project.references = dir.references;
  ProjectLines lines;
  if (const model::ExtraStream* text = book.stream(path_of(u"PROJECT")))
    lines = in_stream(u"PROJECT", [&] { return parse_project_stream(decode_text(text->bytes(), dir.codepage)); });
  project.properties = std::move(lines.properties);
  for (const DirModule& m : dir.modules) {
    const std::u16string path = vba_path(m.stream_name);
    const std::span<const uint8_t> bytes = required(book, path).bytes();
    model::MacroModule& module = project.modules.emplace_back();
    module.name = m.name;
    module.kind = kind_of(m, lines, book);
    module.source = in_stream(m.stream_name, [&] {
      if (m.source_offset > bytes.size()) throw ProjectError(m.source_offset, "source offset past the end of the stream");
      return decode_text(decompress(bytes.subspan(m.source_offset)), dir.codepage);
    });
    out.owned_paths.push_back(path);
  }
  return out;
}

bool is_compiled_cache(const model::ExtraStream& s) {
  const std::u16string folder = path_of(u"VBA");
  if (!under(s.path, folder)) return false;
  const std::u16string_view name = std::u16string_view(s.path).substr(folder.size() + 1);
  return upper(name.substr(0, 5)) == u"_SRP_" || upper(name.substr(0, 6)) == u"__SRP_";
}

std::vector<uint8_t> name_map(const model::MacroProject& project) {
  std::vector<uint8_t> out;
  for (const model::MacroModule& m : project.modules) {
    const std::vector<uint8_t> ansi = encode_text(m.name, project.codepage);
    out.insert(out.end(), ansi.begin(), ansi.end());
    out.push_back(0);
    const std::vector<uint8_t> wide = encode_utf16(m.name);
    out.insert(out.end(), wide.begin(), wide.end());
    out.insert(out.end(), {0, 0});
  }
  out.insert(out.end(), {0, 0});
  return out;
}

}  // namespace

void read_macro_project(model::Workbook& book) {
  const bool stored = std::any_of(book.extra_streams.begin(), book.extra_streams.end(), [](const model::ExtraStream& s) {
    return equals_ignore_case(s.path, kProjectStorage) || under(s.path, kProjectStorage);
  });
  if (!stored && !book.macro_project) return;
  model::MacroProject& project = book.macro_project ? *book.macro_project : book.macro_project.emplace();
  if (!stored) {
    project.readable = false;
    project.problem = u"the file has no macro project storage";
    return;
  }
  try {
    Loaded loaded = load(book);
    project = std::move(loaded.project);
    std::erase_if(book.extra_streams, [&](const model::ExtraStream& s) {
      if (is_compiled_cache(s)) return true;
      return std::any_of(loaded.owned_paths.begin(), loaded.owned_paths.end(),
                         [&](const std::u16string& p) { return equals_ignore_case(p, s.path); });
    });
  } catch (const std::exception& e) {
    project = model::MacroProject{};
    project.readable = false;
    project.problem = from_utf8(e.what());
  }
}

std::vector<model::ExtraStream> project_streams(const model::MacroProject& project) {
  std::vector<model::ExtraStream> out;
  DirInfo dir{project.codepage, project.name, project.references, {}};
  for (const model::MacroModule& m : project.modules) {
    dir.modules.push_back({m.name, m.name, 0, m.kind == Kind::Standard});
    out.push_back(model::ExtraStream::stream(vba_path(m.name), compress(encode_text(m.source, project.codepage))));
  }
  out.push_back(model::ExtraStream::stream(vba_path(u"dir"), compress(build_dir_stream(dir))));
  out.push_back(model::ExtraStream::stream(vba_path(u"_VBA_PROJECT"), {kVbaProjectHead.begin(), kVbaProjectHead.end()}));
  out.push_back(model::ExtraStream::stream(path_of(u"PROJECT"), encode_text(build_project_stream(project), project.codepage)));
  out.push_back(model::ExtraStream::stream(path_of(u"PROJECTwm"), name_map(project)));
  return out;
}

}  // namespace tabrel::xls::vba
