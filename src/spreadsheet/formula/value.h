#pragma once
// Values of formula evaluation: scalars (blank, number, text, boolean, error), references to
// areas of sheets, and arrays.

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "spreadsheet/core/variant.h"
#include "spreadsheet/model/cell_ref.h"

namespace tabrel::formula {

using Scalar = std::variant<std::monostate, double, std::u16string, bool, CellError>;

inline bool is_blank(const Scalar& s) { return std::holds_alternative<std::monostate>(s); }
inline bool is_number(const Scalar& s) { return std::holds_alternative<double>(s); }
inline bool is_text(const Scalar& s) { return std::holds_alternative<std::u16string>(s); }
inline bool is_bool(const Scalar& s) { return std::holds_alternative<bool>(s); }
inline bool is_error(const Scalar& s) { return std::holds_alternative<CellError>(s); }

struct Area {
  int sheet = 0;  // 0-based sheet index
  model::RangeRef range;
};

struct Matrix {
  int rows = 0;
  int cols = 0;
  std::vector<Scalar> items;  // row-major
  const Scalar& at(int r, int c) const { return items[static_cast<size_t>(r) * static_cast<size_t>(cols) + static_cast<size_t>(c)]; }
};

struct Value {
  enum class Type { Scalar, Reference, Array };
  Type type = Type::Scalar;
  Scalar scalar;
  std::vector<Area> areas;                // Reference: one area, or several for a union
  std::shared_ptr<const Matrix> matrix;   // Array

  Value() = default;
  Value(Scalar s) : scalar(std::move(s)) {}
  Value(double d) : scalar(d) {}
  Value(bool b) : scalar(b) {}
  Value(CellError e) : scalar(e) {}
  Value(std::u16string s) : scalar(std::move(s)) {}
  static Value reference(std::vector<Area> a) { Value v; v.type = Type::Reference; v.areas = std::move(a); return v; }
  static Value array(Matrix m) { Value v; v.type = Type::Array; v.matrix = std::make_shared<Matrix>(std::move(m)); return v; }
  bool is_reference() const { return type == Type::Reference; }
  bool is_array() const { return type == Type::Array; }
};

// An error raised inside a function, carried to the function's caller as its result.
struct ErrorSignal {
  CellError error;
};

}  // namespace tabrel::formula
