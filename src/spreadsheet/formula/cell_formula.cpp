#include "spreadsheet/formula/cell_formula.h"

#include <cmath>

#include "spreadsheet/core/date_serial.h"
#include "spreadsheet/formula/decode.h"
#include "spreadsheet/formula/formula_error.h"

namespace tabrel::formula {
namespace {

std::u16string digits(int value, int width) {
  std::u16string s;
  for (auto c : std::to_string(value)) s += static_cast<char16_t>(c);
  while (static_cast<int>(s.size()) < width) s.insert(s.begin(), u'0');
  return s;
}

// Built-in formats that show dates or times: 14..22, 45..47 and the Korean 27..36, 50..58.
bool builtin_shows_date(uint16_t id) {
  return (id >= 14 && id <= 22) || (id >= 45 && id <= 47) || (id >= 27 && id <= 36) || (id >= 50 && id <= 58);
}

// A format code shows dates when one of y m d h s appears outside quotes, escapes and brackets
// (colours and conditions), in its first section.
bool code_shows_date(std::u16string_view code) {
  bool quoted = false;
  for (size_t i = 0; i < code.size(); ++i) {
    char16_t c = code[i];
    if (quoted) {
      if (c == u'"') quoted = false;
      continue;
    }
    switch (c) {
      case u'"': quoted = true; break;
      case u'\\': case u'_': case u'*': ++i; break;
      case u';': return false;
      case u'[': {
        size_t end = code.find(u']', i);
        if (end == std::u16string_view::npos) return false;
        std::u16string_view inner = code.substr(i + 1, end - i - 1);
        if (!inner.empty() && (inner[0] == u'h' || inner[0] == u'H' || inner[0] == u'm' || inner[0] == u'M' ||
                               inner[0] == u's' || inner[0] == u'S'))
          return true;
        i = end;
        break;
      }
      default:
        switch (c | 0x20) {
          case u'y': case u'm': case u'd': case u'h': case u's': return true;
          default: break;
        }
    }
  }
  return false;
}

// The short-date form of the formula bar: "2024-03-01", with "오후 1:30:00" for a time part.
std::u16string date_text(double serial, DateSystem system) {
  double whole = std::floor(serial);
  CivilTime t = time_from_serial(serial);
  bool has_time = t.hour || t.minute || t.second;
  std::u16string out;
  if (whole >= 1 || !has_time) {
    auto d = date_from_serial(whole, system);
    if (!d) return number_text(serial);
    out = digits(d->year, 4) + u"-" + digits(d->month, 2) + u"-" + digits(d->day, 2);
  }
  if (has_time) {
    if (!out.empty()) out += u' ';
    int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    out += (t.hour < 12 ? u"오전 " : u"오후 ") + digits(h12, 1) + u":" + digits(t.minute, 2) + u":" + digits(t.second, 2);
  }
  return out;
}

std::u16string constant_text(const model::Workbook& wb, const model::Cell& c) {
  const model::CellValue& v = c.value;
  if (v.is_number()) {
    if (xf_shows_date(wb, c.xf) && v.as_number() >= 0) return date_text(v.as_number(), wb.date_system);
    return number_text(v.as_number());
  }
  if (v.is_text()) return v.as_text();
  if (v.is_bool()) return v.as_bool() ? u"TRUE" : u"FALSE";
  if (v.is_error()) return cell_error_text(v.as_error());
  return u"";
}

std::u16string table_text(const model::DataTable& t, Notation notation) {
  auto ref = [&](model::CellRef c) -> std::u16string {
    if (notation == Notation::A1) return model::a1_address(c);
    return u"R" + digits(c.row + 1, 1) + u"C" + digits(c.col + 1, 1);
  };
  if (t.two_inputs()) return u"=TABLE(" + ref(t.input1) + u"," + ref(t.input2) + u")";
  if (t.row_input()) return u"=TABLE(" + ref(t.input1) + u",)";
  return u"=TABLE(," + ref(t.input1) + u")";
}

}  // namespace

bool xf_shows_date(const model::Workbook& workbook, uint16_t xf) {
  if (xf >= workbook.styles.xfs.size()) return false;
  uint16_t id = workbook.styles.xfs[xf].format;
  if (const std::u16string* code = workbook.styles.custom_format(id)) return code_shows_date(*code);
  return builtin_shows_date(id);
}

const model::DataTable* data_table_at(const model::Sheet& sheet, model::CellRef cell) {
  for (const auto& [key, table] : sheet.data_tables)
    if (table.range.contains(cell)) return &table;
  return nullptr;
}

std::optional<Node> cell_tree(const model::Sheet& sheet, model::CellRef cell) {
  const model::Cell* c = sheet.cells.find(cell);
  if (!c || !c->formula) return std::nullopt;
  Node root = decode(c->formula->tokens, c->formula->extra, cell);
  if (root.kind == Node::Kind::TableRef) return std::nullopt;
  if (root.kind != Node::Kind::SharedRef) return root;
  uint32_t key = model::CellStore::key(model::CellRef{root.first.row, root.first.col});
  if (auto it = sheet.shared_formulas.find(key); it != sheet.shared_formulas.end())
    return decode(it->second.tokens, it->second.extra, cell, true);
  if (auto it = sheet.array_formulas.find(key); it != sheet.array_formulas.end()) {
    model::CellRef master{root.first.row, root.first.col};
    return decode(it->second.tokens, it->second.extra, master);
  }
  // A member whose pointer names another cell of the shared range.
  for (const auto& [k, shared] : sheet.shared_formulas)
    if (shared.range.contains(cell) && shared.range.contains({root.first.row, root.first.col}))
      return decode(shared.tokens, shared.extra, cell, true);
  throw FormulaError(FormulaError::Kind::BadStructure, 0, "shared formula without its definition");
}

std::u16string cell_formula(const model::Workbook& workbook, const model::Sheet& sheet, model::CellRef cell,
                            Notation notation) {
  const model::Cell* c = sheet.cells.find(cell);
  if (!c) return u"";
  if (!c->formula) return constant_text(workbook, *c);
  if (const model::DataTable* t = data_table_at(sheet, cell)) {
    Node root = decode(c->formula->tokens, c->formula->extra, cell);
    if (root.kind == Node::Kind::TableRef) return table_text(*t, notation);
  }
  std::optional<Node> tree = cell_tree(sheet, cell);
  if (!tree) return u"";
  return print(workbook, cell, *tree, notation);
}

}  // namespace tabrel::formula
