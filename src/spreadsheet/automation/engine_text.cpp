#include "spreadsheet/automation/engine_text.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "spreadsheet/automation/calculation.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/formula/cell_formula.h"
#include "spreadsheet/formula/condition_formula.h"
#include "spreadsheet/formula/decode.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/print.h"
#include "spreadsheet/formula/shift.h"
#include "spreadsheet/layout/column_width.h"
#include "spreadsheet/layout/display_text.h"
#include "spreadsheet/layout/font_metrics.h"
#include "spreadsheet/layout/row_height.h"
#include "spreadsheet/numfmt/builtin_formats.h"
#include "spreadsheet/numfmt/local_code.h"
#include "spreadsheet/ops/cell_format.h"

namespace tabrel::xl {
namespace {

constexpr uint16_t kStandardFont = 0;

formula::Notation notation_of(Notation n) { return n == Notation::A1 ? formula::Notation::A1 : formula::Notation::R1C1; }

layout::FontSpec font_spec(const model::Workbook& wb, uint16_t font_index) {
  const model::Font* f = wb.styles.font(font_index);
  if (!f) return {};
  return {f->name, f->height / 20.0};
}

// The maximum digit width of the workbook's standard font: the unit of column widths.
int standard_mdw(const model::Workbook& wb) {
  return layout::FontMetrics(font_spec(wb, kStandardFont)).max_digit_width();
}

const layout::FontMetrics& font_metrics(const model::Workbook& wb, uint16_t font_index, layout::RenderCache& cache) {
  if (const model::Font* f = wb.styles.font(font_index)) return cache.metrics(f->name, f->height / 20.0);
  return cache.metrics(layout::FontSpec{});
}

int standard_mdw(const model::Workbook& wb, layout::RenderCache& cache) {
  return font_metrics(wb, kStandardFont, cache).max_digit_width();
}

// The compiled number format of a format id: the workbook's own code, else the built-in one.
const numfmt::Format& compiled_format(const model::Workbook& wb, uint16_t id, layout::RenderCache& cache) {
  if (const std::u16string* code = wb.styles.custom_format(id)) return cache.format_of_id(id, *code);
  if (auto code = numfmt::builtin_format_code(id)) return cache.format_of_id(id, *code);
  return cache.format_of_id(0, u"General");
}

// Width of a column in pixels: its stored width, else the sheet's standard width.
int column_pixels(const model::Sheet& sheet, int col, int mdw) {
  if (const model::ColumnInfo* info = sheet.column_info(col)) {
    if (info->hidden) return 0;
    return layout::colinfo_to_pixels(info->width, mdw);
  }
  if (sheet.standard_width) return layout::colinfo_to_pixels(*sheet.standard_width, mdw);
  return layout::standard_column_pixels(sheet.default_column_width, mdw);
}

numfmt::CellValue render_value(const model::CellValue& v) {
  if (v.is_number()) return numfmt::CellValue(v.as_number());
  if (v.is_text()) return numfmt::CellValue(v.as_text());
  if (v.is_bool()) return numfmt::CellValue(v.as_bool());
  if (v.is_error()) return numfmt::CellValue(v.as_error());
  return {};
}

// The text a cell shows when its column does not constrain it (`width_px` 0 renders without a
// cell), its width in the cell's font, and the workbook's digit width; nothing for a blank cell.
struct FreeText {
  std::u16string text;
  double width_px = 0;
  int mdw = 0;
};

std::optional<FreeText> free_text(Book& book, const model::Sheet& sheet, model::CellRef at, int width_px) {
  const model::Workbook& wb = *book.model;
  const model::CellValue value = cell_value(book, sheet, at);
  if (value.is_blank()) return std::nullopt;
  const model::Xf& xf = ops::effective_format(wb, sheet, at);
  layout::RenderCache& cache = *book.render_cache;
  FreeText out;
  out.mdw = standard_mdw(wb, cache);
  layout::DisplayOptions options;
  options.date_system = wb.date_system;
  options.standard_mdw = out.mdw;
  const layout::FontSpec font = font_spec(wb, xf.font);
  out.text = layout::display_text(render_value(value), number_format(wb, xf.format), width_px, font, options, cache);
  out.width_px = cache.metrics(font).text_width(out.text);
  return out;
}

}  // namespace

std::u16string displayed_text(Book& book, const model::Sheet& sheet, model::CellRef at) {
  const model::Workbook& wb = *book.model;
  // One lookup gives both the value and the format (a cell without an entry, or one of a run of
  // formatted blanks, shows nothing); a constant is read where it is stored.
  const model::Cell* cell = sheet.cells.find_stored(at);
  if (!cell) return {};
  const uint16_t xf_index = cell->xf;
  const bool computed = cell->has_formula();
  const model::CellValue result = computed ? cell_value(book, sheet, at) : model::CellValue();
  const model::CellValue& value = computed ? result : cell->value;
  if (value.is_blank()) return {};
  const model::Xf& xf = ops::xf_record(wb, xf_index);
  layout::RenderCache& cache = *book.render_cache;
  const layout::FontMetrics& standard = font_metrics(wb, kStandardFont, cache);
  const layout::FontMetrics& metrics = xf.font == kStandardFont ? standard : font_metrics(wb, xf.font, cache);
  const int mdw = standard.max_digit_width();
  const auto merged = sheet.merge_area(at);
  const int first = merged ? merged->first.col : at.col;
  const int last = merged ? merged->last.col : at.col;
  int width = 0;
  for (int c = first; c <= last; ++c) width += column_pixels(sheet, c, mdw);
  layout::DisplayOptions options;
  options.date_system = wb.date_system;
  options.standard_mdw = mdw;
  return layout::display_result(render_value(value), compiled_format(wb, xf.format, cache), width, metrics,
                                options).text;
}

int fitting_column_pixels(Book& book, const model::Sheet& sheet, model::CellRef at) {
  const std::optional<FreeText> shown = free_text(book, sheet, at, 0);
  if (!shown || shown->text.empty()) return 0;
  return static_cast<int>(std::ceil(shown->width_px)) + layout::padding_px(shown->mdw);
}

uint16_t column_units_of_pixels(const model::Workbook& wb, int pixels) {
  return static_cast<uint16_t>(std::clamp(layout::pixels_to_colinfo(pixels, standard_mdw(wb)), 0, 0xFFFF));
}

std::u16string cell_formula(const model::Workbook& wb, const model::Sheet& sheet, model::CellRef at, Notation notation) {
  try {
    return formula::cell_formula(wb, sheet, at, notation_of(notation));
  } catch (const formula::FormulaError&) {
    raise(Fault::MethodFailed);
  }
}

std::u16string condition_formula(const model::Workbook& wb, int sheet_index, std::span<const uint8_t> tokens,
                                 model::CellRef from, Notation notation) {
  try {
    return formula::condition_formula(wb, sheet_index, tokens, from, notation_of(notation));
  } catch (const formula::FormulaError&) {
    raise(Fault::MethodFailed);
  }
}

std::u16string number_format(const model::Workbook& wb, uint16_t format_id) {
  if (const std::u16string* code = wb.styles.custom_format(format_id)) return *code;
  if (auto code = numfmt::builtin_format_code(format_id)) return std::u16string(*code);
  return u"General";
}

std::u16string number_format_local(const model::Workbook& wb, uint16_t format_id) {
  return numfmt::to_local_code(number_format(wb, format_id));
}

uint16_t format_id_for(model::Workbook& wb, const std::u16string& code, bool local) {
  const std::u16string english = local ? numfmt::from_local_code(code) : code;
  for (const auto& f : wb.styles.formats)
    if (f.code == english) return f.id;
  if (auto id = numfmt::builtin_format_id(english)) return static_cast<uint16_t>(*id);
  return wb.styles.intern_format(english);
}

int column_width_pixels(const model::Workbook& wb, const model::Sheet& sheet, int col) {
  return column_pixels(sheet, col, standard_mdw(wb));
}

int row_height_pixels(const model::Sheet& sheet, int row) {
  if (sheet.row_hidden(row)) return 0;
  return layout::points_to_pixels(layout::twips_to_points(sheet.row_height(row)));
}

double column_width_characters(const model::Workbook& wb, const model::Sheet& sheet, int col) {
  const int mdw = standard_mdw(wb);
  return layout::pixels_to_chars(column_pixels(sheet, col, mdw), mdw);
}

uint16_t column_width_units(const model::Workbook& wb, double characters) {
  return static_cast<uint16_t>(std::clamp(layout::chars_to_colinfo(characters, standard_mdw(wb)), 0, 0xFFFF));
}

int fitted_width_pixels(Book& book, const model::Sheet& sheet, model::CellRef at) {
  constexpr int kUnbounded = 1 << 20;  // wide enough for any text: nothing is cut or shown as "#"
  const std::optional<FreeText> shown = free_text(book, sheet, at, kUnbounded);
  return shown ? layout::fitting_width_px(shown->width_px, shown->mdw) : 0;
}

double width_characters(const model::Workbook& wb, int pixels) {
  const int mdw = standard_mdw(wb);
  double characters = layout::pixels_to_chars(pixels, mdw);
  // Widths are kept to hundredths of a character: the next one up when rounding lost a pixel.
  while (layout::chars_to_pixels(characters, mdw) < pixels) characters = std::round(characters * 100 + 1) / 100;
  return characters;
}

}  // namespace tabrel::xl
