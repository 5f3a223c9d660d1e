// Late-bound members of fonts, fills, borders and conditional formats.

#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/borders.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/format_conditions.h"
#include "spreadsheet/automation/interior.h"
#include "spreadsheet/automation/late_table.h"

namespace tabrel::xl::late {
namespace {

template <class T>
void rw(Def<T>& def, std::u16string_view name, Variant (T::*getter)() const, void (T::*setter)(const Variant&)) {
  def.prop(name, [getter](T& t) { return (t.*getter)(); }, [setter](T& t, const Variant& v) { (t.*setter)(v); });
}

void define_font(Tables& tables) {
  Def<Font> d(tables);
  rw(d, u"Name", &Font::Name, &Font::SetName);
  rw(d, u"Size", &Font::Size, &Font::SetSize);
  rw(d, u"Bold", &Font::Bold, &Font::SetBold);
  rw(d, u"Italic", &Font::Italic, &Font::SetItalic);
  rw(d, u"Strikethrough", &Font::Strikethrough, &Font::SetStrikethrough);
  rw(d, u"Underline", &Font::Underline, &Font::SetUnderline);
  rw(d, u"ColorIndex", &Font::ColorIndex, &Font::SetColorIndex);
  rw(d, u"Color", &Font::Color, &Font::SetColor);
  rw(d, u"FontStyle", &Font::FontStyle, &Font::SetFontStyle);
  rw(d, u"Superscript", &Font::Superscript, &Font::SetSuperscript);
  rw(d, u"Subscript", &Font::Subscript, &Font::SetSubscript);
  rw(d, u"OutlineFont", &Font::OutlineFont, &Font::SetOutlineFont);
  rw(d, u"Shadow", &Font::Shadow, &Font::SetShadow);
  rw(d, u"TintAndShade", &Font::TintAndShade, &Font::SetTintAndShade);
  d.set(u"ThemeColor", [](Font& f, const Variant& v) { f.SetThemeColor(v); });
  // The file keeps font names, not theme fonts: the body and heading fonts of the default theme
  // are written by name, and ThemeFont reads xlThemeFontNone.
  d.prop(u"ThemeFont", [](Font& f) {
          f.Name();
          return Variant(0);
        },
        [](Font& f, const Variant& v) {
          const int theme_font = v.to_long();
          if (theme_font < 0 || theme_font > 2) raise(Fault::MethodFailed);
          if (theme_font != 0) f.SetName(Variant(u"맑은 고딕"));
        });
}

void define_interior(Tables& tables) {
  Def<Interior> d(tables);
  rw(d, u"ColorIndex", &Interior::ColorIndex, &Interior::SetColorIndex);
  rw(d, u"Color", &Interior::Color, &Interior::SetColor);
  rw(d, u"Pattern", &Interior::Pattern, &Interior::SetPattern);
  rw(d, u"PatternColorIndex", &Interior::PatternColorIndex, &Interior::SetPatternColorIndex);
  rw(d, u"TintAndShade", &Interior::TintAndShade, &Interior::SetTintAndShade);
  d.set(u"ThemeColor", [](Interior& i, const Variant& v) { i.SetThemeColor(v); });
  // Pattern lines keep palette colours only: a tint of 0 is all the file can hold.
  d.prop(u"PatternTintAndShade", [](Interior&) { return Variant(0.0); },
         [](Interior&, const Variant& v) {
           if (v.to_double() != 0) raise(Fault::MethodFailed);
         });
}

void define_borders(Tables& tables) {
  Def<Borders> d(tables);
  d.get(u"Item", {u"Index"}, [](Borders& b, const Args& x) { return object(b.Item(x[0])); });
  rw(d, u"LineStyle", &Borders::LineStyle, &Borders::SetLineStyle);
  rw(d, u"Weight", &Borders::Weight, &Borders::SetWeight);
  Def<Border> e(tables);
  rw(e, u"LineStyle", &Border::LineStyle, &Border::SetLineStyle);
  rw(e, u"Weight", &Border::Weight, &Border::SetWeight);
  rw(e, u"ColorIndex", &Border::ColorIndex, &Border::SetColorIndex);
  // Newer recorders write a tint of 0 with every line; lines keep palette colours only.
  e.prop(u"TintAndShade", [](Border& b) {
           b.LineStyle();
           return Variant(0.0);
         },
         [](Border&, const Variant& v) {
           if (v.to_double() != 0) raise(Fault::NoSuchMember);
         });
}

void define_conditions(Tables& tables) {
  Def<FormatConditions>(tables)
      .get(u"Count", {}, [](FormatConditions& c, const Args&) { return Variant(c.Count()); })
      .get(u"Item", {u"Index"}, [](FormatConditions& c, const Args& x) { return object(c.Item(x[0])); })
      .get(u"Add", {u"Type", u"Operator", u"Formula1", u"Formula2"},
           [](FormatConditions& c, const Args& x) { return object(c.Add(x[0], x[1], x[2], x[3])); })
      .act(u"Delete", {}, [](FormatConditions& c, const Args&) { c.Delete(); });
  Def<FormatCondition>(tables)
      .get(u"Type", {}, [](FormatCondition& c, const Args&) { return Variant(c.Type()); })
      .get(u"Operator", {}, [](FormatCondition& c, const Args&) { return Variant(c.Operator()); })
      .get(u"Formula1", {}, [](FormatCondition& c, const Args&) { return Variant(c.Formula1()); })
      .get(u"Formula2", {}, [](FormatCondition& c, const Args&) { return Variant(c.Formula2()); })
      .get(u"Font", {}, [](FormatCondition& c, const Args&) { return object(c.Font()); })
      .get(u"Interior", {}, [](FormatCondition& c, const Args&) { return object(c.Interior()); })
      .act(u"Delete", {}, [](FormatCondition& c, const Args&) { c.Delete(); })
      .act(u"SetFirstPriority", {}, [](FormatCondition& c, const Args&) { c.SetFirstPriority(); })
      .prop(u"StopIfTrue", [](FormatCondition& c) { return Variant(c.StopIfTrue()); },
            [](FormatCondition& c, const Variant& v) {
              c.StopIfTrue();
              (void)v.to_bool();  // a value that is no Boolean still raises
            });
  Def<ConditionFont> f(tables);
  rw(f, u"Bold", &ConditionFont::Bold, &ConditionFont::SetBold);
  rw(f, u"Italic", &ConditionFont::Italic, &ConditionFont::SetItalic);
  rw(f, u"Color", &ConditionFont::Color, &ConditionFont::SetColor);
  rw(f, u"ColorIndex", &ConditionFont::ColorIndex, &ConditionFont::SetColorIndex);
  Def<ConditionInterior> i(tables);
  rw(i, u"ColorIndex", &ConditionInterior::ColorIndex, &ConditionInterior::SetColorIndex);
  rw(i, u"Color", &ConditionInterior::Color, &ConditionInterior::SetColor);
}

}  // namespace

void define_formats(Tables& tables) {
  define_font(tables);
  define_interior(tables);
  define_borders(tables);
  define_conditions(tables);
}

}  // namespace tabrel::xl::late
