#pragma once
// Renderers of the section kinds; render.cpp chooses the section and calls one of them.

#include <string_view>

#include "spreadsheet/core/date_serial.h"
#include "spreadsheet/numfmt/decimal_form.h"
#include "spreadsheet/numfmt/format.h"
#include "spreadsheet/numfmt/output.h"

namespace tabrel::numfmt {

// `magnitude` is the absolute value; the caller has written any minus sign.
void render_number(const Section& s, const DecimalForm& magnitude, Output& out);
void render_scientific(const Section& s, const DecimalForm& magnitude, Output& out);
void render_fraction(const Section& s, double magnitude, Output& out);
// `budget` is the most characters General may use for the number, sign left out; false when
// the number cannot be written in so few.
bool render_general(const Section& s, const DecimalForm& magnitude, int budget, Output& out);
// False when the serial is no date the system can show (negative or after 9999).
bool render_date(const Section& s, double serial, DateSystem system, Output& out);
void render_text(const Section& s, std::u16string_view text, Output& out);

}  // namespace tabrel::numfmt
