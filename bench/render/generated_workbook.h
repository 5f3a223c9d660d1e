#pragma once
// A workbook of `cells` cells made for the benchmarks: one sheet, ten columns a row of a text,
// numbers in General, "#,##0", "0.00%" and a date format, a formula on the row's numbers and
// blanks with a fill, as a typed paper's data sheet looks, repeated down the rows.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "spreadsheet/model/workbook.h"

namespace tabrel::bench {

std::unique_ptr<model::Workbook> generated_workbook(size_t cells);

// The same written as a .xls file by our writer.
std::vector<uint8_t> generated_file(size_t cells);

}  // namespace tabrel::bench
