// Application.Run through the installed runner, on a workbook whose macro project holds the
// modules as the file stores them.

#include <gtest/gtest.h>

#include "../automation/fixture.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/macro/runner.h"

namespace tabrel::macro {
namespace {

using xl::testing::error_number;

std::shared_ptr<xl::Application> instance_with(std::vector<model::MacroModule> modules) {
  auto wb = xl::testing::sample_workbook();
  wb->macro_project.emplace();
  wb->macro_project->modules = std::move(modules);
  return xl::testing::open_in_new_instance(std::move(wb), u"Book1.xls").app;
}

model::MacroModule module(std::u16string name, std::u16string source,
                          model::MacroModule::Kind kind = model::MacroModule::Kind::Standard) {
  return model::MacroModule{std::move(name), kind, u"Attribute VB_Name = \"" + name + u"\"\r\n" + source};
}

class RunnerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Limits limits;
    limits.statements = 200000;
    install_macro_runner(limits, [this](const RunReport& r) { reports.push_back(r); });
  }
  void TearDown() override { xl::Application::SetMacroRunner({}); }
  std::vector<RunReport> reports;
};

TEST_F(RunnerTest, RunFindsPublicSubsByPlainAndQualifiedNames) {
  auto app = instance_with({
      module(u"Module1", u"Sub Macro1()\r\n Range(\"A1\").Value = \"one\"\r\nEnd Sub\r\n"
                         u"Private Sub Hidden()\r\n Range(\"A9\").Value = 9\r\nEnd Sub\r\n"),
      module(u"Module2", u"Public Sub Macro2()\r\n Range(\"A2\").Value = \"two\"\r\n Macro1\r\nEnd Sub\r\n"),
      module(u"Sheet1", u"Private Sub Worksheet_Change(ByVal Target As Range)\r\n Range(\"A5\") = 5\r\nEnd Sub\r\n",
             model::MacroModule::Kind::Document),
  });
  app->Run(u"Macro2");
  EXPECT_EQ(to_utf8(app->Range(Variant(u"A1"))->Value().to_string()), "one");
  EXPECT_EQ(to_utf8(app->Range(Variant(u"A2"))->Value().to_string()), "two");
  app->Range(Variant(u"A1"))->ClearContents();
  app->Run(u"'Book1.xls'!Macro1");
  app->Run(u"Book1.xls!Module1.Macro1");
  app->Run(u"Module1.Macro1");
  EXPECT_EQ(to_utf8(app->Range(Variant(u"A1"))->Value().to_string()), "one");
  EXPECT_TRUE(app->Range(Variant(u"A5"))->Value().is_empty());  // events never run
  EXPECT_EQ(error_number([&] { app->Run(u"Hidden"); }), 1004);
  EXPECT_EQ(error_number([&] { app->Run(u"Missing"); }), 1004);
  EXPECT_EQ(error_number([&] { app->Run(u"'Other.xls'!Macro1"); }), 1004);
  EXPECT_TRUE(reports.back().failure.find(u"no public Sub") != std::u16string::npos);
}

TEST_F(RunnerTest, AFailingMacroRaises1004AndKeepsWhatItDid) {
  auto app = instance_with({module(u"Module1",
                                   u"Sub Half()\r\n Range(\"B1\").Value = \"before\"\r\n x = 1 / 0\r\n"
                                   u" Range(\"B2\").Value = \"after\"\r\nEnd Sub\r\n"
                                   u"Sub Endless()\r\n Do: Loop\r\nEnd Sub\r\n"
                                   u"Sub Bounce()\r\n Application.Run \"Bounce\"\r\nEnd Sub\r\n"
                                   u"Sub Stops()\r\n Range(\"B3\").Value = 3\r\n End\r\n Range(\"B4\").Value = 4\r\nEnd Sub\r\n")});
  EXPECT_EQ(error_number([&] { app->Run(u"Half"); }), 1004);
  EXPECT_EQ(to_utf8(app->Range(Variant(u"B1"))->Value().to_string()), "before");
  EXPECT_TRUE(app->Range(Variant(u"B2"))->Value().is_empty());
  EXPECT_EQ(reports.back().failure.substr(0, 8), u"error 11");
  EXPECT_EQ(error_number([&] { app->Run(u"Endless"); }), 1004);
  EXPECT_NE(reports.back().failure.find(u"statements"), std::u16string::npos);
  EXPECT_EQ(error_number([&] { app->Run(u"Bounce"); }), 1004);
  app->Run(u"Stops");  // End stops the macro without failing it
  EXPECT_TRUE(app->Range(Variant(u"B4"))->Value().is_empty());
  EXPECT_EQ(app->Range(Variant(u"B3"))->Value().to_double(), 3);
}

TEST_F(RunnerTest, WithoutAMacroProjectEveryRunRaises) {
  auto app = xl::testing::open_in_new_instance(xl::testing::sample_workbook()).app;
  EXPECT_EQ(error_number([&] { app->Run(u"Macro1"); }), 1004);
}

}  // namespace
}  // namespace tabrel::macro
