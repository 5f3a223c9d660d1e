// xls-dump: prints what the engine read from a .xls file as JSON.
// Usage: xls-dump FILE.xls [PASSWORD]

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "spreadsheet/core/text.h"
#include "spreadsheet/xls/reader.h"
#include "workbook_json.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: xls-dump FILE.xls [PASSWORD]\n");
    return 2;
  }
  std::optional<std::u16string> password;
  if (argc == 3) password = tabrel::from_utf8(argv[2]);
  const std::filesystem::path path(argv[1]);
  try {
    const auto book = tabrel::xls::read_workbook_file(path, password);
    std::cout << tabrel::json::write(tabrel::dump::workbook_json(*book, path.filename().string())) << "\n";
  } catch (const tabrel::xls::OpenError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
