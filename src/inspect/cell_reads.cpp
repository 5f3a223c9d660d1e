#include "inspect/cell_reads.h"

#include "inspect/compare.h"
#include "runtime/error_resume.h"
#include "runtime/strings.h"
#include "spreadsheet/automation/font.h"

namespace tabrel::inspect {

std::u16string displayed(xl::Range& cell) { return text_of(cell.Text()); }

std::u16string formula_r1c1(xl::Range& cell) { return text_of(cell.FormulaR1C1()); }

std::u16string with_total_joined(std::u16string_view text) { return rt::Replace(text, u"총 합계", u"총합계"); }

std::u16string without_spaces(std::u16string_view text) { return rt::Replace(text, u" ", u""); }

bool lists_despite_bold(const VisitedCell& cell, bool skipBoldAnswer) {
  return rt::met([&] {
    const Variant bold = deref(cell.answer()->Font()).Bold();
    return !skipBoldAnswer || equals(bold, Variant(false)).value_or(false);
  });
}

}  // namespace tabrel::inspect
