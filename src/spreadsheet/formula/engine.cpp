#include "spreadsheet/formula/engine.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/encode.h"
#include "spreadsheet/formula/engine_parts.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/parse.h"

namespace tabrel::formula {
namespace {

// Areas up to this many cells have their formula cells computed before the formula reading
// them; the cells of larger ones are found by evaluating it.
constexpr long long kPushedArea = 64;

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

Engine::~Engine() = default;

double Engine::now() {
  double serial = options_.clock ? options_.clock() : system_clock_serial();
  return wb_.date_system == DateSystem::k1904 ? serial - kDays1904Offset : serial;
}

std::optional<std::u16string> Engine::format_number(double value, std::u16string_view code) {
  if (!options_.format_number) return std::nullopt;
  return options_.format_number(value, code, wb_);
}

void Engine::step(int depth) {
  ++work_.nodes;
  work_.deepest_nesting = std::max(work_.deepest_nesting, depth);
  check_work_limit();
}

void Engine::check_work_limit() const {
  if (options_.work_limit && work_.nodes + work_.reads > options_.work_limit) throw NotComputable{"work limit reached"};
}

const Value* Engine::remembered_name(uint16_t index, bool array_mode) {
  auto it = name_values_.find(index * 2u + (array_mode ? 1u : 0u));
  return it == name_values_.end() ? nullptr : &it->second;
}

void Engine::remember_name(uint16_t index, bool array_mode, const Value& v) {
  name_values_[index * 2u + (array_mode ? 1u : 0u)] = v;
}

bool Engine::is_subtotal(int sheet, model::CellRef c) {
  const Info* info = info_for(cell_key(sheet, c));
  return info && info->plan && info->plan->subtotal;
}

// Whether the cell is still to be computed in this pass.
bool Engine::needs(const Pass& p, CellKey k) { return !given(p, k) && needs(p, info_for(k)); }

bool Engine::needs(const Pass& p, const Info* info) const {
  if (!info) return false;
  if (p.fresh) return info->plan && !info->table;
  return info->stale || (info->always && info->computed != epoch_);
}

// Whether a fresh pass has the cell's value already: an input replaced, or computed afresh.
bool Engine::given(const Pass& p, CellKey k) const { return p.fresh && (overrides_.count(k) || fresh_.count(k)); }

Scalar Engine::cell(int sheet, model::CellRef c) {
  ++work_.reads;
  check_work_limit();
  const CellKey k = cell_key(sheet, c);
  if (pass_ && pass_->fresh) {
    if (auto it = overrides_.find(k); it != overrides_.end()) return it->second;
    if (auto it = fresh_.find(k); it != fresh_.end()) return it->second;
  }
  const model::Cell* found = find(sheet, c);
  if (!found) return std::monostate{};
  if (found->formula && pass_ && needs(*pass_, k)) {
    // Not computed yet: the evaluation reading it goes on with the value it holds, and is
    // done again once the cell is computed (or the circle it closes is settled).
    ++unsettled_;
    if (!closes_circle(*pass_, k)) pass_->waiting_for.push_back(k);
  }
  return to_scalar(found->value);
}

void Engine::run(Pass& p, CellKey target) {
  Pass* outer = pass_;
  pass_ = &p;
  if (p.serial == 0) p.serial = ++passes_;
  p.target = target;
  p.stack.push_back(target);
  while (!p.stack.empty()) {
    const CellKey k = p.stack.back();
    Info* info = given(p, k) ? nullptr : info_for(k);
    if (!needs(p, info)) {
      p.stack.pop_back();
      continue;
    }
    work_.longest_stack = std::max(work_.longest_stack, p.stack.size());
    if (expand(p, k, *info) && push_precedents(p, k, *info)) continue;
    attempt(p, k, *info);
  }
  pass_ = outer;
}

// Whether the cell under evaluation, reading `read`, closes a circle: `read` is that cell, or
// waits for it through other waiting cells. The circle's cells are noted.
bool Engine::closes_circle(Pass& p, CellKey read) {
  if (!p.circle.empty()) return true;
  if (read == p.current) {
    p.circle = {read};
    return true;
  }
  if (!p.waiting.count(read)) return false;
  // Depth-first through the waits, remembering the way back.
  std::unordered_map<CellKey, CellKey> came_from{{read, read}};
  std::vector<CellKey> todo{read};
  while (!todo.empty()) {
    const CellKey at = todo.back();
    todo.pop_back();
    auto it = p.waiting.find(at);
    if (it == p.waiting.end()) continue;
    for (CellKey next : it->second) {
      ++work_.nodes;
      if (!came_from.emplace(next, at).second) continue;
      if (next == p.current) {
        for (CellKey c = next;; c = came_from.at(c)) {
          p.circle.push_back(c);
          if (c == read) break;
        }
        return true;
      }
      todo.push_back(next);
    }
  }
  return false;
}

// Pushes the formula cells the formula reads as written that are still to be computed.
bool Engine::push_precedents(Pass& p, CellKey k, const Info& info) {
  if (!info.plan) return false;
  std::vector<Area>& areas = precedent_areas_;
  areas.clear();
  references(info, k, &areas, nullptr);
  const size_t before = p.stack.size();
  for (const Area& a : areas) {
    if (a.range.cell_count() > kPushedArea) continue;
    for (int r = a.range.first.row; r <= a.range.last.row; ++r)
      for (int c = a.range.first.col; c <= a.range.last.col; ++c) {
        const CellKey y = cell_key(a.sheet, {r, c});
        if (given(p, y)) continue;
        const Info* read = info_for(y);
        if (needs(p, read) && !expanded(p, y, *read)) p.stack.push_back(y);
      }
  }
  return p.stack.size() != before;
}

bool Engine::expand(Pass& p, CellKey k, Info& info) {
  if (p.fresh) return p.expanded.insert(k).second;
  if (info.expanded_in == p.serial) return false;
  info.expanded_in = p.serial;
  return true;
}

bool Engine::expanded(const Pass& p, CellKey k, const Info& info) const {
  return p.fresh ? p.expanded.count(k) != 0 : info.expanded_in == p.serial;
}

void Engine::attempt(Pass& p, CellKey k, Info& info) {
  const int sheet = key_sheet(k);
  const model::CellRef c = key_cell(k);
  p.current = k;
  p.waiting_for.clear();
  p.circle.clear();
  std::optional<Scalar> result;
  std::string problem;
  ++work_.evaluations;
  try {
    if (info.table) {
      result = table_value(sheet, c, *info.table);
    } else if (info.plan) {
      Evaluator ev(*this, sheet, c, info.plan->array);
      ev.set_shift(info.shift);
      ev.set_array_offset(info.shift);
      result = ev.evaluate(info.plan->tree);
    }
  } catch (const NotComputable& u) {
    problem = u.reason;
    result.reset();
  } catch (const CircularName&) {
    p.circle = {k};
  }
  if (!p.circle.empty()) {
    settle_circle(p);
    return;
  }
  if (!p.waiting_for.empty()) {
    p.waiting[k] = p.waiting_for;
    for (CellKey y : p.waiting_for) p.stack.push_back(y);
    return;
  }
  if (!problem.empty() && !p.fresh) {
    report(k, problem);
    if (find(sheet, c)->value.is_blank()) result = CellError::Name;
  }
  finish(p, k, &info, result);
}

void Engine::finish(Pass& p, CellKey k, Info* info, const std::optional<Scalar>& result) {
  const int sheet = key_sheet(k);
  const model::CellRef c = key_cell(k);
  if (k == p.target) p.target_result = result;
  if (p.fresh) {
    fresh_[k] = result ? *result : to_scalar(find(sheet, c)->value);
    p.expanded.erase(k);
  } else {
    Info& done = info ? *info : *info_for(k);
    done.stale = false;
    done.computed = epoch_;
    done.expanded_in = 0;
    if (result) store(sheet, c, *result);
  }
  p.waiting.erase(k);
  if (!p.stack.empty() && p.stack.back() == k) p.stack.pop_back();
}

// The cells of a circle each keep the value they hold (0 when they hold none), as the
// spreadsheet leaves circular references with iteration off.
void Engine::settle_circle(Pass& p) {
  const std::vector<CellKey> circle = std::move(p.circle);
  p.circle.clear();
  for (CellKey k : circle) {
    const model::Cell* cell = find(key_sheet(k), key_cell(k));
    finish(p, k, nullptr, cell->value.is_blank() ? Scalar(0.0) : to_scalar(cell->value));
  }
}

void Engine::store(int sheet, model::CellRef c, const Scalar& s) {
  model::Cell* cell = wb_.sheets[static_cast<size_t>(sheet)]->cells.find(c);
  if (!cell) return;
  cell->value = to_cell_value(s);
  if (cell->formula) cell->formula->cached_string = is_text(s);
}

// One-input tables read their input values from the column left of the result range (a column
// input) or the row above it (a row input) and their formulas from the other side; a two-input
// table has its formula in the corner. The formula and what it reads are computed afresh with
// the inputs replaced.
std::optional<Scalar> Engine::table_value(int sheet, model::CellRef c, const model::DataTable& t) {
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
  std::unordered_map<CellKey, Scalar> values;
  for (const auto& [input, source] : inputs) values[cell_key(sheet, input)] = cell(sheet, source);
  if (!pass_->waiting_for.empty()) return std::nullopt;  // computed again once the inputs are
  overrides_ = std::move(values);
  fresh_.clear();
  name_values_.clear();
  const CellKey target = cell_key(sheet, formula_cell);
  Pass fresh;
  fresh.fresh = true;
  run(fresh, target);
  Scalar result;
  if (auto it = overrides_.find(target); it != overrides_.end()) result = it->second;
  else if (auto f = fresh_.find(target); f != fresh_.end()) result = f->second;
  else if (const model::Cell* cell = find(sheet, formula_cell)) result = to_scalar(cell->value);
  overrides_.clear();
  fresh_.clear();
  name_values_.clear();
  return is_blank(result) ? Scalar(0.0) : result;
}

model::CellValue Engine::value_of(int sheet, model::CellRef c) {
  sync();
  const model::Cell* found = find(sheet, c);
  if (!found) return {};
  if (found->formula) {
    Pass p;
    const CellKey k = cell_key(sheet, c);
    if (needs(p, k)) run(p, k);
  }
  return find(sheet, c)->value;
}

void Engine::mark_changed(int sheet, model::CellRef c) { pending_.push_back(cell_key(sheet, c)); }

void Engine::set_formula(int sheet, model::CellRef c, std::u16string_view text, Notation notation) {
  model::Sheet& s = *wb_.sheets.at(static_cast<size_t>(sheet));
  if (!text.empty() && text[0] == u'=') {
    Node tree = parse(text, wb_, c, notation);
    Encoded bytes = encode(tree, c, EncodeForm::Cell, &wb_.externals);
    model::Cell& cell = s.cells.at(c);
    auto f = model::FormulaPtr::make();
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
  sync();
  // The tree's precedents are computed first; it is evaluated again until none was missing.
  Pass* const outer = pass_;
  while (true) {
    Pass p;
    pass_ = &p;
    Scalar result;
    try {
      Evaluator ev(*this, sheet, base);
      result = ev.evaluate(tree);
    } catch (const NotComputable&) {
      result = CellError::Name;
    } catch (const CircularName&) {
      result = 0.0;
    }
    pass_ = outer;
    if (p.waiting_for.empty()) return result;
    for (CellKey y : p.waiting_for) {
      Pass q;
      if (needs(q, y)) run(q, y);
    }
  }
}

bool Engine::is_volatile_cell(int sheet, model::CellRef c) {
  sync();
  const Info* info = info_for(cell_key(sheet, c));
  return info && info->always;
}

size_t Engine::recompute_all() {
  sync();
  new_recalculation();
  std::vector<CellKey> all;
  all.reserve(infos_.size());
  infos_.for_each([&](CellKey k, Info& info) {  // in key order: sheet, row, column
    info.stale = true;
    all.push_back(k);
  });
  Pass p;
  for (CellKey k : all) run(p, k);
  return all.size();
}

std::optional<Scalar> Engine::recompute(int sheet, model::CellRef c) {
  sync();
  new_recalculation();  // volatile precedents too are computed afresh
  const CellKey k = cell_key(sheet, c);
  Info* info = info_for(k);
  if (!info) return std::nullopt;
  info->stale = true;
  Pass p;
  run(p, k);
  return p.target_result;
}

}  // namespace tabrel::formula
