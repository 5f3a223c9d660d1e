#pragma once
// Evaluation of a syntax tree in the context of one cell: operators, references with implicit
// intersection, arrays, errors, and the built-in functions (one file per family). Cell values
// come from a CellSource (the recalculation engine), which recalculates stale precedents.

#include <functional>
#include <map>
#include <vector>
#include <optional>
#include <span>
#include <string>

#include "spreadsheet/core/date_serial.h"
#include "spreadsheet/formula/ast.h"
#include "spreadsheet/formula/text_number.h"
#include "spreadsheet/formula/value.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::formula {

class CellSource {
 public:
  virtual ~CellSource() = default;
  virtual const model::Workbook& workbook() const = 0;
  // The value of a cell, recalculated first when it is stale.
  virtual Scalar cell(int sheet, model::CellRef c) = 0;
  // The cell's formula calls SUBTOTAL (such cells are left out of other subtotals).
  virtual bool is_subtotal(int sheet, model::CellRef c) = 0;
  // The clock: the current date and time as a serial number.
  virtual double now() = 0;
  // Number-format rendering for TEXT; nullopt when no renderer is available.
  virtual std::optional<std::u16string> format_number(double value, std::u16string_view code) = 0;
  // Defined name `index` (1-based) decoded once, its relative parts as offsets from A1; nullptr
  // when it holds nothing or its tokens are malformed.
  virtual const Node* name_tree(uint16_t index) = 0;
  // Values of names that do not depend on the cell using them, kept for one recalculation.
  virtual const Value* remembered_name(uint16_t index, bool array_mode) = 0;
  virtual void remember_name(uint16_t index, bool array_mode, const Value& v) = 0;
  // Reads answered with a value that is not final yet (a precedent still to be computed, or one
  // on a circular path): a result computed while this count grew is not kept.
  virtual uint64_t unsettled_reads() const = 0;
  // Called for every node evaluated, at its nesting depth; throws NotComputable when the work
  // allowed for one recalculation is spent.
  virtual void step(int depth) = 0;
};

class Evaluator;
struct FunctionInfo;
// The implementation of one built-in function; its arguments are unevaluated.
using FunctionImpl = Value (*)(Evaluator&, std::span<const Node>);

// Raised for what the engine cannot compute (a function it lacks, a reference into another
// workbook): the caller keeps the cached result.
struct NotComputable {
  std::string reason;
};

// Raised when a defined name reaches itself while it is evaluated: the formula using it is a
// circular reference.
struct CircularName {};

class Evaluator {
 public:
  Evaluator(CellSource& source, int sheet, model::CellRef cell, bool array_formula = false);

  // The formula's result as a cell holds it: references are dereferenced (implicit
  // intersection), arrays give their element for this cell. Throws NotComputable.
  Scalar evaluate(const Node& root);
  // The same, keeping references and arrays (for INDEX, data tables, names).
  Value evaluate_value(const Node& root);

  // Helpers for the function families. The typed ones throw ErrorSignal on an error value or a
  // value that does not convert.
  Value eval(const Node& n);
  Scalar scalar(const Node& n);            // implicit intersection; errors are returned
  Scalar scalar_of(const Value& v);
  double number(const Node& n);
  double to_number(const Scalar& s);
  std::u16string text(const Node& n);
  std::u16string to_text(const Scalar& s);
  bool boolean(const Node& n);
  bool to_boolean(const Scalar& s);
  bool is_missing(const Node& n) const { return n.kind == Node::Kind::Missing; }

  // Every value an argument holds: cells of references (`direct` false), items of arrays, or the
  // scalar itself (`direct` true).
  void each_value(const Node& n, const std::function<void(const Scalar&, bool direct)>& f);
  void each_value(const Value& v, const std::function<void(const Scalar&, bool direct)>& f);
  // Cells of a reference that hold something, with their position (blank cells skipped).
  void each_cell(const Area& a, const std::function<void(model::CellRef, const Scalar&)>& f);
  // The value at (row, col) of a reference's first area or of an array, 0-based.
  Scalar item(const Value& v, int row, int col);
  // Rows and columns of a reference's first area or of an array (1x1 for a scalar).
  std::pair<int, int> shape(const Value& v) const;
  // Rows of a reference's first area that can hold anything (cut at the sheet's last used row);
  // all rows of an array.
  int used_rows(const Value& v) const;

  CellSource& source() { return source_; }
  DateSystem date_system() const { return source_.workbook().date_system; }
  int sheet() const { return sheet_; }
  model::CellRef cell() const {
    position_used_ = true;
    return cell_;
  }
  bool array_mode() const { return array_mode_; }
  void set_array_mode(bool on) { array_mode_ = on; }
  // For a cell of an array formula: its row and column within the formula's range.
  void set_array_offset(model::CellRef offset) { array_offset_ = offset; }
  // A tree shared by several cells (a shared formula decoded at its first cell): the distance
  // from the tree's base to this cell, by which relative references move.
  void set_shift(model::CellRef shift) { shift_ = shift; }

 private:
  Value reference(const Node& n);
  Value unary(const Node& n);
  Value binary(const Node& n);
  Value call(const Node& n);
  Value call_elementwise(FunctionImpl impl, const FunctionInfo& f, std::span<const Node> args, bool& done);
  Scalar apply(Op op, const Scalar& a, const Scalar& b);
  Value elementwise(Op op, const Value& a, const Value& b);
  Value name(const Node& n);
  bool refers_to_other_book(uint16_t ixti) const;
  Address moved(const Address& a, bool offsets);

  CellSource& source_;
  int sheet_;
  model::CellRef cell_;
  bool array_mode_;
  model::CellRef array_offset_;
  model::CellRef shift_;
  int depth_ = 0;
  // The value read so far depends on the cell evaluated (its position, implicit intersection).
  mutable bool position_used_ = false;
  std::vector<uint16_t> open_names_;
  // Names whose value depends on this cell, evaluated once per cell (index, array mode).
  std::map<std::pair<uint16_t, bool>, Value> cell_names_;
};

// Scalar comparison as the "=" "<" ... operators do: numbers < texts (case-insensitive) < booleans.
int compare_scalars(const Scalar& a, const Scalar& b);

}  // namespace tabrel::formula
