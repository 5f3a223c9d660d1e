#pragma once
// The chart sheets of a workbook (its Charts collection), and charts moved between a chart sheet
// and a chart object of a worksheet (Chart.Location).

#include <memory>

#include "spreadsheet/automation/chart.h"

namespace tabrel::xl {

class Charts : public Dispatch {
 public:
  Charts(std::shared_ptr<Application> app, std::shared_ptr<Book> book) : app_(std::move(app)), book_(std::move(book)) {}
  std::u16string type_name() const override { return u"Charts"; }
  int Count() const;
  // By position among the chart sheets (from 1) or by sheet name (letter case ignored); a
  // missing one raises 9.
  std::shared_ptr<Chart> Item(const Variant& index) const;
  // A chart sheet with an empty clustered-column chart, before the sheet `before`, after `after`,
  // or (neither given) before the active sheet; named "ChartN" with the first N no sheet uses.
  // It becomes the active sheet.
  std::shared_ptr<Chart> Add(const Variant& before = {}, const Variant& after = {});

 private:
  std::shared_ptr<Application> app_;
  std::shared_ptr<Book> book_;
};

// Chart.Location's places.
constexpr int kLocationAsNewSheet = 1, kLocationAsObject = 2, kLocationAutomatic = 3;

}  // namespace tabrel::xl
