#include "workbook_json.h"

#include <sstream>

#include "analysis_json.h"
#include "chart_json.h"
#include "format_json.h"
#include "macro_json.h"
#include "spreadsheet/automation/autoshape_types.h"
#include "spreadsheet/automation/camera_pictures.h"
#include "spreadsheet/automation/shape_place.h"
#include "spreadsheet/core/text.h"

namespace tabrel::dump {

namespace {

using json::Array;
using json::Object;
using json::Value;

const char* kind_name(model::SheetKind k) {
  switch (k) {
    case model::SheetKind::Worksheet: return "worksheet";
    case model::SheetKind::ChartSheet: return "chart";
    case model::SheetKind::MacroSheet: return "macro";
    case model::SheetKind::DialogSheet: return "dialog";
  }
  return "worksheet";
}

// The other reader lists worksheets and dialog sheets only.
bool listed(const model::Sheet& s) {
  return s.kind == model::SheetKind::Worksheet || s.kind == model::SheetKind::DialogSheet;
}

// The object as the automation shows it: shape type number, place and size in points after the
// stored widths and heights, and assigned macro.
Value drawing_json(const model::Workbook& book, const model::Sheet& s, const model::DrawingObject& d) {
  const auto& a = d.anchor;
  Array anchor;
  for (int v : {a.col1, a.dx1, a.row1, a.dy1, a.col2, a.dx2, a.row2, a.dy2}) anchor.emplace_back(v);
  Object o;
  o["object_type"] = d.object_type;
  o["id"] = d.object_id;
  o["shape_type"] = d.autoshape_type;
  o["name"] = to_utf8(d.name);
  o["alternative_text"] = to_utf8(d.alternative_text);
  o["text"] = to_utf8(d.text.text);
  o["macro"] = to_utf8(d.macro);
  if (const auto link = xl::picture_formula(book, d)) o["picture_formula"] = to_utf8(*link);
  o["autoshape_type"] = xl::autoshape_type(d.autoshape_type);
  o["placement"] = d.anchor.placement;
  const layout::PointRect place = xl::shape_place(book, s, d);
  o["left"] = place.left;
  o["top"] = place.top;
  o["width"] = place.width;
  o["height"] = place.height;
  if (d.chart_index >= 0) o["chart_index"] = d.chart_index;
  o["anchor"] = std::move(anchor);
  return o;
}

template <typename T>
Value optional_json(const std::optional<T>& v) {
  return v ? Value(static_cast<double>(*v)) : Value();
}

Value rule_json(const model::CondRule& r) {
  Object o;
  o["type"] = r.type;
  o["operator"] = r.op;
  o["formula1_bytes"] = static_cast<long long>(r.formula1.size());
  o["formula2_bytes"] = static_cast<long long>(r.formula2.size());
  if (r.font) {
    Object f;
    f["bold"] = r.font->bold ? Value(*r.font->bold) : Value();
    f["italic"] = r.font->italic ? Value(*r.font->italic) : Value();
    f["color"] = optional_json(r.font->color);
    f["height"] = optional_json(r.font->height);
    f["underline"] = optional_json(r.font->underline);
    o["font"] = std::move(f);
  }
  if (r.fill) {
    Object f;
    f["pattern"] = optional_json(r.fill->pattern);
    f["fg"] = optional_json(r.fill->pattern_color);
    f["bg"] = optional_json(r.fill->background_color);
    o["fill"] = std::move(f);
  }
  o["border"] = r.border.has_value();
  return o;
}

Value conditional_formats_json(const model::Sheet& s) {
  Array out;
  for (const auto& cf : s.conditional_formats) {
    Array ranges;
    for (const auto& r : cf.ranges) ranges.emplace_back(to_utf8(model::a1_address(r.first) + u":" + model::a1_address(r.last)));
    Array rules;
    for (const auto& r : cf.rules) rules.push_back(rule_json(r));
    Object o;
    o["ranges"] = std::move(ranges);
    o["rules"] = std::move(rules);
    o["extended_records"] = static_cast<long long>(cf.extended.size());
    out.emplace_back(std::move(o));
  }
  return out;
}

// Every member of a sheet's object but its cells.
Object sheet_members(const model::Workbook& book, const model::Sheet& s) {
  const auto used = s.cells.used_range();
  Array merged;
  for (const auto& m : s.merges) {
    Array a;
    for (int v : {m.first.row, m.last.row + 1, m.first.col, m.last.col + 1}) a.emplace_back(v);
    merged.emplace_back(std::move(a));
  }
  Object columns;
  for (const auto& c : s.columns)
    for (int col = c.first; col <= c.last; ++col) {
      Object o;
      o["width"] = c.width;
      o["hidden"] = c.hidden;
      columns[std::to_string(col)] = std::move(o);
    }
  Object rows;
  for (const auto& [r, info] : s.rows) {
    Object o;
    o["height"] = info.height;
    o["hidden"] = info.hidden;
    o["custom"] = !info.default_height;
    rows[std::to_string(r)] = std::move(o);
  }
  Object comments;
  for (const auto& c : s.comments) {
    Object o;
    o["text"] = to_utf8(c.text.text);
    o["author"] = to_utf8(c.author);
    o["shown"] = c.visible;
    comments[to_utf8(model::a1_address(c.cell))] = std::move(o);
  }
  Array drawings;
  for (const auto& d : s.drawings) drawings.push_back(drawing_json(book, s, d));
  Array problems;
  for (const auto& p : s.problems) problems.emplace_back(p);
  Object o;
  o["name"] = to_utf8(s.name);
  o["kind"] = kind_name(s.kind);
  o["visibility"] = static_cast<int>(s.visibility);
  o["nrows"] = used ? used->last.row + 1 : 0;
  o["ncols"] = used ? used->last.col + 1 : 0;
  o["merged"] = std::move(merged);
  o["default_col_width"] = s.default_column_width;
  o["columns"] = std::move(columns);
  o["rows"] = std::move(rows);
  o["comments"] = std::move(comments);
  o["drawings"] = std::move(drawings);
  o["problems"] = std::move(problems);
  o["conditional_formats"] = conditional_formats_json(s);
  o["embedded_charts"] = static_cast<long long>(s.embedded_charts.size());
  Array charts;
  for (const auto& c : s.embedded_charts) charts.push_back(chart_json(book, c.chart));
  if (s.kind == model::SheetKind::ChartSheet) charts.push_back(chart_json(book, s.chart.chart));
  if (!charts.empty()) o["charts"] = std::move(charts);
  if (s.autofilter) {
    Object filter;
    const auto& r = s.autofilter->range;
    filter["range"] = to_utf8(model::a1_address(r.first) + u":" + model::a1_address(r.last));
    filter["columns"] = static_cast<long long>(s.autofilter->columns.size());
    filter["filter_mode"] = s.autofilter->filter_mode;
    o["autofilter"] = std::move(filter);
  }
  add_analysis_json(book, s, o);
  return o;
}

// A sheet's members in key order, the cells one by one in row-major order among them.
void write_sheet(json::StreamWriter& out, const model::Workbook& book, const model::Sheet& s, const CellExtras& extras) {
  const Object members = sheet_members(book, s);
  const std::string cells_key = "cells";
  out.begin_object();
  auto write_members = [&](auto from, auto to) {
    for (auto it = from; it != to; ++it) {
      out.key(it->first);
      out.value(it->second);
    }
  };
  const auto cells_place = members.lower_bound(cells_key);
  write_members(members.begin(), cells_place);
  out.key(cells_key);
  out.begin_object();
  write_cells(out, s, extras);
  out.end_object();
  write_members(cells_place, members.end());
  out.end_object();
}

// Scope as the other reader numbers it: -1 global, else the index among listed sheets, -4 a
// sheet it does not list, -3 no such sheet.
int name_scope(const model::Workbook& book, uint16_t scope) {
  if (scope == 0) return -1;
  if (scope > book.sheets.size()) return -3;
  if (!listed(*book.sheets[scope - 1])) return -4;
  int index = 0;
  for (size_t i = 0; i + 1 < scope; ++i) index += listed(*book.sheets[i]) ? 1 : 0;
  return index;
}

const char* book_kind(model::SupportingBook::Kind k) {
  switch (k) {
    case model::SupportingBook::Kind::Self: return "self";
    case model::SupportingBook::Kind::AddIn: return "add-in";
    case model::SupportingBook::Kind::External: return "external";
    case model::SupportingBook::Kind::Ole: return "ole";
  }
  return "self";
}

Value external_books_json(const model::ExternalRefs& refs) {
  Array out;
  for (const auto& b : refs.books) {
    Array sheets;
    for (const auto& s : b.sheets) sheets.emplace_back(to_utf8(s));
    Array names;
    for (const auto& n : b.names) names.emplace_back(to_utf8(n.name));
    Object o;
    o["kind"] = book_kind(b.kind);
    o["url"] = to_utf8(b.url);
    o["sheets"] = std::move(sheets);
    o["names"] = std::move(names);
    out.emplace_back(std::move(o));
  }
  return out;
}

}  // namespace

void write_workbook_json(std::ostream& stream, const model::Workbook& book, const std::string& file_name,
                         const CellExtras& extras) {
  Array names;
  for (const auto& n : book.names) {
    Object o;
    o["name"] = to_utf8(n.name);
    o["scope"] = name_scope(book, n.sheet_scope);
    o["hidden"] = n.hidden();
    o["builtin"] = n.builtin;
    o["formula"] = Value();
    names.emplace_back(std::move(o));
  }
  json::StreamWriter out(stream);
  out.begin_object();
  out.key("datemode");
  out.value(book.date_system == DateSystem::k1904 ? 1 : 0);
  out.key("external_books");
  out.value(external_books_json(book.externals));
  out.key("file");
  out.value(file_name);
  if (book.macro_project) {
    out.key("macro_project");
    out.value(macro_project_json(*book.macro_project));
  }
  out.key("names");
  out.value(names);
  out.key("sheets");
  out.begin_array();
  for (const auto& s : book.sheets) write_sheet(out, book, *s, extras);
  out.end_array();
  out.key("xfs");
  out.begin_array();
  for (size_t i = 0; i < book.styles.xfs.size(); ++i)
    out.value(xf_json(book.styles, static_cast<uint16_t>(i)), json::StreamWriter::Layout::Inline);
  out.end_array();
  out.end_object();
}

json::Value workbook_json(const model::Workbook& book, const std::string& file_name) {
  std::ostringstream text;
  write_workbook_json(text, book, file_name);
  return json::parse(text.str());
}

}  // namespace tabrel::dump
