#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <unistd.h>

#include "fixture.h"
#include "same_variant.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/sheets.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::xl {
namespace {

using testing::error_number;
using testing::open_in_new_instance;
using testing::sample_workbook;

TEST(ApplicationTest, NewInstanceHasNoWorkbook) {
  auto app = Application::New();
  EXPECT_EQ(app->Workbooks()->Count(), 0);
  EXPECT_EQ(app->ActiveWorkbook(), nullptr);
  EXPECT_EQ(app->ActiveSheet(), nullptr);
  EXPECT_EQ(app->ActiveCell(), nullptr);
  EXPECT_EQ(app->Selection(), nullptr);
  EXPECT_EQ(app->GetApplication(), app);
  EXPECT_EQ(error_number([&] { app->Sheets(); }), 1004);
  EXPECT_TRUE(app->DisplayAlerts());
}

TEST(ApplicationTest, QuitTwiceIsHarmlessAndLaterUseRaises) {
  auto o = open_in_new_instance(sample_workbook());
  auto sheet = o.app->ActiveSheet();
  o.app->Quit();
  EXPECT_NO_THROW(o.app->Quit());
  EXPECT_EQ(error_number([&] { o.app->Workbooks(); }), 462);
  EXPECT_EQ(error_number([&] { sheet->Name(); }), 462);
  EXPECT_EQ(error_number([&] { o.book->Name(); }), 462);
}

TEST(ApplicationTest, InstancesShareNothingButTheirOwnState) {
  auto a = open_in_new_instance(sample_workbook(), u"answer.xls");
  auto b = open_in_new_instance(sample_workbook(), u"target.xls");
  a.app->Sheets(Variant(u"Form"))->Select();
  a.app->ActiveSheet()->Range(Variant(u"C7"))->Select();
  b.app->SetDisplayAlerts(false);
  EXPECT_EQ(a.app->ActiveSheet()->Name(), u"Form");
  EXPECT_EQ(b.app->ActiveSheet()->Name(), u"Data");
  EXPECT_EQ(a.app->ActiveCell()->Address(), u"$C$7");
  EXPECT_EQ(b.app->ActiveCell()->Address(), u"$A$1");
  EXPECT_TRUE(a.app->DisplayAlerts());
  EXPECT_EQ(a.app->Workbooks()->Count(), 1);
}

TEST(ApplicationTest, CloseNeverSavesAndTheObjectThenRaises) {
  auto o = open_in_new_instance(sample_workbook());
  auto sheet = o.app->ActiveSheet();
  o.book->Close(Variant(true));
  EXPECT_EQ(o.app->Workbooks()->Count(), 0);
  EXPECT_EQ(o.app->ActiveWorkbook(), nullptr);
  EXPECT_NE(error_number([&] { sheet->Name(); }), 0);
  EXPECT_NE(error_number([&] { o.book->Sheets(); }), 0);
}

TEST(ApplicationTest, RunGoesThroughTheInstalledRunner) {
  auto o = open_in_new_instance(sample_workbook());
  try {
    o.app->Run(u"서식적용");
    FAIL();
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.number(), 1004);
    EXPECT_EQ(e.description(), u"'서식적용' 매크로를 찾을 수 없습니다.");
  }
  std::u16string ran;
  Application::SetMacroRunner([&](Application& app, const std::u16string& macro) {
    ran = macro;
    app.Range(Variant(u"A1"))->SetValue(Variant(1.0));
  });
  o.app->Run(u"서식적용");
  EXPECT_EQ(ran, u"서식적용");
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"A1"))->Value(), Variant(1.0)));
  Application::SetMacroRunner(nullptr);
}

TEST(ApplicationTest, WorkbooksByIndexAndName) {
  auto o = open_in_new_instance(sample_workbook(), u"Target.xls");
  EXPECT_EQ(o.app->Workbooks()->Item(Variant(1))->Name(), u"Target.xls");
  EXPECT_EQ(o.app->Workbooks()->Item(Variant(u"target.XLS"))->Name(), u"Target.xls");
  EXPECT_EQ(error_number([&] { o.app->Workbooks()->Item(Variant(2)); }), 9);
  EXPECT_EQ(error_number([&] { o.app->Workbooks()->Item(Variant(u"other.xls")); }), 9);
}

class OpenFileTest : public ::testing::Test {
 protected:
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("tabrel_automation_open_" + std::to_string(::getpid()));
  void SetUp() override { std::filesystem::create_directories(dir); }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::filesystem::path write(const std::string& name, const std::string& bytes) {
    auto p = dir / name;
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
  }
};

TEST_F(OpenFileTest, BadFilesRaise1004WithADescriptionAndLeaveTheFileAlone) {
  const std::string text = "this is not a workbook";
  const std::filesystem::path files[] = {dir / "missing.xls", write("text.xls", text), write("empty.xls", "")};
  for (const auto& file : files) {
    auto app = Application::New();
    try {
      app->Workbooks()->Open(file.u16string());
      ADD_FAILURE() << file << " opened";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.number(), 1004) << file;
      EXPECT_FALSE(e.description().empty()) << file;
    }
    EXPECT_EQ(app->Workbooks()->Count(), 0);
  }
  std::ifstream in(files[1], std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text);
}

// A file whose formula results another program cached (no calculation-engine id, or an older
// engine's) is recalculated when opened; one the current engine calculated keeps its results.
TEST_F(OpenFileTest, ResultsCachedByAnotherEngineAreRecalculatedWhenOpened) {
  struct Case {
    const char* name;
    std::optional<uint32_t> engine;
    double shown;
  };
  for (const Case& c : {Case{"no engine id", std::nullopt, 2}, Case{"older engine", 101716, 2},
                        Case{"current engine", 114210, 0}}) {
    SCOPED_TRACE(c.name);
    auto [app, book] = open_in_new_instance(sample_workbook());
    book->Worksheets(Variant(1))->Range(Variant(u"A1"))->SetFormula(Variant(u"=1+1"));
    model::Workbook& wb = book->model();
    wb.sheets[0]->cells.find({0, 0})->value = model::CellValue::number(0);  // a stale result
    if (c.engine) {
      const uint32_t id = *c.engine;
      wb.other_records.push_back({0x01C1, {0xC1, 0x01, 0, 0, static_cast<uint8_t>(id), static_cast<uint8_t>(id >> 8),
                                           static_cast<uint8_t>(id >> 16), static_cast<uint8_t>(id >> 24)}, {}});
    }
    const auto file = dir / "cached.xls";
    xls::write_workbook_file(wb, file);
    auto other = Application::New();
    auto opened = other->Workbooks()->Open(file.u16string());
    EXPECT_EQ(opened->Worksheets(Variant(1))->Range(Variant(u"A1"))->Value().to_double(), c.shown);
  }
}

}  // namespace
}  // namespace tabrel::xl
