#include "spreadsheet/automation/calculation.h"

#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/formula/engine.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/layout/display_text.h"

namespace tabrel::xl {
namespace {

// What one workbook's formulas may cost in all: far above any workbook a paper asks for (fifty
// thousand formulas each summing a thousand cells), and reached within seconds by a
// hostile one, e.g. thousands of array formulas over whole columns. Past it, formulas keep the
// results the file holds.
constexpr uint64_t kWorkLimit = 50'000'000;

formula::Engine& engine_of(Book& book) {
  if (!book.engine) {
    formula::EngineOptions options;
    options.work_limit = kWorkLimit;
    options.format_number = [cache = book.render_cache](double value, std::u16string_view code, const model::Workbook& wb)
        -> std::optional<std::u16string> {
      layout::DisplayOptions display;
      display.date_system = wb.date_system;
      return layout::display_text(numfmt::CellValue(value), std::u16string(code), 0, layout::FontSpec{}, display, *cache);
    };
    book.engine = std::make_unique<formula::Engine>(*book.model, options);
  }
  return *book.engine;
}

}  // namespace

model::CellValue cell_value(Book& book, const model::Sheet& sheet, model::CellRef at) {
  const model::Cell* cell = sheet.cells.find(at);
  if (!cell) return {};
  if (!cell->has_formula()) return cell->value;
  const int index = book.model->sheet_index(&sheet);
  if (index < 0) return cell->value;
  return engine_of(book).value_of(index, at);
}

size_t calculate_full(Book& book) { return engine_of(book).recompute_all(); }

void enter_formula(Book& book, const model::Sheet& sheet, model::CellRef at, const std::u16string& text, bool r1c1) {
  const int index = book.model->sheet_index(&sheet);
  if (index < 0) raise(Fault::ObjectDeleted);
  try {
    engine_of(book).set_formula(index, at, text, r1c1 ? formula::Notation::R1C1 : formula::Notation::A1);
  } catch (const formula::FormulaError&) {
    raise(Fault::MethodFailed);
  }
}

formula::Scalar evaluate_tree(Book& book, const model::Sheet& sheet, const formula::Node& tree) {
  const int index = book.model->sheet_index(&sheet);
  if (index < 0) raise(Fault::ObjectDeleted);
  try {
    return engine_of(book).evaluate(tree, index, model::CellRef{0, 0});
  } catch (const formula::FormulaError&) {
    raise(Fault::MethodFailed);
  }
}

void forget_calculation(Book& book) { book.engine.reset(); }

}  // namespace tabrel::xl
