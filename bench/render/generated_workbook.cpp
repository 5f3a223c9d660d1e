#include "generated_workbook.h"

#include <string>

#include "spreadsheet/formula/encode.h"
#include "spreadsheet/formula/parse.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::bench {
namespace {

constexpr int kColumns = 20;  // 1M cells stay within 65,536 rows

uint16_t format_xf(model::Workbook& wb, const std::u16string& code) {
  model::Xf xf = wb.styles.xfs.at(15);
  xf.format = wb.styles.intern_format(code);
  return wb.styles.intern_xf(xf);
}

model::FormulaPtr formula(model::Workbook& wb, model::CellRef at, const std::u16string& text) {
  const formula::Encoded encoded = formula::encode(formula::parse(text, wb, at, formula::Notation::A1), at);
  auto f = model::FormulaPtr::make();
  f->tokens = encoded.tokens;
  f->extra = encoded.extra;
  return f;
}

std::u16string number_text(int n) {
  const std::string digits = std::to_string(n);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::unique_ptr<model::Workbook> generated_workbook(size_t cells) {
  // Our writer's own defaults (fonts, the 21 built-in XFs and styles) come from reading back an
  // empty workbook.
  model::Workbook empty;
  empty.sheets.push_back(std::make_unique<model::Sheet>());
  empty.sheets.back()->name = u"Sheet1";
  auto wb = xls::read_workbook(xls::write_workbook(empty));
  const uint16_t thousands = format_xf(*wb, u"#,##0");
  const uint16_t percent = format_xf(*wb, u"0.00%");
  const uint16_t date = format_xf(*wb, u"yyyy\\-mm\\-dd");
  model::Xf filled = wb->styles.xfs.at(15);
  filled.pattern = 1;
  filled.pattern_color = 13;
  const uint16_t fill = wb->styles.intern_xf(filled);

  model::CellStore& store = wb->sheets[0]->cells;
  for (size_t i = 0; i < cells; ++i) {
    const int row = static_cast<int>(i / kColumns);
    const model::CellRef at{row, static_cast<int>(i % kColumns)};
    const double n = row * 7.25 + 1;
    model::Cell cell;
    switch (at.col) {
      case 0: cell.value = model::CellValue::text(u"항목 " + number_text(row)); break;
      case 1: cell.value = model::CellValue::number(n); break;
      case 2: cell.value = model::CellValue::number(n * 1000.5); cell.xf = thousands; break;
      case 3: cell.value = model::CellValue::number(n / 977); cell.xf = percent; break;
      case 4: cell.value = model::CellValue::number(40000 + row % 3000); cell.xf = date; break;
      case 5:
        cell.formula = formula(*wb, at, u"=B" + number_text(row + 1) + u"*2+C" + number_text(row + 1));
        cell.value = model::CellValue::number(n * 2 + n * 1000.5);
        break;
      case 6: cell.value = model::CellValue::text(row % 2 == 0 ? u"합격" : u"불합격"); break;
      default: cell.xf = fill; break;
    }
    store.put(at, std::move(cell));
  }
  return wb;
}

std::vector<uint8_t> generated_file(size_t cells) { return xls::write_workbook(*generated_workbook(cells)); }

}  // namespace tabrel::bench
