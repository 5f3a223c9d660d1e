// Chooses the section for a value, renders it, then fits the result into the cell's width:
// General gives up decimals and then mantissa digits, other numbers and dates become "#"
// across the cell, and a fill takes up the free width.

#include "spreadsheet/numfmt/render.h"

#include <cmath>
#include <utility>

#include "spreadsheet/numfmt/dbnum.h"
#include "spreadsheet/numfmt/general_form.h"
#include "spreadsheet/numfmt/section_render.h"

namespace tabrel::numfmt {

namespace {

const Section& general_section() {
  static const Section s = [] {
    Section g;
    g.elements.push_back(Element{ElementKind::General});
    return g;
  }();
  return s;
}

RenderResult plain(std::u16string text) {
  RenderResult r;
  r.text = std::move(text);
  return r;
}

struct Choice {
  const Section* section = nullptr;  // null: no section applies, shown as overflow
  bool minus = false;
};

// A section chosen by a condition for negative numbers ([<0], [<=-25]) shows them without
// their sign, as the second section of a plain code does.
bool shows_sign(const Section& s, double x) {
  if (x >= 0) return false;
  const auto& c = s.condition;
  return !(c && (c->op == Condition::Op::Lt || c->op == Condition::Op::Le) && c->value <= 0);
}

Choice choose_section(const Format& f, double x) {
  const auto& sec = f.sections();
  const size_t n = f.number_sections();
  if (n == 0) return {&general_section(), x < 0};
  const bool conditional = sec[0].condition || (n > 1 && sec[1].condition);
  if (!conditional) {
    if (n == 1 || x > 0 || (x == 0 && n == 2)) return {&sec[0], x < 0};
    if (x < 0) return {&sec[1], false};
    return {&sec[2], false};
  }
  if (sec[0].condition && sec[0].condition->holds(x)) return {&sec[0], shows_sign(sec[0], x)};
  if (n > 1 && sec[1].condition && sec[1].condition->holds(x)) return {&sec[1], shows_sign(sec[1], x)};
  if (n > 2) return {&sec[2], x < 0};
  if (n == 2 && !sec[1].condition) return {&sec[1], x < 0};
  if (!sec[0].condition) return {&sec[0], x < 0};
  return {};
}

// Renders a number, whose decimal form is `magnitude` without the sign, with the chosen
// section; `budget` limits a General number.
RenderResult render_number_value(const Choice& c, double x, const DecimalForm& magnitude, const RenderOptions& o,
                                 int budget, bool& shown) {
  Output out;
  const Section& s = *c.section;
  shown = true;
  if (s.kind == SectionKind::Empty) return std::move(out.result());
  if (c.minus && s.kind != SectionKind::DateTime) out.append(u'-');
  switch (s.kind) {
    case SectionKind::General: shown = render_general(s, magnitude, budget, out); break;
    case SectionKind::Number: render_number(s, magnitude, out); break;
    case SectionKind::Scientific: render_scientific(s, magnitude, out); break;
    case SectionKind::Fraction: render_fraction(s, std::fabs(x), out); break;
    case SectionKind::DateTime: shown = render_date(s, x, o.date_system, out); break;
    default: break;
  }
  RenderResult& r = out.result();
  if (s.dbnum != 0 && s.kind != SectionKind::General) r.text = dbnum_digits(r.text, s.dbnum);
  r.color = s.color;
  return std::move(r);
}

double width_of(const RenderResult& r, const RenderOptions& o) {
  return r.spacers.empty() ? o.measure(r.text) : o.measure(measured_text(r));
}

RenderResult overflow(const RenderOptions& o, std::optional<int> color) {
  RenderResult r;
  r.overflow = true;
  r.color = color;
  if (o.width_px > 0 && o.measure) {
    double hash = o.measure(u"#");
    long count = hash > 0 ? static_cast<long>(std::floor(o.width_px / hash)) : 0;
    r.text.assign(static_cast<size_t>(std::max(count, 0L)), u'#');
  } else {
    r.text.assign(1, u'#');
  }
  return r;
}

// Repeats the fill character across the free width of the cell.
void expand_fill(RenderResult& r, const RenderOptions& o) {
  if (!r.fill || r.fill->fill.empty()) return;
  const FillHint hint = *r.fill;
  r.fill.reset();
  double free = o.width_px - width_of(r, o);
  double each = o.measure(hint.fill);
  if (each <= 0 || free < each) return;
  size_t times = static_cast<size_t>(std::floor(free / each));
  std::u16string run;
  for (size_t i = 0; i < times; ++i) run += hint.fill;
  r.text.insert(hint.position, run);
  for (SpacerHint& sp : r.spacers)
    if (sp.position >= hint.position) sp.position += run.size();
}

RenderResult render_number_in_cell(const Format& f, double x, const RenderOptions& o) {
  if (!std::isfinite(x)) return overflow(o, std::nullopt);
  const Choice c = choose_section(f, x);
  if (!c.section) return overflow(o, std::nullopt);
  const bool fitting = o.width_px > 0 && static_cast<bool>(o.measure);
  const DecimalForm magnitude = decimal_form(std::fabs(x));
  bool shown = true;
  if (c.section->kind == SectionKind::General && fitting) {
    for (int budget = kGeneralWidth; budget >= 1; --budget) {
      RenderResult r = render_number_value(c, x, magnitude, o, budget, shown);
      if (shown && width_of(r, o) <= o.width_px) {
        expand_fill(r, o);
        return r;
      }
    }
    return overflow(o, c.section->color);
  }
  RenderResult r = render_number_value(c, x, magnitude, o, kGeneralWidth, shown);
  if (!shown) return overflow(o, r.color);
  if (fitting) {
    if (width_of(r, o) > o.width_px) return overflow(o, r.color);
    expand_fill(r, o);
  }
  return r;
}

RenderResult render_text_value(const Format& f, std::u16string text, const RenderOptions& o) {
  if (!f.text_section()) return plain(std::move(text));
  Output out;
  const Section& s = f.sections()[*f.text_section()];
  render_text(s, text, out);
  RenderResult& r = out.result();
  r.color = s.color;
  if (o.width_px > 0 && o.measure) expand_fill(r, o);
  return std::move(r);
}

}  // namespace

RenderResult render(const Format& format, CellValue value, const RenderOptions& options) {
  return std::visit(
      [&](auto& v) -> RenderResult {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) return {};
        else if constexpr (std::is_same_v<T, bool>) return plain(v ? u"TRUE" : u"FALSE");
        else if constexpr (std::is_same_v<T, CellError>) return plain(cell_error_text(v));
        else if constexpr (std::is_same_v<T, std::u16string>) return render_text_value(format, std::move(v), options);
        else return render_number_in_cell(format, v, options);
      },
      value.value);
}

std::u16string measured_text(const RenderResult& r) {
  std::u16string text = r.text;
  for (const SpacerHint& s : r.spacers)
    if (s.position < text.size()) text[s.position] = s.width_of;
  return text;
}

}  // namespace tabrel::numfmt
