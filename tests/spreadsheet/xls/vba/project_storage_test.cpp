// The macro project through the file: written by our writer, read by our reader, and read from
// files that the spreadsheet saved.

#include "spreadsheet/xls/vba/project_storage.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "corpus/corpus_required.h"
#include "spreadsheet/cfb/compound_file.h"
#include "spreadsheet/cfb/compound_writer.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::xls::vba {
namespace {

namespace fs = std::filesystem;
using Kind = model::MacroModule::Kind;

model::Workbook workbook_with_sheet() {
  model::Workbook wb;
  wb.sheets.push_back(std::make_unique<model::Sheet>());
  wb.sheets[0]->name = u"Sheet1";
  wb.sheets[0]->code_name = u"Sheet1";
  wb.code_name = u"ThisWorkbook";
  return wb;
}

const std::u16string kDocumentHeader =
    u"Attribute VB_Name = \"ThisWorkbook\"\r\nAttribute VB_Base = \"0{00020819-0000-0000-C000-000000000046}\"\r\n"
    u"Attribute VB_GlobalNameSpace = False\r\nAttribute VB_Creatable = False\r\nAttribute VB_PredeclaredId = True\r\n"
    u"Attribute VB_Exposed = True\r\nAttribute VB_TemplateDerived = False\r\nAttribute VB_Customizable = True\r\n";

model::MacroProject korean_project() {
  model::MacroProject p;
  p.codepage = 949;
  p.modules.push_back({u"ThisWorkbook", Kind::Document, kDocumentHeader});
  std::u16string recorded = u"Attribute VB_Name = \"Module1\"\r\nSub 서식지정()\r\n'\r\n' 서식지정 매크로\r\n'\r\n";
  for (int i = 0; i < 300; ++i) recorded += u"    Range(\"B" + u16(std::to_string(i + 3)) + u"\").Select\r\n";
  recorded += u"    ActiveCell.FormulaR1C1 = \"='C:\\문서\\[성적.xls]Sheet1'!R1C1\"\r\nEnd Sub\r\n";
  p.modules.push_back({u"Module1", Kind::Standard, recorded});
  p.modules.push_back({u"Class1", Kind::Class, u"Attribute VB_Name = \"Class1\"\r\n"});
  return p;
}

TEST(MacroProjectStorage, WrittenProjectReadsBackTheSame) {
  model::Workbook wb = workbook_with_sheet();
  wb.macro_project = korean_project();
  const auto back = read_workbook(write_workbook(wb));
  ASSERT_TRUE(back->macro_project.has_value());
  const model::MacroProject& p = *back->macro_project;
  EXPECT_TRUE(p.readable) << to_utf8(p.problem);
  EXPECT_EQ(p.codepage, 949);
  EXPECT_EQ(p.name, u"VBAProject");
  EXPECT_EQ(p.modules, wb.macro_project->modules);
  EXPECT_FALSE(p.properties.empty());  // made on the first save, kept from then on
  // No stream of the project stays raw: they are all in the model.
  for (const model::ExtraStream& s : back->extra_streams)
    if (!s.is_storage) ADD_FAILURE() << to_utf8(s.path);
  const auto again = read_workbook(write_workbook(*back));
  EXPECT_EQ(*again->macro_project, p);
}

TEST(MacroProjectStorage, WrittenStreamsFollowTheFormat) {
  model::MacroProject p = korean_project();
  const std::vector<model::ExtraStream> streams = project_streams(p);
  std::vector<std::u16string> paths;
  for (const auto& s : streams) paths.push_back(s.path);
  const std::vector<std::u16string> expected{
      u"_VBA_PROJECT_CUR/VBA/ThisWorkbook", u"_VBA_PROJECT_CUR/VBA/Module1", u"_VBA_PROJECT_CUR/VBA/Class1",
      u"_VBA_PROJECT_CUR/VBA/dir", u"_VBA_PROJECT_CUR/VBA/_VBA_PROJECT", u"_VBA_PROJECT_CUR/PROJECT",
      u"_VBA_PROJECT_CUR/PROJECTwm"};
  EXPECT_EQ(paths, expected);
  EXPECT_EQ(*streams[4].shared, (std::vector<uint8_t>{0xCC, 0x61, 0xFF, 0xFF, 0x00, 0x01, 0x00}));
  EXPECT_EQ(streams[1].bytes()[0], 0x01);  // the source starts the stream: no compiled cache before it
  const std::string project(streams[5].bytes().begin(), streams[5].bytes().end());
  EXPECT_NE(project.find("\r\nDocument=ThisWorkbook/&H00000000\r\nModule=Module1\r\nClass=Class1\r\n"), std::string::npos);
}

// A project that cannot be read leaves the workbook readable: no modules, a reason, and the
// stored bytes written back untouched.
TEST(MacroProjectStorage, UnreadableProjectKeepsItsStreams) {
  model::Workbook wb = workbook_with_sheet();
  model::MacroProject broken;
  broken.readable = false;
  wb.macro_project = broken;
  const std::vector<uint8_t> module_bytes{0x01, 0x19, 0xC0, 0x00};  // a chunk with a wrong signature
  wb.extra_streams.push_back(model::ExtraStream::stream(u"_VBA_PROJECT_CUR/VBA/Module1", module_bytes));

  const auto without_dir = read_workbook(write_workbook(wb));
  ASSERT_TRUE(without_dir->macro_project.has_value());
  EXPECT_FALSE(without_dir->macro_project->readable);
  EXPECT_EQ(to_utf8(without_dir->macro_project->problem), "_VBA_PROJECT_CUR/VBA/dir is missing");

  const std::vector<uint8_t> dir = *project_streams(korean_project())[3].shared;
  wb.extra_streams.push_back(model::ExtraStream::stream(u"_VBA_PROJECT_CUR/VBA/dir", dir));
  const auto bad_module = read_workbook(write_workbook(wb));
  const model::MacroProject& p = *bad_module->macro_project;
  EXPECT_FALSE(p.readable);
  EXPECT_TRUE(p.modules.empty());
  EXPECT_EQ(to_utf8(p.problem), "_VBA_PROJECT_CUR/VBA/ThisWorkbook is missing");
  ASSERT_NE(bad_module->stream(u"_VBA_PROJECT_CUR/VBA/Module1"), nullptr);
  EXPECT_EQ(*bad_module->stream(u"_VBA_PROJECT_CUR/VBA/Module1")->shared, module_bytes);
  EXPECT_EQ(*bad_module->stream(u"_VBA_PROJECT_CUR/VBA/dir")->shared, dir);
}

TEST(MacroProjectStorage, BrokenSourceNamesItsStream) {
  model::Workbook wb = workbook_with_sheet();
  for (model::ExtraStream& s : project_streams(korean_project())) wb.extra_streams.push_back(std::move(s));
  for (model::ExtraStream& s : wb.extra_streams)
    if (s.path == u"_VBA_PROJECT_CUR/VBA/Class1") s = model::ExtraStream::stream(s.path, {0x01, 0x05, 0xB0, 0x01, 0x00, 0x00});
  wb.macro_project.emplace().readable = false;
  const auto back = read_workbook(write_workbook(wb));
  EXPECT_FALSE(back->macro_project->readable);
  EXPECT_EQ(to_utf8(back->macro_project->problem), "Class1: copy token points before its chunk (offset 4)");
}

// Files the spreadsheet saved with a macro project: every module reads, each source starts with
// the module's name attribute, and the project survives our writer.
TEST(MacroProjectStorage, CorpusProjectsRead) {
  const fs::path folder = fs::path(TABREL_SHARED_DIR) / "corpus" / "excel";
  TABREL_REQUIRE_CORPUS(fs::is_directory(folder), folder.string());
  int projects = 0;
  for (const auto& e : fs::directory_iterator(folder)) {
    std::unique_ptr<model::Workbook> book;
    try {
      book = read_workbook_file(e.path());
    } catch (const OpenError&) {
      continue;
    }
    if (!book->macro_project) continue;
    SCOPED_TRACE(e.path().filename().string());
    const model::MacroProject& p = *book->macro_project;
    if (!p.readable) {
      ADD_FAILURE() << to_utf8(p.problem);
      continue;
    }
    ++projects;
    for (const model::MacroModule& m : p.modules)
      EXPECT_EQ(m.source.substr(0, 21 + m.name.size()), u"Attribute VB_Name = \"" + m.name) << to_utf8(m.name);
    const auto again = read_workbook(write_workbook(*book));
    EXPECT_EQ(*again->macro_project, p);
  }
  EXPECT_GE(projects, 15);
}

}  // namespace
}  // namespace tabrel::xls::vba
