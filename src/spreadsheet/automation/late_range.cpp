// Late-bound members of Range.

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/auto_format.h"
#include "spreadsheet/automation/autofilter.h"
#include "spreadsheet/automation/borders.h"
#include "spreadsheet/automation/comment.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/format_conditions.h"
#include "spreadsheet/automation/interior.h"
#include "spreadsheet/automation/late_table.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/sort.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/worksheet.h"

namespace tabrel::xl::late {
namespace {

using R = Range;

// A read-write property of Range given by its getter and setter members.
void rw(Def<R>& def, std::u16string_view name, Variant (R::*getter)() const, void (R::*setter)(const Variant&)) {
  def.prop(name, [getter](R& r) { return (r.*getter)(); }, [setter](R& r, const Variant& v) { (r.*setter)(v); });
}

// Range.Sort Key1, Order1, Key2, Type, Order2, Key3, Order3, Header, ..., MatchCase, Orientation.
void sort_range(R& r, const Args& x) {
  const bool by_columns = !omitted(x[10]) && x[10].to_long() == 2;
  std::vector<SortKey> keys;
  for (const auto& [key, order] : {std::pair{0, 1}, std::pair{2, 4}, std::pair{5, 6}}) {
    const Variant& k = x[static_cast<size_t>(key)];
    if (omitted(k)) continue;
    std::shared_ptr<Range> cell = k.is_string() ? r.Worksheet()->Range(k) : nullptr;
    if (!cell && k.is_object()) cell = std::dynamic_pointer_cast<Range>(k.object());
    if (!cell) raise(Fault::MethodFailed);
    const Variant& o = x[static_cast<size_t>(order)];
    const int direction = omitted(o) ? 1 : o.to_long();
    if (direction != 1 && direction != 2) raise(Fault::MethodFailed);
    keys.push_back(SortKey{by_columns ? cell->area().first.row : cell->area().first.col, direction == 2});
  }
  sort_cells(r.sheet(), r.area(), keys, sort_header(x[7]), !omitted(x[9]) && x[9].to_bool(), by_columns);
}

void define_position(Def<R>& d) {
  d.get(u"Application", {}, [](R& r, const Args&) { return object(r.Application()); })
      .get(u"Worksheet", {}, [](R& r, const Args&) { return object(r.Worksheet()); })
      .get(u"Parent", {}, [](R& r, const Args&) { return object(r.Parent()); })
      .get(u"Address", {u"RowAbsolute", u"ColumnAbsolute"}, [](R& r, const Args& x) {
        return Variant(r.Address(omitted(x[0]) || x[0].to_bool(), omitted(x[1]) || x[1].to_bool()));
      })
      .get(u"Row", {}, [](R& r, const Args&) { return Variant(r.Row()); })
      .get(u"Column", {}, [](R& r, const Args&) { return Variant(r.Column()); })
      .get(u"Count", {}, [](R& r, const Args&) { return Variant(r.Count()); })
      .get(u"Cells", {u"RowIndex", u"ColumnIndex"}, [](R& r, const Args& x) {
        return omitted(x[0]) ? object(r.Cells()) : object(r.Cells(x[0], x[1]));
      })
      .get(u"Item", {u"RowIndex", u"ColumnIndex"}, [](R& r, const Args& x) { return object(r.Item(x[0], x[1])); })
      .get(u"Range", {u"Cell1", u"Cell2"}, [](R& r, const Args& x) {
        // Relative to the range's first cell, as the spreadsheet reads it.
        auto local = r.Worksheet()->Range(x[0], x[1]);
        const auto& a = local->area();
        return object(r.Offset(a.first.row, a.first.col)->Resize(Variant(a.rows()), Variant(a.cols())));
      })
      .get(u"Rows", {u"RowIndex"}, [](R& r, const Args& x) {
        return omitted(x[0]) ? object(r.Rows()) : object(r.Rows()->Item(x[0]));
      })
      .get(u"Columns", {u"ColumnIndex"}, [](R& r, const Args& x) {
        return omitted(x[0]) ? object(r.Columns()) : object(r.Columns()->Item(x[0]));
      })
      .get(u"EntireRow", {}, [](R& r, const Args&) { return object(r.EntireRow()); })
      .get(u"EntireColumn", {}, [](R& r, const Args&) { return object(r.EntireColumn()); })
      .get(u"Offset", {u"RowOffset", u"ColumnOffset"}, [](R& r, const Args& x) {
        return object(r.Offset(omitted(x[0]) ? 0 : x[0].to_long(), omitted(x[1]) ? 0 : x[1].to_long()));
      })
      .get(u"Resize", {u"RowSize", u"ColumnSize"}, [](R& r, const Args& x) { return object(r.Resize(x[0], x[1])); })
      .get(u"MergeArea", {}, [](R& r, const Args&) { return object(r.MergeArea()); })
      .get(u"End", {u"Direction"}, [](R& r, const Args& x) { return object(r.End(x[0])); })
      .get(u"CurrentRegion", {}, [](R& r, const Args&) { return object(r.CurrentRegion()); })
      .act(u"Select", {}, [](R& r, const Args&) { r.Select(); })
      .act(u"Activate", {}, [](R& r, const Args&) { r.Activate(); });
}

void define_values(Def<R>& d) {
  d.prop(u"Value", [](R& r) { return r.Value(); }, [](R& r, const Variant& v) { r.SetValue(v); })
      .prop(u"Value2", [](R& r) { return r.Value2(); }, [](R& r, const Variant& v) { r.SetValue(v); })
      .get(u"Text", {}, [](R& r, const Args&) { return r.Text(); })
      .get(u"HasFormula", {}, [](R& r, const Args&) { return r.HasFormula(); });
  rw(d, u"Formula", &R::Formula, &R::SetFormula);
  rw(d, u"FormulaR1C1", &R::FormulaR1C1, &R::SetFormulaR1C1);
  rw(d, u"FormulaLocal", &R::Formula, &R::SetFormula);
  rw(d, u"FormulaR1C1Local", &R::FormulaR1C1, &R::SetFormulaR1C1);
}

void define_cell_formats(Def<R>& d) {
  d.get(u"Font", {}, [](R& r, const Args&) { return object(r.Font()); })
      .get(u"Interior", {}, [](R& r, const Args&) { return object(r.Interior()); })
      .get(u"Borders", {u"Index"}, [](R& r, const Args& x) {
        return omitted(x[0]) ? object(r.Borders()) : object(r.Borders(x[0]));
      })
      .get(u"FormatConditions", {}, [](R& r, const Args&) { return object(r.FormatConditions()); })
      .get(u"Comment", {}, [](R& r, const Args&) {
        auto c = r.Comment();
        return c ? object(c) : Variant(std::shared_ptr<Dispatch>());
      });
  rw(d, u"NumberFormat", &R::NumberFormat, &R::SetNumberFormat);
  rw(d, u"NumberFormatLocal", &R::NumberFormatLocal, &R::SetNumberFormatLocal);
  rw(d, u"Style", &R::Style, &R::SetStyle);
  rw(d, u"HorizontalAlignment", &R::HorizontalAlignment, &R::SetHorizontalAlignment);
  rw(d, u"VerticalAlignment", &R::VerticalAlignment, &R::SetVerticalAlignment);
  rw(d, u"WrapText", &R::WrapText, &R::SetWrapText);
  rw(d, u"Orientation", &R::Orientation, &R::SetOrientation);
  rw(d, u"IndentLevel", &R::IndentLevel, &R::SetIndentLevel);
  rw(d, u"ShrinkToFit", &R::ShrinkToFit, &R::SetShrinkToFit);
  rw(d, u"ReadingOrder", &R::ReadingOrder, &R::SetReadingOrder);
  rw(d, u"AddIndent", &R::AddIndent, &R::SetAddIndent);
  rw(d, u"MergeCells", &R::MergeCells, &R::SetMergeCells);
  rw(d, u"ColumnWidth", &R::ColumnWidth, &R::SetColumnWidth);
  rw(d, u"RowHeight", &R::RowHeight, &R::SetRowHeight);
  rw(d, u"Hidden", &R::Hidden, &R::SetHidden);
  d.get(u"Height", {}, [](R& r, const Args&) { return r.Height(); })
      .act(u"Merge", {u"Across"}, [](R& r, const Args& x) {
        if (!omitted(x[0]) && x[0].to_bool()) {
          // One merged area per row.
          const auto& a = r.area();
          for (int row = 0; row < a.rows(); ++row) r.Offset(row, 0)->Resize(Variant(1), Variant(a.cols()))->Merge();
          return;
        }
        r.Merge();
      })
      .act(u"UnMerge", {}, [](R& r, const Args&) { r.UnMerge(); });
}

void define_edits(Def<R>& d) {
  d.act(u"Copy", {u"Destination"}, [](R& r, const Args& x) { r.Copy(x[0]); })
      .act(u"PasteSpecial", {u"Paste", u"Operation", u"SkipBlanks", u"Transpose"},
           [](R& r, const Args& x) { r.PasteSpecial(x[0]); })
      .act(u"AutoFill", {u"Destination", u"Type"}, [](R& r, const Args& x) { r.AutoFill(x[0], x[1]); })
      .act(u"AutoFormat", {u"Format", u"Number", u"Font", u"Alignment", u"Border", u"Pattern", u"Width"},
           [](R& r, const Args& x) { AutoFormat(r, x); })
      .act(u"ClearContents", {}, [](R& r, const Args&) { r.ClearContents(); })
      .act(u"ClearFormats", {}, [](R& r, const Args&) { r.ClearFormats(); })
      .act(u"ClearOutline", {}, [](R& r, const Args&) { r.ClearOutline(); })
      .act(u"Clear", {}, [](R& r, const Args&) { r.Clear(); })
      .act(u"AutoFit", {}, [](R& r, const Args&) { r.AutoFit(); })
      .act(u"AutoFilter", {u"Field", u"Criteria1", u"Operator", u"Criteria2", u"VisibleDropDown"},
           [](R& r, const Args& x) { r.AutoFilter(x[0], x[1], x[2], x[3]); })
      .get(u"Replace",
           {u"What", u"Replacement", u"LookAt", u"SearchOrder", u"MatchCase", u"MatchByte", u"SearchFormat",
            u"ReplaceFormat"},
           [](R& r, const Args& x) {
             if (omitted(x[0]) || omitted(x[1])) raise(Fault::MethodFailed);
             const bool whole = !omitted(x[2]) && x[2].to_long() == 1;  // xlWhole
             return Variant(r.Replace(x[0].to_string(), x[1].to_string(), whole, !omitted(x[4]) && x[4].to_bool()));
           })
      .act(u"Sort",
           {u"Key1", u"Order1", u"Key2", u"Type", u"Order2", u"Key3", u"Order3", u"Header", u"OrderCustom",
            u"MatchCase", u"Orientation", u"SortMethod", u"DataOption1", u"DataOption2", u"DataOption3"},
           [](R& r, const Args& x) { sort_range(r, x); });
}

// The sheet's filter as macros read it: Worksheet.AutoFilter (Nothing without one),
// AutoFilterMode (False turns it off) and the filter's columns.
void define_filters(Tables& tables) {
  Def<Worksheet>(tables)
      .get(u"AutoFilter", {}, [](Worksheet& w, const Args&) {
        auto filter = w.AutoFilter();
        return filter ? object(filter) : Variant(std::shared_ptr<Dispatch>());
      })
      .prop(u"AutoFilterMode", [](Worksheet& w) { return Variant(w.AutoFilter() != nullptr); },
            [](Worksheet& w, const Variant& v) {
              auto filter = w.AutoFilter();
              if (v.to_bool() && !filter) raise(Fault::MethodFailed);  // only a filter can turn it on
              if (!v.to_bool() && filter) filter->Range()->AutoFilter({}, {}, {}, {});
            });
  Def<AutoFilter>(tables)
      .get(u"Range", {}, [](AutoFilter& f, const Args&) { return object(f.Range()); })
      .get(u"Filters", {u"Index"}, [](AutoFilter& f, const Args& x) {
        return omitted(x[0]) ? object(f.Filters()) : object(f.Filters()->Item(x[0]));
      });
  Def<Filters>(tables)
      .get(u"Count", {}, [](Filters& f, const Args&) { return Variant(f.Count()); })
      .get(u"Item", {u"Index"}, [](Filters& f, const Args& x) { return object(f.Item(x[0])); });
  Def<Filter>(tables)
      .get(u"On", {}, [](Filter& f, const Args&) { return Variant(f.On()); })
      .get(u"Criteria1", {}, [](Filter& f, const Args&) { return f.Criteria1(); })
      .get(u"Criteria2", {}, [](Filter& f, const Args&) { return f.Criteria2(); })
      .get(u"Operator", {}, [](Filter& f, const Args&) { return Variant(f.Operator()); });
}

}  // namespace

void define_range(Tables& tables) {
  Def<R> d(tables);
  define_position(d);
  define_values(d);
  define_cell_formats(d);
  define_edits(d);
  define_filters(tables);
}

}  // namespace tabrel::xl::late
