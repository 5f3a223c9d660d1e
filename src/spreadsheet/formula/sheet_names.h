#pragma once
// Sheet and book qualifiers of references ("Sheet1!", "'My Sheet'!", "'[Book.xls]Data'!") and
// the link table (EXTERNSHEET) behind 3-D references.

#include <cstdint>
#include <optional>
#include <string>

#include "spreadsheet/model/workbook.h"

namespace tabrel::formula {

// Whether the spreadsheet puts a sheet name in quotes in a reference: a name that is not all
// letters, digits, "_" and ".", that starts with a digit, or that reads as a cell reference.
bool sheet_name_needs_quotes(std::u16string_view name);

// "Sheet1!", "Sheet1:Sheet3!", "'[Book.xls]Sheet 1'!", "#REF!" for a deleted sheet. Empty for an
// unknown link index.
std::u16string sheet_qualifier(const model::Workbook& workbook, uint16_t ixti);

// The sheets a link index names in this workbook: first and last 0-based sheet index.
// nullopt for links to other books, deleted sheets and bad indexes.
struct SheetSpan {
  int first = 0;
  int last = 0;
};
std::optional<SheetSpan> local_sheets(const model::Workbook& workbook, uint16_t ixti);

// The link index for a sheet range of this workbook, adding the self book and the entry when
// absent.
uint16_t link_for_sheets(model::Workbook& workbook, int first, int last);

// The link index that stands for a deleted sheet of this workbook ("#REF!A1"), added when absent.
uint16_t link_for_deleted_sheet(model::Workbook& workbook);

// Display form of an external book's encoded file name: "C:\dir\[Book.xls]" or "[Book.xls]".
std::u16string book_display(std::u16string_view encoded_url);

}  // namespace tabrel::formula
