#include "same_workbook.h"

#include <algorithm>
#include <map>

#include "spreadsheet/core/text.h"
#include "spreadsheet/xls/write_raw_records.h"

namespace tabrel::xls::testing {
namespace {

class Diff {
 public:
  template <class T>
  void same(const std::string& what, const T& a, const T& b) {
    if (!(a == b)) out.push_back(what);
  }
  std::vector<std::string> out;
};

// The kept records of `actual` of the kinds `expected` holds must come back with the same
// payloads, in the same order among records of one kind (the writer places kinds by the record
// order of the format, which a few files do not follow). A workbook built in memory keeps none
// of the records the writer adds with their default values.
template <class Built>
void compare_kept(Diff& d, const std::string& what, const std::vector<model::RawRecord>& expected,
                  const std::vector<model::RawRecord>& actual, Built built) {
  std::map<uint16_t, std::vector<model::RawRecord>> a, b;
  for (const auto& r : expected)
    if (!built(r.id)) a[r.id].push_back(r);
  for (const auto& r : actual)
    if (!built(r.id) && a.count(r.id)) b[r.id].push_back(r);
  d.same(what, a, b);
}

std::string at(const std::string& sheet, model::CellRef c) {
  return sheet + "!" + to_utf8(model::a1_address(c));
}

void compare_cells(Diff& d, const std::string& s, const model::Sheet& a, const model::Sheet& b) {
  d.same(s + " cell count", a.cells.size(), b.cells.size());
  for (const auto& [key, ca] : a.cells) {
    const model::CellRef pos = model::CellStore::position(key);
    const model::Cell* cb = b.cells.find(pos);
    if (!cb) {
      d.out.push_back(at(s, pos) + " missing");
      continue;
    }
    d.same(at(s, pos) + " xf", ca.xf, cb->xf);
    d.same(at(s, pos) + " value", ca.value, cb->value);
    d.same(at(s, pos) + " has formula", ca.has_formula(), cb->has_formula());
    if (ca.has_formula() && cb->has_formula()) d.same(at(s, pos) + " formula", *ca.formula, *cb->formula);
  }
}

template <class Map, class Eq>
void compare_maps(Diff& d, const std::string& what, const Map& a, const Map& b, Eq eq) {
  d.same(what + " count", a.size(), b.size());
  for (const auto& [key, va] : a) {
    auto it = b.find(key);
    if (it == b.end() || !eq(va, it->second)) d.out.push_back(what + " at " + std::to_string(key));
  }
}

void compare_sheet(Diff& d, const model::Sheet& a, const model::Sheet& b) {
  const std::string s = to_utf8(a.name);
  d.same(s + " name", a.name, b.name);
  d.same(s + " kind", a.kind, b.kind);
  d.same(s + " visibility", a.visibility, b.visibility);
  d.same(s + " code name", a.code_name, b.code_name);
  if (a.kind == model::SheetKind::ChartSheet) {
    d.same(s + " chart records", a.chart.records, b.chart.records);
    return;
  }
  compare_cells(d, s, a, b);
  d.same(s + " columns", a.columns, b.columns);
  // A row with cells needs a ROW record; one with the sheet's defaults stands for no record.
  auto rows = [&](const model::Sheet& sheet) {
    model::RowInfo plain;
    plain.height = sheet.default_row_height;
    std::map<int, model::RowInfo> out;
    for (const auto& [row, info] : sheet.rows)
      if (!(info == plain)) out.emplace(row, info);
    return out;
  };
  d.same(s + " rows", rows(a), rows(b));
  d.same(s + " default column width", a.default_column_width, b.default_column_width);
  d.same(s + " standard width", a.standard_width, b.standard_width);
  d.same(s + " default row height", a.default_row_height, b.default_row_height);
  d.same(s + " default row flags", a.default_row_flags, b.default_row_flags);
  d.same(s + " wsbool", a.wsbool, b.wsbool);
  d.same(s + " merges", a.merges, b.merges);
  d.same(s + " conditional formats", a.conditional_formats, b.conditional_formats);
  d.same(s + " comment count", a.comments.size(), b.comments.size());
  for (size_t i = 0; i < std::min(a.comments.size(), b.comments.size()); ++i) {
    const auto& x = a.comments[i];
    const auto& y = b.comments[i];
    d.same(s + " comment " + std::to_string(i), std::tie(x.cell, x.author, x.text, x.visible, x.object_id),
           std::tie(y.cell, y.author, y.text, y.visible, y.object_id));
  }
  // Objects are matched by their object id: comments' shapes follow the comments' order. What
  // the drawing layer says of a shape counts only where the first reading found its shape.
  d.same(s + " drawing count", a.drawings.size(), b.drawings.size());
  for (const model::DrawingObject& x : a.drawings) {
    const std::string what = s + " object " + std::to_string(x.object_id);
    auto y = std::find_if(b.drawings.begin(), b.drawings.end(), [&](const model::DrawingObject& o) {
      return o.object_id == x.object_id && o.object_type == x.object_type;
    });
    if (y == b.drawings.end()) {
      d.out.push_back(what + " missing");
      continue;
    }
    d.same(what, std::tie(x.macro_tokens, x.text, x.obj_records), std::tie(y->macro_tokens, y->text, y->obj_records));
    if (x.chart_index >= 0 && y->chart_index >= 0)
      d.same(what + " chart", a.embedded_charts[x.chart_index].records, b.embedded_charts[y->chart_index].records);
    if (!x.shape_bytes.empty())
      d.same(what + " shape", std::tie(x.autoshape_type, x.anchor, x.name, x.alternative_text, x.hidden, x.adjustments),
             std::tie(y->autoshape_type, y->anchor, y->name, y->alternative_text, y->hidden, y->adjustments));
  }
  d.same(s + " embedded chart count", a.embedded_charts.size(), b.embedded_charts.size());
  for (size_t i = 0; i < std::min(a.embedded_charts.size(), b.embedded_charts.size()); ++i)
    d.same(s + " embedded chart " + std::to_string(i), a.embedded_charts[i].records, b.embedded_charts[i].records);
  d.same(s + " has autofilter", a.autofilter.has_value(), b.autofilter.has_value());
  if (a.autofilter && b.autofilter) {
    d.same(s + " autofilter", std::tie(a.autofilter->drop_downs, a.autofilter->filter_mode, a.autofilter->columns),
           std::tie(b.autofilter->drop_downs, b.autofilter->filter_mode, b.autofilter->columns));
  }
  d.same(s + " phonetic settings", a.phonetic_settings, b.phonetic_settings);
  const auto& va = a.view;
  const auto& vb = b.view;
  d.same(s + " view", std::tie(va.selected, va.active, va.show_gridlines, va.show_headers, va.show_zeros, va.frozen,
                               va.right_to_left, va.top_left, va.zoom_percent, va.selections, va.pane),
         std::tie(vb.selected, vb.active, vb.show_gridlines, vb.show_headers, vb.show_zeros, vb.frozen,
                  vb.right_to_left, vb.top_left, vb.zoom_percent, vb.selections, vb.pane));
  compare_maps(d, s + " shared formulas", a.shared_formulas, b.shared_formulas, [](const auto& x, const auto& y) {
    return x.range == y.range && x.tokens == y.tokens && x.extra == y.extra;
  });
  compare_maps(d, s + " array formulas", a.array_formulas, b.array_formulas, [](const auto& x, const auto& y) {
    return x.range == y.range && x.flags == y.flags && x.tokens == y.tokens && x.extra == y.extra;
  });
  compare_maps(d, s + " data tables", a.data_tables, b.data_tables, [](const auto& x, const auto& y) {
    return x.range == y.range && x.flags == y.flags && x.input1 == y.input1 && x.input2 == y.input2;
  });
  compare_kept(d, s + " kept records", a.other_records, b.other_records,
               [](uint16_t id) { return sheet_slot(id) == SheetSlot::Built; });
}

}  // namespace

std::vector<std::string> differences(const model::Workbook& a, const model::Workbook& b) {
  Diff d;
  d.same("sheet count", a.sheets.size(), b.sheets.size());
  for (size_t i = 0; i < std::min(a.sheets.size(), b.sheets.size()); ++i) compare_sheet(d, *a.sheets[i], *b.sheets[i]);
  d.same("fonts", a.styles.fonts, b.styles.fonts);
  d.same("formats", a.styles.formats, b.styles.formats);
  d.same("xfs", a.styles.xfs, b.styles.xfs);
  d.same("styles", a.styles.styles, b.styles.styles);
  d.same("palette", std::tie(a.styles.palette, a.styles.palette_custom), std::tie(b.styles.palette, b.styles.palette_custom));
  d.same("name count", a.names.size(), b.names.size());
  for (size_t i = 0; i < std::min(a.names.size(), b.names.size()); ++i)
    d.same("name " + to_utf8(a.names[i].name), a.names[i], b.names[i]);
  d.same("supporting book count", a.externals.books.size(), b.externals.books.size());
  for (size_t i = 0; i < std::min(a.externals.books.size(), b.externals.books.size()); ++i) {
    const auto& x = a.externals.books[i];
    const auto& y = b.externals.books[i];
    d.same("supporting book " + std::to_string(i), std::tie(x.kind, x.sheet_count, x.url, x.sheets),
           std::tie(y.kind, y.sheet_count, y.url, y.sheets));
    d.same("external names of book " + std::to_string(i), x.names, y.names);
  }
  d.same("extern sheets", a.externals.sheets, b.externals.sheets);
  d.same("date system", a.date_system, b.date_system);
  d.same("precision as displayed", a.precision_as_displayed, b.precision_as_displayed);
  const auto& va = a.view;
  const auto& vb = b.view;
  d.same("window", std::tie(va.active_sheet, va.first_visible_tab, va.selected_tabs, va.flags, va.x, va.y, va.width,
                            va.height, va.tab_ratio),
         std::tie(vb.active_sheet, vb.first_visible_tab, vb.selected_tabs, vb.flags, vb.x, vb.y, vb.width, vb.height,
                  vb.tab_ratio));
  d.same("code name", a.code_name, b.code_name);
  d.same("macro project", a.macro_project.has_value(), b.macro_project.has_value());
  if (a.macro_project && b.macro_project) {
    // Why a project does not read is the reader's wording; the rest must agree.
    model::MacroProject pa = *a.macro_project, pb = *b.macro_project;
    pa.problem = pb.problem = u"";
    d.same("macro project", pa == pb, true);
  }
  compare_kept(d, "kept records", a.other_records, b.other_records,
               [](uint16_t id) { return global_slot(id) == GlobalSlot::Built; });
  d.same("extra stream count", a.extra_streams.size(), b.extra_streams.size());
  for (const auto& s : a.extra_streams) {
    const model::ExtraStream* t = b.stream(s.path);
    if (!t || !std::ranges::equal(t->bytes(), s.bytes()) || t->is_storage != s.is_storage) d.out.push_back("stream " + to_utf8(s.path));
  }
  return d.out;
}

}  // namespace tabrel::xls::testing
