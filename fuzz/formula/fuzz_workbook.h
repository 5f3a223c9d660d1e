#pragma once
// The workbook the formula fuzz targets print and evaluate against: two sheets with a few
// values, a defined name and links to both sheets.

#include <memory>

#include "spreadsheet/formula/sheet_names.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::formula::fuzzing {

inline std::unique_ptr<model::Workbook> workbook() {
  auto wb = std::make_unique<model::Workbook>();
  for (const char16_t* name : {u"Sheet1", u"Data 2"}) {
    auto s = std::make_unique<model::Sheet>();
    s->name = name;
    for (int r = 0; r < 5; ++r) s->cells.at({r, 0}).value = model::CellValue::number(r * 1.5);
    s->cells.at({0, 1}).value = model::CellValue::text(u"abc");
    wb->sheets.push_back(std::move(s));
  }
  link_for_sheets(*wb, 0, 0);
  link_for_sheets(*wb, 1, 1);
  model::DefinedName n;
  n.name = u"Total";
  n.tokens = {0x25, 0, 0, 4, 0, 0, 0, 0, 0};  // $A$1:$A$5
  wb->names.push_back(n);
  return wb;
}

}  // namespace tabrel::formula::fuzzing
