#include "spreadsheet/automation/names.h"

#include <algorithm>
#include <numeric>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/calculation.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/range_address.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/automation/selection.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/decode.h"
#include "spreadsheet/formula/encode.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/parse.h"
#include "spreadsheet/formula/print.h"
#include "spreadsheet/formula/sheet_names.h"
#include "spreadsheet/core/automation_error.h"

namespace tabrel::xl {
std::u16string name_caption(const model::Workbook& wb, const model::DefinedName& name) {
  if (name.sheet_scope == 0 || name.sheet_scope > wb.sheets.size()) return name.name;
  return wb.sheets[name.sheet_scope - 1u]->name + u"!" + name.name;
}

std::vector<size_t> names_in_collection_order(const model::Workbook& wb) {
  std::vector<size_t> order(wb.names.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::erase_if(order, [&](size_t i) { return wb.names[i].deleted; });
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const model::DefinedName& x = wb.names[a];
    const model::DefinedName& y = wb.names[b];
    const std::u16string x_key = lower(x.name), y_key = lower(y.name);
    if (x_key != y_key) return x_key < y_key;
    return x.sheet_scope < y.sheet_scope;
  });
  return order;
}

Names::Names(std::shared_ptr<Application> app, std::shared_ptr<Book> book, const model::Sheet* sheet)
    : app_(std::move(app)), book_(std::move(book)), sheet_(sheet) {}

uint16_t Names::scope(const model::Workbook& wb) const {
  if (!sheet_) return 0;
  const int index = wb.sheet_index(sheet_);
  if (index < 0) raise(Fault::ObjectDeleted);
  return static_cast<uint16_t>(index + 1);
}

std::vector<size_t> Names::members(const model::Workbook& wb) const {
  std::vector<size_t> order = names_in_collection_order(wb);
  if (sheet_) {
    const uint16_t own = scope(wb);
    std::erase_if(order, [&](size_t i) { return wb.names[i].sheet_scope != own; });
  }
  return order;
}

int Names::Count() const { return static_cast<int>(members(open_workbook(*app_, *book_)).size()); }

std::shared_ptr<DefinedName> Names::Item(const Variant& index) const {
  model::Workbook& wb = open_workbook(*app_, *book_);
  const ItemKey key = item_key(index);
  const std::vector<size_t> order = members(wb);
  if (key.number) {
    if (*key.number < 1 || static_cast<size_t>(*key.number) > order.size()) raise(Fault::MethodFailed);
    return std::make_shared<DefinedName>(app_, book_, wb.names[order[static_cast<size_t>(*key.number - 1)]]);
  }
  for (size_t i : order) {
    if (equals_ignore_case(name_caption(wb, wb.names[i]), key.name))
      return std::make_shared<DefinedName>(app_, book_, wb.names[i]);
  }
  // Without its sheet's name: the workbook's name, or in a worksheet's collection its own.
  const uint16_t own = scope(wb);
  for (size_t i : order) {
    if (wb.names[i].sheet_scope == own && equals_ignore_case(wb.names[i].name, key.name))
      return std::make_shared<DefinedName>(app_, book_, wb.names[i]);
  }
  raise(Fault::MethodFailed);
}

namespace {

constexpr size_t kMaxNameLength = 255;
constexpr uint16_t kHiddenFlag = 0x0001;

// The cell from which relative references of names are read and shown: the active cell of the
// workbook's active sheet, as in the desktop spreadsheet.
model::CellRef name_base(model::Workbook& wb) {
  if (const model::Sheet* sheet = active_sheet(wb)) return active_cell(*sheet);
  return {};
}

// A name keeps its relative references as seen from A1, as the file stores them: the
// distance from the cell where it was defined, wrapped round the sheet's edges.
void move_to_a1(formula::Address& a, model::CellRef from) {
  if (a.row_relative) a.row = (a.row - from.row + model::kMaxRows) % model::kMaxRows;
  if (a.col_relative) a.col = (a.col - from.col + model::kMaxColumns) % model::kMaxColumns;
}

void seen_from_a1(formula::Node& node, model::CellRef from) {
  using Kind = formula::Node::Kind;
  if (node.kind == Kind::Ref || node.kind == Kind::Area) {
    move_to_a1(node.first, from);
    if (node.kind == Kind::Area) move_to_a1(node.last, from);
  }
  for (formula::Node& child : node.children) seen_from_a1(child, from);
}

std::u16string print_name(model::Workbook& wb, const model::DefinedName& name, formula::Notation notation) {
  const model::CellRef base = name_base(wb);
  try {
    return formula::print(wb, base, formula::decode(name.tokens, name.extra, base, true), notation);
  } catch (const formula::FormulaError&) {
    raise(Fault::MethodFailed);
  }
}

bool name_character(char16_t c, bool first) {
  const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c >= 0x80 || c == u'_' || c == u'\\';
  return letter || (!first && ((c >= u'0' && c <= u'9') || c == u'.'));
}

bool valid_name(const std::u16string& name) {
  if (name.empty() || name.size() > kMaxNameLength) return false;
  for (size_t i = 0; i < name.size(); ++i)
    if (!name_character(name[i], i == 0)) return false;
  // Texts that read as a cell address ("A1", "iv3") or as R/C are no names.
  if (model::parse_a1(name) || equals_ignore_case(name, u"R") || equals_ignore_case(name, u"C")) return false;
  return true;
}

}  // namespace

std::shared_ptr<DefinedName> Names::Add(const std::u16string& name, const std::u16string& refers_to, bool r1c1) {
  model::Workbook& wb = open_workbook(*app_, *book_);
  if (!valid_name(name)) raise(Fault::MethodFailed);
  const std::u16string text = !refers_to.empty() && refers_to.front() == u'=' ? refers_to : u"=" + refers_to;
  const model::CellRef from = name_base(wb);
  model::DefinedName defined;
  defined.name = name;
  defined.sheet_scope = scope(wb);
  try {
    formula::Node tree = formula::parse(text, wb, from, r1c1 ? formula::Notation::R1C1 : formula::Notation::A1);
    seen_from_a1(tree, from);
    formula::Encoded bytes = formula::encode(tree, {}, formula::EncodeForm::Name);
    defined.tokens = std::move(bytes.tokens);
    defined.extra = std::move(bytes.extra);
  } catch (const formula::FormulaError&) {
    raise(Fault::MethodFailed);
  }
  auto same = std::find_if(wb.names.begin(), wb.names.end(), [&](const model::DefinedName& n) {
    return n.sheet_scope == defined.sheet_scope && equals_ignore_case(n.name, name);
  });
  if (same != wb.names.end()) {
    same->tokens = defined.tokens;
    same->extra = defined.extra;
    if (same->deleted) {
      same->deleted = false;
      same->flags &= static_cast<uint16_t>(~kHiddenFlag);
    }
    calculate_full(*book_);  // the formulas that use the name
    return std::make_shared<DefinedName>(app_, book_, *same);
  }
  // A new name goes last in the workbook's own list, whose positions formulas refer to; the
  // collection shows it in its sorted place.
  wb.names.push_back(std::move(defined));
  return std::make_shared<DefinedName>(app_, book_, wb.names.back());
}

DefinedName::DefinedName(std::shared_ptr<Application> app, std::shared_ptr<Book> book, const model::DefinedName& name)
    : app_(std::move(app)), book_(std::move(book)), name_(name.name), scope_(name.sheet_scope) {}

model::DefinedName& DefinedName::get() const {
  model::Workbook& wb = open_workbook(*app_, *book_);
  auto it = std::find_if(wb.names.begin(), wb.names.end(), [&](const model::DefinedName& n) {
    return !n.deleted && n.sheet_scope == scope_ && n.name == name_;
  });
  if (it == wb.names.end()) raise(Fault::ObjectDeleted);
  return *it;
}

std::u16string DefinedName::Name() const { return name_caption(*book_->model, get()); }
std::u16string DefinedName::RefersTo() const { return print_name(*book_->model, get(), formula::Notation::A1); }

std::u16string DefinedName::RefersToR1C1() const {
  return print_name(*book_->model, get(), formula::Notation::R1C1);
}
std::shared_ptr<Range> DefinedName::RefersToRange() const {
  // RefersTo reads "=Sheet!$A$1:$B$2", the sheet's name quoted when it must be.
  const std::u16string text = RefersTo();
  const size_t bang = text.rfind(u'!');
  if (text.size() < 2 || text[0] != u'=' || bang == std::u16string::npos) raise(Fault::MethodFailed);
  std::u16string sheet = text.substr(1, bang - 1);
  if (sheet.size() >= 2 && sheet.front() == u'\'' && sheet.back() == u'\'') {
    sheet = sheet.substr(1, sheet.size() - 2);
    for (size_t i = sheet.find(u"''"); i != std::u16string::npos; i = sheet.find(u"''", i + 1)) sheet.erase(i, 1);
  }
  const auto address = parse_range_address(text.substr(bang + 1));
  if (!address) raise(Fault::MethodFailed);
  auto worksheet = Workbook(app_, book_).Sheets(Variant(sheet));
  return worksheet->Range(Variant(text.substr(bang + 1)));
}

std::shared_ptr<Range> named_range(const std::shared_ptr<Application>& app, const std::shared_ptr<Book>& book,
                                   const model::Sheet& sheet, const std::u16string& text) {
  model::Workbook& wb = open_workbook(*app, *book);
  const auto own = static_cast<uint16_t>(wb.sheet_index(&sheet) + 1);
  const model::DefinedName* found = nullptr;
  for (const model::DefinedName& n : wb.names) {
    if (n.deleted || n.builtin) continue;
    if (equals_ignore_case(name_caption(wb, n), text) ||
        (equals_ignore_case(n.name, text) && (n.sheet_scope == own || (n.sheet_scope == 0 && !found))))
      found = &n;
  }
  if (!found) return nullptr;
  return DefinedName(app, book, *found).RefersToRange();
}

void name_cells(const Range& cells, const std::u16string& name) {
  const SheetHandle& sheet = cells.sheet();
  std::u16string qualifier;
  for (char16_t c : sheet.get().name) qualifier += c == u'\'' ? std::u16string(u"''") : std::u16string(1, c);
  if (formula::sheet_name_needs_quotes(sheet.get().name)) qualifier = u"'" + qualifier + u"'";
  Names(sheet.app, sheet.book).Add(name, u"=" + qualifier + u"!" + cells.Address(true, true));
}

std::shared_ptr<DefinedName> name_of_cells(const Range& cells) {
  const SheetHandle& sheet = cells.sheet();
  model::Workbook& wb = sheet.workbook();
  for (size_t i : names_in_collection_order(wb)) {
    if (wb.names[i].builtin) continue;
    auto name = std::make_shared<DefinedName>(sheet.app, sheet.book, wb.names[i]);
    try {
      auto range = name->RefersToRange();
      if (range->sheet() == sheet && range->area() == cells.area()) return name;
    } catch (const AutomationError&) {
    }
  }
  raise(Fault::MethodFailed);
}

bool DefinedName::Visible() const { return !get().hidden(); }

void DefinedName::Delete() {
  model::DefinedName& name = get();
  name.deleted = true;
  name.flags |= kHiddenFlag;
  name.tokens.clear();
  name.extra.clear();
  calculate_full(*book_);  // the formulas that used the name show #NAME?
}

}  // namespace tabrel::xl
