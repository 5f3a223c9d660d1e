#include "spreadsheet/automation/engine_text.h"

#include "spreadsheet/automation/errors.h"

namespace tabrel::xl {
namespace {

[[noreturn]] void unavailable() { raise(Fault::MethodFailed); }

}  // namespace

std::u16string displayed_text(const model::Workbook&, const model::Sheet&, model::CellRef) { unavailable(); }

std::u16string cell_formula(const model::Workbook&, const model::Sheet&, model::CellRef, Notation) { unavailable(); }

std::u16string relative_formula(const model::Workbook&, std::span<const uint8_t>, model::CellRef, model::CellRef,
                                Notation) {
  unavailable();
}

std::u16string name_formula(const model::Workbook&, const model::DefinedName&, Notation) { unavailable(); }

std::u16string number_format(const model::Workbook& wb, uint16_t format_id) {
  if (const std::u16string* code = wb.styles.custom_format(format_id)) return *code;
  if (format_id == 0) return u"General";
  unavailable();
}

std::u16string number_format_local(const model::Workbook&, uint16_t) { unavailable(); }

uint16_t format_id_for(model::Workbook& wb, const std::u16string& code, bool local) {
  if (local) unavailable();
  if (code == u"General") return 0;
  return wb.styles.intern_format(code);
}

double column_width_characters(const model::Workbook&, uint16_t) { unavailable(); }
uint16_t column_width_units(const model::Workbook&, double) { unavailable(); }

}  // namespace tabrel::xl
