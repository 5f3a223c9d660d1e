#pragma once
// Recalculation: cached formula results are used as loaded; a formula cell is recalculated when
// read if a precedent changed (an operation's entry in Sheet::changes, or mark_changed), if it is
// volatile (TODAY, NOW, RAND, OFFSET, INDIRECT ... and everything that depends on them: once per
// recalculation, which a change, a full recalculation or the clock reaching another day starts),
// or if it is a data-table cell and anything changed.
//
// Cells are computed precedents first from an explicit work stack, never one inside another, so
// a long chain needs no deep nesting: only one formula's own nesting is on the machine's stack.
// References found while evaluating (INDIRECT, OFFSET, INDEX, names) are ordered the same way: a
// formula that read a cell not computed yet is computed again after it. Cells on a circle
// keep the value they hold (0 when they hold none), as the spreadsheet shows them with iteration
// off; so does a cell using a defined name that reaches itself. A defined name is decoded once
// and its value, when it does not depend on the cell using it, computed once per recalculation.
//
//   formula::Engine engine(workbook);                       // the machine's clock
//   model::CellValue v = engine.value_of(sheet_index, {2, 1});
//   engine.set_formula(sheet_index, {2, 1}, u"=SUM(A1:A2)", Notation::A1);
//
// Tests inject the clock (a serial date-time) through EngineOptions.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "spreadsheet/formula/ast.h"
#include "spreadsheet/formula/cell_table.h"
#include "spreadsheet/formula/dependents.h"
#include "spreadsheet/formula/evaluator.h"
#include "spreadsheet/formula/print.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::formula {

// Number-format rendering for TEXT (the number-format module provides it).
using NumberFormatter =
    std::function<std::optional<std::u16string>(double value, std::u16string_view code, const model::Workbook&)>;

struct EngineOptions {
  std::function<double()> clock;   // current date and time as a serial; empty: the machine's local time
  NumberFormatter format_number;   // empty: TEXT shows numbers in the general form
  // Syntax-tree nodes evaluated and cell values read (each element of a range counts) that the
  // engine may spend in all (0: no limit); past it every formula keeps its cached result and is
  // reported. For untrusted workbooks under a time limit.
  uint64_t work_limit = 0;
};

// What the engine did, counted (tests bound work and nesting with it).
struct EngineWork {
  uint64_t evaluations = 0;   // formula evaluations started (a cell waiting for a precedent counts again)
  uint64_t nodes = 0;         // syntax-tree nodes evaluated
  uint64_t reads = 0;         // cell values read by evaluations, one per element of a range
  uint64_t decodes = 0;       // formula and name token strings decoded into trees
  size_t longest_stack = 0;   // cells waiting for their precedents at once
  int deepest_nesting = 0;    // deepest node of one evaluation
};

// The machine's local date and time as a serial of the 1900 system.
double system_clock_serial();

class Engine : private CellSource {
 public:
  explicit Engine(model::Workbook& workbook, EngineOptions options = {});
  ~Engine() override;

  // The cell's value (a formula's result), recalculated first when needed.
  model::CellValue value_of(int sheet, model::CellRef cell);
  // Tells the engine that a cell's value or formula changed (operations note it in
  // Sheet::changes instead).
  void mark_changed(int sheet, model::CellRef cell);
  // Range.Formula = text: stores the formula (a text without "=" is stored as a constant, as
  // the spreadsheet reads typed input) and computes it. Throws FormulaError for malformed text.
  void set_formula(int sheet, model::CellRef cell, std::u16string_view text, Notation notation);
  // Evaluates a tree in the context of a cell without storing anything (conditional formats,
  // Evaluate).
  Scalar evaluate(const Node& tree, int sheet, model::CellRef base);
  // Recomputes one formula cell from its precedents' current values, ignoring its own cached
  // result, and stores the result. nullopt when the cell has no formula or it cannot be computed
  // (unknown function, malformed tokens): then the cached result stays.
  std::optional<Scalar> recompute(int sheet, model::CellRef cell);

  // The cell is recalculated at every recalculation: it calls a volatile function or depends on one.
  bool is_volatile_cell(int sheet, model::CellRef cell);

  // Application.CalculateFull: every formula of the workbook is recomputed, precedents first.
  // Returns the number of formula cells.
  size_t recompute_all();

  struct Problem {
    int sheet;
    model::CellRef cell;
    std::string message;
  };
  // Cells whose formulas could not be computed (malformed tokens, functions the engine lacks).
  const std::vector<Problem>& problems() const { return problems_; }
  const EngineWork& work() const { return work_; }

 private:
  struct Info;
  struct Pass;
  struct Plan;
  struct NameEntry;
  struct ReferenceItem;

  // CellSource
  const model::Workbook& workbook() const override { return wb_; }
  Scalar cell(int sheet, model::CellRef c) override;
  bool is_subtotal(int sheet, model::CellRef c) override;
  double now() override;
  std::optional<std::u16string> format_number(double value, std::u16string_view code) override;
  const Node* name_tree(uint16_t index) override;
  const Value* remembered_name(uint16_t index, bool array_mode) override;
  void remember_name(uint16_t index, bool array_mode, const Value& v) override;
  uint64_t unsettled_reads() const override { return unsettled_; }
  void step(int depth) override;
  // Throws NotComputable once the work allowed in all is spent.
  void check_work_limit() const;

  // The graph: formula cells analysed once, their trees shared per shared formula.
  const model::Cell* find(int sheet, model::CellRef c) const;
  Info* info_for(CellKey k);
  Info analyse(CellKey k);
  static std::shared_ptr<const Plan> make_plan(Node tree, bool array);
  std::shared_ptr<const Plan> plan_for_member(int sheet, model::CellRef c, model::CellRef master, Info& info);
  // Appends the areas the formula reads as written to `out` (when given); notes volatile names.
  void references(const Info& info, CellKey k, std::vector<Area>* out, bool* is_volatile);
  void build_graph();
  void ensure_index();
  void index_add(CellKey k, const Info& info);
  void index_remove(CellKey k, const Info& info);
  void sync();
  void take_change(CellKey k, std::vector<CellKey>& changed, bool& formulas_changed);
  void propagate(std::vector<CellKey> changed);
  void update_volatile_closure();
  void new_recalculation();
  void report(CellKey k, std::string message);

  // Computing: a pass works through a stack of cells, precedents first. A cell's analysis,
  // once looked up, is handed along (its place in infos_ stays while the pass runs).
  bool needs(const Pass& p, CellKey k);
  bool needs(const Pass& p, const Info* info) const;
  bool given(const Pass& p, CellKey k) const;
  void run(Pass& p, CellKey target);
  bool push_precedents(Pass& p, CellKey k, const Info& info);
  void attempt(Pass& p, CellKey k, Info& info);
  // `info` is the cell's analysis when the caller has it (null: looked up).
  void finish(Pass& p, CellKey k, Info* info, const std::optional<Scalar>& result);
  // Marks the cell's precedents pushed in this pass; false when they were already.
  bool expand(Pass& p, CellKey k, Info& info);
  bool expanded(const Pass& p, CellKey k, const Info& info) const;
  bool closes_circle(Pass& p, CellKey read);
  void settle_circle(Pass& p);
  std::optional<Scalar> table_value(int sheet, model::CellRef c, const model::DataTable& t);
  void store(int sheet, model::CellRef c, const Scalar& s);

  model::Workbook& wb_;
  EngineOptions options_;
  EngineWork work_;
  bool graph_built_ = false;
  bool index_built_ = false;
  bool any_volatile_ = false;
  CellTable<Info> infos_;
  std::unordered_map<CellKey, std::shared_ptr<const Plan>> shared_plans_;  // by sheet and definition cell
  std::vector<NameEntry> names_;
  DependentIndex index_;
  uint64_t epoch_ = 1;        // the current recalculation
  double day_seen_ = 0;       // the clock's day when it started
  std::unordered_map<uint32_t, Value> name_values_;  // names' values in this recalculation
  std::vector<CellKey> pending_;  // cells named by mark_changed, handled at the next read
  Pass* pass_ = nullptr;
  uint64_t passes_ = 0;  // passes started (each has its own number)
  // Scratch space reused formula after formula: what a formula reads, and the tree walk finding it.
  std::vector<Area> precedent_areas_;
  std::vector<ReferenceItem> reference_work_;
  uint64_t unsettled_ = 0;
  std::vector<Problem> problems_;
  std::unordered_map<CellKey, bool> reported_;
  // Data-table evaluation: input cells replaced by values, formulas computed afresh.
  std::unordered_map<CellKey, Scalar> overrides_;
  std::unordered_map<CellKey, Scalar> fresh_;
};

model::CellValue to_cell_value(const Scalar& s);
Scalar to_scalar(const model::CellValue& v);

}  // namespace tabrel::formula
