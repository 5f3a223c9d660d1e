#include "spreadsheet/formula/engine.h"

#include <cmath>
#include <ctime>

#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/cell_formula.h"
#include "spreadsheet/formula/decode.h"
#include "spreadsheet/formula/encode.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/parse.h"
#include "spreadsheet/formula/sheet_names.h"

namespace tabrel::formula {
namespace {

// Formula cells computed inside one another before the engine falls back to cached results.
constexpr int kMaxHops = 200;

constexpr uint16_t kSubtotal = 344;

bool calls(const Node& n, uint16_t function) {
  if (n.kind == Node::Kind::Function && n.function == function) return true;
  for (const Node& c : n.children)
    if (calls(c, function)) return true;
  return false;
}

}  // namespace

model::CellValue to_cell_value(const Scalar& s) {
  if (auto d = std::get_if<double>(&s))
    return std::isfinite(*d) ? model::CellValue::number(*d) : model::CellValue::error(CellError::Num);
  if (auto t = std::get_if<std::u16string>(&s)) return model::CellValue::text(*t);
  if (auto b = std::get_if<bool>(&s)) return model::CellValue::boolean(*b);
  if (auto e = std::get_if<CellError>(&s)) return model::CellValue::error(*e);
  return {};
}

Scalar to_scalar(const model::CellValue& v) {
  if (v.is_number()) return v.as_number();
  if (v.is_text()) return v.as_text();
  if (v.is_bool()) return v.as_bool();
  if (v.is_error()) return v.as_error();
  return std::monostate{};
}

double system_clock_serial() {
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  double day = serial_from_date(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday).value_or(0);
  return day + (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec) / 86400.0;
}

Engine::Engine(model::Workbook& workbook, EngineOptions options) : wb_(workbook), options_(std::move(options)) {}

const model::Cell* Engine::find(int sheet, model::CellRef c) const {
  if (sheet < 0 || static_cast<size_t>(sheet) >= wb_.sheets.size()) return nullptr;
  return wb_.sheets[static_cast<size_t>(sheet)]->cells.find(c);
}

double Engine::now() {
  double serial = options_.clock ? options_.clock() : system_clock_serial();
  return wb_.date_system == DateSystem::k1904 ? serial - kDays1904Offset : serial;
}

std::optional<std::u16string> Engine::format_number(double value, std::u16string_view code) {
  if (!options_.format_number) return std::nullopt;
  return options_.format_number(value, code, wb_);
}

void Engine::report(const Key& k, std::string message) {
  if (!reported_.insert(k).second) return;
  problems_.push_back(Problem{k.first, model::CellStore::position(k.second), std::move(message)});
}

Engine::Info Engine::analyse(int sheet, model::CellRef c) {
  Info info;
  const model::Sheet& s = *wb_.sheets[static_cast<size_t>(sheet)];
  const model::Cell* cell = s.cells.find(c);
  if (!cell || !cell->formula) return info;
  Key k{sheet, model::CellStore::key(c)};
  try {
    Node root = decode(cell->formula->tokens, cell->formula->extra, c);
    if (root.kind == Node::Kind::TableRef) {
      info.table = data_table_at(s, c);
      if (!info.table) report(k, "data-table cell outside any table");
      return info;
    }
    if (root.kind == Node::Kind::SharedRef) {
      model::CellRef master{root.first.row, root.first.col};
      if (s.array_formulas.count(model::CellStore::key(master))) {
        info.array = true;
        info.array_offset = {c.row - master.row, c.col - master.col};
      }
    }
    info.tree = cell_tree(s, c);
  } catch (const FormulaError& e) {
    report(k, std::string("malformed formula: ") + e.what());
    return info;
  }
  if (!info.tree) return info;
  collect_precedents(*info.tree, sheet, c, info, 0);
  info.is_volatile = info.is_volatile || is_volatile(*info.tree);
  info.subtotal = calls(*info.tree, kSubtotal);
  return info;
}

void Engine::collect_precedents(const Node& n, int sheet, model::CellRef base, Info& info, int depth) {
  if (depth > kMaxDepth) return;
  switch (n.kind) {
    case Node::Kind::Ref:
    case Node::Kind::Area: {
      int first = sheet, last = sheet;
      if (n.ixti) {
        auto span = local_sheets(wb_, *n.ixti);
        if (!span) break;
        first = span->first;
        last = span->last;
      }
      model::RangeRef r{{std::min(n.first.row, n.last.row), std::min(n.first.col, n.last.col)},
                        {std::max(n.first.row, n.last.row), std::max(n.first.col, n.last.col)}};
      for (int s = first; s <= last; ++s) info.precedents.push_back(Area{s, r});
      break;
    }
    case Node::Kind::Name: {
      if (n.name_index == 0 || n.name_index > wb_.names.size()) break;
      const model::DefinedName& def = wb_.names[n.name_index - 1];
      try {
        Node tree = decode(def.tokens, def.extra, base, true);
        info.is_volatile = info.is_volatile || is_volatile(tree);
        collect_precedents(tree, sheet, base, info, depth + 8);
      } catch (const FormulaError&) {
      }
      break;
    }
    default: break;
  }
  for (const Node& c : n.children) collect_precedents(c, sheet, base, info, depth + 1);
}

Engine::Info& Engine::info_for(int sheet, model::CellRef c) {
  Key k{sheet, model::CellStore::key(c)};
  auto it = infos_.find(k);
  if (it != infos_.end()) return it->second;
  index_stale_ = true;
  return infos_[k] = analyse(sheet, c);
}

void Engine::build_graph() {
  for (size_t s = 0; s < wb_.sheets.size(); ++s)
    for (const auto& [key, cell] : wb_.sheets[s]->cells) {
      if (cell.formula) infos_[Key{static_cast<int>(s), key}] = analyse(static_cast<int>(s), model::CellStore::position(key));
    }
  graph_built_ = true;
  index_stale_ = true;
  update_volatile_closure();
}

void Engine::rebuild_index() {
  constexpr long long kCellByCell = 64;
  index_ = {};
  for (const auto& [key, info] : infos_) {
    if (info.table) {
      index_.tables.push_back(key);
      continue;
    }
    for (const Area& a : info.precedents) {
      if (a.range.cell_count() > kCellByCell) {
        index_.ranges.emplace_back(a, key);
        continue;
      }
      for (int r = a.range.first.row; r <= a.range.last.row; ++r)
        for (int c = a.range.first.col; c <= a.range.last.col; ++c)
          index_.cells[Key{a.sheet, model::CellStore::key({r, c})}].push_back(key);
    }
  }
  index_stale_ = false;
}

std::vector<Engine::Key> Engine::dependents_of(const Key& k) {
  if (index_stale_) rebuild_index();
  std::vector<Key> out = index_.tables;
  if (auto it = index_.cells.find(k); it != index_.cells.end()) out.insert(out.end(), it->second.begin(), it->second.end());
  model::CellRef pos = model::CellStore::position(k.second);
  for (const auto& [area, key] : index_.ranges)
    if (area.sheet == k.first && area.range.contains(pos)) out.push_back(key);
  return out;
}

void Engine::propagate(std::vector<Key> changed) {
  while (!changed.empty()) {
    Key k = changed.back();
    changed.pop_back();
    for (const Key& d : dependents_of(k))
      if (stale_.insert(d).second) changed.push_back(d);
  }
}

void Engine::update_volatile_closure() {
  always_.clear();
  std::vector<Key> work;
  for (const auto& [key, info] : infos_)
    if (info.is_volatile) {
      always_.insert(key);
      work.push_back(key);
    }
  while (!work.empty()) {
    Key k = work.back();
    work.pop_back();
    for (const Key& d : dependents_of(k))
      if (always_.insert(d).second) work.push_back(d);
  }
}

void Engine::sync() {
  if (!graph_built_) build_graph();
  std::vector<Key> changed = std::move(pending_);
  pending_.clear();
  for (size_t s = 0; s < wb_.sheets.size(); ++s) {
    model::CellStore& cells = wb_.sheets[s]->cells;
    const size_t before = changed.size();
    for (const auto& [key, cell] : cells)
      if (cell.dirty) changed.push_back(Key{static_cast<int>(s), key});
    for (size_t i = before; i < changed.size(); ++i) cells.find(model::CellStore::position(changed[i].second))->dirty = false;
  }
  if (changed.empty()) return;
  for (const Key& k : changed) {
    const model::Cell* cell = find(k.first, model::CellStore::position(k.second));
    if (cell && cell->formula) {
      infos_[k] = analyse(k.first, model::CellStore::position(k.second));
      stale_.insert(k);
    } else {
      infos_.erase(k);
      stale_.erase(k);
    }
  }
  index_stale_ = true;
  propagate(changed);
  update_volatile_closure();
}

bool Engine::needs_compute(const Key& k) const {
  if (stale_.count(k)) return true;
  if (!always_.count(k)) return false;
  auto it = computed_epoch_.find(k);
  return it == computed_epoch_.end() || it->second != epoch_;
}

void Engine::store(int sheet, model::CellRef c, const Scalar& s) {
  model::Cell* cell = wb_.sheets[static_cast<size_t>(sheet)]->cells.find(c);
  if (!cell) return;
  cell->value = to_cell_value(s);
  if (cell->formula) cell->formula->cached_string = is_text(s);
}

std::optional<Scalar> Engine::compute(int sheet, model::CellRef c, bool store_result) {
  Key k{sheet, model::CellStore::key(c)};
  const model::Cell* cell = find(sheet, c);
  if (!cell || !cell->formula) return std::nullopt;
  if (in_progress_.count(k) || hops_ >= kMaxHops) return std::nullopt;  // circular or too deep: cached value
  Info& info = info_for(sheet, c);
  in_progress_.insert(k);
  ++hops_;
  std::optional<Scalar> result;
  try {
    if (info.table) {
      result = table_value(sheet, c, *info.table);
    } else if (info.tree) {
      Evaluator ev(*this, sheet, c, info.array);
      ev.set_array_offset(info.array_offset);
      result = ev.evaluate(*info.tree);
    }
  } catch (const NotComputable& u) {
    report(k, u.reason);
    if (cell->value.is_blank()) result = CellError::Name;
  }
  --hops_;
  in_progress_.erase(k);
  stale_.erase(k);
  computed_epoch_[k] = epoch_;
  if (result && store_result) store(sheet, c, *result);
  return result;
}

Scalar Engine::cell(int sheet, model::CellRef c) {
  if (fresh_) return fresh_value(sheet, c);
  const model::Cell* found = find(sheet, c);
  if (!found) return std::monostate{};
  if (found->formula && needs_compute(Key{sheet, model::CellStore::key(c)})) compute(sheet, c, true);
  return to_scalar(find(sheet, c)->value);
}

bool Engine::is_subtotal(int sheet, model::CellRef c) {
  const model::Cell* found = find(sheet, c);
  return found && found->formula && info_for(sheet, c).subtotal;
}

Scalar Engine::fresh_value(int sheet, model::CellRef c) {
  Key k{sheet, model::CellStore::key(c)};
  if (auto it = overrides_.find(k); it != overrides_.end()) return it->second;
  if (auto it = fresh_memo_.find(k); it != fresh_memo_.end()) return it->second;
  const model::Cell* found = find(sheet, c);
  if (!found) return std::monostate{};
  Scalar cached = to_scalar(found->value);
  if (!found->formula) return cached;
  Info& info = info_for(sheet, c);
  if (info.table || !info.tree || in_progress_.count(k) || hops_ >= kMaxHops) return cached;
  in_progress_.insert(k);
  ++hops_;
  Scalar r = cached;
  try {
    Evaluator ev(*this, sheet, c, info.array);
    ev.set_array_offset(info.array_offset);
    r = ev.evaluate(*info.tree);
  } catch (const NotComputable&) {
  }
  --hops_;
  in_progress_.erase(k);
  fresh_memo_[k] = r;
  return r;
}

// One-input tables read their input values from the column left of the result range (a column
// input) or the row above it (a row input) and their formulas from the other side; a two-input
// table has its formula in the corner.
Scalar Engine::table_value(int sheet, model::CellRef c, const model::DataTable& t) {
  const model::RangeRef& r = t.range;
  if (r.first.row < 1 || r.first.col < 1) return CellError::Ref;
  model::CellRef formula_cell;
  std::vector<std::pair<model::CellRef, model::CellRef>> inputs;  // input cell, cell holding its value
  if (t.two_inputs()) {
    formula_cell = {r.first.row - 1, r.first.col - 1};
    inputs = {{t.input1, {r.first.row - 1, c.col}}, {t.input2, {c.row, r.first.col - 1}}};
  } else if (t.row_input()) {
    formula_cell = {c.row, r.first.col - 1};
    inputs = {{t.input1, {r.first.row - 1, c.col}}};
  } else {
    formula_cell = {r.first.row - 1, c.col};
    inputs = {{t.input1, {c.row, r.first.col - 1}}};
  }
  std::map<Key, Scalar> values;
  for (const auto& [input, source] : inputs) values[Key{sheet, model::CellStore::key(input)}] = cell(sheet, source);
  overrides_ = std::move(values);
  fresh_memo_.clear();
  fresh_ = true;
  Scalar result = fresh_value(sheet, formula_cell);
  fresh_ = false;
  overrides_.clear();
  fresh_memo_.clear();
  return is_blank(result) ? Scalar(0.0) : result;
}

model::CellValue Engine::value_of(int sheet, model::CellRef c) {
  ++epoch_;
  sync();
  const model::Cell* found = find(sheet, c);
  if (!found) return {};
  Key k{sheet, model::CellStore::key(c)};
  if (found->formula && needs_compute(k)) {
    // Stale cells first, in sheet order, so that long chains are computed without deep nesting.
    std::vector<Key> pending(stale_.begin(), stale_.end());
    for (const Key& p : pending)
      if (stale_.count(p)) compute(p.first, model::CellStore::position(p.second), true);
    if (needs_compute(k)) compute(sheet, c, true);
  }
  return find(sheet, c)->value;
}

void Engine::mark_changed(int sheet, model::CellRef c) { pending_.push_back(Key{sheet, model::CellStore::key(c)}); }

void Engine::set_formula(int sheet, model::CellRef c, std::u16string_view text, Notation notation) {
  model::Sheet& s = *wb_.sheets.at(static_cast<size_t>(sheet));
  if (!text.empty() && text[0] == u'=') {
    Node tree = parse(text, wb_, c, notation);
    Encoded bytes = encode(tree, c, EncodeForm::Cell, &wb_.externals);
    model::Cell& cell = s.cells.at(c);
    auto f = std::make_shared<model::Formula>();
    f->tokens = std::move(bytes.tokens);
    f->extra = std::move(bytes.extra);
    cell.formula = std::move(f);
    cell.value = {};
  } else {
    model::Cell& cell = s.cells.at(c);
    cell.formula.reset();
    std::u16string_view t = text;
    if (t.empty()) cell.value = {};
    else if (t[0] == u'\'') cell.value = model::CellValue::text(std::u16string(t.substr(1)));
    else if (auto n = text_to_number(t, wb_.date_system)) cell.value = model::CellValue::number(*n);
    else if (equals_ignore_case(t, u"TRUE") || equals_ignore_case(t, u"FALSE"))
      cell.value = model::CellValue::boolean(equals_ignore_case(t, u"TRUE"));
    else if (auto e = cell_error_from_text(t)) cell.value = model::CellValue::error(*e);
    else cell.value = model::CellValue::text(std::u16string(t));
  }
  mark_changed(sheet, c);
  value_of(sheet, c);
}

Scalar Engine::evaluate(const Node& tree, int sheet, model::CellRef base) {
  ++epoch_;
  sync();
  Evaluator ev(*this, sheet, base);
  try {
    return ev.evaluate(tree);
  } catch (const NotComputable&) {
    return CellError::Name;
  }
}

bool Engine::is_volatile_cell(int sheet, model::CellRef c) {
  sync();
  return always_.count(Key{sheet, model::CellStore::key(c)}) > 0;
}

size_t Engine::recompute_all() {
  ++epoch_;
  sync();
  for (const auto& [key, info] : infos_) stale_.insert(key);
  std::vector<Key> all(stale_.begin(), stale_.end());
  for (const Key& k : all)
    if (stale_.count(k)) compute(k.first, model::CellStore::position(k.second), true);
  return all.size();
}

std::optional<Scalar> Engine::recompute(int sheet, model::CellRef c) {
  ++epoch_;
  sync();
  return compute(sheet, c, true);
}

}  // namespace tabrel::formula
