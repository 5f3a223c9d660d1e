#pragma once
// The parsed program. Statements are lowered to a flat list of instructions per procedure (so
// GoTo, On Error GoTo, Resume and Exit are plain jumps); expressions stay trees. After parsing,
// the binder fills in what each name means (a slot, a constant, a procedure, a built-in
// function or a member of the application), so that running looks up no name by text.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "spreadsheet/core/variant.h"

namespace tabrel::macro {

// Declared types of variables and parameters; Object stands for every class name.
enum class VbType : uint8_t { Variant, Integer, Long, Single, Double, Currency, Date, String, Boolean, Byte, Object };

enum class UnOp : uint8_t { Neg, Not, Plus };
enum class BinOp : uint8_t {
  Add, Sub, Mul, Div, IntDiv, Mod, Pow, Concat, Eq, Ne, Lt, Gt, Le, Ge, And, Or, Xor, Eqv, Imp, Like, Is,
};

enum class ExprKind : uint8_t {
  Literal,     // literal
  Name,        // name, bound by the binder
  Member,      // target.name (target null inside With: the With object); bang: target!name
  Call,        // target(args) or a call with arguments written without parentheses
  Unary,       // op lhs
  Binary,      // lhs op rhs
  TypeOfIs,    // TypeOf lhs Is name
  CaseTest,    // Select Case clause list against the hidden slot `slot`
  Unsupported, // New, AddressOf ...: fails when evaluated; `name` says what
};

// What a name stands for, as the binder found it.
enum class Ref : uint8_t {
  Unbound,
  Local,        // slot in the frame
  ModuleVar,    // slot of module `module`
  Constant,     // `literal` holds the value
  Procedure,    // procedure `index` of module `module`
  Builtin,      // run-time function `index`
  GlobalMember, // member `index` of the application (Range, Cells, Selection ...)
  ErrObject,    // the Err object
  ThisWorkbook, // the workbook whose module holds the running macro
  Refused,      // a name the sandbox refuses (Shell, Kill, CreateObject ...)
};

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

struct Arg {
  std::u16string name;  // Name:=value; empty for a positional argument
  ExprPtr value;        // null for an omitted argument ("f(1, , 3)")
};

struct CaseClause {
  enum class Kind : uint8_t { Value, Range, Is } kind = Kind::Value;
  BinOp op = BinOp::Eq;  // for Is
  ExprPtr a, b;
};

struct Expr {
  ExprKind kind = ExprKind::Literal;
  uint32_t line = 0;
  Variant literal;
  std::u16string name;
  ExprPtr target;
  std::vector<Arg> args;
  bool parenthesized_args = false;  // f(x) as opposed to f x
  bool bang = false;
  bool wrapped = false;             // the whole expression stood in parentheses (passes ByVal)
  UnOp unop = UnOp::Neg;
  BinOp binop = BinOp::Add;
  ExprPtr lhs, rhs;
  std::vector<CaseClause> clauses;  // CaseTest
  int slot = -1;                    // CaseTest: the hidden slot holding the tested value
  // Filled by the binder.
  Ref ref = Ref::Unbound;
  int module = -1;
  int index = -1;  // slot, procedure, built-in or member id
};

struct DimBound {
  ExprPtr lower;  // null: Option Base
  ExprPtr upper;
};

enum class Op : uint8_t {
  Nop,
  Let,              // a = b (also Mid$ and LSet fall here as unsupported)
  Set,              // Set a = b
  Eval,             // a call statement: evaluate `a`, discard the result
  Jump,             // to `target`
  JumpIfFalse,      // a false: to `target`
  JumpIfTrue,       // a true: to `target`
  ForInit,          // a = b; limit c, step d into slots; past the limit: to `target`
  ForNext,          // a += step; within the limit: to `target`
  ForEachInit,      // collection b into slot; empty: to `target`; else a = first item
  ForEachNext,      // next item into a and to `target`, or fall through
  WithBegin,        // slot = a
  SlotClear,        // slot = Empty (end of With, Select Case, loop exits)
  SelectBegin,      // slot = a
  OnErrorResumeNext,
  OnErrorGoto0,
  OnErrorGoto,      // to `target` on an error
  Resume,           // Resume (the failing statement again)
  ResumeNext,       // Resume Next
  ResumeLabel,      // Resume label: to `target`
  Return,           // Exit Sub / Function / Property, End Sub
  EndRun,           // End: stops every procedure
  ReDim,            // a (a name) to `bounds`; `preserve`
  DimArray,         // fixed array a (a name) with `bounds`, typed `type`
  Erase,            // a = Empty array
  Unsupported,      // fails when it runs; `text` says what
  Refused,          // stops the run: the sandbox refuses `text`
};

struct Instr {
  Op op = Op::Nop;
  uint32_t line = 0;
  ExprPtr a, b, c, d;
  int target = -1;
  int slot = -1, slot2 = -1, slot3 = -1;
  bool preserve = false;
  VbType type = VbType::Variant;
  std::vector<DimBound> bounds;
  std::u16string text;
};

struct Variable {
  std::u16string name;
  VbType type = VbType::Variant;
  bool is_const = false;
  bool is_public = false;
  bool is_static = false;  // keeps its value across calls (module storage)
  bool is_array = false;   // declared with parentheses: starts as an empty array
  int static_slot = -1;    // for statics: slot among the module's variables
};

struct Param {
  std::u16string name;
  VbType type = VbType::Variant;
  bool by_val = false;
  bool optional = false;
  bool param_array = false;
  ExprPtr default_value;
};

enum class ProcKind : uint8_t { Sub, Function, PropertyGet, PropertyLet, PropertySet };

struct Procedure {
  std::u16string name;
  ProcKind kind = ProcKind::Sub;
  bool is_public = true;
  uint32_t line = 0;
  VbType return_type = VbType::Variant;
  std::vector<Param> params;      // slots 0..n-1
  std::vector<Variable> locals;   // declared locals (slots after the parameters)
  std::vector<Instr> code;
  std::unordered_map<std::u16string, int> labels;  // folded label -> instruction
  int slot_count = 0;             // parameters + locals + hidden slots + the result
  int result_slot = -1;           // Functions and Property Get
  std::vector<VbType> slot_types; // declared type of every slot (filled by the binder)
};

struct Module {
  std::u16string name;
  bool is_document = false;  // sheet or workbook module: its procedures are events or helpers
  bool option_explicit = false;
  bool compare_text = false;
  int option_base = 0;
  std::vector<Variable> variables;  // module-level, statics of procedures appended
  std::vector<Instr> init;          // Const values and fixed arrays, run once before any call
  std::vector<Procedure> procedures;
  std::vector<std::u16string> externals;  // names brought in by Declare: refused when called
};

}  // namespace tabrel::macro
