#pragma once
// The syntax tree of a formula, shared by the token decoder and encoder, the A1/R1C1 printer,
// the text parser, reference shifting and the evaluator.
//
// References hold absolute sheet coordinates plus relative flags: a relative reference is
// printed in R1C1 as an offset from the base cell, and shifted by copying. Relative tokens of
// shared formulas, names and conditional formats (PtgRefN/PtgAreaN) are resolved against the
// base cell when decoded.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "spreadsheet/core/variant.h"
#include "spreadsheet/formula/ptg.h"

namespace tabrel::formula {

enum class Op : uint8_t {
  Add, Sub, Mul, Div, Power, Concat, Lt, Le, Eq, Ge, Gt, Ne,  // binary
  Isect, Union, Range,                                         // reference operators
  Plus, Minus, Percent,                                        // unary
};

// Typed blanks and line breaks of the formula text (attribute-space tokens).
struct Spacing {
  enum Where : uint8_t {
    BeforeToken = 0, BreakBeforeToken = 1, BeforeOpen = 2, BreakBeforeOpen = 3,
    BeforeClose = 4, BreakBeforeClose = 5, BeforeFormula = 6,
  };
  uint8_t where = BeforeToken;
  uint8_t count = 0;
  friend bool operator==(const Spacing&, const Spacing&) = default;
};

struct Address {
  int row = 0;
  int col = 0;
  bool row_relative = false;
  bool col_relative = false;
  friend bool operator==(const Address&, const Address&) = default;
};

// An item of an array constant: empty, number, text, boolean or error.
using ArrayItem = std::variant<std::monostate, double, std::u16string, bool, CellError>;
struct ArrayConstant {
  int rows = 0;
  int cols = 0;
  std::vector<ArrayItem> items;  // row-major
  friend bool operator==(const ArrayConstant&, const ArrayConstant&) = default;
};

struct Node {
  enum class Kind : uint8_t {
    Number, Text, Bool, Error, Missing, Array,
    Ref, Area, RefError, AreaError,  // RefError/AreaError: a reference that became #REF!
    Name, ExternName,
    Unary, Binary, Paren, Function,
    SharedRef,    // PtgExp: member of a shared or array formula (address = the master cell)
    TableRef,     // PtgTbl: cell of a data table (address = the table's first cell)
  };
  Kind kind = Kind::Missing;
  double number = 0;
  std::u16string text;
  bool boolean = false;
  CellError error = CellError::Value;
  Address first, last;              // Ref: first; Area: first..last; SharedRef/TableRef: first
  // Ref/Area stored as distances from a base cell (names, shared formulas, conditional formats):
  // such distances wrap round the sheet's edges, so R1C1 shows the shorter way ("R[-1]").
  bool offsets = false;
  std::optional<uint16_t> ixti;     // 3-D qualifier: index into the EXTERNSHEET table
  uint16_t name_index = 0;          // 1-based NAME (or EXTERNNAME) index
  Op op = Op::Add;
  uint16_t function = 0;            // iftab; ptg::kUserFunction calls children[0] (a name)
  bool is_integer = false;          // Number stored as PtgInt
  bool volatile_attr = false;       // the formula carried a volatile attribute here
  ptg::TokenClass token_class = ptg::TokenClass::Reference;
  std::shared_ptr<const ArrayConstant> array;
  std::vector<Spacing> spaces;
  std::vector<Node> children;       // operands and arguments, in text order
};

inline Node node_of(Node::Kind kind) {
  Node n;
  n.kind = kind;
  return n;
}

// True when the tree calls a volatile function or carries the volatile attribute.
bool is_volatile(const Node& n);

// An address of a tree shared by several cells, as seen from a cell `shift` rows and columns
// away from the tree's base: relative parts stored as offsets move, wrapping round the sheet's
// edges as the stored offsets do.
inline Address shifted(const Address& a, bool offsets, int rows, int cols) {
  if (!offsets) return a;
  Address out = a;
  if (a.row_relative) out.row = (a.row + rows) & 0xFFFF;
  if (a.col_relative) out.col = (a.col + cols) & 0xFF;
  return out;
}

}  // namespace tabrel::formula
