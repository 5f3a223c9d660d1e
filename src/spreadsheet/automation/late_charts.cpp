// Late-bound members of the chart objects, for macros: chart objects on a worksheet, the active
// chart, and each chart's title, legend, axes, series, points and data labels.

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/chart_area.h"
#include "spreadsheet/automation/chart_axes.h"
#include "spreadsheet/automation/chart_objects.h"
#include "spreadsheet/automation/chart_parts.h"
#include "spreadsheet/automation/chart_series.h"
#include "spreadsheet/automation/chart_sheets.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/late_table.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/worksheet.h"

namespace tabrel::xl::late {
namespace {

const Range& range_argument(const Variant& v) {
  const auto range = v.is_object() ? std::dynamic_pointer_cast<Range>(v.object()) : nullptr;
  if (!range) raise(Fault::TypeMismatch);
  return *range;
}

int int_or(const Variant& v, int fallback) { return omitted(v) ? fallback : v.to_long(); }

void define_chart_objects(Tables& tables) {
  Def<Application>(tables)
      .get(u"ActiveChart", {}, [](Application& a, const Args&) { return object(a.ActiveChart()); })
      .get(u"Charts", {u"Index"}, [](Application& a, const Args& x) {
        return omitted(x[0]) ? object(a.Charts()) : object(a.Charts()->Item(x[0]));
      });
  Def<Workbook>(tables).get(u"Charts", {u"Index"}, [](Workbook& w, const Args& x) {
    return omitted(x[0]) ? object(w.Charts()) : object(w.Charts()->Item(x[0]));
  });
  Def<Charts>(tables)
      .get(u"Count", {}, [](Charts& c, const Args&) { return Variant(c.Count()); })
      .get(u"Item", {u"Index"}, [](Charts& c, const Args& x) { return object(c.Item(x[0])); })
      .get(u"Add", {u"Before", u"After", u"Count"}, [](Charts& c, const Args& x) { return object(c.Add(x[0], x[1])); });
  Def<Worksheet>(tables).get(u"ChartObjects", {u"Index"}, [](Worksheet& w, const Args& x) {
    return omitted(x[0]) ? object(w.ChartObjects()) : object(w.ChartObjects()->Item(x[0]));
  });
  Def<ChartObjects>(tables)
      .get(u"Count", {}, [](ChartObjects& c, const Args&) { return Variant(c.Count()); })
      .get(u"Item", {u"Index"}, [](ChartObjects& c, const Args& x) { return object(c.Item(x[0])); })
      .get(u"Add", {u"Left", u"Top", u"Width", u"Height"}, [](ChartObjects& c, const Args& x) {
        return object(c.Add(x[0].to_double(), x[1].to_double(), x[2].to_double(), x[3].to_double()));
      });
  Def<ChartObject>(tables)
      .prop(u"Name", [](ChartObject& c) { return Variant(c.Name()); },
            [](ChartObject& c, const Variant& v) { c.SetName(v.to_string()); })
      .prop(u"Left", [](ChartObject& c) { return Variant(c.Left()); },
            [](ChartObject& c, const Variant& v) { c.SetLeft(v.to_double()); })
      .prop(u"Top", [](ChartObject& c) { return Variant(c.Top()); },
            [](ChartObject& c, const Variant& v) { c.SetTop(v.to_double()); })
      .prop(u"Width", [](ChartObject& c) { return Variant(c.Width()); },
            [](ChartObject& c, const Variant& v) { c.SetWidth(v.to_double()); })
      .prop(u"Height", [](ChartObject& c) { return Variant(c.Height()); },
            [](ChartObject& c, const Variant& v) { c.SetHeight(v.to_double()); })
      .prop(u"Shadow", [](ChartObject& c) { return Variant(c.Shadow()); },
            [](ChartObject& c, const Variant& v) { c.SetShadow(v.to_bool()); })
      .get(u"RoundedCorners", {}, [](ChartObject& c, const Args&) { return Variant(c.RoundedCorners()); })
      .get(u"Chart", {}, [](ChartObject& c, const Args&) { return object(c.Chart()); })
      .act(u"Activate", {}, [](ChartObject& c, const Args&) { c.Activate(); })
      .act(u"Select", {u"Replace"}, [](ChartObject& c, const Args&) { c.Activate(); })
      .act(u"Delete", {}, [](ChartObject& c, const Args&) { c.Delete(); });
}

void define_chart(Tables& tables) {
  Def<Chart>(tables)
      .prop(u"ChartType", [](Chart& c) { return Variant(c.ChartType()); },
            [](Chart& c, const Variant& v) { c.SetChartType(v.to_long()); })
      .prop(u"HasTitle", [](Chart& c) { return Variant(c.HasTitle()); },
            [](Chart& c, const Variant& v) { c.SetHasTitle(v.to_bool()); })
      .get(u"ChartTitle", {}, [](Chart& c, const Args&) { return object(c.ChartTitle()); })
      .prop(u"HasLegend", [](Chart& c) { return Variant(c.HasLegend()); },
            [](Chart& c, const Variant& v) { c.SetHasLegend(v.to_bool()); })
      .get(u"Legend", {}, [](Chart& c, const Args&) { return object(c.Legend()); })
      .get(u"HasDataTable", {}, [](Chart& c, const Args&) { return Variant(c.HasDataTable()); })
      .get(u"PlotArea", {}, [](Chart& c, const Args&) { return object(c.PlotArea()); })
      .get(u"ChartArea", {}, [](Chart& c, const Args&) { return object(c.ChartArea()); })
      .get(u"Walls", {}, [](Chart& c, const Args&) { return object(c.Walls()); })
      .get(u"SeriesCollection", {u"Index"}, [](Chart& c, const Args& x) {
        return omitted(x[0]) ? object(c.SeriesCollection()) : object(c.SeriesCollection(x[0]));
      })
      .get(u"Axes", {u"Type", u"AxisGroup"},
           [](Chart& c, const Args& x) { return object(c.Axes(x[0].to_long(), int_or(x[1], 1))); })
      .act(u"SetSourceData", {u"Source", u"PlotBy"},
           [](Chart& c, const Args& x) { c.SetSourceData(range_argument(x[0]), int_or(x[1], 0)); })
      .act(u"ChartWizard",
           {u"Source", u"Gallery", u"Format", u"PlotBy", u"CategoryLabels", u"SeriesLabels", u"HasLegend", u"Title",
            u"CategoryTitle", u"ValueTitle", u"ExtraTitle"},
           [](Chart& c, const Args& x) {
             c.ChartWizard(omitted(x[0]) ? nullptr : &range_argument(x[0]), x[1], x[3], x[6], x[7], x[8], x[9]);
           })
      .act(u"ApplyDataLabels", {u"Type"}, [](Chart& c, const Args&) { c.ApplyDataLabels(); })
      .get(u"Location", {u"Where", u"Name"}, [](Chart& c, const Args& x) {
        return object(c.Location(x[0].to_long(), omitted(x[1]) ? std::u16string() : x[1].to_string()));
      });
  Def<ChartArea>(tables)
      .get(u"Name", {}, [](ChartArea& a, const Args&) { return Variant(a.Name()); })
      .prop(u"AutoScaleFont", [](ChartArea& a) { return Variant(a.AutoScaleFont()); },
            [](ChartArea& a, const Variant& v) { a.SetAutoScaleFont(v.to_bool()); })
      .prop(u"Shadow", [](ChartArea& a) { return Variant(a.Shadow()); },
            [](ChartArea& a, const Variant& v) { a.SetShadow(v.to_bool()); })
      .get(u"Interior", {}, [](ChartArea& a, const Args&) { return object(a.Interior()); })
      .get(u"Border", {}, [](ChartArea& a, const Args&) { return object(a.Border()); });
  Def<PlotArea>(tables)
      .get(u"Interior", {}, [](PlotArea& a, const Args&) { return object(a.Interior()); })
      .get(u"Border", {}, [](PlotArea& a, const Args&) { return object(a.Border()); });
  Def<ChartColor>(tables)
      .prop(u"ColorIndex", [](ChartColor& c) { return Variant(c.ColorIndex()); },
            [](ChartColor& c, const Variant& v) { c.SetColorIndex(v.to_long()); })
      .set(u"Color", [](ChartColor& c, const Variant& v) { c.SetColor(static_cast<int64_t>(v.to_double())); });
  Def<ChartTitle>(tables)
      .prop(u"Text", [](ChartTitle& t) { return Variant(t.Text()); },
            [](ChartTitle& t, const Variant& v) { t.SetText(v.to_string()); })
      .prop(u"Caption", [](ChartTitle& t) { return Variant(t.Caption()); },
            [](ChartTitle& t, const Variant& v) { t.SetCaption(v.to_string()); })
      .get(u"Characters", {u"Start", u"Length"}, [](ChartTitle& t, const Args&) { return object(t.Characters()); })
      .get(u"Orientation", {}, [](ChartTitle& t, const Args&) { return Variant(t.Orientation()); });
  Def<TitleCharacters>(tables).prop(u"Text", [](TitleCharacters& c) { return Variant(c.Text()); },
                                    [](TitleCharacters& c, const Variant& v) { c.SetText(v.to_string()); });
  Def<Legend>(tables).prop(u"Position", [](Legend& l) { return Variant(l.Position()); },
                           [](Legend& l, const Variant& v) { l.SetPosition(v.to_long()); });
  Def<Axis>(tables)
      .prop(u"HasTitle", [](Axis& a) { return Variant(a.HasTitle()); },
            [](Axis& a, const Variant& v) { a.SetHasTitle(v.to_bool()); })
      .get(u"AxisTitle", {}, [](Axis& a, const Args&) { return object(a.AxisTitle()); })
      .prop(u"MinimumScale", [](Axis& a) { return Variant(a.MinimumScale()); },
            [](Axis& a, const Variant& v) { a.SetMinimumScale(v.to_double()); })
      .prop(u"MaximumScale", [](Axis& a) { return Variant(a.MaximumScale()); },
            [](Axis& a, const Variant& v) { a.SetMaximumScale(v.to_double()); })
      .prop(u"MajorUnit", [](Axis& a) { return Variant(a.MajorUnit()); },
            [](Axis& a, const Variant& v) { a.SetMajorUnit(v.to_double()); })
      .prop(u"MinorUnit", [](Axis& a) { return Variant(a.MinorUnit()); },
            [](Axis& a, const Variant& v) { a.SetMinorUnit(v.to_double()); })
      .prop(u"MinimumScaleIsAuto", [](Axis& a) { return Variant(a.MinimumScaleIsAuto()); },
            [](Axis& a, const Variant& v) { a.SetMinimumScaleIsAuto(v.to_bool()); })
      .prop(u"MaximumScaleIsAuto", [](Axis& a) { return Variant(a.MaximumScaleIsAuto()); },
            [](Axis& a, const Variant& v) { a.SetMaximumScaleIsAuto(v.to_bool()); })
      .prop(u"MajorUnitIsAuto", [](Axis& a) { return Variant(a.MajorUnitIsAuto()); },
            [](Axis& a, const Variant& v) { a.SetMajorUnitIsAuto(v.to_bool()); })
      .prop(u"MinorUnitIsAuto", [](Axis& a) { return Variant(a.MinorUnitIsAuto()); },
            [](Axis& a, const Variant& v) { a.SetMinorUnitIsAuto(v.to_bool()); })
      .prop(u"HasMajorGridlines", [](Axis& a) { return Variant(a.HasMajorGridlines()); },
            [](Axis& a, const Variant& v) { a.SetHasMajorGridlines(v.to_bool()); })
      .prop(u"HasMinorGridlines", [](Axis& a) { return Variant(a.HasMinorGridlines()); },
            [](Axis& a, const Variant& v) { a.SetHasMinorGridlines(v.to_bool()); });
}

void define_series(Tables& tables) {
  Def<SeriesCollection>(tables)
      .get(u"Count", {}, [](SeriesCollection& s, const Args&) { return Variant(s.Count()); })
      .get(u"Item", {u"Index"}, [](SeriesCollection& s, const Args& x) { return object(s.Item(x[0])); })
      .get(u"NewSeries", {}, [](SeriesCollection& s, const Args&) { return object(s.NewSeries()); });
  Def<Series>(tables)
      .prop(u"Name", [](Series& s) { return Variant(s.Name()); }, [](Series& s, const Variant& v) { s.SetName(v); })
      .prop(u"Values", [](Series& s) { return s.Values(); }, [](Series& s, const Variant& v) { s.SetValues(v); })
      .prop(u"XValues", [](Series& s) { return s.XValues(); }, [](Series& s, const Variant& v) { s.SetXValues(v); })
      .get(u"Formula", {}, [](Series& s, const Args&) { return Variant(s.Formula()); })
      .get(u"FormulaR1C1", {}, [](Series& s, const Args&) { return Variant(s.FormulaR1C1()); })
      .get(u"PlotOrder", {}, [](Series& s, const Args&) { return Variant(s.PlotOrder()); })
      .prop(u"AxisGroup", [](Series& s) { return Variant(s.AxisGroup()); },
            [](Series& s, const Variant& v) { s.SetAxisGroup(v.to_long()); })
      .prop(u"ChartType", [](Series& s) { return Variant(s.ChartType()); },
            [](Series& s, const Variant& v) { s.SetChartType(v.to_long()); })
      .prop(u"Smooth", [](Series& s) { return Variant(s.Smooth()); },
            [](Series& s, const Variant& v) { s.SetSmooth(v.to_bool()); })
      .prop(u"HasDataLabels", [](Series& s) { return Variant(s.HasDataLabels()); },
            [](Series& s, const Variant& v) { s.SetHasDataLabels(v.to_bool()); })
      .act(u"ApplyDataLabels", {u"Type"}, [](Series& s, const Args&) { s.ApplyDataLabels(); })
      .act(u"Delete", {}, [](Series& s, const Args&) { s.Delete(); })
      .get(u"Border", {}, [](Series& s, const Args&) { return object(s.Border()); })
      .get(u"Interior", {}, [](Series& s, const Args&) { return object(s.Interior()); })
      .prop(u"MarkerStyle", [](Series& s) { return Variant(s.MarkerStyle()); },
            [](Series& s, const Variant& v) { s.SetMarkerStyle(v.to_long()); })
      .get(u"Points", {u"Index"}, [](Series& s, const Args& x) { return object(s.Points(x[0].to_long())); });
  Def<Point>(tables)
      .prop(u"HasDataLabel", [](Point& p) { return Variant(p.HasDataLabel()); },
            [](Point& p, const Variant& v) { p.SetHasDataLabel(v.to_bool()); })
      .act(u"ApplyDataLabels", {u"Type"}, [](Point& p, const Args&) { p.ApplyDataLabels(); })
      .get(u"DataLabel", {}, [](Point& p, const Args&) { return object(p.DataLabel()); })
      .get(u"Border", {}, [](Point& p, const Args&) { return object(p.Border()); })
      .get(u"Interior", {}, [](Point& p, const Args&) { return object(p.Interior()); });
  Def<DataLabel>(tables)
      .get(u"Text", {}, [](DataLabel& d, const Args&) { return Variant(d.Text()); })
      .get(u"Caption", {}, [](DataLabel& d, const Args&) { return Variant(d.Caption()); })
      .prop(u"ShowValue", [](DataLabel& d) { return Variant(d.ShowValue()); },
            [](DataLabel& d, const Variant& v) { d.SetShowValue(v.to_bool()); })
      .prop(u"ShowCategoryName", [](DataLabel& d) { return Variant(d.ShowCategoryName()); },
            [](DataLabel& d, const Variant& v) { d.SetShowCategoryName(v.to_bool()); })
      .prop(u"ShowPercentage", [](DataLabel& d) { return Variant(d.ShowPercentage()); },
            [](DataLabel& d, const Variant& v) { d.SetShowPercentage(v.to_bool()); })
      .prop(u"ShowSeriesName", [](DataLabel& d) { return Variant(d.ShowSeriesName()); },
            [](DataLabel& d, const Variant& v) { d.SetShowSeriesName(v.to_bool()); })
      .prop(u"Separator", [](DataLabel& d) { return Variant(d.Separator()); },
            [](DataLabel& d, const Variant& v) { d.SetSeparator(v.to_string()); });
}

}  // namespace

void define_charts(Tables& tables) {
  define_chart_objects(tables);
  define_chart(tables);
  define_series(tables);
}

}  // namespace tabrel::xl::late
