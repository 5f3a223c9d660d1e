#include "spreadsheet/automation/arguments.h"

#include "spreadsheet/automation/errors.h"

namespace tabrel::xl {

ItemKey item_key(const Variant& index) {
  if (index.is_string()) return {std::nullopt, index.str()};
  if (index.is_numeric()) return {index.to_long(), {}};
  raise(Fault::TypeMismatch);
}

void Uniform::add(const Variant& v) {
  if (mixed_) return;
  if (!first_) first_ = v;
  else if (!first_->same_as(v)) mixed_ = true;
}

Variant Uniform::result() const {
  if (mixed_ || !first_) return Variant::null();
  return *first_;
}

}  // namespace tabrel::xl
