#include "spreadsheet/macro/interpreter.h"

#include <cmath>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/engine.h"
#include "spreadsheet/macro/operators.h"
#include "spreadsheet/macro/run_state.h"

namespace tabrel::macro {
namespace {

constexpr uint64_t kClockEvery = 4096;  // statements between two looks at the clock

void check_items(size_t items, const Limits& limits) {
  if (items > limits.array_items) raise_error(7, u"Out of memory");
}

}  // namespace

Interpreter::State::State(const Program& p, std::shared_ptr<xl::Application> a, Limits l,
                          std::shared_ptr<xl::Workbook> wb)
    : program(p), app(std::move(a)), limits(l), this_workbook(std::move(wb)), clock(formula::system_clock_serial) {
  module_vars.resize(program.modules.size());
  module_ready.assign(program.modules.size(), false);
}

void Interpreter::State::tick() {
  ++log.statements;
  if (log.statements > limits.statements)
    throw RunStopped{true, u"the macro ran more than " + from_utf8(std::to_string(limits.statements)) + u" statements"};
  if (log.statements % kClockEvery == 0) {
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - started;
    if (spent.count() > limits.seconds) throw RunStopped{true, u"the macro ran longer than its time budget"};
  }
}

void Interpreter::State::note_unsupported(std::u16string what) {
  for (const auto& seen : log.unsupported)
    if (seen == what) return;
  log.unsupported.push_back(std::move(what));
}

void Interpreter::State::unsupported(std::u16string what) {
  note_unsupported(what);
  raise_error(err::kNoSuchMember, u"Not supported: " + what);
}

void Interpreter::State::refuse(const std::u16string& what) {
  throw RunStopped{true, u"refused: " + what + u" (macros may not reach files, programs or other workbooks)"};
}

// Module variables start typed and empty; Const values and fixed arrays come from the module's
// init code, run once before the module is first used.
void Interpreter::State::prepare_module(int module) {
  const auto m = static_cast<size_t>(module);
  if (module_ready[m]) return;
  module_ready[m] = true;
  const Module& mod = program.modules[m];
  auto& vars = module_vars[m];
  vars.resize(mod.variables.size());
  for (size_t i = 0; i < mod.variables.size(); ++i) {
    const auto& v = mod.variables[i];
    if (v.is_array) {
      VariantArray empty;
      vars[i] = Variant::array(std::move(empty));
    } else {
      vars[i] = default_value(v.type);
    }
  }
  if (mod.init.empty()) return;
  Frame f;
  f.module = module;
  size_t pc = 0;
  while (pc < mod.init.size()) {
    const Instr& in = mod.init[pc];
    tick();
    step(f, in, pc);
  }
}

Variant Interpreter::State::call_procedure(int module, int index, const std::vector<Arg>* args, Frame* caller) {
  prepare_module(module);
  const Procedure& proc = program.modules[static_cast<size_t>(module)].procedures[static_cast<size_t>(index)];
  if (call_depth >= limits.call_depth) throw RunStopped{true, u"the macro calls itself too deeply"};
  Frame f;
  f.proc = &proc;
  f.module = module;
  const auto slots = static_cast<size_t>(proc.slot_count);
  f.store.reserve(slots);
  for (size_t i = 0; i < slots; ++i) f.store.push_back(default_value(proc.slot_types[i]));
  f.refs.resize(slots);
  for (size_t i = 0; i < slots; ++i) f.refs[i] = &f.store[i];

  // Arguments: positional, then named; ByRef names share the caller's variable.
  const size_t params = proc.params.size();
  std::vector<bool> given(params, false);
  if (args) {
    size_t position = 0;
    VariantArray rest;
    for (const auto& a : *args) {
      size_t p = position;
      if (!a.name.empty()) {
        p = 0;
        while (p < params && !equals_ignore_case(proc.params[p].name, a.name)) ++p;
        if (p == params) raise_error(448, u"Named argument not found: " + a.name);
      } else {
        ++position;
      }
      if (p >= params && params > 0 && proc.params[params - 1].param_array) p = params - 1;
      if (p < params && proc.params[p].param_array) {
        rest.items.push_back(a.value ? value(*a.value, *caller) : missing_argument());
        continue;
      }
      if (p >= params) raise_error(450, u"Wrong number of arguments: " + proc.name);
      given[p] = true;
      if (!a.value) {
        given[p] = false;
        continue;
      }
      const Param& param = proc.params[p];
      Variant* shared = (!param.by_val && !a.value->wrapped && caller) ? variable(*a.value, *caller) : nullptr;
      if (shared && (param.type == VbType::Variant || shared->type() == default_value(param.type).type())) {
        f.refs[p] = shared;
      } else {
        Variant v = eval(*a.value, *caller);
        if (param.type != VbType::Object && param.type != VbType::Variant) v = value_of(std::move(v));
        f.store[p] = coerce(param.type, std::move(v));
      }
    }
    for (size_t p = 0; p < params; ++p)
      if (proc.params[p].param_array) {
        rest.lower = {0};
        rest.extent = {static_cast<int32_t>(rest.items.size())};
        f.store[p] = Variant::array(std::move(rest));
        given[p] = true;
        break;
      }
  }
  for (size_t p = 0; p < params; ++p) {
    if (given[p]) continue;
    const Param& param = proc.params[p];
    if (param.param_array) {
      VariantArray none;
      none.lower = {0};
      none.extent = {0};
      f.store[p] = Variant::array(std::move(none));
    } else if (!param.optional) {
      raise_error(449, u"Argument not optional: " + param.name);
    } else if (param.default_value) {
      f.store[p] = coerce(param.type, value(*param.default_value, f));
    } else {
      f.store[p] = param.type == VbType::Variant ? missing_argument() : default_value(param.type);
    }
  }

  ++call_depth;
  struct Leave {
    int& depth;
    ~Leave() { --depth; }
  } leave{call_depth};
  execute(f);
  return proc.result_slot >= 0 ? f.slot(proc.result_slot) : Variant();
}

namespace {

enum class Handler { None, ResumeNext, Goto };

bool within(const Variant& v, const Variant& limit, const Variant& step_by) {
  const double s = step_by.to_double();
  const auto c = compare(v, limit);
  if (!c) return false;
  return s >= 0 ? *c <= 0 : *c >= 0;
}

}  // namespace

void Interpreter::State::execute(Frame& f) {
  const auto& code = f.proc->code;
  Handler handler = Handler::None;
  size_t handler_at = 0;
  bool handling = false;  // inside the error handler: a new error leaves the procedure
  size_t failed_at = 0;
  size_t pc = 0;
  while (pc < code.size()) {
    const Instr& in = code[pc];
    tick();
    try {
      switch (in.op) {
        case Op::Return: return;
        case Op::OnErrorResumeNext:
          handler = Handler::ResumeNext;
          err->clear();
          ++pc;
          continue;
        case Op::OnErrorGoto0:
          handler = Handler::None;
          err->clear();
          ++pc;
          continue;
        case Op::OnErrorGoto:
          handler = Handler::Goto;
          handler_at = static_cast<size_t>(in.target);
          err->clear();
          ++pc;
          continue;
        case Op::Resume: case Op::ResumeNext: case Op::ResumeLabel:
          if (!handling) raise_error(20, u"Resume without error");
          handling = false;
          err->clear();
          pc = in.op == Op::Resume ? failed_at : in.op == Op::ResumeNext ? failed_at + 1 : static_cast<size_t>(in.target);
          continue;
        default:
          step(f, in, pc);
      }
    } catch (const AutomationError& e) {
      err->number = e.number();
      err->description = e.description();
      if (handler == Handler::ResumeNext) {
        ++pc;
        continue;
      }
      if (handler == Handler::Goto && !handling) {
        handling = true;
        failed_at = pc;
        pc = handler_at;
        continue;
      }
      throw;
    }
  }
}

// One instruction; moves pc to the next one to run.
void Interpreter::State::step(Frame& f, const Instr& in, size_t& pc) {
  size_t next = pc + 1;
  switch (in.op) {
    case Op::Nop: break;
    case Op::Let: let(*in.a, eval(*in.b, f), f); break;
    case Op::Set: set(*in.a, eval(*in.b, f), f); break;
    case Op::Eval: eval(*in.a, f); break;
    case Op::Jump: next = static_cast<size_t>(in.target); break;
    case Op::JumpIfFalse:
      if (!truth(value(*in.a, f))) next = static_cast<size_t>(in.target);
      break;
    case Op::JumpIfTrue:
      if (truth(value(*in.a, f))) next = static_cast<size_t>(in.target);
      break;
    case Op::ForInit: {
      Variant start = value(*in.b, f);
      f.slot(in.slot) = value(*in.c, f);
      f.slot(in.slot2) = in.d ? value(*in.d, f) : Variant::integer(1);
      let(*in.a, std::move(start), f);
      if (!within(value(*in.a, f), f.slot(in.slot), f.slot(in.slot2))) next = static_cast<size_t>(in.target);
      break;
    }
    case Op::ForNext: {
      let(*in.a, binary(BinOp::Add, value(*in.a, f), f.slot(in.slot2), false, limits.string_units), f);
      if (within(value(*in.a, f), f.slot(in.slot), f.slot(in.slot2))) next = static_cast<size_t>(in.target);
      break;
    }
    case Op::ForEachInit: {
      Variant collection = eval(*in.b, f);
      int32_t count;
      if (collection.is_array()) {
        count = static_cast<int32_t>(collection.arr().items.size());
      } else if (collection.is_object() && collection.object()) {
        count = xl::late::item_count(*collection.object());
      } else {
        raise_error(err::kObjectRequired, u"Object required");
      }
      f.slot(in.slot) = std::move(collection);
      f.slot(in.slot2) = Variant::long_(0);
      f.slot(in.slot3) = Variant::long_(count);
      if (count <= 0) {
        next = static_cast<size_t>(in.target);
        break;
      }
      [[fallthrough]];
    }
    case Op::ForEachNext: {
      const int32_t i = f.slot(in.slot2).to_long();
      if (in.op == Op::ForEachNext && i + 1 >= f.slot(in.slot3).to_long()) break;
      const int32_t at = in.op == Op::ForEachNext ? i + 1 : 0;
      f.slot(in.slot2) = Variant::long_(at);
      const Variant& collection = f.slot(in.slot);
      Variant item = collection.is_array() ? collection.arr().items[static_cast<size_t>(at)]
                                           : xl::late::item_at(*collection.object(), at + 1);
      store(*in.a, std::move(item), f, true);
      if (in.op == Op::ForEachNext) next = static_cast<size_t>(in.target);
      break;
    }
    case Op::WithBegin: case Op::SelectBegin:
      f.slot(in.slot) = eval(*in.a, f);
      break;
    case Op::SlotClear: f.slot(in.slot) = Variant(); break;
    case Op::DimArray: case Op::ReDim: {
      VariantArray arr;
      size_t items = 1;
      const int base = f.module >= 0 ? program.modules[static_cast<size_t>(f.module)].option_base : 0;
      for (const auto& b : in.bounds) {
        const int32_t lo = b.lower ? value(*b.lower, f).to_long() : base;
        const int32_t hi = value(*b.upper, f).to_long();
        if (hi < lo - 1) raise_error(err::kSubscriptOutOfRange, u"Subscript out of range");
        const auto extent = static_cast<size_t>(static_cast<int64_t>(hi) - lo + 1);
        check_items(extent, limits);
        items *= extent;
        check_items(items, limits);
        arr.lower.push_back(lo);
        arr.extent.push_back(static_cast<int32_t>(extent));
      }
      Variant* var = variable(*in.a, f);
      if (!var) unsupported(u"ReDim of " + in.a->name);
      VbType type = in.type;
      if (type == VbType::Variant) type = declared_type(*in.a, f);
      arr.items.assign(items, default_value(type));
      if (in.preserve && var->is_array() && var->arr().lower.size() == arr.lower.size()) {
        const VariantArray& old = var->arr();
        // Keeps every element whose subscripts exist in both shapes.
        for (size_t flat = 0; flat < old.items.size(); ++flat) {
          size_t rest = flat, target = 0, scale = 1;
          bool inside = true;
          std::vector<size_t> sub(old.extent.size());
          for (size_t d = old.extent.size(); d-- > 0;) {
            sub[d] = rest % static_cast<size_t>(old.extent[d]);
            rest /= static_cast<size_t>(old.extent[d]);
          }
          for (size_t d = old.extent.size(); d-- > 0;) {
            const int64_t i = static_cast<int64_t>(sub[d]) + old.lower[d] - arr.lower[d];
            if (i < 0 || i >= arr.extent[d]) inside = false;
            target += static_cast<size_t>(i) * scale;
            scale *= static_cast<size_t>(arr.extent[d]);
          }
          if (inside) arr.items[target] = old.items[flat];
        }
      }
      *var = Variant::array(std::move(arr));
      break;
    }
    case Op::Erase: {
      Variant* var = variable(*in.a, f);
      if (!var || !var->is_array()) raise_error(err::kTypeMismatch, u"Type mismatch");
      VariantArray& arr = var->arr_for_edit();
      if (arr.items.empty()) break;
      for (auto& item : arr.items) item = item.is_string() ? Variant(u"") : (item.is_object() ? Variant(std::shared_ptr<Dispatch>()) : Variant());
      break;
    }
    case Op::EndRun: throw RunStopped{false, u"End"};
    case Op::Refused: refuse(in.text);
    case Op::Unsupported: unsupported(u"statement: " + in.text);
    default: unsupported(u"statement");
  }
  pc = next;
}

Interpreter::Interpreter(const Program& program, std::shared_ptr<xl::Application> app, Limits limits,
                         std::shared_ptr<xl::Workbook> this_workbook)
    : state_(std::make_unique<State>(program, std::move(app), limits, std::move(this_workbook))) {}

Interpreter::~Interpreter() = default;

Variant Interpreter::call(ProcRef proc) {
  if (state_->call_depth == 0) state_->started = std::chrono::steady_clock::now();
  return state_->call_procedure(proc.module, proc.procedure, nullptr, nullptr);
}

const RunLog& Interpreter::log() const { return state_->log; }

void Interpreter::charge(uint64_t statements) { state_->log.statements += statements; }

void Interpreter::set_clock(std::function<double()> clock) { state_->clock = std::move(clock); }

}  // namespace tabrel::macro
