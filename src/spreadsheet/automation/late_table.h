#pragma once
// Building the late-binding tables: one table of members per automation class.

#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <unordered_map>
#include <vector>

#include "spreadsheet/automation/late_binding.h"

namespace tabrel::xl::late {

using Args = std::vector<Variant>;  // positional, named ones already placed; padded to `params`

struct Member {
  std::vector<std::u16string> params;  // argument names, in order
  std::function<Variant(Dispatch&, const Args&)> get;
  std::function<void(Dispatch&, const Args&, const Variant&)> let;
};

using ClassTable = std::unordered_map<MemberId, Member>;
using Tables = std::unordered_map<std::type_index, ClassTable>;

template <class T>
Variant object(std::shared_ptr<T> p) {
  return Variant(std::static_pointer_cast<Dispatch>(std::move(p)));
}

// Definitions for class T: get(name, params, f(T&, args)) for methods and read-only properties,
// prop(name, getter, setter) for read-write ones, act(name, params, f(T&, args)) for methods
// without a result.
template <class T>
class Def {
 public:
  explicit Def(Tables& tables) : table_(tables[std::type_index(typeid(T))]) {}

  Def& get(std::u16string_view name, std::vector<std::u16string> params, std::function<Variant(T&, const Args&)> f) {
    Member& m = table_[member_id(name)];
    m.params = std::move(params);
    m.get = [f = std::move(f)](Dispatch& d, const Args& a) { return f(static_cast<T&>(d), a); };
    return *this;
  }
  Def& act(std::u16string_view name, std::vector<std::u16string> params, std::function<void(T&, const Args&)> f) {
    return get(name, std::move(params), [f = std::move(f)](T& t, const Args& a) {
      f(t, a);
      return Variant();
    });
  }
  Def& prop(std::u16string_view name, std::function<Variant(T&)> getter, std::function<void(T&, const Variant&)> setter) {
    Member& m = table_[member_id(name)];
    m.get = [g = std::move(getter)](Dispatch& d, const Args&) { return g(static_cast<T&>(d)); };
    if (setter)
      m.let = [s = std::move(setter)](Dispatch& d, const Args&, const Variant& v) { s(static_cast<T&>(d), v); };
    return *this;
  }
  // A property that can only be written.
  Def& set(std::u16string_view name, std::function<void(T&, const Variant&)> setter) {
    Member& m = table_[member_id(name)];
    m.let = [s = std::move(setter)](Dispatch& d, const Args&, const Variant& v) { s(static_cast<T&>(d), v); };
    return *this;
  }

 private:
  ClassTable& table_;
};

void define_application(Tables& tables);
void define_range(Tables& tables);
void define_formats(Tables& tables);
void define_charts(Tables& tables);
void define_worksheet_function(Tables& tables);
void define_names(Tables& tables);
void define_analysis(Tables& tables);

}  // namespace tabrel::xl::late
