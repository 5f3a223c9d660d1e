#include "spreadsheet/automation/code_module.h"

#include <gtest/gtest.h>

#include "fixture.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/vbe.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl {
namespace {

using testing::error_number;
using testing::open_in_new_instance;
using testing::sample_workbook;
using Kind = model::MacroModule::Kind;

// A recorded macro as the spreadsheet stores it: the module's attribute header and the
// attributes of the procedure, which the editor hides.
const std::u16string kRecorded =
    u"Attribute VB_Name = \"Module1\"\r\n"
    u"Sub Copy()\r\n"
    u"Attribute Copy.VB_ProcData.VB_Invoke_Func = \" \\n14\"\r\n"
    u"x = \"[a.XLS]b\"\r\n"
    u"End Sub\r\n";

struct Project {
  testing::Opened opened;
  std::shared_ptr<VBComponents> components;
  model::MacroProject& model() { return *opened.book->model().macro_project; }
  std::shared_ptr<CodeModule> module(const char16_t* name) { return components->Item(Variant(name))->CodeModule(); }
};

Project open_project() {
  auto wb = sample_workbook();
  model::MacroProject& p = wb->macro_project.emplace();
  p.modules.push_back({u"ThisWorkbook", Kind::Document, u"Attribute VB_Name = \"ThisWorkbook\"\r\n"});
  p.modules.push_back({u"Module1", Kind::Standard, kRecorded});
  Project out{open_in_new_instance(std::move(wb)), nullptr};
  out.components = out.opened.app->VBE()->VBProjects()->Item(Variant(1))->VBComponents();
  return out;
}

TEST(CodeModuleTest, ProjectsAndComponents) {
  Project p = open_project();
  auto projects = p.opened.app->VBE()->VBProjects();
  EXPECT_EQ(projects->Count(), 1);
  EXPECT_EQ(error_number([&] { projects->Item(Variant(2)); }), 9);
  EXPECT_EQ(p.components->Count(), 2);
  EXPECT_EQ(p.components->Item(Variant(2))->Name(), u"Module1");
  EXPECT_EQ(p.components->Item(Variant(u"module1"))->Name(), u"Module1");
  EXPECT_EQ(error_number([&] { p.components->Item(Variant(3)); }), 9);
  EXPECT_EQ(error_number([&] { p.components->Item(Variant(0)); }), 9);
  EXPECT_EQ(error_number([&] { p.components->Item(Variant(u"Module2")); }), 9);

  // A workbook whose project could not be read shows no components.
  p.model().readable = false;
  EXPECT_EQ(p.components->Count(), 0);
  auto wb = sample_workbook();
  EXPECT_EQ(open_in_new_instance(std::move(wb)).app->VBE()->VBProjects()->Item(Variant(1))->VBComponents()->Count(), 0);
}

TEST(CodeModuleTest, LinesHideAttributes) {
  Project p = open_project();
  auto code = p.module(u"Module1");
  EXPECT_EQ(code->CountOfLines(), 3);
  EXPECT_EQ(code->Lines(1, 3), u"Sub Copy()\r\nx = \"[a.XLS]b\"\r\nEnd Sub");
  EXPECT_EQ(code->Lines(2, 10), u"x = \"[a.XLS]b\"\r\nEnd Sub");
  EXPECT_EQ(code->Lines(1, 0), u"");
  EXPECT_EQ(error_number([&] { code->Lines(4, 1); }), 9);
  EXPECT_EQ(error_number([&] { code->Lines(0, 1); }), 9);
  EXPECT_EQ(error_number([&] { code->Lines(1, -1); }), 5);
  EXPECT_EQ(p.module(u"ThisWorkbook")->CountOfLines(), 0);
}

TEST(CodeModuleTest, FindRegionAndPositions) {
  Project p = open_project();
  auto code = p.module(u"Module1");
  struct Case {
    const char16_t* target;
    int32_t start_line, start_column, end_line, end_column;
    bool whole_word, match_case;
    bool found;
    int32_t line, column, end;  // where a match is: its line, first column, column after it
  };
  const Case cases[] = {
      {u".xls]", 1, 1, 3, 10, false, false, true, 2, 8, 13},  // letter case ignored
      {u".xls]", 1, 1, 3, 10, false, true, false, 0, 0, 0},
      {u".XLS]", 1, 1, 3, 10, false, true, true, 2, 8, 13},
      {u".xls]", 1, 1, 2, 12, false, false, false, 0, 0, 0},  // the region ends inside the match
      {u".xls]", 1, 1, 2, 13, false, false, true, 2, 8, 13},
      {u".xls]", 2, 9, 3, 10, false, false, false, 0, 0, 0},  // the region starts after the match's start
      {u".xls]", 2, 8, 2, 13, false, false, true, 2, 8, 13},
      {u".xls]", 1, 1, 1, 99, false, false, false, 0, 0, 0},
      {u".xls]", 1, 1, 99, 1, false, false, true, 2, 8, 13},  // an end past the module is its end
      {u".xls]", 1, 1, -1, -1, false, false, true, 2, 8, 13},
      {u".xls]", 4, 1, 9, 10, false, false, false, 0, 0, 0},
      {u"copy", 1, 1, 3, 10, true, false, true, 1, 5, 9},
      {u"cop", 1, 1, 3, 10, true, false, false, 0, 0, 0},
      {u"cop", 1, 1, 3, 10, false, false, true, 1, 5, 8},
      {u"VB_ProcData", 1, 1, -1, -1, false, false, false, 0, 0, 0},  // hidden lines are not searched
      {u"", 1, 1, -1, -1, false, false, false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(to_utf8(c.target) + " from " + std::to_string(c.start_line) + "," + std::to_string(c.start_column) +
                 " to " + std::to_string(c.end_line) + "," + std::to_string(c.end_column));
    int32_t sl = c.start_line, sc = c.start_column, el = c.end_line, ec = c.end_column;
    EXPECT_EQ(code->Find(c.target, sl, sc, el, ec, c.whole_word, c.match_case), c.found);
    if (c.found) {
      EXPECT_EQ(std::vector<int32_t>({sl, sc, el, ec}), std::vector<int32_t>({c.line, c.column, c.line, c.end}));
    } else {
      EXPECT_EQ(std::vector<int32_t>({sl, sc, el, ec}),
                std::vector<int32_t>({c.start_line, c.start_column, c.end_line, c.end_column}));
    }
  }
  int32_t sl = 1, sc = 1, el = 0, ec = 10;
  EXPECT_FALSE(p.module(u"ThisWorkbook")->Find(u".xls]", sl, sc, el, ec));
  EXPECT_EQ(error_number([&] { code->Find(u"x*", sl, sc, el, ec, false, false, true); }), 438);
  EXPECT_EQ(error_number([&] { code->Find(u"x*", sl, sc, el, ec, false, true, true); }), 5);
}

// An edit is the code that the workbook's project holds: what the next run executes and what
// a save writes.
TEST(CodeModuleTest, ReplaceLineEditsTheProject) {
  Project p = open_project();
  auto code = p.module(u"Module1");
  code->ReplaceLine(2, u"x = \"b\"");
  EXPECT_EQ(p.model().module(u"Module1")->source,
            u"Attribute VB_Name = \"Module1\"\r\nSub Copy()\r\n"
            u"Attribute Copy.VB_ProcData.VB_Invoke_Func = \" \\n14\"\r\nx = \"b\"\r\nEnd Sub\r\n");
  code->ReplaceLine(3, u"y = 1\r\nEnd Sub");
  EXPECT_EQ(code->CountOfLines(), 4);
  EXPECT_EQ(code->Lines(3, 2), u"y = 1\r\nEnd Sub");
  EXPECT_EQ(error_number([&] { code->ReplaceLine(0, u""); }), 9);
  EXPECT_EQ(error_number([&] { code->ReplaceLine(5, u""); }), 9);

  p.opened.book->Close();
  EXPECT_NE(error_number([&] { code->CountOfLines(); }), 0);
}

}  // namespace
}  // namespace tabrel::xl
