#pragma once
// Reading the arguments that members take as Variants: collection indexes (number or name),
// optional arguments, and the folding of per-cell values into one (Null when they differ).

#include <optional>
#include <string>

#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

// A collection index: a number (1-based) or a name. Other values raise 13.
struct ItemKey {
  std::optional<int> number;
  std::u16string name;
};
ItemKey item_key(const Variant& index);

// Optional arguments arrive Empty when omitted.
inline bool omitted(const Variant& v) { return v.is_empty(); }

// Folds the values of several cells: the common value, or Null when two differ.
class Uniform {
 public:
  void add(const Variant& v);
  bool mixed() const { return mixed_; }
  Variant result() const;

 private:
  std::optional<Variant> first_;
  bool mixed_ = false;
};

}  // namespace tabrel::xl
