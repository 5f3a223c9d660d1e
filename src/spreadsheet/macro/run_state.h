#pragma once
// The inside of the interpreter: frames, the Err object and the evaluation of expressions and
// statements. Shared by interpreter.cpp (statements, calls) and evaluate.cpp (expressions).

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "spreadsheet/automation/late_binding.h"
#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/macro/builtins.h"
#include "spreadsheet/macro/interpreter.h"

namespace tabrel::macro {

// The Err object of a run.
class ErrObject : public Dispatch {
 public:
  std::u16string type_name() const override { return u"ErrObject"; }
  int32_t number = 0;
  std::u16string description;
  std::u16string source;
  void clear() {
    number = 0;
    description.clear();
    source.clear();
  }
};

struct Frame {
  const Procedure* proc = nullptr;
  int module = -1;
  std::vector<Variant> store;
  std::vector<Variant*> refs;  // each slot: its own storage or a caller's variable (ByRef)
  Variant& slot(int i) { return *refs[static_cast<size_t>(i)]; }
};

struct Interpreter::State {
  State(const Program& p, std::shared_ptr<xl::Application> a, Limits l, std::shared_ptr<xl::Workbook> wb);

  const Program& program;
  std::shared_ptr<xl::Application> app;
  Limits limits;
  std::shared_ptr<xl::Workbook> this_workbook;
  std::vector<std::vector<Variant>> module_vars;
  std::vector<bool> module_ready;
  std::shared_ptr<ErrObject> err = std::make_shared<ErrObject>();
  RunLog log;
  std::function<double()> clock;
  uint32_t rnd_seed = 327680;
  std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
  int call_depth = 0;
  int eval_depth = 0;

  // ---- statements and calls (interpreter.cpp)
  void tick();
  void prepare_module(int module);
  Variant call_procedure(int module, int index, const std::vector<Arg>* args, Frame* caller);
  void execute(Frame& f);
  void step(Frame& f, const Instr& in, size_t& pc);
  void note_unsupported(std::u16string what);
  [[noreturn]] void unsupported(std::u16string what);
  [[noreturn]] void refuse(const std::u16string& what);

  // ---- expressions (evaluate.cpp)
  Variant eval(const Expr& e, Frame& f);
  Variant value(const Expr& e, Frame& f);  // objects read as their default value
  Variant value_of(Variant v);
  Variant* variable(const Expr& e, Frame& f);  // the storage a Local or ModuleVar name stands for
  VbType declared_type(const Expr& e, const Frame& f) const;
  void let(const Expr& target, Variant v, Frame& f);
  void set(const Expr& target, Variant v, Frame& f);
  void store(const Expr& target, Variant v, Frame& f, bool is_set);
  Variant call(const Expr& call, Frame& f);
  Variant invoke(const Variant& object, xl::late::MemberId member, const xl::late::Arguments& args,
                 const Variant* assign = nullptr);
  xl::late::Arguments late_arguments(const std::vector<Arg>& args, Frame& f);
  Variant builtin(int index, const std::vector<Arg>& args, Frame& f);
  Variant err_member(const Expr& member, const std::vector<Arg>* args, Frame& f, const Variant* assign);
  Variant index_array(const Variant& array, const std::vector<Arg>& args, Frame& f);
  Variant& array_element(Variant& array, const std::vector<Arg>& args, Frame& f);
  bool case_matches(const Expr& test, Frame& f);
  bool text_compare(const Frame& f) const;
  Variant global_object(Ref ref);
};

// Conversions of a value stored into a typed variable.
Variant default_value(VbType type);
Variant coerce(VbType type, Variant v);

[[noreturn]] void raise_error(int32_t number, std::u16string description);

}  // namespace tabrel::macro
