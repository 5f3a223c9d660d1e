#pragma once
// The text of a data label made from the parts it shows: series name, category name, value,
// percentage and bubble size, in that order, joined by the label's separator (", " unless the
// file stores another). Values show in the number format
// of the label when it has its own, else in that of the source cell (General without one).

#include <string>

#include "spreadsheet/model/chart.h"

namespace tabrel::charts {

struct LabelPieces {
  std::u16string series_name;
  std::u16string category;
  std::u16string value;
  std::u16string percent;
  std::u16string bubble_size;
};

std::u16string label_text(const model::LabelParts& shown, const LabelPieces& pieces,
                          std::u16string_view separator = u", ");

// A number in a format code, as a chart label shows it (no cell width, so nothing turns into
// "#"); a code that does not compile shows the number in General.
std::u16string format_number(double value, const std::u16string& code);

}  // namespace tabrel::charts
