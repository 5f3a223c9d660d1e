#pragma once
// The recalculation engine's own records (engine.cpp computes, engine_graph.cpp analyses).

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
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
  uint64_t expanded_in = 0;                // the pass that pushed its precedents and has not finished it
};

// A node of a formula's tree still to be walked for references, with the shift of its cell.
struct Engine::ReferenceItem {
  const Node* node;
  model::CellRef shift;
};

struct Engine::NameEntry {
  std::vector<uint8_t> tokens, extra;  // the definition decoded (a changed one is decoded again)
  std::optional<Node> tree;            // relative parts as offsets from A1; nullopt: malformed or empty
  bool is_volatile = false;
  bool decoded = false;
};

// Cells computed precedents first. The cells a formula reads as written are pushed above it
// before it is evaluated (a guess that saves evaluating it twice); a cell whose evaluation read
// cells not computed yet waits for them, and only these waits prove an order: reading a cell
// that, through waits, waits for the reader closes a circle.
struct Engine::Pass {
  bool fresh = false;           // data-table evaluation: every formula afresh, into Engine::fresh_
  uint64_t serial = 0;          // the pass's number, marking the cells it expanded (Info::expanded_in)
  CellKey target = 0;
  std::optional<Scalar> target_result;
  std::vector<CellKey> stack;
  // Precedents pushed, not finished: a fresh pass, nested in another, keeps them here instead.
  std::unordered_set<CellKey> expanded;
  std::unordered_map<CellKey, std::vector<CellKey>> waiting;  // evaluated, waiting for these
  // The evaluation under way: its cell, what it read before it was computed, and the circle
  // it closed (the cells from the one read round to the reader).
  CellKey current = ~CellKey{0};
  std::vector<CellKey> waiting_for;
  std::vector<CellKey> circle;
};

}  // namespace tabrel::formula
