#pragma once
// The recalculation engine's own records (engine.cpp computes, engine_graph.cpp analyses).

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "spreadsheet/formula/engine.h"

namespace tabrel::formula {

// One tree computed by one or more cells: a cell's own formula, or the definition of a shared
// or array formula, decoded once for all its cells.
struct Engine::Plan {
  Node tree;
  bool array = false;        // an array formula: each cell shows its own element
  bool is_volatile = false;  // calls a volatile function
  bool subtotal = false;     // calls SUBTOTAL
};

struct Engine::Info {
  std::shared_ptr<const Plan> plan;        // null: malformed tokens, or a data-table cell
  const model::DataTable* table = nullptr;
  model::CellRef shift;                    // from the plan's base cell to this one
  bool is_volatile = false;                // calls a volatile function, itself or through a name
  bool stale = false;                      // a precedent changed since it was computed
  bool always = false;                     // volatile or reads a volatile cell
  uint64_t computed = 0;                   // the recalculation that last computed it
};

struct Engine::NameEntry {
  std::vector<uint8_t> tokens, extra;  // the definition decoded (a changed one is decoded again)
  std::optional<Node> tree;            // relative parts as offsets from A1; nullopt: malformed or empty
  bool is_volatile = false;
  bool decoded = false;
};

// Cells computed precedents first. A cell is on the path from when its precedents are pushed
// above it until it is finished; the path's cells wait for one another, so reading one of them
// again is a circular reference.
struct Engine::Pass {
  bool fresh = false;           // data-table evaluation: every formula afresh, into Engine::fresh_
  CellKey target = 0;
  std::optional<Scalar> target_result;
  std::vector<CellKey> stack;
  std::unordered_map<CellKey, size_t> path;  // cell -> its stack position
  std::vector<CellKey> waiting_for;          // read by the evaluation under way before being computed
  size_t cycle_from = std::numeric_limits<size_t>::max();  // lowest path position it read
};

}  // namespace tabrel::formula
