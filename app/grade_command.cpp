// tabrel-grade: grades one target workbook from a terminal with the desktop program's grading
// request, and prints the deduction rows, the problem scores, the total and the verdict.
//
//   tabrel-grade <급수> <문제종류> <회차> <대상 파일>
//   e.g. tabrel-grade 2급 기초다지기 01회 답안.xls
//   tabrel-grade --help (or -h) prints the usage on standard output.
//
// Exit codes: 0 graded (or usage asked for), 1 wrong arguments, 2 no matching paper, 3 the
// grading failed.

#include <iostream>
#include <string>
#include <string_view>

#include "shell/core/paper_dispatch.h"
#include "shell/core/platform_files.h"
#include "shell/core/shell.h"
#include "spreadsheet/core/process_memory.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/macro/runner.h"
#include "terminal_dialogs.h"

namespace {

using namespace tabrel;
using tabrel::shell::Shell;

constexpr int kGraded = 0;
constexpr int kUsage = 1;
constexpr int kNoPaper = 2;
constexpr int kFailed = 3;

void print_usage(std::ostream& out) {
  out << "사용법: tabrel-grade <급수> <문제종류> <회차> <대상 파일>\n"
         "  급수: 2급\n"
         "  문제종류: 기출문제, 기초다지기, 실력다지기, 합격다지기\n"
         "  회차: 01회 .. 05회 (기출문제는 유형01회, 기출01회 .. 기출06회)\n"
         "예: tabrel-grade 2급 기초다지기 01회 답안.xls\n";
}

int usage() {
  print_usage(std::cerr);
  return kUsage;
}

bool asks_for_help(int argc, char** argv) {
  if (argc != 2) return false;
  const std::string_view arg = argv[1];
  return arg == "--help" || arg == "-h";
}

// The index of `caption` among the options, or -1.
int find_option(const shell::OptionGroup& options, const std::u16string& caption) {
  for (int i = 0; i < options.Count(); ++i) {
    if (options.Caption(i) == caption && options.Visible(i)) return i;
  }
  return -1;
}

int find_item(const shell::ComboBox& list, const std::u16string& item) {
  for (size_t i = 0; i < list.Items().size(); ++i) {
    if (list.Items()[i] == item) return static_cast<int>(i);
  }
  return -1;
}

void print_result(const Shell& s) {
  const auto& c = s.comtest;
  std::cout << "감점내역:\n";
  for (const auto& row : c.ListView1.Items()) {
    std::cout << "  " << to_utf8(row.Column(1)) << "\t" << to_utf8(row.Column(2)) << "\t" << to_utf8(row.Column(3)) << "\n";
  }
  std::cout << "문제별 점수 (할당/취득):\n";
  for (size_t k = 0; k < 4; ++k) {
    std::cout << "  " << to_utf8(c.Label2[k].Caption()) << ": " << to_utf8(c.Label1[k].Caption()) << " / "
              << to_utf8(c.Label1[k + 4].Caption()) << "\n";
  }
  std::cout << to_utf8(c.Label3.Caption()) << ": " << to_utf8(c.Label4.Caption()) << "\n";
  if (c.Label6.Visible() && !c.Label6.Caption().empty()) std::cout << "상태: " << to_utf8(c.Label6.Caption()) << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  tabrel::keep_freed_memory();
  if (asks_for_help(argc, argv)) {
    print_usage(std::cout);
    return kGraded;
  }
  if (argc != 5) return usage();
  tabrel::macro::install_macro_runner();  // the graders run the workbooks' macros
  const std::u16string level = from_utf8(argv[1]);
  const std::u16string series = from_utf8(argv[2]);
  const std::u16string test_number = from_utf8(argv[3]);
  const std::u16string target = from_utf8(argv[4]);

  app::TerminalDialogs dialogs(std::cout, target);
  Shell s(dialogs, shell::ExecutableFolder(), shell::BuiltInDispatchTable());
  s.Form_Initialize(false);

  const int level_index = find_option(s.comtest.Option1, level);
  const int series_index = find_option(s.comtest.Option2, series);
  if (level_index < 0 || series_index < 0) {
    std::cerr << "급수 또는 문제종류가 잘못되었습니다: " << argv[1] << " " << argv[2] << "\n";
    return usage();
  }
  s.SelectLevel(level_index);
  s.SelectSeries(series_index);
  const int item = find_item(s.comtest.Combo3[static_cast<size_t>(series_index)], test_number);
  if (item < 0) {
    std::cout << "[" << to_utf8(shell::kProgramTitle) << "] " << to_utf8(shell::kNoPaperMessage) << " ("
              << argv[2] << " " << argv[3] << ")\n";
    return kNoPaper;
  }
  s.PickTestNumber(series_index, item);

  const auto path = shell::PathFromText(target);
  if (!shell::TargetHasAssociatedProgram(path)) {
    std::cout << "채점 대상 파일이 없거나 읽을 수 없습니다: " << argv[4] << "\n";
    return kFailed;
  }

  s.Picture1_MouseDown(0);
  s.Picture1_MouseUp(0);
  print_result(s);
  switch (s.LastOutcome()) {
    case shell::RequestOutcome::Graded:
      return kGraded;
    case shell::RequestOutcome::NoMatchingPaper:
      return kNoPaper;
    default:
      if (!s.LastErrorDescription().empty()) std::cout << "오류 내용: " << to_utf8(s.LastErrorDescription()) << "\n";
      return kFailed;
  }
}
