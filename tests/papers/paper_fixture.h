#pragma once
// A grading request of one paper through the shell: the built answer workbook in a scratch
// program folder's 정답, a target made from the answer through the automation layer with one
// change and saved with our writer, and the rows, scores and verdict the request left.

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shell/core/shell_fixture.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/workbook.h"

namespace tabrel::papers::testing {

using shell::testing::ShellTest;

// A deduction row as the list shows it: sheet, points, text.
struct Row {
  std::u16string sheet;
  std::u16string points;
  std::u16string text;
  bool operator==(const Row&) const = default;
};
void PrintTo(const Row& row, std::ostream* out);

using Change = std::function<void(xl::Workbook&)>;

// One case of a paper's fault table: the change that makes the target, the rows it must leave
// and the obtained points of its `Problems` problems.
template <std::size_t Problems>
struct PaperFault {
  const char* name;
  Change change;
  std::vector<Row> rows;
  std::array<const char16_t*, Problems> obtained;
};

// Replaces the first occurrence of `from` in the workbook's first macro module by `to`.
void edit_macro(xl::Workbook& book, const std::u16string& from, const std::u16string& to);

// A range of a named sheet of `book`, for the changes that make targets.
std::shared_ptr<xl::Range> cell(xl::Workbook& book, const char16_t* sheet, const char16_t* address);

class PaperTest : public ShellTest {
 protected:
  // `file_name` is the answer's name without ".XLS"; `series` and `item` choose the paper.
  PaperTest(std::u16string file_name, std::u16string password, int series, int item,
            shell::DispatchTable table = shell::BuiltInDispatchTable());
  void SetUp() override;

  // Writes a target: the answer opened in an instance, changed, saved with `password` (the
  // paper's when empty).
  std::filesystem::path MakeTarget(const Change& change, std::u16string password = u"");
  // Grades the file at `target` through the shell's grading request.
  void Grade(const std::filesystem::path& target);

  // The rows the request left, the shell's total row excluded.
  std::vector<Row> Rows() const;
  std::u16string TotalRow() const;  // points column of "총 감점"
  std::u16string Obtained(int problem) const;
  std::u16string Total() const { return shell.comtest.Label4.Caption(); }

  // Grades one target per fault and expects exactly its rows and obtained points.
  template <std::size_t Problems>
  void ExpectFaults(const std::vector<PaperFault<Problems>>& faults) {
    for (const PaperFault<Problems>& fault : faults) {
      SCOPED_TRACE(fault.name);
      Grade(MakeTarget(fault.change));
      ASSERT_TRUE(Graded()) << GradingError();
      EXPECT_EQ(Rows(), fault.rows);
      for (std::size_t p = 0; p < Problems; ++p)
        EXPECT_EQ(Obtained(static_cast<int>(p + 1)), fault.obtained[p]) << "problem " << p + 1;
    }
  }
  bool Graded() const;
  std::string GradingError() const;  // the shell's description of the last failure

  // The requests every paper answers alike:
  // a target made by `change` whose sheets differ from the answer's gets the disqualification
  // row alone, "실격", zeros and no verdict, and both instances are closed;
  void ExpectDisqualified(const Change& change);
  // a hidden extra sheet is removed before grading: the answer with one loses nothing;
  void ExpectHiddenExtraSheetLosesNothing();
  // a workbook that cannot be opened (a wrong password, a file that is no workbook, a missing
  // answer) ends in the shell's error handler: no row, no verdict, no disqualification.
  void ExpectUnopenableRequestsFail();

  std::filesystem::path AnswerFile() const;
  // Grades the answer against itself: no deduction row, the full points of every problem the
  // paper grades (problem 4 stays empty while the paper leaves it out), "합격".
  void ExpectAnswerLosesNothing();
  // The total of a target that loses nothing: 100.00, or 80.00 while problem 4 is left out.
  std::u16string FullTotal() const;

  std::u16string file_name_;
  std::u16string password_;
  int series_;
  int item_;
};

}  // namespace tabrel::papers::testing
