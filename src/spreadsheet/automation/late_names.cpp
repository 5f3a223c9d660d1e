// Late-bound members of the Names collections (the workbook's and a worksheet's) and of Name.

#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/late_table.h"
#include "spreadsheet/automation/names.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/worksheet.h"

namespace tabrel::xl::late {

void define_names(Tables& tables) {
  Def<Worksheet>(tables).get(u"Names", {}, [](Worksheet& w, const Args&) {
    const SheetHandle& h = w.handle();
    h.get();
    return object(std::make_shared<Names>(h.app, h.book, h.sheet));
  });
  Def<Range>(tables).prop(
      u"Name", [](Range& r) { return object(name_of_cells(r)); },
      [](Range& r, const Variant& v) { name_cells(r, v.to_string()); });
  Def<Names>(tables)
      .get(u"Count", {}, [](Names& n, const Args&) { return Variant(n.Count()); })
      .get(u"Item", {u"Index", u"IndexLocal", u"RefersTo"}, [](Names& n, const Args& x) {
        return object(n.Item(omitted(x[0]) ? x[1] : x[0]));
      })
      .get(u"Add",
           {u"Name", u"RefersTo", u"Visible", u"MacroType", u"ShortcutKey", u"Category", u"NameLocal",
            u"RefersToLocal", u"CategoryLocal", u"RefersToR1C1", u"RefersToR1C1Local"},
           [](Names& n, const Args& x) {
             const Variant& name = omitted(x[0]) ? x[6] : x[0];
             if (!omitted(x[9]) || !omitted(x[10]))
               return object(n.Add(name.to_string(), (omitted(x[9]) ? x[10] : x[9]).to_string(), true));
             return object(n.Add(name.to_string(), (omitted(x[1]) ? x[7] : x[1]).to_string()));
           });
  Def<DefinedName>(tables)
      .get(u"Name", {}, [](DefinedName& n, const Args&) { return Variant(n.Name()); })
      .get(u"RefersTo", {}, [](DefinedName& n, const Args&) { return Variant(n.RefersTo()); })
      .get(u"Value", {}, [](DefinedName& n, const Args&) { return Variant(n.RefersTo()); })
      .get(u"RefersToR1C1", {}, [](DefinedName& n, const Args&) { return Variant(n.RefersToR1C1()); })
      .get(u"RefersToRange", {}, [](DefinedName& n, const Args&) { return object(n.RefersToRange()); })
      .get(u"Visible", {}, [](DefinedName& n, const Args&) { return Variant(n.Visible()); })
      .act(u"Delete", {}, [](DefinedName& n, const Args&) { n.Delete(); });
}

}  // namespace tabrel::xl::late
