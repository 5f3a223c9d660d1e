#include "papers/paper_fixture.h"

#include <algorithm>
#include <ostream>

#include <gtest/gtest.h>

#include "papers/built_papers.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/code_module.h"
#include "spreadsheet/automation/vbe.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/sheets.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/macro/runner.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::papers::testing {

void edit_macro(xl::Workbook& book, const std::u16string& from, const std::u16string& to) {
  auto code = book.Application()->VBE()->VBProjects()->Item(Variant(1))->VBComponents()->Item(Variant(1))->CodeModule();
  int32_t line = 1, column = 1, end_line = -1, end_column = -1;
  ASSERT_TRUE(code->Find(from, line, column, end_line, end_column, false, true));
  std::u16string text = code->Lines(line, 1);
  text.replace(static_cast<size_t>(column - 1), from.size(), to);
  code->ReplaceLine(line, text);
}

void PrintTo(const Row& row, std::ostream* out) {
  *out << "{" << to_utf8(row.sheet) << " | " << to_utf8(row.points) << " | " << to_utf8(row.text) << "}";
}

PaperTest::PaperTest(std::u16string file_name, std::u16string password, int series, int item,
                     shell::DispatchTable table)
    : ShellTest(std::move(table)),
      file_name_(std::move(file_name)),
      password_(std::move(password)),
      series_(series),
      item_(item) {}

void PaperTest::SetUp() {
  ShellTest::SetUp();
  macro::install_macro_runner();  // as the programs do: the graders run the workbooks' macros
  std::filesystem::create_directories(folder.path() / "정답");
  std::filesystem::copy_file(std::filesystem::path(TABREL_ANSWER_FOLDER) / AnswerFile().filename(), AnswerFile());
  shell.SelectSeries(series_);
  shell.PickTestNumber(series_, item_);
}

std::shared_ptr<xl::Range> cell(xl::Workbook& book, const char16_t* sheet, const char16_t* address) {
  return book.Worksheets(Variant(sheet))->Range(Variant(address));
}

std::u16string PaperTest::FullTotal() const {
  const auto& papers = BuiltPapers();
  const auto paper = std::find_if(papers.begin(), papers.end(), [&](const Paper& p) { return p.file_name == file_name_; });
  return paper != papers.end() && !paper->grades_problem4 ? u"80.00" : u"100.00";
}

void PaperTest::ExpectAnswerLosesNothing() {
  const bool problem4 = FullTotal() == u"100.00";
  Grade(AnswerFile());
  ASSERT_EQ(shell.LastOutcome(), shell::RequestOutcome::Graded) << GradingError();
  EXPECT_EQ(Rows(), std::vector<Row>{});
  EXPECT_EQ(TotalRow(), u"0");
  EXPECT_EQ(Obtained(1), u"20.00");
  EXPECT_EQ(Obtained(2), u"40.00");
  EXPECT_EQ(Obtained(3), u"20.00");
  EXPECT_EQ(Obtained(4), problem4 ? u"20.00" : u"");
  EXPECT_EQ(Total(), FullTotal());
  ASSERT_EQ(dialogs.verdicts.size(), 1u);
  EXPECT_EQ(dialogs.verdicts[0].Label3.Caption(), shell::kVerdictPass);
  EXPECT_EQ(shell.LastOutcome(), shell::RequestOutcome::Graded);
}

void PaperTest::ExpectDisqualified(const Change& change) {
  Grade(MakeTarget(change));
  EXPECT_EQ(Rows(), (std::vector<Row>{{u"실격", u"-100.00", u"시트의 이름, 개수, 순서가 틀림"}}));
  EXPECT_EQ(TotalRow(), u"-100");
  EXPECT_EQ(Total(), u"실격");
  for (int p = 1; p <= 4; ++p) EXPECT_EQ(Obtained(p), u"0.00") << "problem " << p;
  EXPECT_TRUE(dialogs.verdicts.empty());
  EXPECT_TRUE(shell.comtest.Label6.Visible());
  EXPECT_EQ(shell.comtest.Label6.Caption(), u"");
  EXPECT_FALSE(shell.excel.AnswerExcel || shell.excel.TargetExcel);
}

void PaperTest::ExpectHiddenExtraSheetLosesNothing() {
  Grade(MakeTarget([](xl::Workbook& b) {
    auto extra = b.Worksheets()->Add();
    extra->SetName(u"메모");
    extra->SetVisible(Variant(0));
  }));
  ASSERT_TRUE(Graded()) << GradingError();
  EXPECT_EQ(Rows(), std::vector<Row>{});
  EXPECT_EQ(Total(), FullTotal());
}

void PaperTest::ExpectUnopenableRequestsFail() {
  auto expect_failed = [&](const std::filesystem::path& target) {
    SCOPED_TRACE(target.string());
    dialogs.verdicts.clear();
    Grade(target);
    EXPECT_EQ(shell.LastOutcome(), shell::RequestOutcome::Failed);
    EXPECT_EQ(Rows(), std::vector<Row>{});
    EXPECT_EQ(shell.comtest.Label6.Caption(), shell::kGradingErrorMessage);
    EXPECT_TRUE(dialogs.verdicts.empty());
    EXPECT_FALSE(shell.excel.AnswerExcel || shell.excel.TargetExcel);
  };
  expect_failed(MakeTarget([](xl::Workbook&) {}, u"다른암호"));
  expect_failed(folder.Write("메모.xls", "plain text"));
  const auto right_target = MakeTarget([](xl::Workbook&) {});
  std::filesystem::remove(AnswerFile());
  expect_failed(right_target);
}

bool PaperTest::Graded() const { return shell.LastOutcome() == shell::RequestOutcome::Graded; }

std::string PaperTest::GradingError() const { return to_utf8(shell.LastErrorDescription()); }

std::filesystem::path PaperTest::AnswerFile() const {
  return folder.path() / "정답" / shell::PathFromText(file_name_ + u".XLS");
}

std::filesystem::path PaperTest::MakeTarget(const Change& change, std::u16string password) {
  auto app = xl::Application::New();
  auto book = app->Workbooks()->Open(shell::PathText(AnswerFile()), false, password_);
  change(*book);
  const auto target = folder.path() / "답안.xls";
  xls::write_workbook_file(book->model(), target, {password.empty() ? password_ : password});
  app->Quit();
  return target;
}

void PaperTest::Grade(const std::filesystem::path& target) {
  shell.comtest.Text2.Text = shell::PathText(target);
  shell.GradeTargetFile();
}

std::vector<Row> PaperTest::Rows() const {
  std::vector<Row> rows;
  for (const auto& item : shell.comtest.ListView1.Items()) {
    if (item.Column(1) == shell::kTotalRowSheet) continue;
    rows.push_back({item.Column(1), item.Column(2), item.Column(3)});
  }
  return rows;
}

std::u16string PaperTest::TotalRow() const {
  const auto& items = shell.comtest.ListView1.Items();
  if (items.empty() || items.back().Column(1) != shell::kTotalRowSheet) return u"(none)";
  return items.back().Column(2);
}

std::u16string PaperTest::Obtained(int problem) const {
  return shell.comtest.Label1[static_cast<size_t>(problem + 3)].Caption();
}

}  // namespace tabrel::papers::testing
