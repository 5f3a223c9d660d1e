// Evaluating expressions: names, members through late binding, calls, arrays and operators.

#include <cmath>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/macro/operators.h"
#include "spreadsheet/macro/run_state.h"

namespace tabrel::macro {
namespace {

struct DepthGuard {
  explicit DepthGuard(Interpreter::State& s) : s_(s) {
    if (++s_.eval_depth > s_.limits.eval_depth) {
      --s_.eval_depth;
      throw RunStopped{true, u"the macro nests calls too deeply"};
    }
  }
  ~DepthGuard() { --s_.eval_depth; }
  Interpreter::State& s_;
};

[[noreturn]] void object_required() { raise_error(err::kObjectRequired, u"Object required"); }

const Variant& nothing() {
  static const Variant n{std::shared_ptr<Dispatch>()};
  return n;
}

xl::late::MemberId id_of(std::u16string_view name) {
  return xl::late::member_id(name);
}

}  // namespace

void raise_error(int32_t number, std::u16string description) { throw AutomationError(number, std::move(description)); }

Variant default_value(VbType type) {
  switch (type) {
    case VbType::Integer: case VbType::Byte: return Variant::integer(0);
    case VbType::Long: return Variant::long_(0);
    case VbType::Single: return Variant::single(0);
    case VbType::Double: return Variant(0.0);
    case VbType::Currency: return Variant::currency(0);
    case VbType::Date: return Variant::date(0);
    case VbType::String: return Variant(u"");
    case VbType::Boolean: return Variant(false);
    case VbType::Object: return nothing();
    case VbType::Variant: return Variant();
  }
  return Variant();
}

Variant coerce(VbType type, Variant v) {
  switch (type) {
    case VbType::Variant: return v;
    case VbType::Integer: return Variant::integer(v.to_integer());
    case VbType::Byte: {
      const int32_t b = v.to_long();
      if (b < 0 || b > 255) raise_error(err::kOverflow, u"Overflow");
      return Variant::integer(static_cast<int16_t>(b));
    }
    case VbType::Long: return Variant::long_(v.to_long());
    case VbType::Single: return Variant::single(static_cast<float>(v.to_double()));
    case VbType::Double: return Variant(v.to_double());
    case VbType::Currency: return Variant::currency(std::llround(v.to_double() * 10000));
    case VbType::Date: return to_date(v);
    case VbType::String: return Variant(v.to_string());
    case VbType::Boolean: return Variant(v.to_bool());
    case VbType::Object:
      if (!v.is_object()) object_required();
      return v;
  }
  return v;
}

bool Interpreter::State::text_compare(const Frame& f) const {
  return f.module >= 0 && program.modules[static_cast<size_t>(f.module)].compare_text;
}

Variant* Interpreter::State::variable(const Expr& e, Frame& f) {
  if (e.kind != ExprKind::Name) return nullptr;
  if (e.ref == Ref::Local) return &f.slot(e.index);
  if (e.ref == Ref::ModuleVar) {
    prepare_module(e.module);
    return &module_vars[static_cast<size_t>(e.module)][static_cast<size_t>(e.index)];
  }
  return nullptr;
}

VbType Interpreter::State::declared_type(const Expr& e, const Frame& f) const {
  if (e.ref == Ref::Local && f.proc) return f.proc->slot_types[static_cast<size_t>(e.index)];
  if (e.ref == Ref::ModuleVar)
    return program.modules[static_cast<size_t>(e.module)].variables[static_cast<size_t>(e.index)].type;
  return VbType::Variant;
}

Variant Interpreter::State::global_object(Ref ref) {
  if (ref == Ref::ErrObject) return Variant(std::static_pointer_cast<Dispatch>(err));
  if (this_workbook) return Variant(std::static_pointer_cast<Dispatch>(this_workbook));
  auto active = app->ActiveWorkbook();
  return active ? Variant(std::static_pointer_cast<Dispatch>(active)) : nothing();
}

Variant Interpreter::State::value_of(Variant v) {
  if (!v.is_object()) return v;
  if (!v.object()) raise_error(91, u"Object variable or With block variable not set");
  static const auto value_id = id_of(u"Value");
  return invoke(v, value_id, {});
}

Variant Interpreter::State::value(const Expr& e, Frame& f) { return value_of(eval(e, f)); }

Variant Interpreter::State::invoke(const Variant& object, xl::late::MemberId member, const xl::late::Arguments& args,
                                   const Variant* assign) {
  if (!object.is_object()) object_required();
  if (!object.object()) raise_error(91, u"Object variable or With block variable not set");
  try {
    return xl::late::invoke(*object.object(), member, args, assign);
  } catch (const AutomationError& e) {
    if (e.number() == err::kNoSuchMember)
      note_unsupported(object.object()->type_name() + u"." + xl::late::member_name(member));
    throw;
  }
}

xl::late::Arguments Interpreter::State::late_arguments(const std::vector<Arg>& args, Frame& f) {
  xl::late::Arguments out;
  for (const auto& a : args) {
    Variant v = a.value ? eval(*a.value, f) : Variant();
    if (a.value && a.value->wrapped) v = value_of(std::move(v));
    if (a.name.empty()) out.positional.push_back(std::move(v));
    else out.named.emplace_back(a.name, std::move(v));
  }
  return out;
}

Variant Interpreter::State::builtin(int index, const std::vector<Arg>& args, Frame& f) {
  const Builtin& b = builtin_at(index);
  if (args.size() < b.min_args || args.size() > b.max_args)
    raise_error(450, u"Wrong number of arguments: " + std::u16string(b.name));
  Args values;
  values.reserve(args.size());
  for (const auto& a : args) {
    if (!a.name.empty()) raise_error(448, u"Named argument not found: " + a.name);
    if (!a.value) {
      values.emplace_back();
      continue;
    }
    values.push_back(b.keeps_objects ? eval(*a.value, f) : value(*a.value, f));
  }
  while (values.size() < b.min_args) values.emplace_back();
  // Functions of a fixed arity see every argument slot; omitted trailing ones are Empty.
  if (b.max_args != 255) values.resize(b.max_args);
  BuiltinContext ctx{limits, text_compare(f), clock, &log.messages, &rnd_seed};
  return b.fn(values, ctx);
}

Variant Interpreter::State::err_member(const Expr& member, const std::vector<Arg>* args, Frame& f,
                                       const Variant* assign) {
  const std::u16string name = lower(member.name);
  if (name == u"number") {
    if (assign) err->number = assign->to_long();
    return Variant::long_(err->number);
  }
  if (name == u"description") {
    if (assign) err->description = assign->to_string();
    return Variant(err->description);
  }
  if (name == u"source") {
    if (assign) err->source = assign->to_string();
    return Variant(err->source);
  }
  if (name == u"clear") {
    err->clear();
    return Variant();
  }
  if (name == u"raise" && args && !args->empty()) {
    auto values = late_arguments(*args, f);
    const int32_t number = values.positional.empty() ? 0 : value_of(values.positional[0]).to_long();
    std::u16string description = u"Application-defined or object-defined error";
    if (values.positional.size() > 2 && !values.positional[2].is_empty()) description = values.positional[2].to_string();
    for (const auto& [n, v] : values.named)
      if (equals_ignore_case(n, u"Description")) description = v.to_string();
    raise_error(number, std::move(description));
  }
  note_unsupported(u"ErrObject." + member.name);
  raise_error(err::kNoSuchMember, u"Object doesn't support this property or method: Err." + member.name);
}

namespace {

size_t flat_index(const VariantArray& arr, const std::vector<int64_t>& at) {
  if (at.size() != arr.lower.size()) raise_error(err::kSubscriptOutOfRange, u"Subscript out of range");
  size_t flat = 0;
  for (size_t d = 0; d < at.size(); ++d) {
    const int64_t i = at[d] - arr.lower[d];
    if (i < 0 || i >= arr.extent[d]) raise_error(err::kSubscriptOutOfRange, u"Subscript out of range");
    flat = flat * static_cast<size_t>(arr.extent[d]) + static_cast<size_t>(i);
  }
  return flat;
}

}  // namespace

Variant Interpreter::State::index_array(const Variant& array, const std::vector<Arg>& args, Frame& f) {
  std::vector<int64_t> at;
  for (const auto& a : args) {
    if (!a.value || !a.name.empty()) raise_error(err::kSubscriptOutOfRange, u"Subscript out of range");
    at.push_back(value(*a.value, f).to_long());
  }
  const auto& arr = array.arr();
  return arr.items[flat_index(arr, at)];
}

Variant& Interpreter::State::array_element(Variant& array, const std::vector<Arg>& args, Frame& f) {
  std::vector<int64_t> at;
  for (const auto& a : args) {
    if (!a.value || !a.name.empty()) raise_error(err::kSubscriptOutOfRange, u"Subscript out of range");
    at.push_back(value(*a.value, f).to_long());
  }
  if (!array.is_array()) raise_error(err::kTypeMismatch, u"Type mismatch");
  auto& arr = array.arr_for_edit();
  return arr.items[flat_index(arr, at)];
}

Variant Interpreter::State::call(const Expr& c, Frame& f) {
  const Expr& t = *c.target;
  if (t.kind == ExprKind::Name) {
    switch (t.ref) {
      case Ref::Procedure: return call_procedure(t.module, t.index, &c.args, &f);
      case Ref::Builtin: return builtin(t.index, c.args, f);
      case Ref::GlobalMember: {
        const Variant application(std::static_pointer_cast<Dispatch>(app));
        return invoke(application, t.index, late_arguments(c.args, f));
      }
      case Ref::Refused: refuse(t.name);
      case Ref::Local: case Ref::ModuleVar: {
        const Variant v = *variable(t, f);
        if (v.is_array()) return index_array(v, c.args, f);
        if (v.is_object()) {
          static const auto item = id_of(u"Item");
          return invoke(v, item, late_arguments(c.args, f));
        }
        raise_error(err::kTypeMismatch, u"Type mismatch");
      }
      default: break;
    }
  }
  if (t.kind == ExprKind::Member) {
    const Variant object = eval(*t.target, f);
    if (t.ref == Ref::Refused) refuse(t.name);
    if (object.is_object() && dynamic_cast<ErrObject*>(object.object().get())) return err_member(t, &c.args, f, nullptr);
    return invoke(object, t.index, late_arguments(c.args, f));
  }
  // f(a)(b): the result's items.
  const Variant v = eval(t, f);
  if (v.is_array()) return index_array(v, c.args, f);
  static const auto item = id_of(u"Item");
  return invoke(v, item, late_arguments(c.args, f));
}

bool Interpreter::State::case_matches(const Expr& test, Frame& f) {
  const Variant subject = value_of(f.slot(test.slot));
  const bool text = text_compare(f);
  for (const auto& clause : test.clauses) {
    switch (clause.kind) {
      case CaseClause::Kind::Value:
        if (truth(binary(BinOp::Eq, subject, value(*clause.a, f), text, limits.string_units))) return true;
        break;
      case CaseClause::Kind::Range:
        if (truth(binary(BinOp::Ge, subject, value(*clause.a, f), text, limits.string_units)) &&
            truth(binary(BinOp::Le, subject, value(*clause.b, f), text, limits.string_units)))
          return true;
        break;
      case CaseClause::Kind::Is:
        if (truth(binary(clause.op, subject, value(*clause.a, f), text, limits.string_units))) return true;
        break;
    }
  }
  return false;
}

Variant Interpreter::State::eval(const Expr& e, Frame& f) {
  DepthGuard guard(*this);
  switch (e.kind) {
    case ExprKind::Literal: return e.literal;
    case ExprKind::Name:
      switch (e.ref) {
        case Ref::Local: return f.slot(e.index);
        case Ref::ModuleVar: return *variable(e, f);
        case Ref::Procedure: return call_procedure(e.module, e.index, nullptr, &f);
        case Ref::Builtin: return builtin(e.index, {}, f);
        case Ref::GlobalMember: {
          const Variant application(std::static_pointer_cast<Dispatch>(app));
          return invoke(application, e.index, {});
        }
        case Ref::ErrObject: case Ref::ThisWorkbook: return global_object(e.ref);
        case Ref::Refused: refuse(e.name);
        default: unsupported(u"name: " + e.name);
      }
    case ExprKind::Member: {
      const Variant object = eval(*e.target, f);
      if (e.ref == Ref::Refused) refuse(e.name);
      if (object.is_object() && dynamic_cast<ErrObject*>(object.object().get())) return err_member(e, nullptr, f, nullptr);
      return invoke(object, e.index, {});
    }
    case ExprKind::Call: return call(e, f);
    case ExprKind::Unary: return unary(e.unop, value(*e.lhs, f));
    case ExprKind::Binary: {
      if (e.binop == BinOp::Is) return binary(BinOp::Is, eval(*e.lhs, f), eval(*e.rhs, f), false, 0);
      Variant a = value(*e.lhs, f);
      return binary(e.binop, a, value(*e.rhs, f), text_compare(f), limits.string_units);
    }
    case ExprKind::TypeOfIs: {
      const Variant v = eval(*e.lhs, f);
      if (!v.is_object()) object_required();
      return Variant(v.object() && equals_ignore_case(v.object()->type_name(), e.name));
    }
    case ExprKind::CaseTest: return Variant(case_matches(e, f));
    case ExprKind::Unsupported: unsupported(u"expression: " + e.name);
  }
  return Variant();
}

void Interpreter::State::let(const Expr& target, Variant v, Frame& f) { store(target, value_of(std::move(v)), f, false); }
void Interpreter::State::set(const Expr& target, Variant v, Frame& f) {
  if (!v.is_object()) object_required();
  store(target, std::move(v), f, true);
}

void Interpreter::State::store(const Expr& target, Variant v, Frame& f, bool is_set) {
  if (Variant* var = variable(target, f)) {
    const VbType type = declared_type(target, f);
    if (type == VbType::Object && !is_set) raise_error(91, u"Object variable or With block variable not set");
    *var = coerce(type, std::move(v));
    return;
  }
  switch (target.kind) {
    case ExprKind::Member: {
      const Variant object = eval(*target.target, f);
      if (target.ref == Ref::Refused) refuse(target.name);
      if (object.is_object() && dynamic_cast<ErrObject*>(object.object().get())) {
        err_member(target, nullptr, f, &v);
        return;
      }
      invoke(object, target.index, {}, &v);
      return;
    }
    case ExprKind::Call: {
      const Expr& t = *target.target;
      if (Variant* var = variable(t, f); var && var->is_array()) {
        array_element(*var, target.args, f) = std::move(v);
        return;
      }
      if (t.kind == ExprKind::Name && (t.ref == Ref::Builtin || t.ref == Ref::Procedure))
        unsupported(u"assignment to " + t.name + u"(...)");
      const Variant object = call(target, f);
      static const auto value_id = id_of(u"Value");
      invoke(object, value_id, {}, &v);
      return;
    }
    case ExprKind::Name:
      if (target.ref == Ref::GlobalMember) {
        const Variant object = eval(target, f);
        static const auto value_id = id_of(u"Value");
        invoke(object, value_id, {}, &v);
        return;
      }
      if (target.ref == Ref::Refused) refuse(target.name);
      unsupported(u"assignment to " + target.name);
    default: unsupported(u"assignment");
  }
}

}  // namespace tabrel::macro
