#pragma once
// A paper as its grader sees it: its constants, its four problems as check tables, and the
// places where its entry departs from the common steps.

#include <array>
#include <cstdint>
#include <string>

#include "papers/frame/check_table.h"
#include "papers/frame/paper_host.h"

namespace tabrel::papers {

struct Paper {
  std::u16string paper_name;  // as the shell dispatches it: "Tabrel2급기초다지기01회"
  std::u16string file_name;   // the answer workbook's name as MakeAnswerPath leaves it
  std::u16string password;    // opens the answer and the target
  int16_t sheet_count = 0;    // of the structure check (its extra-sheet name is always "")
  // The answer worksheet position of each problem's first sheet; a switch inside a problem is a
  // step of its table.
  std::array<int, 4> first_sheets{};
  std::array<Problem, 4> problems;
  // While the answer workbook lacks something problem 4 reads (its chart), problem 4 is not
  // graded and its obtained points stay empty, as when another level is chosen.
  bool grades_problem4 = true;

  // --- Departures of the entry -----------------------------------------------------------
  MessageIcon no_program_icon = MessageIcon::Critical;
  // The whole entry runs with errors ignored: a failing statement is skipped. Opening the two
  // workbooks still ends in the shell's error handler, a problem stopped by an error still
  // adds what it scored so far, and one whose sheets cannot be set records a row of the points
  // it still held, so the rows and the total agree.
  bool ignores_errors = false;
  // The hourglass appears once the answer path is put together, before the workbooks open.
  bool early_hourglass = false;
  // After a disqualification the pointer is left for the shell to reset.
  bool keeps_pointer_after_disqualification = false;
  // The closing quits each instance twice (its application, then itself).
  bool quits_twice = false;
  // The problems whose close writes the new total formatted with "0.00".
  std::array<bool, 4> close_formats_total{};
  // The entry empties the obtained points of problems 1 to 4 before opening the workbooks.
  bool clears_obtained = true;
  // A disqualification writes "0" into the fifth obtained-points label too.
  bool disqualification_clears_fifth = true;
  // The closing resets the pointer before it hides the status line.
  bool pointer_before_status = false;
  std::array<std::u16string, 4> status_texts{u"1번 문제를 처리중입니다", u"2번 문제를 처리중입니다",
                                             u"3번 문제를 처리중입니다", u"4번 문제를 처리중입니다"};
};

// `GradePaper`: opens both workbooks, checks the sheets, grades the problems, shows the
// verdict and closes both instances. Errors the paper does not ignore leave it for the shell's
// grading error handler.
void GradePaper(const Paper& paper, PaperHost& host);

}  // namespace tabrel::papers
