// The text section and the General section.

#include "spreadsheet/numfmt/dbnum.h"
#include "spreadsheet/numfmt/general_form.h"
#include "spreadsheet/numfmt/section_render.h"

namespace tabrel::numfmt {

void render_text(const Section& s, std::u16string_view text, Output& out) {
  for (const Element& e : s.elements) {
    if (out.common(e)) continue;
    if (e.kind == ElementKind::At) out.append(text);
  }
}

bool render_general(const Section& s, const DecimalForm& magnitude, int budget, Output& out) {
  std::optional<std::string> general = general_text(magnitude, budget);
  if (!general) return false;
  const std::string& digits = *general;
  auto write = [&] {
    if (s.dbnum == 0) {
      out.append_ascii(digits);
      return;
    }
    const bool whole = digits.find_first_not_of("0123456789") == std::string::npos;
    const std::u16string text(digits.begin(), digits.end());
    out.append(whole ? dbnum_positional(digits, s.dbnum) : dbnum_digits(text, s.dbnum));
  };
  bool placed = false;
  for (const Element& e : s.elements) {
    if (out.common(e)) continue;
    if (e.kind == ElementKind::General && !placed) write(), placed = true;
  }
  if (!placed) write();
  return true;
}

}  // namespace tabrel::numfmt
