// xls-dump: prints what the engine read from a .xls file as JSON. With --recalc it also
// recalculates every formula and gives each cell its computed value ("computed") and its
// displayed text ("text", Range.Text): what the grader sees of the workbook.
// Usage: xls-dump [--recalc] FILE.xls [PASSWORD]
//        xls-dump --run MACRO FILE.xls [PASSWORD]   (see run_command.h)

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string_view>

#include "spreadsheet/automation/calculation.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/core/process_memory.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/xls/reader.h"
#include "recalc_json.h"
#include "run_command.h"
#include "workbook_json.h"

namespace {

void usage() { std::fprintf(stderr, "usage: xls-dump [--recalc] FILE.xls [PASSWORD]\n"); }

}  // namespace

int main(int argc, char** argv) {
  tabrel::keep_freed_memory();
  if (argc > 1 && std::string_view(argv[1]) == "--run") return tabrel::dump::run_command(argc - 1, argv + 1);
  const bool recalc = argc > 1 && std::strcmp(argv[1], "--recalc") == 0;
  const int first = recalc ? 2 : 1;
  if (argc - first < 1 || argc - first > 2) {
    usage();
    return 2;
  }
  std::optional<std::u16string> password;
  if (argc - first == 2) password = tabrel::from_utf8(argv[first + 1]);
  const std::filesystem::path path(argv[first]);
  std::ios::sync_with_stdio(false);
  try {
    tabrel::xl::Book book;
    book.model = tabrel::xls::read_workbook_file(path, password);
    tabrel::dump::CellExtras extras;
    if (recalc) {
      tabrel::xl::calculate_full(book);
      extras = tabrel::dump::recalculated_members(book);
    }
    tabrel::dump::write_workbook_json(std::cout, *book.model, path.filename().string(), extras);
    std::cout << "\n";
    std::cout.flush();
    // The output is complete: the process ends without taking the workbook apart cell by cell.
    std::_Exit(std::cout ? 0 : 1);
  } catch (const tabrel::xls::OpenError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
