#pragma once
// The state of one application instance: its open workbooks, which one is active, and its
// settings. The active sheet, active cell and selection of each workbook live in the workbook's
// own view state (the model), so two instances never move each other's selection.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "spreadsheet/automation/sort.h"
#include "spreadsheet/formula/engine.h"
#include "spreadsheet/layout/render_cache.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::xl {

// Cells copied without a destination, waiting to be pasted.
struct Clipboard {
  const model::Sheet* sheet = nullptr;
  model::RangeRef area;
};

struct Book {
  std::unique_ptr<model::Workbook> model;
  std::u16string name;       // file name shown in the title bar ("target.xls")
  std::u16string full_name;  // path as given to Open
  bool read_only = false;
  bool open = true;
  // Sheets removed from the workbook stay here, so objects over them can tell they are gone.
  std::vector<std::unique_ptr<model::Sheet>> removed_sheets;
  std::unique_ptr<formula::Engine> engine;  // see calculation.h
  // Compiled number formats and font metrics for displayed texts; shared with the engine's TEXT.
  std::shared_ptr<layout::RenderCache> render_cache = std::make_shared<layout::RenderCache>();
  // A drawn object selected in place of cells (Shape.Select), until cells are selected again.
  const model::Sheet* shape_sheet = nullptr;
  size_t shape_index = 0;
  // The chart object activated last (ChartObject.Activate), until cells or a shape are selected.
  const model::Sheet* chart_sheet = nullptr;
  int chart_object = -1;  // its object id
  std::optional<Clipboard> clipboard;
  std::map<const model::Sheet*, SortSettings> sorts;  // each worksheet's Sort object
};

struct Session {
  std::vector<std::shared_ptr<Book>> books;  // in opening order
  std::shared_ptr<Book> active;              // null when no workbook is open
  bool display_alerts = true;
  // Settings a macro may switch that change nothing we show: kept so that reading them back agrees.
  bool screen_updating = true;
  // xlCalculationAutomatic, Manual or SemiAutomatic. Cells are computed whenever they are read,
  // so after a run they show what the spreadsheet shows once automatic calculation is back.
  int32_t calculation = -4105;
  bool enable_events = true;
  bool quit = false;
};

}  // namespace tabrel::xl
