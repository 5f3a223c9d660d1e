#include "spreadsheet/macro/program.h"

#include <unordered_map>
#include <utility>

#include "spreadsheet/automation/late_binding.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/macro/builtins.h"
#include "spreadsheet/macro/constants.h"
#include "spreadsheet/macro/parser.h"
#include "spreadsheet/macro/sandbox.h"

namespace tabrel::macro {
namespace {

struct Binding {
  Ref ref = Ref::Unbound;
  int module = -1;
  int index = -1;
};

// Qualifiers of the language's own library: VBA.Left is Left.
bool library_name(std::u16string_view name) {
  static constexpr std::u16string_view kLibraries[] = {u"VBA", u"Strings", u"Math", u"Conversion", u"DateTime",
                                                       u"Information", u"Interaction", u"FileSystem"};
  for (auto lib : kLibraries)
    if (equals_ignore_case(lib, name)) return true;
  return false;
}

class Binder {
 public:
  explicit Binder(Program& program) : prog_(program) {}

  void run() {
    for (size_t m = 0; m < prog_.modules.size(); ++m) {
      module_ = static_cast<int>(m);
      Module& mod = prog_.modules[m];
      proc_ = nullptr;
      locals_.clear();
      for (auto& in : mod.init) instruction(in);
      check_targets(mod.init);
      for (auto& proc : mod.procedures) procedure(proc);
    }
  }

 private:
  void procedure(Procedure& proc) {
    proc_ = &proc;
    locals_.clear();
    Module& mod = prog_.modules[static_cast<size_t>(module_)];
    for (size_t i = 0; i < proc.params.size(); ++i) locals_.emplace(lower(proc.params[i].name), Binding{Ref::Local, -1, static_cast<int>(i)});
    next_slot_ = proc.slot_count;  // parameters and hidden slots
    types_.assign(static_cast<size_t>(next_slot_), VbType::Variant);
    for (size_t i = 0; i < proc.params.size(); ++i) types_[i] = proc.params[i].type;
    for (auto& p : proc.params)
      if (p.default_value) expression(p.default_value);
    for (const auto& v : proc.locals) {
      const std::u16string key = lower(v.name);
      if (locals_.count(key)) continue;
      if (v.is_static) {
        Variable stored = v;
        stored.name = proc.name + u"." + v.name;
        mod.variables.push_back(std::move(stored));
        locals_.emplace(key, Binding{Ref::ModuleVar, module_, static_cast<int>(mod.variables.size()) - 1});
        continue;
      }
      locals_.emplace(key, Binding{Ref::Local, -1, new_slot(v.type)});
    }
    if (proc.kind == ProcKind::Function || proc.kind == ProcKind::PropertyGet) {
      proc.result_slot = new_slot(proc.return_type);
      locals_.emplace(lower(proc.name), Binding{Ref::Local, -1, proc.result_slot});
    }
    for (auto& in : proc.code) instruction(in);
    check_targets(proc.code);
    proc.slot_count = next_slot_;
    proc.slot_types = types_;
    proc_ = nullptr;
  }

  int new_slot(VbType type) {
    types_.push_back(type);
    return next_slot_++;
  }

  void check_targets(std::vector<Instr>& code) {
    const int size = static_cast<int>(code.size());
    for (auto& in : code) {
      switch (in.op) {
        case Op::Jump: case Op::JumpIfFalse: case Op::JumpIfTrue: case Op::ForInit: case Op::ForNext:
        case Op::ForEachInit: case Op::ForEachNext: case Op::OnErrorGoto: case Op::ResumeLabel:
          if (in.target < 0 || in.target > size) {
            in.op = Op::Unsupported;
            if (in.text.empty()) in.text = u"incomplete statement";
          }
          break;
        default: break;
      }
      const int slots = proc_ ? next_slot_ : 0;
      for (int s : {in.slot, in.slot2, in.slot3})
        if (s >= slots && s != -1) {
          in.op = Op::Unsupported;
          in.text = u"statement outside a procedure";
        }
    }
  }

  void instruction(Instr& in) {
    for (ExprPtr* e : {&in.a, &in.b, &in.c, &in.d})
      if (*e) expression(*e);
    for (auto& b : in.bounds) {
      if (b.lower) expression(b.lower);
      if (b.upper) expression(b.upper);
    }
  }

  void expression(ExprPtr& e) {
    switch (e->kind) {
      case ExprKind::Name:
        if (e->ref == Ref::Unbound) bind_name(*e, false);
        return;
      case ExprKind::Member:
        if (requalify(e)) return expression(e);
        expression(e->target);
        e->index = xl::late::member_id(e->name);
        if (refused_member(e->name)) e->ref = Ref::Refused;
        return;
      case ExprKind::Call:
        if (e->target->kind == ExprKind::Member) requalify(e->target);
        if (e->target->kind == ExprKind::Name && e->target->ref == Ref::Unbound) bind_name(*e->target, !e->args.empty());
        else expression(e->target);
        for (auto& a : e->args)
          if (a.value) expression(a.value);
        return;
      case ExprKind::Unary:
        expression(e->lhs);
        return;
      case ExprKind::Binary:
        expression(e->lhs);
        expression(e->rhs);
        return;
      case ExprKind::TypeOfIs:
        expression(e->lhs);
        return;
      case ExprKind::CaseTest:
        for (auto& c : e->clauses) {
          if (c.a) expression(c.a);
          if (c.b) expression(c.b);
        }
        return;
      case ExprKind::Literal:
      case ExprKind::Unsupported:
        return;
    }
  }

  // VBA.Left(...) is Left(...); Module1.Macro1 names the module's procedure or variable.
  bool requalify(ExprPtr& e) {
    const Expr* t = e->target.get();
    if (!t || t->kind != ExprKind::Name || t->ref != Ref::Unbound || e->bang) return false;
    if (find_local(t->name)) return false;
    if (library_name(t->name)) {
      e->kind = ExprKind::Name;
      e->target.reset();
      return true;
    }
    for (size_t m = 0; m < prog_.modules.size(); ++m) {
      if (!equals_ignore_case(prog_.modules[m].name, t->name)) continue;
      const auto b = in_module(static_cast<int>(m), e->name, true);
      if (b.ref == Ref::Unbound) return false;
      e->kind = ExprKind::Name;
      e->target.reset();
      e->ref = b.ref;
      e->module = b.module;
      e->index = b.index;
      return true;
    }
    return false;
  }

  const Binding* find_local(const std::u16string& name) const {
    auto it = locals_.find(lower(name));
    return it == locals_.end() ? nullptr : &it->second;
  }

  // A variable or procedure of module m; `any` also takes private ones.
  Binding in_module(int m, const std::u16string& name, bool any) const {
    const Module& mod = prog_.modules[static_cast<size_t>(m)];
    for (size_t i = 0; i < mod.variables.size(); ++i) {
      const auto& v = mod.variables[i];
      if ((any || v.is_public) && !v.is_static && equals_ignore_case(v.name, name))
        return {Ref::ModuleVar, m, static_cast<int>(i)};
    }
    for (size_t i = 0; i < mod.procedures.size(); ++i) {
      const auto& p = mod.procedures[i];
      if ((any || p.is_public) && equals_ignore_case(p.name, name) && p.kind != ProcKind::PropertyLet &&
          p.kind != ProcKind::PropertySet)
        return {Ref::Procedure, m, static_cast<int>(i)};
    }
    return {};
  }

  void bind_name(Expr& e, bool called_with_args) {
    Binding b = resolve(e.name, called_with_args);
    if (b.ref == Ref::Constant) {
      e.kind = ExprKind::Literal;
      e.literal = *constant_value(e.name);
      return;
    }
    e.ref = b.ref;
    e.module = b.module;
    e.index = b.index;
  }

  Binding resolve(const std::u16string& name, bool called_with_args) {
    if (const Binding* local = find_local(name)) {
      // Inside a Function its name is the result, but called with arguments it recurses.
      const bool own_result = proc_ && local->ref == Ref::Local && local->index == proc_->result_slot;
      if (!(own_result && called_with_args)) return *local;
    }
    const Module& own = prog_.modules[static_cast<size_t>(module_)];
    for (const auto& ext : own.externals)
      if (equals_ignore_case(ext, name)) return {Ref::Refused, -1, -1};
    Binding b = in_module(module_, name, true);
    if (b.ref != Ref::Unbound) return b;
    for (size_t m = 0; m < prog_.modules.size(); ++m) {
      if (static_cast<int>(m) == module_) continue;
      if (prog_.modules[m].is_document) continue;
      b = in_module(static_cast<int>(m), name, false);
      if (b.ref != Ref::Unbound) return b;
    }
    if (constant_value(name)) return {Ref::Constant, -1, -1};
    if (equals_ignore_case(name, u"Err")) return {Ref::ErrObject, -1, -1};
    if (equals_ignore_case(name, u"ThisWorkbook")) return {Ref::ThisWorkbook, -1, -1};
    if (refused_function(name)) return {Ref::Refused, -1, -1};
    const int builtin = find_builtin(name);
    if (builtin >= 0) return {Ref::Builtin, -1, builtin};
    const auto member = xl::late::member_id(name);
    if (xl::late::is_global(member)) return {Ref::GlobalMember, -1, member};
    // An undeclared name is a new variable of the procedure (or of the module outside one).
    if (proc_) {
      const Binding local{Ref::Local, -1, new_slot(VbType::Variant)};
      locals_.emplace(lower(name), local);
      return local;
    }
    Module& mod = prog_.modules[static_cast<size_t>(module_)];
    Variable v;
    v.name = name;
    mod.variables.push_back(std::move(v));
    return {Ref::ModuleVar, module_, static_cast<int>(mod.variables.size()) - 1};
  }

  Program& prog_;
  int module_ = 0;
  Procedure* proc_ = nullptr;
  std::unordered_map<std::u16string, Binding> locals_;
  int next_slot_ = 0;
  std::vector<VbType> types_;
};

std::u16string_view strip_quotes(std::u16string_view s) {
  if (s.size() >= 2 && s.front() == u'\'' && s.back() == u'\'') return s.substr(1, s.size() - 2);
  return s;
}

}  // namespace

Program compile(const std::vector<SourceModule>& sources) {
  Program program;
  for (const auto& s : sources) program.modules.push_back(parse_module(s.name, s.source, s.is_document));
  Binder(program).run();
  return program;
}

std::u16string workbook_part(std::u16string_view name) {
  const size_t bang = name.rfind(u'!');
  if (bang == std::u16string_view::npos) return {};
  return std::u16string(strip_quotes(name.substr(0, bang)));
}

std::optional<ProcRef> find_macro(const Program& program, std::u16string_view name) {
  const size_t bang = name.rfind(u'!');
  if (bang != std::u16string_view::npos) name = name.substr(bang + 1);
  name = strip_quotes(name);
  std::u16string_view module_name;
  const size_t dot = name.find(u'.');
  if (dot != std::u16string_view::npos) {
    module_name = name.substr(0, dot);
    name = name.substr(dot + 1);
  }
  for (size_t m = 0; m < program.modules.size(); ++m) {
    const Module& mod = program.modules[m];
    if (module_name.empty() ? mod.is_document : !equals_ignore_case(mod.name, module_name)) continue;
    for (size_t p = 0; p < mod.procedures.size(); ++p) {
      const Procedure& proc = mod.procedures[p];
      if (proc.kind != ProcKind::Sub || !equals_ignore_case(proc.name, name)) continue;
      if (!proc.is_public && module_name.empty()) continue;
      return ProcRef{static_cast<int>(m), static_cast<int>(p)};
    }
  }
  return std::nullopt;
}

}  // namespace tabrel::macro
