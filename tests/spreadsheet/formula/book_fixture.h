#pragma once
// A small workbook for formula tests: three sheets ("Sheet1", "My Sheet", "매출") and a
// defined name "Rate".

#include <memory>

#include "spreadsheet/model/workbook.h"

namespace tabrel::formula::testing {

inline std::unique_ptr<model::Workbook> small_book() {
  auto wb = std::make_unique<model::Workbook>();
  for (const char16_t* n : {u"Sheet1", u"My Sheet", u"매출"}) {
    auto s = std::make_unique<model::Sheet>();
    s->name = n;
    wb->sheets.push_back(std::move(s));
  }
  model::DefinedName rate;
  rate.name = u"Rate";
  wb->names.push_back(rate);
  return wb;
}

}  // namespace tabrel::formula::testing
