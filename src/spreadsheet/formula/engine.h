#pragma once
// Recalculation: cached formula results are used as loaded; a formula cell is recalculated when
// read if it is volatile (TODAY, NOW, RAND, OFFSET, INDIRECT ... and everything that depends on
// them), if a precedent changed (Cell::dirty set by an operation, or mark_changed), or if it
// is a data-table cell and anything changed. Circular references keep their cached values.
//
//   formula::Engine engine(workbook);                       // the machine's clock
//   model::CellValue v = engine.value_of(sheet_index, {2, 1});
//   engine.set_formula(sheet_index, {2, 1}, u"=SUM(A1:A2)", Notation::A1);
//
// Tests inject the clock (a serial date-time) through EngineOptions.

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "spreadsheet/formula/ast.h"
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
};

// The machine's local date and time as a serial of the 1900 system.
double system_clock_serial();

class Engine : private CellSource {
 public:
  explicit Engine(model::Workbook& workbook, EngineOptions options = {});

  // The cell's value (a formula's result), recalculated first when needed.
  model::CellValue value_of(int sheet, model::CellRef cell);
  // Tells the engine that a cell's value or formula changed (operations may set Cell::dirty
  // instead).
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

  // The cell is recalculated at every read: it calls a volatile function or depends on one.
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

 private:
  using Key = std::pair<int, uint32_t>;
  struct Info {
    std::optional<Node> tree;         // nullopt: malformed tokens, or a data-table cell
    const model::DataTable* table = nullptr;
    bool array = false;
    model::CellRef array_offset;
    std::vector<Area> precedents;
    bool is_volatile = false;
    bool subtotal = false;
  };

  // CellSource
  const model::Workbook& workbook() const override { return wb_; }
  Scalar cell(int sheet, model::CellRef c) override;
  bool is_subtotal(int sheet, model::CellRef c) override;
  double now() override;
  std::optional<std::u16string> format_number(double value, std::u16string_view code) override;

  void sync();
  void build_graph();
  Info& info_for(int sheet, model::CellRef c);
  Info analyse(int sheet, model::CellRef c);
  void collect_precedents(const Node& n, int sheet, model::CellRef base, Info& info, int depth);
  void propagate(std::vector<Key> changed);
  std::vector<Key> dependents_of(const Key& k);
  void report(const Key& k, std::string message);
  const model::Cell* find(int sheet, model::CellRef c) const;
  void update_volatile_closure();
  bool needs_compute(const Key& k) const;
  std::optional<Scalar> compute(int sheet, model::CellRef c, bool store);
  Scalar table_value(int sheet, model::CellRef c, const model::DataTable& t);
  Scalar fresh_value(int sheet, model::CellRef c);
  void store(int sheet, model::CellRef c, const Scalar& s);

  model::Workbook& wb_;
  EngineOptions options_;
  bool graph_built_ = false;
  std::map<Key, Info> infos_;
  std::set<Key> stale_;
  std::set<Key> always_;         // volatile cells and their dependents
  std::set<Key> in_progress_;
  std::map<Key, uint64_t> computed_epoch_;
  uint64_t epoch_ = 0;
  int hops_ = 0;
  // Which formulas read which cells: small precedent areas cell by cell, large ones as areas,
  // data-table cells (they depend on everything). Rebuilt when formulas change.
  struct DependentIndex {
    std::map<Key, std::vector<Key>> cells;
    std::vector<std::pair<Area, Key>> ranges;
    std::vector<Key> tables;
  };
  void rebuild_index();
  DependentIndex index_;
  bool index_stale_ = true;
  std::vector<Key> pending_;     // cells named by mark_changed, handled at the next read
  std::vector<Problem> problems_;
  std::set<Key> reported_;
  // Data-table evaluation: input cells replaced by values, formulas computed afresh.
  std::map<Key, Scalar> overrides_;
  std::map<Key, Scalar> fresh_memo_;
  bool fresh_ = false;
};

model::CellValue to_cell_value(const Scalar& s);
Scalar to_scalar(const model::CellValue& v);

}  // namespace tabrel::formula
