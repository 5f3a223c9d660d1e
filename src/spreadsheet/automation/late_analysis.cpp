// Late-bound members of pivot tables, scenarios and command bars, as macros reach them.

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/command_bars.h"
#include "spreadsheet/automation/late_table.h"
#include "spreadsheet/automation/pivot_caches.h"
#include "spreadsheet/automation/pivot_tables.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/scenarios.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/worksheet.h"

namespace tabrel::xl::late {

void define_analysis(Tables& tables) {
  Def<Worksheet>(tables).get(u"PivotTables", {u"Index"}, [](Worksheet& w, const Args& x) {
    return omitted(x[0]) ? object(w.PivotTables()) : object(w.PivotTables(x[0]));
  });
  Def<Range>(tables).get(u"PivotField", {}, [](Range& r, const Args&) { return object(r.PivotField()); });
  Def<PivotTables>(tables)
      .get(u"Count", {}, [](PivotTables& p, const Args&) { return Variant(p.Count()); })
      .get(u"Item", {u"Index"}, [](PivotTables& p, const Args& x) { return object(p.Item(x[0])); });
  Def<PivotTable>(tables)
      .get(u"Name", {}, [](PivotTable& p, const Args&) { return Variant(p.Name()); })
      .get(u"TableRange1", {}, [](PivotTable& p, const Args&) { return object(p.TableRange1()); })
      .get(u"PageRangeCells", {}, [](PivotTable& p, const Args&) { return object(p.PageRangeCells()); })
      .get(u"PivotFields", {u"Index"}, [](PivotTable& p, const Args& x) {
        if (omitted(x[0])) raise(Fault::NoSuchMember);
        return object(p.PivotFields(x[0]));
      })
      .get(u"AddDataField", {u"Field", u"Caption", u"Function"}, [](PivotTable& p, const Args& x) {
        const auto field = x[0].is_object() ? std::dynamic_pointer_cast<PivotField>(x[0].object()) : nullptr;
        if (!field) raise(Fault::TypeMismatch);
        return object(p.AddDataField(*field, x[1], x[2]));
      })
      .act(u"AddFields", {u"RowFields", u"ColumnFields", u"PageFields", u"AddToTable"},
           [](PivotTable& p, const Args& x) { p.AddFields(x[0], x[1], x[2], x[3]); });
  Def<Workbook>(tables).get(u"PivotCaches", {}, [](Workbook& w, const Args&) {
    return object(std::make_shared<PivotCaches>(std::make_shared<Workbook>(w.Application(), w.book())));
  });
  Def<PivotCaches>(tables)
      .get(u"Create", {u"SourceType", u"SourceData", u"Version"},
           [](PivotCaches& c, const Args& x) { return object(c.Create(x[0], x[1])); })
      .get(u"Add", {u"SourceType", u"SourceData"}, [](PivotCaches& c, const Args& x) { return object(c.Create(x[0], x[1])); });
  Def<PivotCache>(tables).get(u"CreatePivotTable", {u"TableDestination", u"TableName", u"ReadData", u"DefaultVersion"},
                              [](PivotCache& c, const Args& x) { return object(c.CreatePivotTable(x[0], x[1])); });
  Def<Worksheet>(tables).get(u"PivotTableWizard", {u"SourceType", u"SourceData", u"TableDestination", u"TableName"},
                             [](Worksheet& w, const Args& x) { return object(pivot_table_wizard(w, x[0], x[1], x[2], x[3])); });
  Def<PivotField>(tables)
      .prop(u"Name", [](PivotField& f) { return Variant(f.Name()); }, [](PivotField& f, const Variant& v) { f.SetCaption(v); })
      .prop(u"Caption", [](PivotField& f) { return Variant(f.Caption()); }, [](PivotField& f, const Variant& v) { f.SetCaption(v); })
      .prop(u"Orientation", [](PivotField& f) { return Variant(f.Orientation()); },
            [](PivotField& f, const Variant& v) { f.SetOrientation(v); })
      .prop(u"Position", [](PivotField& f) { return Variant(f.Position()); }, [](PivotField& f, const Variant& v) { f.SetPosition(v); })
      .prop(u"Function", [](PivotField& f) { return Variant(f.Function()); }, [](PivotField& f, const Variant& v) { f.SetFunction(v); })
      .prop(u"NumberFormat", [](PivotField& f) { return Variant(f.NumberFormat()); },
            [](PivotField& f, const Variant& v) { f.SetNumberFormat(v); })
      .get(u"DataRange", {}, [](PivotField& f, const Args&) { return object(f.DataRange()); })
      .prop(u"CurrentPage", [](PivotField& f) { return f.CurrentPage(); },
            [](PivotField& f, const Variant& v) { f.SetCurrentPage(v); });

  Def<Worksheet>(tables).get(u"Scenarios", {u"Index"}, [](Worksheet& w, const Args& x) {
    auto scenarios = std::make_shared<Scenarios>(w.handle());
    return omitted(x[0]) ? object(scenarios) : object(scenarios->Item(x[0]));
  });
  Def<Scenarios>(tables)
      .get(u"Count", {}, [](Scenarios& s, const Args&) { return Variant(s.Count()); })
      .get(u"Item", {u"Index"}, [](Scenarios& s, const Args& x) { return object(s.Item(x[0])); })
      .get(u"Add", {u"Name", u"ChangingCells", u"Values", u"Comment", u"Locked", u"Hidden"},
           [](Scenarios& s, const Args& x) {
             const auto cells = x[1].is_object() ? std::dynamic_pointer_cast<Range>(x[1].object()) : nullptr;
             if (!cells) raise(Fault::TypeMismatch);
             return object(s.Add(x[0], *cells, x[2], x[3], x[4], x[5]));
           });
  Def<Scenario>(tables)
      .get(u"Name", {}, [](Scenario& s, const Args&) { return Variant(s.Name()); })
      .get(u"Comment", {}, [](Scenario& s, const Args&) { return Variant(s.Comment()); })
      .get(u"ChangingCells", {}, [](Scenario& s, const Args&) { return object(s.ChangingCells()); })
      .get(u"Values", {u"Index"}, [](Scenario& s, const Args& x) { return s.Values(x[0]); })
      .act(u"Show", {}, [](Scenario& s, const Args&) { s.Show(); });

  Def<Application>(tables).get(u"CommandBars", {u"Index"}, [](Application& a, const Args& x) {
    return omitted(x[0]) ? object(a.CommandBars()) : object(a.CommandBars()->Item(x[0]));
  });
  Def<CommandBars>(tables)
      .get(u"Count", {}, [](CommandBars& c, const Args&) { return Variant(c.Count()); })
      .get(u"Item", {u"Index"}, [](CommandBars& c, const Args& x) { return object(c.Item(x[0])); });
  Def<CommandBar>(tables)
      .get(u"Name", {}, [](CommandBar& b, const Args&) { return Variant(b.Name()); })
      .get(u"Type", {}, [](CommandBar& b, const Args&) { return Variant(b.Type()); })
      .prop(u"Visible", [](CommandBar& b) { return Variant(b.Visible()); },
            [](CommandBar& b, const Variant& v) { b.SetVisible(v.to_bool()); })
      .get(u"Controls", {u"Index"}, [](CommandBar& b, const Args& x) {
        return omitted(x[0]) ? object(b.Controls()) : object(b.Controls()->Item(x[0]));
      });
  Def<CommandBarControls>(tables)
      .get(u"Count", {}, [](CommandBarControls& c, const Args&) { return Variant(c.Count()); })
      .get(u"Item", {u"Index"}, [](CommandBarControls& c, const Args& x) { return object(c.Item(x[0])); });
  Def<CommandBarControl>(tables).get(u"Id", {}, [](CommandBarControl& c, const Args&) { return Variant(c.Id()); });
}

}  // namespace tabrel::xl::late
