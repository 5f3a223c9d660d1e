#include "inspect/fixture.h"

#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/workbooks.h"

namespace tabrel::inspect::testing {

std::unique_ptr<model::Workbook> blank_workbook(std::initializer_list<std::u16string_view> sheet_names) {
  auto wb = std::make_unique<model::Workbook>();
  // The shape every saved workbook has: four fonts, fifteen style formats and one cell format.
  wb->styles.fonts.assign(4, model::Font{});
  for (int i = 0; i < 16; ++i) {
    model::Xf xf;
    xf.is_style = i < 15;
    wb->styles.xfs.push_back(xf);
  }
  for (std::u16string_view name : sheet_names) {
    auto sheet = std::make_unique<model::Sheet>();
    sheet->name = name;
    wb->sheets.push_back(std::move(sheet));
  }
  return wb;
}

ExcelObjects open_books(std::unique_ptr<model::Workbook> answer, std::unique_ptr<model::Workbook> target) {
  ExcelObjects objects;
  objects.AnswerExcel = xl::Application::New();
  objects.TargetExcel = xl::Application::New();
  objects.AnswerExcel->Workbooks()->Adopt(std::move(answer), u"정답.XLS");
  objects.TargetExcel->Workbooks()->Adopt(std::move(target), u"target.xls");
  return objects;
}

ExcelObjects open_pair(std::unique_ptr<model::Workbook> answer, std::unique_ptr<model::Workbook> target,
                       std::u16string_view sheet) {
  ExcelObjects objects = open_books(std::move(answer), std::move(target));
  objects.AnswerSheet = objects.AnswerExcel->Sheets(Variant(std::u16string(sheet)));
  objects.TargetSheet = objects.TargetExcel->Sheets(Variant(std::u16string(sheet)));
  return objects;
}

ExcelObjects open_blank_pair() { return open_pair(blank_workbook(), blank_workbook()); }

std::shared_ptr<xl::Range> at(const std::shared_ptr<xl::Worksheet>& sheet, std::u16string_view address) {
  return sheet->Range(Variant(std::u16string(address)));
}

std::u16string active_address(const std::shared_ptr<xl::Application>& app) { return app->ActiveCell()->Address(); }

}  // namespace tabrel::inspect::testing

namespace tabrel::inspect::testing {

void put_mixed_text(model::Workbook& wb, model::CellRef at, std::u16string text, uint16_t run_start,
                    const std::function<void(model::Font&)>& change) {
  model::Font font = wb.styles.fonts[0];
  change(font);
  wb.styles.fonts.push_back(font);
  const uint16_t index = model::Styles::biff_font_index(wb.styles.fonts.size() - 1);
  model::Cell cell;
  cell.value = model::CellValue::rich(model::RichText{std::move(text), {{run_start, index}}, nullptr});
  cell.xf = 15;
  wb.sheets[0]->cells.put(at, cell);
}

}  // namespace tabrel::inspect::testing
