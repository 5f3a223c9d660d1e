#pragma once
// The spreadsheet's own CSV exports of the corpus (displayed/): the index of exported sheets
// and the texts of one export, with the export's rules for comparing a displayed text.

#include <string>
#include <string_view>
#include <vector>

namespace tabrel::corpus {

// One row of displayed/INDEX.tsv: which sheet of which workbook an export shows, and where
// the export's first row and column sit on the sheet (0-based).
struct ExportedSheet {
  std::string csv, xls, sheet_name;
  int sheet_index = 0;
  int row0 = 0, col0 = 0;
};

// Every row of the index; empty when the corpus is not there.
std::vector<ExportedSheet> exported_sheets();

// The cells of one export (CRLF lines, quoted fields, Windows-1252), row by row.
std::vector<std::vector<std::u16string>> read_export(const std::string& csv_name);

// Whether our displayed text is what the export shows: a character outside Windows-1252 is
// written as "_", line breaks inside a cell are dropped, and a cell shown as "#" is "#" in
// any number (the export keeps no column widths).
bool same_as_export(std::u16string ours, std::u16string_view exported);

}  // namespace tabrel::corpus
