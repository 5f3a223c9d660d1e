#include "spreadsheet/charts/data_label.h"

#include "spreadsheet/numfmt/format.h"
#include "spreadsheet/numfmt/format_error.h"
#include "spreadsheet/numfmt/render.h"

namespace tabrel::charts {

std::u16string label_text(const model::LabelParts& shown, const LabelPieces& pieces, std::u16string_view separator) {
  std::u16string out;
  auto add = [&](bool on, const std::u16string& part) {
    if (!on) return;
    if (!out.empty()) out += separator;
    out += part;
  };
  add(shown.series_name, pieces.series_name);
  add(shown.category, pieces.category);
  add(shown.value, pieces.value);
  add(shown.percent, pieces.percent);
  add(shown.bubble_size, pieces.bubble_size);
  return out;
}

std::u16string format_number(double value, const std::u16string& code) {
  try {
    return numfmt::render(numfmt::Format::compile(code), numfmt::CellValue(value)).text;
  } catch (const numfmt::FormatError&) {
    return numfmt::render(numfmt::Format::compile(u"General"), numfmt::CellValue(value)).text;
  }
}

}  // namespace tabrel::charts
