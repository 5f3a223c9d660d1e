// Late-bound members of the application, its workbooks and sheets, and the window.

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/calculation.h"
#include "spreadsheet/automation/late_table.h"
#include "spreadsheet/automation/sheet_protection.h"
#include "spreadsheet/automation/names.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/shapes.h"
#include "spreadsheet/automation/sheets.h"
#include "spreadsheet/automation/sort.h"
#include "spreadsheet/automation/window.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/automation/errors.h"

namespace tabrel::xl::late {
namespace {

Variant nothing() { return Variant(std::shared_ptr<Dispatch>()); }

template <class T>
Variant object_or_nothing(std::shared_ptr<T> p) {
  return p ? object(std::move(p)) : nothing();
}

// Columns("A:C") and Rows("3:5") name several lines at once; one letter or number names one.
bool names_several(const Variant& index) {
  return index.is_string() && index.str().find(u':') != std::u16string::npos;
}

Variant columns(Worksheet& ws, const Variant& index) {
  if (omitted(index)) return object(ws.Columns()->Columns());
  if (names_several(index)) return object(ws.Range(index)->Columns());
  return object(ws.Columns(index)->Columns());
}

Variant rows(Worksheet& ws, const Variant& index) {
  if (omitted(index)) return object(ws.Rows()->Rows());
  if (names_several(index)) return object(ws.Range(index)->Rows());
  return object(ws.Rows(index)->Rows());
}

// Holds the active sheet for as long as the caller needs it.
std::shared_ptr<Worksheet> active_sheet(Application& app) {
  auto sheet = app.ActiveSheet();
  deref(sheet);
  return sheet;
}

std::shared_ptr<Window> active_window(Application& app) {
  auto sheet = app.ActiveSheet();
  if (!sheet) return nullptr;
  return std::make_shared<Window>(sheet->handle());
}

void define_app(Tables& tables) {
  Def<Application>(tables)
      .get(u"Application", {}, [](Application& a, const Args&) { return object(a.GetApplication()); })
      .get(u"Workbooks", {u"Index"}, [](Application& a, const Args& x) {
        return omitted(x[0]) ? object(a.Workbooks()) : object(a.Workbooks()->Item(x[0]));
      })
      .get(u"ActiveWorkbook", {}, [](Application& a, const Args&) { return object_or_nothing(a.ActiveWorkbook()); })
      .get(u"ActiveSheet", {}, [](Application& a, const Args&) { return object_or_nothing(a.ActiveSheet()); })
      .get(u"ActiveCell", {}, [](Application& a, const Args&) { return object_or_nothing(a.ActiveCell()); })
      .get(u"ActiveWindow", {}, [](Application& a, const Args&) { return object_or_nothing(active_window(a)); })
      .act(u"Goto", {u"Reference", u"Scroll"}, [](Application& a, const Args& x) { a.Goto(x[0]); })
      .get(u"Selection", {}, [](Application& a, const Args&) {
        auto s = a.Selection();
        return s ? Variant(s) : nothing();
      })
      .get(u"Sheets", {u"Index"}, [](Application& a, const Args& x) {
        return omitted(x[0]) ? object(a.Sheets()) : object(a.Sheets(x[0]));
      })
      .get(u"Worksheets", {u"Index"}, [](Application& a, const Args& x) {
        return omitted(x[0]) ? object(a.Worksheets()) : object(a.Worksheets(x[0]));
      })
      .get(u"Range", {u"Cell1", u"Cell2"}, [](Application& a, const Args& x) { return object(a.Range(x[0], x[1])); })
      .get(u"Cells", {u"RowIndex", u"ColumnIndex"}, [](Application& a, const Args& x) {
        return omitted(x[0]) ? object(a.Cells()) : object(a.Cells(x[0], x[1]));
      })
      .get(u"Columns", {u"Index"}, [](Application& a, const Args& x) { return columns(*active_sheet(a), x[0]); })
      .get(u"Rows", {u"Index"}, [](Application& a, const Args& x) { return rows(*active_sheet(a), x[0]); })
      .get(u"Names", {}, [](Application& a, const Args&) { return object(deref(a.ActiveWorkbook()).Names()); })
      .act(u"Run", {u"Macro"}, [](Application& a, const Args& x) { a.Run(x[0].to_string()); })
      .prop(u"ScreenUpdating", [](Application& a) { return Variant(a.session().screen_updating); },
            [](Application& a, const Variant& v) { a.session().screen_updating = v.to_bool(); })
      .prop(u"Calculation", [](Application& a) { return Variant(a.session().calculation); },
            [](Application& a, const Variant& v) {
              const int32_t mode = v.to_long();
              if (mode != -4105 && mode != -4135 && mode != 2) raise(Fault::MethodFailed);
              a.session().calculation = mode;
            })
      .act(u"Calculate", {}, [](Application& a, const Args&) {
        for (const auto& book : a.session().books)
          if (book->open) calculate_full(*book);
      })
      .prop(u"EnableEvents", [](Application& a) { return Variant(a.session().enable_events); },
            [](Application& a, const Variant& v) { a.session().enable_events = v.to_bool(); })
      .prop(u"DisplayAlerts", [](Application& a) { return Variant(a.DisplayAlerts()); },
            [](Application& a, const Variant& v) { a.SetDisplayAlerts(v.to_bool()); })
      .prop(u"CutCopyMode", [](Application& a) {
              const auto& active = a.session().active;
              return Variant(active && active->clipboard ? 1 : 0);
            },
            [](Application& a, const Variant& v) { a.SetCutCopyMode(v); });
}

void define_books(Tables& tables) {
  Def<Workbooks>(tables)
      .get(u"Count", {}, [](Workbooks& w, const Args&) { return Variant(w.Count()); })
      .get(u"Item", {u"Index"}, [](Workbooks& w, const Args& x) { return object(w.Item(x[0])); });
  Def<Workbook>(tables)
      .get(u"Application", {}, [](Workbook& w, const Args&) { return object(w.Application()); })
      .get(u"Name", {}, [](Workbook& w, const Args&) { return Variant(w.Name()); })
      .get(u"FullName", {}, [](Workbook& w, const Args&) { return Variant(w.FullName()); })
      .get(u"Sheets", {u"Index"}, [](Workbook& w, const Args& x) {
        return omitted(x[0]) ? object(w.Sheets()) : object(w.Sheets(x[0]));
      })
      .get(u"Worksheets", {u"Index"}, [](Workbook& w, const Args& x) {
        return omitted(x[0]) ? object(w.Worksheets()) : object(w.Worksheets(x[0]));
      })
      .get(u"ActiveSheet", {}, [](Workbook& w, const Args&) { return object_or_nothing(w.ActiveSheet()); })
      .get(u"Names", {}, [](Workbook& w, const Args&) { return object(w.Names()); })
      .act(u"Activate", {}, [](Workbook& w, const Args&) { w.Activate(); });
  Def<Sheets>(tables)
      .get(u"Count", {}, [](Sheets& s, const Args&) { return Variant(s.Count()); })
      .get(u"Item", {u"Index"}, [](Sheets& s, const Args& x) { return object(s.Item(x[0])); })
      .get(u"Add", {u"Before", u"After", u"Count", u"Type"},
           [](Sheets& s, const Args& x) { return object(s.Add(x[0], x[1], x[2])); });
}

void define_sheet(Tables& tables) {
  Def<Worksheet>(tables)
      .get(u"Application", {}, [](Worksheet& w, const Args&) { return object(w.Application()); })
      .get(u"Parent", {}, [](Worksheet& w, const Args&) { return object(w.Parent()); })
      .prop(u"Name", [](Worksheet& w) { return Variant(w.Name()); },
            [](Worksheet& w, const Variant& v) { w.SetName(v.to_string()); })
      .get(u"CodeName", {}, [](Worksheet& w, const Args&) { return Variant(w.CodeName()); })
      .get(u"Index", {}, [](Worksheet& w, const Args&) { return Variant(w.Index()); })
      .get(u"Type", {}, [](Worksheet& w, const Args&) { return Variant(w.Type()); })
      .prop(u"Visible", [](Worksheet& w) { return Variant(w.Visible()); },
            [](Worksheet& w, const Variant& v) { w.SetVisible(v); })
      .act(u"Select", {u"Replace"}, [](Worksheet& w, const Args& x) { w.Select(omitted(x[0]) || x[0].to_bool()); })
      .act(u"Activate", {}, [](Worksheet& w, const Args&) { w.Activate(); })
      .act(u"Delete", {}, [](Worksheet& w, const Args&) { w.Delete(); })
      .get(u"Range", {u"Cell1", u"Cell2"}, [](Worksheet& w, const Args& x) { return object(w.Range(x[0], x[1])); })
      .get(u"Cells", {u"RowIndex", u"ColumnIndex"}, [](Worksheet& w, const Args& x) {
        return omitted(x[0]) ? object(w.Cells()) : object(w.Cells(x[0], x[1]));
      })
      .get(u"Columns", {u"Index"}, [](Worksheet& w, const Args& x) { return columns(w, x[0]); })
      .get(u"Rows", {u"Index"}, [](Worksheet& w, const Args& x) { return rows(w, x[0]); })
      .get(u"UsedRange", {}, [](Worksheet& w, const Args&) { return object(w.UsedRange()); })
      .act(u"Paste", {u"Destination", u"Link"}, [](Worksheet& w, const Args& x) { w.Paste(x[0]); })
      .get(u"Shapes", {}, [](Worksheet& w, const Args&) { return object(w.Shapes()); })
      .get(u"Sort", {}, [](Worksheet& w, const Args&) { return object(std::make_shared<Sort>(w.handle())); })
      .act(u"Protect",
           {u"Password", u"DrawingObjects", u"Contents", u"Scenarios", u"UserInterfaceOnly", u"AllowFormattingCells",
            u"AllowFormattingColumns", u"AllowFormattingRows", u"AllowInsertingColumns", u"AllowInsertingRows",
            u"AllowInsertingHyperlinks", u"AllowDeletingColumns", u"AllowDeletingRows", u"AllowSorting",
            u"AllowFiltering", u"AllowUsingPivotTables"},
           [](Worksheet& w, const Args& x) {
             auto flag = [&](size_t i) { return omitted(x[i]) || x[i].to_bool(); };
             protect_sheet(w.handle().get(), omitted(x[0]) ? u"" : x[0].to_string(), {flag(2), flag(1), flag(3)});
           })
      .act(u"Unprotect", {u"Password"}, [](Worksheet& w, const Args& x) {
        unprotect_sheet(w.handle().get(), omitted(x[0]) ? u"" : x[0].to_string());
      })
      .get(u"ProtectContents", {}, [](Worksheet& w, const Args&) { return Variant(contents_protected(w.handle().get())); });
  Def<Sort>(tables)
      .get(u"SortFields", {}, [](Sort& s, const Args&) { return object(std::make_shared<SortFields>(s.sheet())); })
      .act(u"SetRange", {u"Rng"}, [](Sort& s, const Args& x) { s.SetRange(x[0]); })
      .prop(u"Header", [](Sort& s) { return s.Header(); }, [](Sort& s, const Variant& v) { s.SetHeader(v); })
      .prop(u"MatchCase", [](Sort& s) { return s.MatchCase(); }, [](Sort& s, const Variant& v) { s.SetMatchCase(v); })
      .prop(u"Orientation", [](Sort& s) { return s.Orientation(); },
            [](Sort& s, const Variant& v) { s.SetOrientation(v); })
      // Pinyin and stroke order are the same for the Hangul and Latin texts the papers sort.
      .prop(u"SortMethod", [](Sort& s) {
              s.settings();
              return Variant(1);
            },
            [](Sort& s, const Variant&) { s.settings(); })
      .act(u"Apply", {}, [](Sort& s, const Args&) { s.Apply(); });
  Def<SortFields>(tables)
      .get(u"Count", {}, [](SortFields& f, const Args&) { return Variant(f.Count()); })
      .act(u"Clear", {}, [](SortFields& f, const Args&) { f.Clear(); })
      .act(u"Add", {u"Key", u"SortOn", u"Order", u"CustomOrder", u"DataOption"},
           [](SortFields& f, const Args& x) { f.Add(x[0], x[1], x[2]); });
  Def<Shapes>(tables)
      .get(u"Count", {}, [](Shapes& s, const Args&) { return Variant(s.Count()); })
      .get(u"Item", {u"Index"}, [](Shapes& s, const Args& x) { return object(s.Item(x[0])); });
  Def<Shape>(tables)
      .get(u"Name", {}, [](Shape& s, const Args&) { return Variant(s.Name()); })
      .prop(u"Rotation", [](Shape& s) { return Variant(s.Rotation()); },
            [](Shape& s, const Variant& v) { s.SetRotation(v.to_double()); })
      .prop(u"OnAction", [](Shape& s) { return Variant(s.OnAction()); },
            [](Shape& s, const Variant& v) { s.SetOnAction(v.to_string()); })
      .get(u"Left", {}, [](Shape& s, const Args&) { return Variant(s.Left()); })
      .get(u"Top", {}, [](Shape& s, const Args&) { return Variant(s.Top()); })
      .get(u"Width", {}, [](Shape& s, const Args&) { return Variant(s.Width()); })
      .get(u"Height", {}, [](Shape& s, const Args&) { return Variant(s.Height()); })
      .get(u"Parent", {}, [](Shape& s, const Args&) {
        s.Name();  // raises once the sheet is gone
        return object(std::make_shared<Worksheet>(s.sheet()));
      })
      .get(u"AlternativeText", {}, [](Shape& s, const Args&) { return Variant(s.AlternativeText()); })
      .get(u"AutoShapeType", {}, [](Shape& s, const Args&) { return Variant(s.AutoShapeType()); })
      .get(u"Type", {}, [](Shape& s, const Args&) { return Variant(s.Type()); })
      .get(u"TextFrame", {}, [](Shape& s, const Args&) { return object(s.TextFrame()); })
      .act(u"Select", {u"Replace"}, [](Shape& s, const Args&) { s.Select(); });
  Def<TextFrame>(tables).get(u"Characters", {}, [](TextFrame& t, const Args&) { return object(t.Characters()); });
  Def<Characters>(tables).get(u"Text", {}, [](Characters& c, const Args&) { return Variant(c.Text()); });
  Def<Window>(tables)
      .prop(u"ScrollRow", [](Window& w) { return Variant(w.ScrollRow()); },
            [](Window& w, const Variant& v) { w.SetScrollRow(v); })
      .prop(u"ScrollColumn", [](Window& w) { return Variant(w.ScrollColumn()); },
            [](Window& w, const Variant& v) { w.SetScrollColumn(v); })
      .prop(u"Zoom", [](Window& w) { return Variant(w.Zoom()); }, [](Window& w, const Variant& v) { w.SetZoom(v); })
      .act(u"SmallScroll", {u"Down", u"Up", u"ToRight", u"ToLeft"},
           [](Window& w, const Args& x) { w.SmallScroll(x[0], x[1], x[2], x[3]); })
      .act(u"LargeScroll", {u"Down", u"Up", u"ToRight", u"ToLeft"},
           [](Window& w, const Args& x) { w.LargeScroll(x[0], x[1], x[2], x[3]); });
}

}  // namespace

void define_application(Tables& tables) {
  define_app(tables);
  define_books(tables);
  define_sheet(tables);
}

}  // namespace tabrel::xl::late
