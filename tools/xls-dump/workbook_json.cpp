#include "workbook_json.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "analysis_json.h"
#include "chart_json.h"
#include "macro_json.h"
#include "spreadsheet/automation/autoshape_types.h"
#include "spreadsheet/automation/camera_pictures.h"
#include "spreadsheet/automation/shape_place.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::dump {

namespace {

using json::Array;
using json::Object;
using json::Value;

const std::map<uint16_t, std::string>& builtin_formats() {
  static const std::map<uint16_t, std::string> table{
      {0, "General"}, {1, "0"}, {2, "0.00"}, {3, "#,##0"}, {4, "#,##0.00"},
      {5, "\"$\"#,##0_);(\"$\"#,##0)"}, {6, "\"$\"#,##0_);[Red](\"$\"#,##0)"},
      {7, "\"$\"#,##0.00_);(\"$\"#,##0.00)"}, {8, "\"$\"#,##0.00_);[Red](\"$\"#,##0.00)"},
      {9, "0%"}, {10, "0.00%"}, {11, "0.00E+00"}, {12, "# ?/?"}, {13, "# ?\?/?\?"},
      {14, "m/d/yy"}, {15, "d-mmm-yy"}, {16, "d-mmm"}, {17, "mmm-yy"}, {18, "h:mm AM/PM"},
      {19, "h:mm:ss AM/PM"}, {20, "h:mm"}, {21, "h:mm:ss"}, {22, "m/d/yy h:mm"},
      {37, "#,##0_);(#,##0)"}, {38, "#,##0_);[Red](#,##0)"}, {39, "#,##0.00_);(#,##0.00)"},
      {40, "#,##0.00_);[Red](#,##0.00)"},
      {41, "_(* #,##0_);_(* (#,##0);_(* \"-\"_);_(@_)"},
      {42, "_(\"$\"* #,##0_);_(\"$\"* (#,##0);_(\"$\"* \"-\"_);_(@_)"},
      {43, "_(* #,##0.00_);_(* (#,##0.00);_(* \"-\"??_);_(@_)"},
      {44, "_(\"$\"* #,##0.00_);_(\"$\"* (#,##0.00);_(\"$\"* \"-\"??_);_(@_)"},
      {45, "mm:ss"}, {46, "[h]:mm:ss"}, {47, "mm:ss.0"}, {48, "##0.0E+0"}, {49, "@"}};
  return table;
}

std::string u8(std::u16string_view s) { return to_utf8(s); }

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

Value font_json(const model::Font& f) {
  Object o;
  o["name"] = u8(f.name);
  o["height"] = f.height;
  o["bold"] = f.weight >= 700;
  o["italic"] = f.italic;
  o["underline"] = f.underline;
  o["color"] = f.color;
  o["struck_out"] = f.strikeout;
  return o;
}

Value line(const model::BorderLine& b) {
  Array a;
  a.emplace_back(static_cast<int>(b.style));
  a.emplace_back(b.color);
  return a;
}

Value format_json(const model::Styles& styles, uint16_t id) {
  if (const auto* code = styles.custom_format(id)) return u8(*code);
  const std::string builtin = builtin_format_code(id);
  return builtin.empty() ? Value() : Value(builtin);
}

Value xf_json(const model::Styles& styles, uint16_t index) {
  if (index >= styles.xfs.size()) return Value();
  const model::Xf& x = styles.xfs[index];
  const model::Font* font = styles.font(x.font);
  Object fill;
  fill["pattern"] = x.pattern;
  fill["fg"] = x.pattern_color;
  fill["bg"] = x.background_color;
  Array diag = line(x.diagonal).as_array();
  diag.emplace_back(x.diagonal_down ? 1 : 0);
  diag.emplace_back(x.diagonal_up ? 1 : 0);
  Object border;
  border["left"] = line(x.left);
  border["right"] = line(x.right);
  border["top"] = line(x.top);
  border["bottom"] = line(x.bottom);
  border["diag"] = std::move(diag);
  Object o;
  o["font"] = font ? font_json(*font) : Value();
  o["format"] = format_json(styles, x.format);
  o["halign"] = x.horizontal;
  o["valign"] = x.vertical;
  o["wrap"] = x.wrap ? 1 : 0;
  o["rotation"] = x.rotation;
  o["indent"] = x.indent;
  o["fill"] = std::move(fill);
  o["border"] = std::move(border);
  o["locked"] = x.locked ? 1 : 0;
  return o;
}

// A cell's members but its format ("xf"), which write_cell writes from the sheet's cache.
Object cell_members(const model::Cell& cell) {
  Object o = value_json(cell.value);
  if (cell.has_formula()) o["formula"] = true;
  return o;
}

// Cells share few formats: each XF's JSON is written once and then copied as text.
class XfTexts {
 public:
  explicit XfTexts(const model::Styles& styles) : styles_(styles) {}
  const std::string& at(uint16_t xf, int depth) {
    auto& slot = texts_[{xf, depth}];
    if (slot.empty()) slot = json::write(xf_json(styles_, xf), true, depth);
    return slot;
  }

 private:
  const model::Styles& styles_;
  std::map<std::pair<uint16_t, int>, std::string> texts_;
};

void write_cell(json::StreamWriter& out, const Object& members, const std::string& xf_text) {
  static const std::string kXf = "xf";
  out.begin_object();
  const auto xf_place = members.lower_bound(kXf);
  for (auto it = members.begin(); it != xf_place; ++it) {
    out.key(it->first);
    out.value(it->second);
  }
  out.key(kXf);
  out.written_value(xf_text);
  for (auto it = xf_place; it != members.end(); ++it) {
    out.key(it->first);
    out.value(it->second);
  }
  out.end_object();
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
  o["name"] = u8(d.name);
  o["alternative_text"] = u8(d.alternative_text);
  o["text"] = u8(d.text.text);
  o["macro"] = u8(d.macro);
  if (const auto link = xl::picture_formula(book, d)) o["picture_formula"] = u8(*link);
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
    for (const auto& r : cf.ranges) ranges.emplace_back(u8(model::a1_address(r.first) + u":" + model::a1_address(r.last)));
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
  int nrows = 0, ncols = 0;
  for (const auto& [key, cell] : s.cells) {
    const auto at = model::CellStore::position(key);
    nrows = std::max(nrows, at.row + 1);
    ncols = std::max(ncols, at.col + 1);
  }
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
    o["text"] = u8(c.text.text);
    o["author"] = u8(c.author);
    o["shown"] = c.visible;
    comments[u8(model::a1_address(c.cell))] = std::move(o);
  }
  Array drawings;
  for (const auto& d : s.drawings) drawings.push_back(drawing_json(book, s, d));
  Array problems;
  for (const auto& p : s.problems) problems.emplace_back(p);
  Object o;
  o["name"] = u8(s.name);
  o["kind"] = kind_name(s.kind);
  o["visibility"] = static_cast<int>(s.visibility);
  o["nrows"] = nrows;
  o["ncols"] = ncols;
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
    filter["range"] = u8(model::a1_address(r.first) + u":" + model::a1_address(r.last));
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
  XfTexts xf_texts(book.styles);
  for (const auto& [key, cell] : s.cells) {
    const auto at = model::CellStore::position(key);
    Object members = cell_members(cell);
    if (extras) extras(s, at, members);
    out.key(u8(model::a1_address(at)));
    write_cell(out, members, xf_texts.at(cell.xf, out.depth() + 1));
  }
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
    for (const auto& s : b.sheets) sheets.emplace_back(u8(s));
    Array names;
    for (const auto& n : b.names) names.emplace_back(u8(n.name));
    Object o;
    o["kind"] = book_kind(b.kind);
    o["url"] = u8(b.url);
    o["sheets"] = std::move(sheets);
    o["names"] = std::move(names);
    out.emplace_back(std::move(o));
  }
  return out;
}

}  // namespace

json::Object value_json(const model::CellValue& v) {
  Object o;
  if (v.is_number()) {
    o["type"] = "number";
    o["value"] = v.as_number();
  } else if (v.is_text()) {
    o["type"] = "text";
    o["value"] = u8(v.as_text());
  } else if (v.is_bool()) {
    o["type"] = "bool";
    o["value"] = v.as_bool() ? 1 : 0;
  } else if (v.is_error()) {
    o["type"] = "error";
    o["value"] = u8(cell_error_text(v.as_error()));
  } else {
    o["type"] = "blank";
    o["value"] = "";
  }
  return o;
}

std::string builtin_format_code(uint16_t id) {
  const auto& t = builtin_formats();
  auto it = t.find(id);
  return it == t.end() ? std::string() : it->second;
}

void write_workbook_json(std::ostream& stream, const model::Workbook& book, const std::string& file_name,
                         const CellExtras& extras) {
  Array names;
  for (const auto& n : book.names) {
    Object o;
    o["name"] = u8(n.name);
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
  out.end_object();
}

json::Value workbook_json(const model::Workbook& book, const std::string& file_name) {
  std::ostringstream text;
  write_workbook_json(text, book, file_name);
  return json::parse(text.str());
}

}  // namespace tabrel::dump
