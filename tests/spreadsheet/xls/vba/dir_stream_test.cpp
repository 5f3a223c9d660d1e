#include "spreadsheet/xls/vba/dir_stream.h"

#include <gtest/gtest.h>

#include "spreadsheet/core/text.h"
#include "spreadsheet/xls/vba/data_encryption.h"
#include "spreadsheet/xls/vba/project_error.h"
#include "spreadsheet/xls/vba/project_stream.h"

namespace tabrel::xls::vba {
namespace {

using Bytes = std::vector<uint8_t>;
using Kind = model::MacroModule::Kind;

// A registered reference as the spreadsheet stores one: id, size, libid, six reserved bytes.
Bytes registered_reference(std::string_view libid) {
  Bytes r{0x0D, 0x00};
  const uint32_t size = static_cast<uint32_t>(4 + libid.size() + 6);
  for (int i = 0; i < 4; ++i) r.push_back(static_cast<uint8_t>(size >> (8 * i)));
  for (int i = 0; i < 4; ++i) r.push_back(static_cast<uint8_t>(libid.size() >> (8 * i)));
  r.insert(r.end(), libid.begin(), libid.end());
  r.insert(r.end(), 6, 0);
  return r;
}

DirInfo sample() {
  DirInfo info;
  info.codepage = 949;
  info.project_name = u"VBAProject";
  info.references = registered_reference("*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#stdole2.tlb#OLE Automation");
  info.modules = {{u"ThisWorkbook", u"ThisWorkbook", 0, false}, {u"매크로모듈", u"매크로모듈", 0, true}};
  return info;
}

TEST(VbaDirStream, WrittenStreamReadsBack) {
  const DirInfo info = sample();
  EXPECT_EQ(parse_dir_stream(build_dir_stream(info)), info);
}

TEST(VbaDirStream, BrokenStreamsAreRefused) {
  const Bytes good = build_dir_stream(sample());
  const auto with = [&](size_t at, std::initializer_list<uint8_t> patch) {
    Bytes b = good;
    std::copy(patch.begin(), patch.end(), b.begin() + static_cast<ptrdiff_t>(at));
    return b;
  };
  const size_t name_record = 10 + 10 + 10 + 8;  // after sys kind, lcid, lcid invoke and code page
  const struct {
    const char* what;
    Bytes bytes;
  } cases[] = {
      {"empty", {}},
      {"cut in the middle", Bytes(good.begin(), good.begin() + static_cast<ptrdiff_t>(good.size() / 2))},
      {"name longer than the stream", with(name_record + 2, {0xFF, 0xFF, 0xFF, 0x7F})},
      {"unknown code page", with(10 + 10 + 10 + 6, {0x39, 0x30})},
      {"no code page", with(10 + 10 + 10, {0x55, 0x00})},
  };
  for (const auto& c : cases) EXPECT_THROW(parse_dir_stream(c.bytes), ProjectError) << c.what;
}

TEST(VbaProjectStream, ModuleLinesAndProperties) {
  const std::u16string text =
      u"ID=\"{917DED54-440B-4FD1-A5C1-74ACF261E600}\"\r\nDocument=ThisWorkbook/&H00000000\r\n"
      u"Document=Sheet1/&H00000000\r\nModule=Module1\r\nClass=Class1\r\nBaseClass=UserForm1\r\n"
      u"Package={AC9F2F90-E877-11CE-9F68-00AA00574A4F}\r\nName=\"VBAProject\"\r\nHelpContextID=\"0\"\r\n\r\n[Host Extender Info]\r\n"
      u"&H00000001={3832D640-CF90-11CF-8E43-00A0C911005A};VBE;&H00000000\r\n\r\n[Workspace]\r\nModule=26, 26, 1, 1, \r\n";
  const ProjectLines lines = parse_project_stream(text);
  const std::vector<std::pair<std::u16string, Kind>> modules{
      {u"ThisWorkbook", Kind::Document}, {u"Sheet1", Kind::Document}, {u"Module1", Kind::Standard},
      {u"Class1", Kind::Class}, {u"UserForm1", Kind::Form}};
  EXPECT_EQ(lines.modules, modules);
  ASSERT_EQ(lines.properties.size(), 10u);
  EXPECT_EQ(lines.properties[1], u"Package={AC9F2F90-E877-11CE-9F68-00AA00574A4F}");
  EXPECT_EQ(lines.properties.back(), u"Module=26, 26, 1, 1, ");  // window state, not a module

  model::MacroProject project;
  project.properties = lines.properties;
  for (const auto& [name, kind] : modules) project.modules.push_back({name, kind, u""});
  EXPECT_EQ(build_project_stream(project), text);
  project.name = u"성적처리";
  EXPECT_NE(build_project_stream(project).find(u"\r\nName=\"성적처리\"\r\n"), std::u16string::npos);
}

TEST(VbaProjectStream, ProjectMadeHereIsUnprotectedAndVisible) {
  model::MacroProject project;
  project.modules.push_back({u"Module1", Kind::Standard, u""});
  const std::u16string text = build_project_stream(project);
  EXPECT_EQ(text.substr(0, 46), u"ID=\"{6A1E3D52-0B47-4C8D-9E21-5F3B7C0D9A84}\"\r\nM");
  const ProjectLines back = parse_project_stream(text);
  EXPECT_EQ(back.modules.size(), 1u);
  for (const char16_t* key : {u"CMG=\"", u"DPB=\"", u"GC=\"", u"[Host Extender Info]"})
    EXPECT_NE(text.find(key), std::u16string::npos) << to_utf8(key);
}

// The published example: protection state 0 under the seed 0x41.
TEST(VbaProjectStream, DataEncryptionExample) {
  const Bytes state{0, 0, 0, 0};
  EXPECT_EQ(encrypt_project_data(state, u"{9E394C0B-697E-4AEE-9FA6-446F51FB30DC}", 0x41), u"41435A5A5E5A5E5A5E5A5E");
}

}  // namespace
}  // namespace tabrel::xls::vba
