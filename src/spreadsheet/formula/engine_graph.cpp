// The engine's graph: formula cells analysed once (trees decoded once per shared formula), the
// references they make, the dependents index, and the changes operations noted.

#include <algorithm>
#include <cmath>

#include "spreadsheet/formula/cell_formula.h"
#include "spreadsheet/formula/decode.h"
#include "spreadsheet/formula/engine_parts.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/sheet_names.h"

namespace tabrel::formula {
namespace {

constexpr uint16_t kSubtotal = 344;

bool calls(const Node& n, uint16_t function) {
  if (n.kind == Node::Kind::Function && n.function == function) return true;
  for (const Node& c : n.children)
    if (calls(c, function)) return true;
  return false;
}

}  // namespace

const model::Cell* Engine::find(int sheet, model::CellRef c) const {
  if (sheet < 0 || static_cast<size_t>(sheet) >= wb_.sheets.size()) return nullptr;
  return wb_.sheets[static_cast<size_t>(sheet)]->cells.find(c);
}

void Engine::report(CellKey k, std::string message) {
  if (!reported_.emplace(k, true).second) return;
  problems_.push_back(Problem{key_sheet(k), key_cell(k), std::move(message)});
}

Engine::Info* Engine::info_for(CellKey k) {
  if (Info* found = infos_.find(k)) return found;
  const model::Cell* cell = find(key_sheet(k), key_cell(k));
  if (!cell || !cell->formula) return nullptr;
  Info& info = infos_.insert(k, analyse(k));
  if (index_built_) index_add(k, info);
  return &info;
}

// Members of a shared or array formula share the plan of its definition, decoded at the
// definition's cell; each member moves its relative references by its distance from there.
std::shared_ptr<const Engine::Plan> Engine::plan_for_member(int sheet, model::CellRef c, model::CellRef master,
                                                            Info& info) {
  const model::Sheet& s = *wb_.sheets[static_cast<size_t>(sheet)];
  uint32_t definition = model::CellStore::key(master);
  bool array = false;
  if (!s.shared_formulas.count(definition)) {
    if (s.array_formulas.count(definition)) {
      array = true;
    } else {
      // A member whose pointer names another cell of the shared range.
      auto it = std::find_if(s.shared_formulas.begin(), s.shared_formulas.end(), [&](const auto& entry) {
        return entry.second.range.contains(c) && entry.second.range.contains(master);
      });
      if (it == s.shared_formulas.end())
        throw FormulaError(FormulaError::Kind::BadStructure, 0, "shared formula without its definition");
      definition = it->first;
    }
  }
  const model::CellRef base = model::CellStore::position(definition);
  info.shift = {c.row - base.row, c.col - base.col};
  std::shared_ptr<const Plan>& plan = shared_plans_[cell_key(sheet, base)];
  if (!plan) {
    ++work_.decodes;
    if (array) {
      const model::ArrayFormula& f = s.array_formulas.at(definition);
      plan = make_plan(decode(f.tokens, f.extra, base), true);
    } else {
      const model::SharedFormula& f = s.shared_formulas.at(definition);
      plan = make_plan(decode(f.tokens, f.extra, base, true), false);
    }
  }
  return plan;
}

Engine::Info Engine::analyse(CellKey k) {
  Info info;
  const int sheet = key_sheet(k);
  const model::CellRef c = key_cell(k);
  const model::Cell* cell = find(sheet, c);
  if (!cell || !cell->formula) return info;
  try {
    const std::vector<uint8_t>& tokens = cell->formula->tokens;
    const bool member = !tokens.empty() && (tokens[0] == ptg::kExp || tokens[0] == ptg::kTbl);
    if (!member) ++work_.decodes;
    Node root = decode(tokens, cell->formula->extra, c);
    if (root.kind == Node::Kind::TableRef) {
      info.table = data_table_at(*wb_.sheets[static_cast<size_t>(sheet)], c);
      if (!info.table) report(k, "data-table cell outside any table");
      return info;
    }
    if (root.kind == Node::Kind::SharedRef) info.plan = plan_for_member(sheet, c, {root.first.row, root.first.col}, info);
    else info.plan = make_plan(std::move(root), false);
  } catch (const FormulaError& e) {
    report(k, std::string("malformed formula: ") + e.what());
    info.plan = nullptr;
    return info;
  }
  info.is_volatile = info.plan->is_volatile;
  references(info, k, nullptr, &info.is_volatile);
  return info;
}

std::shared_ptr<const Engine::Plan> Engine::make_plan(Node tree, bool array) {
  auto plan = std::make_shared<Plan>();
  plan->array = array;
  plan->is_volatile = is_volatile(tree);
  plan->subtotal = calls(tree, kSubtotal);
  plan->tree = std::move(tree);
  return plan;
}

const Node* Engine::name_tree(uint16_t index) {
  if (index == 0 || index > wb_.names.size()) return nullptr;
  if (names_.size() != wb_.names.size()) names_.resize(wb_.names.size());
  const model::DefinedName& def = wb_.names[index - 1];
  NameEntry& entry = names_[index - 1];
  if (!entry.decoded || entry.tokens != def.tokens || entry.extra != def.extra) {
    if (entry.decoded) name_values_.clear();  // the definition changed
    entry = NameEntry{def.tokens, def.extra, std::nullopt, false, true};
    if (!def.tokens.empty()) {
      ++work_.decodes;
      try {
        entry.tree = decode(def.tokens, def.extra, {0, 0}, true);
        entry.is_volatile = is_volatile(*entry.tree);
      } catch (const FormulaError&) {
      }
    }
  }
  return entry.tree ? &*entry.tree : nullptr;
}

// Every area a cell's formula reads as written (names followed once each, their relative parts
// taken from the cell); dynamic references (INDIRECT, OFFSET) are found when evaluating.
void Engine::references(const Info& info, CellKey k, std::vector<Area>* out, bool* is_volatile) {
  if (!info.plan) return;
  const int sheet = key_sheet(k);
  const model::CellRef cell = key_cell(k);
  std::vector<ReferenceItem>& work = reference_work_;
  work.assign(1, ReferenceItem{&info.plan->tree, info.shift});
  std::vector<uint16_t> names_seen;
  while (!work.empty()) {
    const auto [n, shift] = work.back();
    work.pop_back();
    switch (n->kind) {
      case Node::Kind::Ref:
      case Node::Kind::Area: {
        if (!out) break;
        int first = sheet, last = sheet;
        if (n->ixti) {
          auto span = local_sheets(wb_, *n->ixti);
          if (!span) break;
          first = span->first;
          last = span->last;
        }
        const Address a = shifted(n->first, n->offsets, shift.row, shift.col);
        const Address b = n->kind == Node::Kind::Area ? shifted(n->last, n->offsets, shift.row, shift.col) : a;
        model::RangeRef r{{std::min(a.row, b.row), std::min(a.col, b.col)}, {std::max(a.row, b.row), std::max(a.col, b.col)}};
        for (int s = first; s <= last; ++s) out->push_back(Area{s, r});
        break;
      }
      case Node::Kind::Name: {
        if (std::find(names_seen.begin(), names_seen.end(), n->name_index) != names_seen.end()) break;
        names_seen.push_back(n->name_index);
        if (const Node* tree = name_tree(n->name_index)) {
          if (is_volatile && names_[n->name_index - 1].is_volatile) *is_volatile = true;
          work.push_back(ReferenceItem{tree, cell});
        }
        break;
      }
      default: break;
    }
    for (const Node& child : n->children) work.push_back(ReferenceItem{&child, shift});
  }
}

void Engine::build_graph() {
  infos_.clear();
  index_.clear();
  index_built_ = false;
  any_volatile_ = false;
  for (size_t s = 0; s < wb_.sheets.size(); ++s) {
    for (const auto& [key, cell] : wb_.sheets[s]->cells) {
      if (!cell.formula) continue;
      const CellKey k = cell_key(static_cast<int>(s), model::CellStore::position(key));
      const Info& info = infos_.insert(k, analyse(k));
      any_volatile_ = any_volatile_ || info.is_volatile;
    }
  }
  graph_built_ = true;
  if (any_volatile_) update_volatile_closure();
}

void Engine::ensure_index() {
  if (index_built_) return;
  index_.clear();
  infos_.for_each([&](CellKey k, const Info& info) { index_add(k, info); });
  index_built_ = true;
}

void Engine::index_add(CellKey k, const Info& info) {
  if (info.table) {
    index_.add_table(k);
    return;
  }
  std::vector<Area> areas;
  references(info, k, &areas, nullptr);
  index_.add(k, areas);
}

void Engine::index_remove(CellKey k, const Info& info) {
  if (info.table) {
    index_.remove_table(k);
    return;
  }
  std::vector<Area> areas;
  references(info, k, &areas, nullptr);
  index_.remove(k, areas);
}

void Engine::update_volatile_closure() {
  ensure_index();
  std::vector<CellKey> work;
  infos_.for_each([&](CellKey k, Info& info) {
    info.always = info.is_volatile;
    if (info.always) work.push_back(k);
  });
  std::vector<CellKey> readers;
  while (!work.empty()) {
    const CellKey k = work.back();
    work.pop_back();
    readers.clear();
    index_.dependents(k, readers);
    for (CellKey d : readers) {
      Info* info = infos_.find(d);
      if (!info || info->always) continue;
      info->always = true;
      work.push_back(d);
    }
  }
}

void Engine::propagate(std::vector<CellKey> changed) {
  ensure_index();
  std::vector<CellKey> readers;
  while (!changed.empty()) {
    const CellKey k = changed.back();
    changed.pop_back();
    readers.clear();
    index_.dependents(k, readers);
    for (CellKey d : readers) {
      Info* info = infos_.find(d);
      if (!info || info->stale) continue;
      info->stale = true;
      changed.push_back(d);
    }
  }
}

// A changed cell: its old formula leaves the graph, its new one (if any) enters it.
void Engine::take_change(CellKey k, std::vector<CellKey>& changed, bool& formulas_changed) {
  ensure_index();
  if (const Info* old = infos_.find(k)) {
    formulas_changed = formulas_changed || old->always;
    index_remove(k, *old);
    infos_.erase(k);
  }
  const model::Cell* cell = find(key_sheet(k), key_cell(k));
  if (cell && cell->formula) {
    Info& info = infos_.insert(k, analyse(k));
    info.stale = true;
    index_add(k, info);
    formulas_changed = formulas_changed || info.is_volatile || any_volatile_;
    any_volatile_ = any_volatile_ || info.is_volatile;
  }
  changed.push_back(k);
}

void Engine::new_recalculation() {
  ++epoch_;
  name_values_.clear();
}

void Engine::sync() {
  if (!graph_built_) build_graph();
  std::vector<CellKey> keys = std::move(pending_);
  pending_.clear();
  bool rebuild = false;
  for (size_t s = 0; s < wb_.sheets.size(); ++s) {
    model::ChangeLog& log = wb_.sheets[s]->changes;
    if (log.empty()) continue;
    rebuild = rebuild || log.everything();
    for (uint32_t key : log.keys()) keys.push_back(cell_key(static_cast<int>(s), model::CellStore::position(key)));
    log.clear();
  }
  if (rebuild) {
    // More changes than a sheet has cells: every formula is computed again.
    build_graph();
    infos_.for_each([](CellKey, Info& info) { info.stale = true; });
    new_recalculation();
    return;
  }
  if (!keys.empty()) {
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    std::vector<CellKey> changed;
    bool formulas_changed = false;
    for (CellKey k : keys) take_change(k, changed, formulas_changed);
    propagate(std::move(changed));
    if (formulas_changed && any_volatile_) update_volatile_closure();
    new_recalculation();
    if (any_volatile_) day_seen_ = std::floor(now());
    return;
  }
  // Reads alone start a recalculation only on another day: a clock that ticks while a large
  // volatile workbook is read would otherwise recompute it read after read.
  if (any_volatile_) {
    const double day = std::floor(now());
    if (day != day_seen_) {
      day_seen_ = day;
      new_recalculation();
    }
  }
}

}  // namespace tabrel::formula
