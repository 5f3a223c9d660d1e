#include "fixture.h"

#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/automation_error.h"

namespace tabrel::xl::testing {

std::unique_ptr<model::Workbook> sample_workbook() {
  auto wb = std::make_unique<model::Workbook>();
  for (int i = 0; i < 4; ++i) wb->styles.fonts.push_back(model::Font{});
  for (int i = 0; i < 16; ++i) {
    model::Xf xf;
    xf.is_style = i < 15;
    wb->styles.xfs.push_back(xf);
  }
  const char16_t* names[] = {u"Data", u"Form", u"Hidden", u"Chart1", u"Last"};
  for (const char16_t* name : names) {
    auto sheet = std::make_unique<model::Sheet>();
    sheet->name = name;
    wb->sheets.push_back(std::move(sheet));
  }
  wb->sheets[2]->visibility = model::Visibility::Hidden;
  wb->sheets[3]->kind = model::SheetKind::ChartSheet;
  return wb;
}

uint16_t add_xf(model::Workbook& wb, const std::function<void(model::Xf&)>& change) {
  model::Xf xf = wb.styles.xfs[15];
  change(xf);
  wb.styles.xfs.push_back(xf);
  return static_cast<uint16_t>(wb.styles.xfs.size() - 1);
}

uint16_t add_font(model::Workbook& wb, const std::function<void(model::Font&)>& change) {
  model::Font f = wb.styles.fonts[0];
  change(f);
  wb.styles.fonts.push_back(f);
  return model::Styles::biff_font_index(wb.styles.fonts.size() - 1);
}

Opened open_in_new_instance(std::unique_ptr<model::Workbook> wb, std::u16string name) {
  Opened o;
  o.app = Application::New();
  o.book = o.app->Workbooks()->Adopt(std::move(wb), std::move(name));
  return o;
}

int32_t error_number(const std::function<void()>& f) {
  try {
    f();
  } catch (const AutomationError& e) {
    return e.number();
  }
  return 0;
}

void put_sales_rows(Application& app) {
  auto data = app.Worksheets(Variant(u"Data"));
  const std::vector<std::vector<Variant>> rows = {
      {Variant(u"지역"), Variant(u"제품"), Variant(u"금액"), Variant(u"담당")},
      {Variant(u"서울"), Variant(u"사과"), Variant(100.0), Variant(u"김")},
      {Variant(u"서울"), Variant(u"배"), Variant(200.0), Variant(u"이")},
      {Variant(u"부산"), Variant(u"사과"), Variant(50.0), Variant(u"김")},
      {Variant(u"부산"), Variant(u"배"), Variant(), Variant(u"이")},
      {Variant(u"대구"), Variant(u"사과"), Variant(30.0), Variant(u"이")},
      {Variant(), Variant(u"배"), Variant(5.0), Variant(u"김")}};
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c)
      if (!rows[r][c].is_empty())
        data->Cells(Variant::integer(static_cast<int>(r + 1)), Variant::integer(static_cast<int>(c + 1)))->SetValue(rows[r][c]);
}

std::vector<std::u16string> shown_grid(const std::shared_ptr<Worksheet>& sheet, const char16_t* range) {
  const auto area = sheet->Range(Variant(range))->area();
  std::vector<std::u16string> out;
  for (int r = area.first.row; r <= area.last.row; ++r) {
    std::u16string line;
    for (int c = area.first.col; c <= area.last.col; ++c) {
      if (c > area.first.col) line += u"|";
      line += sheet->Cells(Variant::integer(r + 1), Variant::integer(c + 1))->Text().to_string();
    }
    out.push_back(line);
  }
  return out;
}

}  // namespace tabrel::xl::testing
