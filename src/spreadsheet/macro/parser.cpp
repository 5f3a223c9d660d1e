#include "spreadsheet/macro/parser.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "spreadsheet/core/text.h"
#include "spreadsheet/macro/lexer.h"

namespace tabrel::macro {
namespace {

// A statement the parser cannot read; it becomes an Unsupported instruction.
struct ParseError {
  std::u16string what;
};

// What ends a block.
enum class Term { None, EndIf, Else, ElseIf, Next, Loop, Wend, Case, EndSelect, EndWith, EndProc, Eof };

VbType type_of_name(std::u16string_view name) {
  const std::u16string n = lower(name);
  if (n == u"integer") return VbType::Integer;
  if (n == u"long" || n == u"longlong" || n == u"longptr") return VbType::Long;
  if (n == u"single") return VbType::Single;
  if (n == u"double") return VbType::Double;
  if (n == u"currency") return VbType::Currency;
  if (n == u"date") return VbType::Date;
  if (n == u"string") return VbType::String;
  if (n == u"boolean") return VbType::Boolean;
  if (n == u"byte") return VbType::Byte;
  if (n == u"variant" || n == u"any") return VbType::Variant;
  return VbType::Object;
}

// Keywords that may still name a function or a variable in an expression.
bool usable_as_name(Kw kw) {
  switch (kw) {
    case Kw::None: case Kw::Error: case Kw::Input: case Kw::Compare: case Kw::Explicit: case Kw::Base:
    case Kw::Module: case Kw::Lib: case Kw::Line: case Kw::Close: case Kw::Open: case Kw::Get: case Kw::Put:
    case Kw::Write: case Kw::Print: case Kw::Property: case Kw::Event: case Kw::Friend: case Kw::Attribute:
      return true;
    default:
      return false;
  }
}

class Parser {
 public:
  Parser(Module& mod, std::u16string_view source) : mod_(mod) {
    if (source.size() > kMaxSourceUnits) source = source.substr(0, kMaxSourceUnits);
    toks_ = tokenize(source);
  }

  void run() {
    while (!at(Tok::End)) {
      skip_separators();
      if (at(Tok::End)) break;
      module_line();
    }
  }

 private:
  // ---- tokens
  const Token& peek(size_t ahead = 0) const {
    const size_t i = std::min(p_ + ahead, toks_.size() - 1);
    return toks_[i];
  }
  bool at(Tok k) const { return peek().kind == k; }
  bool at_kw(Kw k) const { return peek().is_kw(k); }
  bool at_op(std::u16string_view op) const { return peek().is_op(op); }
  const Token& next() {
    const Token& t = peek();
    if (p_ + 1 < toks_.size()) ++p_;
    return t;
  }
  bool accept_kw(Kw k) {
    if (!at_kw(k)) return false;
    next();
    return true;
  }
  bool accept_op(std::u16string_view op) {
    if (!at_op(op)) return false;
    next();
    return true;
  }
  void expect_kw(Kw k, const char16_t* what) {
    if (!accept_kw(k)) fail(std::u16string(u"expected ") + what);
  }
  void expect_op(std::u16string_view op) {
    if (!accept_op(op)) fail(u"expected " + std::u16string(op));
  }
  [[noreturn]] void fail(std::u16string what) { throw ParseError{std::move(what)}; }

  bool at_line_start() const { return p_ == 0 || toks_[p_ - 1].kind == Tok::Newline; }
  bool at_statement_end() const {
    return at(Tok::Newline) || at(Tok::Colon) || at(Tok::End) || (single_line_if_ > 0 && at_kw(Kw::Else));
  }
  void skip_separators() {
    while (at(Tok::Newline) || at(Tok::Colon)) next();
  }
  void skip_line() {
    while (!at(Tok::Newline) && !at(Tok::End)) next();
  }
  std::u16string name_token() {
    const Token& t = peek();
    if (t.kind != Tok::Identifier) fail(u"expected a name");
    next();
    return t.text;
  }
  // The text of the tokens from `from` up to the current one, for messages.
  std::u16string text_from(size_t from) const {
    std::u16string s;
    for (size_t i = from; i < p_ && i < toks_.size() && s.size() < 80; ++i) {
      const Token& t = toks_[i];
      if (t.kind == Tok::Newline || t.kind == Tok::End) break;
      if (!s.empty() && t.space_before) s.push_back(u' ');
      if (t.kind == Tok::Literal) s += t.value.is_string() ? u"\"" + t.value.str() + u"\"" : t.value.to_string();
      else s += t.text;
    }
    return s;
  }

  // ---- emission
  std::vector<Instr>& code() { return proc_ ? proc_->code : mod_.init; }
  int here() { return static_cast<int>(code().size()); }
  int emit(Op op, uint32_t line) {
    Instr in;
    in.op = op;
    in.line = line;
    code().push_back(std::move(in));
    return here() - 1;
  }
  Instr& at_instr(int i) { return code()[static_cast<size_t>(i)]; }
  // An instruction a failed statement emitted before its operand was read must not run with
  // the operand missing: it fails when reached, like any construct that could not be read.
  void disarm_incomplete(int first, const std::u16string& what) {
    for (int i = first; i < here(); ++i) {
      Instr& in = at_instr(i);
      if (operands_complete(in)) continue;
      in.op = Op::Unsupported;
      in.text = what;
    }
  }
  static bool operands_complete(const Instr& in) {
    switch (in.op) {
      case Op::Let:
      case Op::Set:
      case Op::ForEachInit: return in.a && in.b;
      case Op::ForInit: return in.a && in.b && in.c;
      case Op::Eval:
      case Op::JumpIfFalse:
      case Op::JumpIfTrue:
      case Op::ForNext:
      case Op::ForEachNext:
      case Op::WithBegin:
      case Op::SelectBegin:
      case Op::ReDim:
      case Op::DimArray:
      case Op::Erase: return in.a != nullptr;
      default: return true;
    }
  }
  int hidden_slot() {
    if (!proc_) fail(u"statement outside a procedure");
    return static_cast<int>(proc_->params.size()) + hidden_++;
  }
  ExprPtr slot_ref(int slot, uint32_t line) {
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::Name;
    e->line = line;
    e->ref = Ref::Local;
    e->index = slot;
    return e;
  }
  void unsupported(std::u16string what, uint32_t line, Op op = Op::Unsupported) {
    const int i = emit(op, line);
    at_instr(i).text = std::move(what);
  }

  // ---- module level
  // A line outside the procedures that cannot be read is left out: it must not stop the
  // module's procedures from running.
  void module_line() {
    const size_t start = p_;
    try {
      module_statement();
      if (!at_statement_end()) fail(u"unexpected " + peek().text);
    } catch (const ParseError&) {
      proc_ = nullptr;
      p_ = std::max(p_, start);
      skip_line();
    }
  }

  void module_statement() {
    if (at_kw(Kw::Attribute)) return skip_line();
    if (accept_kw(Kw::Option)) return option();
    bool is_public = true, has_scope = false;
    for (;;) {
      if (accept_kw(Kw::Public) || accept_kw(Kw::Global)) {
        is_public = true;
        has_scope = true;
      } else if (accept_kw(Kw::Private)) {
        is_public = false;
        has_scope = true;
      } else if (accept_kw(Kw::Friend) || accept_kw(Kw::Static)) {
        has_scope = true;
      } else {
        break;
      }
    }
    if (at_kw(Kw::Sub) || at_kw(Kw::Function) || at_kw(Kw::Property)) return procedure(is_public);
    if (accept_kw(Kw::Const)) return constants(is_public);
    if (accept_kw(Kw::Declare)) return declare();
    if (accept_kw(Kw::Type)) return skip_block_until(Kw::Type);
    if (accept_kw(Kw::Enum)) return enumeration(is_public);
    if (accept_kw(Kw::Dim) || has_scope) {
      accept_kw(Kw::WithEvents);
      return variables(is_public && has_scope, false);
    }
    if (accept_kw(Kw::Event)) return skip_line();
    fail(u"statement outside a procedure");
  }

  void option() {
    if (accept_kw(Kw::Explicit)) {
      mod_.option_explicit = true;
    } else if (accept_kw(Kw::Base)) {
      const Token& t = next();
      if (t.kind != Tok::Literal || !t.value.is_numeric()) fail(u"Option Base");
      mod_.option_base = t.value.to_double() == 1 ? 1 : 0;
    } else if (accept_kw(Kw::Compare)) {
      const Token& t = next();
      mod_.compare_text = t.kind == Tok::Identifier && equals_ignore_case(t.text, u"Text");
    } else if (accept_kw(Kw::Private)) {
      expect_kw(Kw::Module, u"Module");
    } else {
      fail(u"Option");
    }
  }

  // Declare [PtrSafe] Sub|Function name Lib "..." ...: the name is refused when called.
  void declare() {
    if (at(Tok::Identifier) && equals_ignore_case(peek().text, u"PtrSafe")) next();
    if (!accept_kw(Kw::Sub) && !accept_kw(Kw::Function)) fail(u"Declare");
    mod_.externals.push_back(name_token());
    skip_line();
  }

  void skip_block_until(Kw closing) {
    for (;;) {
      skip_line();
      if (at(Tok::End)) return;
      next();
      if (at_kw(Kw::End) && peek(1).is_kw(closing)) {
        next();
        next();
        return;
      }
    }
  }

  void enumeration(bool is_public) {
    name_token();
    double value = -1;
    for (;;) {
      skip_separators();
      if (at(Tok::End)) return;
      if (at_kw(Kw::End) && peek(1).is_kw(Kw::Enum)) {
        next();
        next();
        return;
      }
      const uint32_t line = peek().line;
      Variable v;
      v.name = name_token();
      v.is_const = true;
      v.is_public = is_public;
      ExprPtr init;
      if (accept_op(u"=")) {
        init = expression();
      } else {
        auto e = std::make_unique<Expr>();
        e->line = line;
        e->kind = ExprKind::Unsupported;  // replaced below: previous member + 1
        init = std::move(e);
      }
      if (init->kind == ExprKind::Literal && init->literal.is_numeric()) {
        value = init->literal.to_double();
      } else if (init->kind == ExprKind::Unsupported) {
        value += 1;
        init->kind = ExprKind::Literal;
        init->literal = Variant::long_(static_cast<int32_t>(value));
      }
      module_constant(std::move(v), std::move(init), line);
      skip_line();
    }
  }

  void module_constant(Variable v, ExprPtr value, uint32_t line) {
    const int i = emit(Op::Let, line);
    at_instr(i).a = name_expr(v.name, line);
    at_instr(i).b = std::move(value);
    mod_.variables.push_back(std::move(v));
  }

  ExprPtr name_expr(std::u16string name, uint32_t line) {
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::Name;
    e->name = std::move(name);
    e->line = line;
    return e;
  }

  // Const a = 1, b As String = "x"
  void constants(bool is_public) {
    do {
      const uint32_t line = peek().line;
      Variable v;
      v.name = name_token();
      v.is_const = true;
      v.is_public = is_public;
      if (accept_kw(Kw::As)) v.type = type_of_name(type_name());
      expect_op(u"=");
      ExprPtr value = expression();
      if (proc_) {
        const int i = emit(Op::Let, line);
        at_instr(i).a = name_expr(v.name, line);
        at_instr(i).b = std::move(value);
        declare_local(std::move(v));
      } else {
        module_constant(std::move(v), std::move(value), line);
      }
    } while (accept_op(u","));
  }

  std::u16string type_name() {
    accept_kw(Kw::New);
    std::u16string name = name_token();
    while (accept_op(u".")) name = name_token();
    if (accept_op(u"*")) next();  // String * 10
    return name;
  }

  void declare_local(Variable v) {
    for (const auto& existing : proc_->locals)
      if (equals_ignore_case(existing.name, v.name)) return;
    for (const auto& p : proc_->params)
      if (equals_ignore_case(p.name, v.name)) return;
    proc_->locals.push_back(std::move(v));
  }

  // Dim a, b(1 To 3) As Long, c() As String
  void variables(bool is_public, bool is_static) {
    do {
      const uint32_t line = peek().line;
      accept_kw(Kw::WithEvents);
      Variable v;
      v.name = name_token();
      v.is_public = is_public;
      v.is_static = is_static;
      std::vector<DimBound> bounds;
      if (accept_op(u"(")) {
        v.is_array = true;
        if (!accept_op(u")")) {
          bounds = dim_bounds();
          expect_op(u")");
        }
      }
      if (accept_kw(Kw::As)) v.type = type_of_name(type_name());
      const std::u16string name = v.name;
      const VbType type = v.type;
      if (proc_) declare_local(std::move(v));
      else mod_.variables.push_back(std::move(v));
      if (!bounds.empty()) {
        const int i = emit(Op::DimArray, line);
        at_instr(i).a = name_expr(name, line);
        at_instr(i).bounds = std::move(bounds);
        at_instr(i).type = type;
      }
    } while (accept_op(u","));
  }

  std::vector<DimBound> dim_bounds() {
    std::vector<DimBound> out;
    do {
      DimBound b;
      b.upper = expression();
      if (accept_kw(Kw::To)) {
        b.lower = std::move(b.upper);
        b.upper = expression();
      }
      out.push_back(std::move(b));
    } while (accept_op(u","));
    return out;
  }

  // ---- procedures
  void procedure(bool is_public) {
    Procedure proc;
    proc.is_public = is_public;
    proc.line = peek().line;
    if (accept_kw(Kw::Sub)) {
      proc.kind = ProcKind::Sub;
    } else if (accept_kw(Kw::Function)) {
      proc.kind = ProcKind::Function;
    } else {
      expect_kw(Kw::Property, u"Property");
      if (accept_kw(Kw::Get)) proc.kind = ProcKind::PropertyGet;
      else if (accept_kw(Kw::Let)) proc.kind = ProcKind::PropertyLet;
      else if (accept_kw(Kw::Set)) proc.kind = ProcKind::PropertySet;
      else fail(u"Property");
    }
    if (peek().kind != Tok::Identifier) fail(u"expected a name");
    proc.name = next().text;
    if (accept_op(u"(")) {
      if (!accept_op(u")")) {
        do proc.params.push_back(parameter());
        while (accept_op(u","));
        expect_op(u")");
      }
    }
    if (accept_kw(Kw::As)) {
      proc.return_type = type_of_name(type_name());
      if (accept_op(u"(")) expect_op(u")");
    }
    mod_.procedures.push_back(std::move(proc));
    proc_ = &mod_.procedures.back();
    hidden_ = 0;
    gotos_.clear();
    loops_.clear();
    with_slots_.clear();
    pending_next_ = 0;
    skip_line();
    const Term t = block({Term::EndProc});
    const uint32_t end_line = peek().line;
    if (t == Term::EndProc) {
      next();
      next();
    }
    emit(Op::Return, end_line);
    patch_gotos();
    proc_->slot_count = static_cast<int>(proc_->params.size()) + hidden_;
    proc_ = nullptr;
  }

  Param parameter() {
    Param p;
    for (;;) {
      if (accept_kw(Kw::Optional)) p.optional = true;
      else if (accept_kw(Kw::ByVal)) p.by_val = true;
      else if (accept_kw(Kw::ByRef)) p.by_val = false;
      else if (accept_kw(Kw::ParamArray)) p.param_array = true;
      else break;
    }
    p.name = name_token();
    if (accept_op(u"(")) expect_op(u")");
    if (accept_kw(Kw::As)) p.type = type_of_name(type_name());
    if (accept_op(u"=")) p.default_value = expression();
    return p;
  }

  void patch_gotos() {
    for (const auto& [instr, label] : gotos_) {
      auto it = proc_->labels.find(label);
      Instr& in = at_instr(instr);
      if (it == proc_->labels.end()) {
        in.op = Op::Unsupported;
        in.text = u"label not defined: " + label;
      } else {
        in.target = it->second;
      }
    }
  }

  void goto_label(int instr, const Token& label) {
    std::u16string name = label.kind == Tok::Literal ? label.value.to_string() : lower(label.text);
    gotos_.emplace_back(instr, std::move(name));
  }

  // ---- blocks
  Term peek_term() const {
    const Token& t = peek();
    if (t.kind == Tok::End) return Term::Eof;
    if (t.kind != Tok::Identifier || t.bracketed) return Term::None;
    switch (t.keyword) {
      case Kw::End: {
        const Token& n = peek(1);
        if (n.is_kw(Kw::If)) return Term::EndIf;
        if (n.is_kw(Kw::Select)) return Term::EndSelect;
        if (n.is_kw(Kw::With)) return Term::EndWith;
        if (n.is_kw(Kw::Sub) || n.is_kw(Kw::Function) || n.is_kw(Kw::Property)) return Term::EndProc;
        return Term::None;
      }
      case Kw::Else: return Term::Else;
      case Kw::ElseIf: return Term::ElseIf;
      case Kw::Next: return Term::Next;
      case Kw::Loop: return Term::Loop;
      case Kw::Wend: return Term::Wend;
      case Kw::Case: return Term::Case;
      case Kw::None:
        if (equals_ignore_case(t.text, u"EndIf")) return Term::EndIf;
        return Term::None;
      default: return Term::None;
    }
  }

  // Parses statements until one of `ends` (not consumed), the end of the procedure or the source.
  Term block(std::initializer_list<Term> ends) {
    if (++depth_ > kMaxNesting) {
      --depth_;
      fail(u"too deeply nested");
    }
    for (;;) {
      if (pending_next_ > 0) {
        --depth_;
        return Term::Next;
      }
      skip_separators();
      const Term t = peek_term();
      if (t == Term::Eof || t == Term::EndProc || std::find(ends.begin(), ends.end(), t) != ends.end()) {
        --depth_;
        return t;
      }
      if (t != Term::None) {
        const size_t start = p_;
        const uint32_t line = peek().line;
        skip_line();
        unsupported(u"misplaced " + text_from(start), line);
        continue;
      }
      statement_line();
    }
  }

  void statement_line() {
    if (at_line_start()) label();
    if (at_statement_end()) return;
    statement_guarded();
  }

  void label() {
    const Token& t = peek();
    const bool named = t.kind == Tok::Identifier && t.keyword == Kw::None && peek(1).kind == Tok::Colon;
    const bool numbered = t.kind == Tok::Literal && t.value.is_numeric() && !t.value.is_bool();
    if (!named && !numbered) return;
    std::u16string name = named ? lower(t.text) : t.value.to_string();
    if (proc_) proc_->labels.emplace(std::move(name), here());
    next();
    if (named) next();
  }

  void statement_guarded() {
    const size_t start = p_;
    const uint32_t line = peek().line;
    // A block statement that fails part way keeps what it emitted; jumps it left unpatched are
    // caught by the binder. Its loop and With context is dropped.
    const size_t loops = loops_.size(), withs = with_slots_.size();
    const int first = here();
    try {
      statement();
      if (!at_statement_end()) fail(u"unexpected " + peek().text);
    } catch (const ParseError&) {
      loops_.resize(std::min(loops_.size(), loops));
      with_slots_.resize(std::min(with_slots_.size(), withs));
      pending_next_ = 0;
      while (!at(Tok::Newline) && !at(Tok::End)) next();
      disarm_incomplete(first, text_from(start));
      unsupported(text_from(start), line);
    }
  }

  void statement() {
    const Token& t = peek();
    const uint32_t line = t.line;
    if (t.kind == Tok::Identifier && !t.bracketed) {
      switch (t.keyword) {
        case Kw::Dim: next(); return variables(false, false);
        case Kw::Static: next(); return static_variables();
        case Kw::Const: next(); return constants(false);
        case Kw::ReDim: next(); return redim(line);
        case Kw::Set: next(); return assignment(Op::Set, line);
        case Kw::Let: next(); return assignment(Op::Let, line);
        case Kw::Call: next(); return call_statement(line);
        case Kw::If: next(); return if_statement(line);
        case Kw::For: next(); return for_statement(line);
        case Kw::Do: next(); return do_statement(line);
        case Kw::While: next(); return while_statement(line);
        case Kw::Select: next(); return select_statement(line);
        case Kw::With: next(); return with_statement(line);
        case Kw::Exit: next(); return exit_statement(line);
        case Kw::GoTo: {
          next();
          const int i = emit(Op::Jump, line);
          goto_label(i, next());
          return;
        }
        case Kw::On: next(); return on_statement(line);
        case Kw::Resume: next(); return resume_statement(line);
        case Kw::End: next(); emit(Op::EndRun, line); return;
        case Kw::Stop: next(); emit(Op::EndRun, line); return;
        case Kw::Erase: next(); return erase_statement(line);
        case Kw::Open: case Kw::Close: case Kw::Print: case Kw::Input: case Kw::Write: case Kw::Put:
        case Kw::Get: case Kw::Line:
          if (!peek(1).is_op(u"=") && !peek(1).is_op(u".") && !peek(1).is_op(u"(")) {
            const std::u16string what = t.text;
            skip_line();
            return unsupported(u"file access (" + what + u")", line, Op::Refused);
          }
          break;
        case Kw::Declare: skip_line(); return unsupported(u"Declare", line, Op::Refused);
        case Kw::Attribute: return skip_line();
        case Kw::GoSub: case Kw::Return: case Kw::Option: case Kw::RaiseEvent: case Kw::LSet: case Kw::RSet:
        case Kw::Event: case Kw::Private: case Kw::Public: case Kw::Global: case Kw::Friend: case Kw::Type:
        case Kw::Enum: case Kw::Sub: case Kw::Function: case Kw::Property: {
          const size_t start = p_;
          skip_line();
          return unsupported(text_from(start), line);
        }
        case Kw::None:
          if (equals_ignore_case(t.text, u"Debug") && peek(1).is_op(u".")) return skip_line();
          if (equals_ignore_case(t.text, u"Name") && !peek(1).is_op(u"=") && !peek(1).is_op(u".")) {
            skip_line();
            return unsupported(u"file access (Name)", line, Op::Refused);
          }
          break;
        default: break;
      }
    }
    expression_statement(line);
  }

  void static_variables() { variables(false, true); }

  // a = b, a.b(c) = d, or a call: a.b x, y
  void expression_statement(uint32_t line) {
    ExprPtr target = postfix();
    if (accept_op(u"=")) {
      const int i = emit(Op::Let, line);
      at_instr(i).a = std::move(target);
      at_instr(i).b = expression();
      return;
    }
    call_from(std::move(target), line);
  }

  void call_from(ExprPtr target, uint32_t line) {
    if (target->kind == ExprKind::Literal) fail(u"not a statement");
    if (!at_statement_end()) {
      // Arguments without parentheses. "f (a), b" was read as f(a): its one argument is the
      // first of the list.
      std::vector<Arg> args;
      if (target->kind == ExprKind::Call && target->parenthesized_args && target->args.size() == 1 &&
          at_op(u",") && target->target) {
        ExprPtr callee = std::move(target->target);
        Arg first = std::move(target->args[0]);
        if (first.value) first.value->wrapped = true;
        args.push_back(std::move(first));
        target = std::move(callee);
        next();
      }
      argument_list(args, false);
      auto call = std::make_unique<Expr>();
      call->kind = ExprKind::Call;
      call->line = line;
      call->target = std::move(target);
      call->args = std::move(args);
      target = std::move(call);
    }
    const int i = emit(Op::Eval, line);
    at_instr(i).a = std::move(target);
  }

  void call_statement(uint32_t line) {
    ExprPtr target = postfix();
    call_from(std::move(target), line);
  }

  void assignment(Op op, uint32_t line) {
    ExprPtr target = postfix();
    expect_op(u"=");
    const int i = emit(op, line);
    at_instr(i).a = std::move(target);
    at_instr(i).b = expression();
  }

  void redim(uint32_t line) {
    const bool preserve = accept_kw(Kw::Preserve);
    do {
      const uint32_t l = peek().line;
      std::u16string name = name_token();
      expect_op(u"(");
      auto bounds = dim_bounds();
      expect_op(u")");
      VbType type = VbType::Variant;
      if (accept_kw(Kw::As)) type = type_of_name(type_name());
      const int i = emit(Op::ReDim, l);
      at_instr(i).a = name_expr(std::move(name), l);
      at_instr(i).bounds = std::move(bounds);
      at_instr(i).preserve = preserve;
      at_instr(i).type = type;
    } while (accept_op(u","));
    (void)line;
  }

  void erase_statement(uint32_t line) {
    do {
      const int i = emit(Op::Erase, line);
      at_instr(i).a = name_expr(name_token(), line);
    } while (accept_op(u","));
  }

  void if_statement(uint32_t line) {
    ExprPtr cond = expression();
    expect_kw(Kw::Then, u"Then");
    const int jump_false = emit(Op::JumpIfFalse, line);
    at_instr(jump_false).a = std::move(cond);
    if (!at(Tok::Newline) && !at(Tok::End)) return single_line_if(jump_false);
    std::vector<int> to_end;
    int pending = jump_false;
    for (;;) {
      const Term t = block({Term::ElseIf, Term::Else, Term::EndIf});
      if (t == Term::ElseIf) {
        const uint32_t l = next().line;
        to_end.push_back(emit(Op::Jump, l));
        at_instr(pending).target = here();
        ExprPtr c = expression();
        expect_kw(Kw::Then, u"Then");
        pending = emit(Op::JumpIfFalse, l);
        at_instr(pending).a = std::move(c);
        continue;
      }
      if (t == Term::Else) {
        const uint32_t l = next().line;
        to_end.push_back(emit(Op::Jump, l));
        at_instr(pending).target = here();
        pending = -1;
        const Term e = block({Term::EndIf});
        if (e == Term::EndIf) close_end_if();
        break;
      }
      if (t == Term::EndIf) close_end_if();
      break;
    }
    if (pending >= 0) at_instr(pending).target = here();
    for (int j : to_end) at_instr(j).target = here();
  }

  void close_end_if() {
    if (at_kw(Kw::End)) next();
    next();
  }

  // If c Then a: b Else c: d   (all on one line)
  void single_line_if(int jump_false) {
    ++single_line_if_;
    auto statements = [&] {
      for (;;) {
        if (at(Tok::Literal) && peek().value.is_numeric()) {  // If x Then 100  (GoTo a line number)
          const int j = emit(Op::Jump, peek().line);
          goto_label(j, next());
        } else if (!at_statement_end()) {
          statement_guarded_inline();
        }
        if (accept_colon()) continue;
        break;
      }
    };
    statements();
    if (at_kw(Kw::Else)) {
      const uint32_t l = next().line;
      const int to_end = emit(Op::Jump, l);
      at_instr(jump_false).target = here();
      statements();
      at_instr(to_end).target = here();
    } else {
      at_instr(jump_false).target = here();
    }
    --single_line_if_;
  }

  bool accept_colon() {
    if (!at(Tok::Colon)) return false;
    next();
    return true;
  }

  void statement_guarded_inline() {
    const size_t start = p_;
    const uint32_t line = peek().line;
    const int first = here();
    try {
      statement();
      if (!at_statement_end()) fail(u"unexpected " + peek().text);
    } catch (const ParseError&) {
      while (!at(Tok::Newline) && !at(Tok::End)) next();
      disarm_incomplete(first, text_from(start));
      unsupported(text_from(start), line);
    }
  }

  struct Loop {
    bool is_for;
    std::vector<int> exits;
  };

  void close_loop(int exit_to) {
    for (int j : loops_.back().exits) at_instr(j).target = exit_to;
    loops_.pop_back();
  }

  void for_statement(uint32_t line) {
    if (accept_kw(Kw::Each)) return for_each(line);
    ExprPtr var = postfix();
    expect_op(u"=");
    ExprPtr from = expression();
    expect_kw(Kw::To, u"To");
    ExprPtr to = expression();
    ExprPtr step;
    if (accept_kw(Kw::Step)) step = expression();
    const int init = emit(Op::ForInit, line);
    Instr& in = at_instr(init);
    in.slot = hidden_slot();
    in.slot2 = hidden_slot();
    in.b = std::move(from);
    in.c = std::move(to);
    in.d = std::move(step);
    in.a = clone_target(*var);
    ExprPtr var_again = std::move(var);
    const int body = here();
    loops_.push_back({true, {}});
    finish_next();
    const int next_at = emit(Op::ForNext, line);
    Instr& nx = at_instr(next_at);
    nx.a = std::move(var_again);
    nx.slot = at_instr(init).slot;
    nx.slot2 = at_instr(init).slot2;
    nx.target = body;
    at_instr(init).target = here();
    close_loop(here());
  }

  void for_each(uint32_t line) {
    ExprPtr var = postfix();
    expect_kw(Kw::In, u"In");
    ExprPtr collection = expression();
    const int init = emit(Op::ForEachInit, line);
    Instr& in = at_instr(init);
    in.slot = hidden_slot();
    in.slot2 = hidden_slot();
    in.slot3 = hidden_slot();
    in.a = clone_target(*var);
    in.b = std::move(collection);
    const int body = here();
    loops_.push_back({true, {}});
    finish_next();
    const int next_at = emit(Op::ForEachNext, line);
    Instr& nx = at_instr(next_at);
    nx.a = std::move(var);
    nx.slot = at_instr(init).slot;
    nx.slot2 = at_instr(init).slot2;
    nx.slot3 = at_instr(init).slot3;
    nx.target = body;
    at_instr(init).target = here();
    const int exit_to = here();
    close_loop(exit_to);
    const int clear = emit(Op::SlotClear, line);
    at_instr(clear).slot = at_instr(init).slot;
  }

  // The body of a For up to its Next; "Next i, j" closes this loop and the one around it.
  void finish_next() {
    const Term t = block({Term::Next});
    if (t != Term::Next) return;
    if (pending_next_ > 0) {
      --pending_next_;
      return;
    }
    next();
    if (!at_statement_end()) {
      postfix();
      while (accept_op(u",")) {
        postfix();
        ++pending_next_;
      }
    }
  }

  // A copy of a loop variable expression (a name or a member chain without calls).
  ExprPtr clone_target(const Expr& e) {
    auto c = std::make_unique<Expr>();
    c->kind = e.kind;
    c->line = e.line;
    c->name = e.name;
    c->ref = e.ref;
    c->index = e.index;
    c->bang = e.bang;
    if (e.kind != ExprKind::Name && e.kind != ExprKind::Member) fail(u"loop variable");
    if (e.target) c->target = clone_target(*e.target);
    return c;
  }

  void do_statement(uint32_t line) {
    const int top = here();
    int test = -1;
    if (at_kw(Kw::While) || at_kw(Kw::Until)) {
      const bool until = next().keyword == Kw::Until;
      test = emit(until ? Op::JumpIfTrue : Op::JumpIfFalse, line);
      at_instr(test).a = expression();
    }
    loops_.push_back({false, {}});
    const Term t = block({Term::Loop});
    const uint32_t l = peek().line;
    if (t == Term::Loop) next();
    if (at_kw(Kw::While) || at_kw(Kw::Until)) {
      const bool until = next().keyword == Kw::Until;
      const int back = emit(until ? Op::JumpIfFalse : Op::JumpIfTrue, l);
      at_instr(back).a = expression();
      at_instr(back).target = top;
    } else {
      const int back = emit(Op::Jump, l);
      at_instr(back).target = top;
    }
    if (test >= 0) at_instr(test).target = here();
    close_loop(here());
  }

  void while_statement(uint32_t line) {
    const int top = here();
    const int test = emit(Op::JumpIfFalse, line);
    at_instr(test).a = expression();
    loops_.push_back({false, {}});
    const Term t = block({Term::Wend});
    const uint32_t l = peek().line;
    if (t == Term::Wend) next();
    const int back = emit(Op::Jump, l);
    at_instr(back).target = top;
    at_instr(test).target = here();
    close_loop(here());
  }

  void select_statement(uint32_t line) {
    expect_kw(Kw::Case, u"Case");
    const int begin = emit(Op::SelectBegin, line);
    const int slot = hidden_slot();
    at_instr(begin).slot = slot;
    at_instr(begin).a = expression();
    std::vector<int> to_end;
    int pending = -1;
    for (;;) {
      const Term t = block({Term::Case, Term::EndSelect});
      if (t != Term::Case) {
        if (t == Term::EndSelect) {
          next();
          next();
        }
        break;
      }
      const uint32_t l = next().line;
      if (pending >= 0) {
        to_end.push_back(emit(Op::Jump, l));
        at_instr(pending).target = here();
        pending = -1;
      } else if (here() != begin + 1) {
        to_end.push_back(emit(Op::Jump, l));
      }
      if (accept_kw(Kw::Else)) continue;
      auto test = std::make_unique<Expr>();
      test->kind = ExprKind::CaseTest;
      test->line = l;
      test->slot = slot;
      do test->clauses.push_back(case_clause());
      while (accept_op(u","));
      pending = emit(Op::JumpIfFalse, l);
      at_instr(pending).a = std::move(test);
    }
    if (pending >= 0) at_instr(pending).target = here();
    for (int j : to_end) at_instr(j).target = here();
    const int clear = emit(Op::SlotClear, line);
    at_instr(clear).slot = slot;
  }

  CaseClause case_clause() {
    CaseClause c;
    if (accept_kw(Kw::Is)) {
      c.kind = CaseClause::Kind::Is;
      const Token& t = next();
      static constexpr std::pair<std::u16string_view, BinOp> ops[] = {
          {u"=", BinOp::Eq}, {u"<>", BinOp::Ne}, {u"<", BinOp::Lt}, {u">", BinOp::Gt}, {u"<=", BinOp::Le},
          {u">=", BinOp::Ge}};
      bool found = false;
      for (const auto& [spelling, op] : ops)
        if (t.is_op(spelling)) {
          c.op = op;
          found = true;
        }
      if (!found) fail(u"Case Is");
      c.a = expression();
      return c;
    }
    c.a = expression();
    if (accept_kw(Kw::To)) {
      c.kind = CaseClause::Kind::Range;
      c.b = expression();
    }
    return c;
  }

  void with_statement(uint32_t line) {
    ExprPtr object = expression();
    const int begin = emit(Op::WithBegin, line);
    const int slot = hidden_slot();
    at_instr(begin).slot = slot;
    at_instr(begin).a = std::move(object);
    with_slots_.push_back(slot);
    const Term t = block({Term::EndWith});
    if (t == Term::EndWith) {
      next();
      next();
    }
    with_slots_.pop_back();
    const int clear = emit(Op::SlotClear, line);
    at_instr(clear).slot = slot;
  }

  void exit_statement(uint32_t line) {
    if (accept_kw(Kw::Sub) || accept_kw(Kw::Function) || accept_kw(Kw::Property)) {
      emit(Op::Return, line);
      return;
    }
    const bool is_for = accept_kw(Kw::For);
    if (!is_for) expect_kw(Kw::Do, u"Do");
    for (auto it = loops_.rbegin(); it != loops_.rend(); ++it) {
      if (it->is_for == is_for) {
        it->exits.push_back(emit(Op::Jump, line));
        return;
      }
    }
    fail(is_for ? u"Exit For outside a For" : u"Exit Do outside a Do");
  }

  void on_statement(uint32_t line) {
    if (at(Tok::Identifier) && equals_ignore_case(peek().text, u"Local")) next();
    if (!accept_kw(Kw::Error)) fail(u"On ... GoTo");
    if (accept_kw(Kw::Resume)) {
      expect_kw(Kw::Next, u"Next");
      emit(Op::OnErrorResumeNext, line);
      return;
    }
    expect_kw(Kw::GoTo, u"GoTo");
    const Token& t = peek();
    if (t.kind == Tok::Literal && t.value.is_numeric() && t.value.to_double() == 0) {
      next();
      emit(Op::OnErrorGoto0, line);
      return;
    }
    if (t.is_op(u"-")) {  // On Error GoTo -1: leaves the handler as it is
      next();
      next();
      emit(Op::Nop, line);
      return;
    }
    const int i = emit(Op::OnErrorGoto, line);
    goto_label(i, next());
  }

  void resume_statement(uint32_t line) {
    if (accept_kw(Kw::Next)) {
      emit(Op::ResumeNext, line);
      return;
    }
    if (at_statement_end()) {
      emit(Op::Resume, line);
      return;
    }
    const Token& t = peek();
    if (t.kind == Tok::Literal && t.value.is_numeric() && t.value.to_double() == 0) {
      next();
      emit(Op::Resume, line);
      return;
    }
    const int i = emit(Op::ResumeLabel, line);
    goto_label(i, next());
  }

  // ---- expressions
  ExprPtr make(ExprKind kind, uint32_t line) {
    auto e = std::make_unique<Expr>();
    e->kind = kind;
    e->line = line;
    return e;
  }

  struct Depth {
    explicit Depth(Parser& p) : p_(p) {
      if (++p_.depth_ > kMaxNesting) {
        --p_.depth_;
        p_.fail(u"expression too deeply nested");
      }
    }
    ~Depth() { --p_.depth_; }
    Parser& p_;
  };

  ExprPtr expression() {
    Depth guard(*this);
    return binary_level(0);
  }

  // Levels from loosest to tightest: Imp, Eqv, Xor, Or, And, (Not), comparison, &, + -, Mod, \, * /.
  ExprPtr binary_level(int level) {
    if (level == 5) return not_level();
    if (level == 12) return unary();
    ExprPtr lhs = binary_level(level + 1);
    for (;;) {
      BinOp op;
      if (!binary_op_at(level, op)) return lhs;
      const uint32_t line = next().line;
      Depth guard(*this);
      ExprPtr rhs = binary_level(level + 1);
      auto e = make(ExprKind::Binary, line);
      e->binop = op;
      e->lhs = std::move(lhs);
      e->rhs = std::move(rhs);
      lhs = std::move(e);
    }
  }

  bool binary_op_at(int level, BinOp& op) const {
    const Token& t = peek();
    switch (level) {
      case 0: if (t.is_kw(Kw::Imp)) { op = BinOp::Imp; return true; } return false;
      case 1: if (t.is_kw(Kw::Eqv)) { op = BinOp::Eqv; return true; } return false;
      case 2: if (t.is_kw(Kw::Xor)) { op = BinOp::Xor; return true; } return false;
      case 3: if (t.is_kw(Kw::Or)) { op = BinOp::Or; return true; } return false;
      case 4: if (t.is_kw(Kw::And)) { op = BinOp::And; return true; } return false;
      case 6:
        if (t.is_op(u"=")) op = BinOp::Eq;
        else if (t.is_op(u"<>")) op = BinOp::Ne;
        else if (t.is_op(u"<")) op = BinOp::Lt;
        else if (t.is_op(u">")) op = BinOp::Gt;
        else if (t.is_op(u"<=")) op = BinOp::Le;
        else if (t.is_op(u">=")) op = BinOp::Ge;
        else if (t.is_kw(Kw::Like)) op = BinOp::Like;
        else if (t.is_kw(Kw::Is)) op = BinOp::Is;
        else return false;
        return true;
      case 7: if (t.is_op(u"&")) { op = BinOp::Concat; return true; } return false;
      case 8:
        if (t.is_op(u"+")) op = BinOp::Add;
        else if (t.is_op(u"-")) op = BinOp::Sub;
        else return false;
        return true;
      case 9: if (t.is_kw(Kw::Mod)) { op = BinOp::Mod; return true; } return false;
      case 10: if (t.is_op(u"\\")) { op = BinOp::IntDiv; return true; } return false;
      case 11:
        if (t.is_op(u"*")) op = BinOp::Mul;
        else if (t.is_op(u"/")) op = BinOp::Div;
        else return false;
        return true;
      default: return false;
    }
  }

  ExprPtr not_level() {
    if (at_kw(Kw::Not)) {
      const uint32_t line = next().line;
      Depth guard(*this);
      auto e = make(ExprKind::Unary, line);
      e->unop = UnOp::Not;
      e->lhs = not_level();
      return e;
    }
    return binary_level(6);
  }

  ExprPtr unary() {
    if (at_op(u"-") || at_op(u"+")) {
      const bool neg = peek().text == u"-";
      const uint32_t line = next().line;
      Depth guard(*this);
      auto e = make(ExprKind::Unary, line);
      e->unop = neg ? UnOp::Neg : UnOp::Plus;
      e->lhs = unary();
      return e;
    }
    ExprPtr base = postfix();
    while (at_op(u"^")) {
      const uint32_t line = next().line;
      Depth guard(*this);
      auto e = make(ExprKind::Binary, line);
      e->binop = BinOp::Pow;
      e->lhs = std::move(base);
      if (at_op(u"-") || at_op(u"+")) e->rhs = unary();
      else e->rhs = postfix();
      base = std::move(e);
    }
    return base;
  }

  ExprPtr primary() {
    const Token& t = peek();
    const uint32_t line = t.line;
    if (t.kind == Tok::Literal) {
      auto e = make(ExprKind::Literal, line);
      e->literal = next().value;
      return e;
    }
    if (t.is_op(u"(")) {
      next();
      ExprPtr inner = expression();
      expect_op(u")");
      inner->wrapped = true;
      return inner;
    }
    if (t.is_op(u".") || t.is_op(u"!")) {
      const bool bang = t.text == u"!";
      next();
      if (with_slots_.empty()) fail(u"member outside With");
      auto e = make(ExprKind::Member, line);
      e->target = slot_ref(with_slots_.back(), line);
      e->name = member_name();
      e->bang = bang;
      return e;
    }
    if (t.kind == Tok::Identifier) {
      if (t.bracketed) {
        auto e = make(ExprKind::Name, line);
        e->name = next().text;
        return e;
      }
      switch (t.keyword) {
        case Kw::True: case Kw::False: {
          auto e = make(ExprKind::Literal, line);
          e->literal = Variant(next().keyword == Kw::True);
          return e;
        }
        case Kw::Nothing: {
          next();
          auto e = make(ExprKind::Literal, line);
          e->literal = Variant(std::shared_ptr<Dispatch>());
          return e;
        }
        case Kw::Empty: next(); return make(ExprKind::Literal, line);
        case Kw::Null: {
          next();
          auto e = make(ExprKind::Literal, line);
          e->literal = Variant::null();
          return e;
        }
        case Kw::New: case Kw::AddressOf: case Kw::Me: {
          const size_t start = p_;
          next();
          if (peek().kind == Tok::Identifier) next();
          auto e = make(ExprKind::Unsupported, line);
          e->name = text_from(start);
          return e;
        }
        case Kw::TypeOf: {
          next();
          auto e = make(ExprKind::TypeOfIs, line);
          e->lhs = postfix();
          expect_kw(Kw::Is, u"Is");
          e->name = type_name();
          return e;
        }
        default:
          if (!usable_as_name(t.keyword)) fail(u"unexpected " + t.text);
          auto e = make(ExprKind::Name, line);
          e->name = next().text;
          return e;
      }
    }
    fail(u"unexpected " + t.text);
  }

  std::u16string member_name() {
    const Token& t = peek();
    if (t.kind != Tok::Identifier) fail(u"expected a member name");
    return next().text;
  }

  // primary followed by .name, !name and (arguments).
  ExprPtr postfix() {
    Depth guard(*this);
    ExprPtr e = primary();
    for (;;) {
      const Token& t = peek();
      if ((t.is_op(u".") || t.is_op(u"!")) && !t.space_before) {
        const bool bang = t.text == u"!";
        const uint32_t line = next().line;
        auto m = make(ExprKind::Member, line);
        m->target = std::move(e);
        m->name = member_name();
        m->bang = bang;
        e = std::move(m);
      } else if (t.is_op(u"(") && e->kind != ExprKind::Literal) {
        const uint32_t line = next().line;
        auto c = make(ExprKind::Call, line);
        c->parenthesized_args = true;
        c->target = std::move(e);
        if (!accept_op(u")")) {
          argument_list(c->args, true);
          expect_op(u")");
        }
        e = std::move(c);
      } else {
        return e;
      }
    }
  }

  void argument_list(std::vector<Arg>& args, bool in_parens) {
    for (;;) {
      Arg a;
      const bool empty = at_op(u",") || (in_parens ? at_op(u")") : at_statement_end());
      if (!empty) {
        if (peek().kind == Tok::Identifier && peek(1).is_op(u":=")) {
          a.name = next().text;
          next();
        }
        accept_kw(Kw::ByVal);
        a.value = expression();
      }
      args.push_back(std::move(a));
      if (!accept_op(u",")) break;
    }
  }

  Module& mod_;
  std::vector<Token> toks_;
  size_t p_ = 0;
  Procedure* proc_ = nullptr;
  int hidden_ = 0;
  int depth_ = 0;
  int single_line_if_ = 0;
  int pending_next_ = 0;
  std::vector<int> with_slots_;
  std::vector<Loop> loops_;
  std::vector<std::pair<int, std::u16string>> gotos_;
};

}  // namespace

Module parse_module(std::u16string name, std::u16string_view source, bool is_document) {
  Module mod;
  mod.name = std::move(name);
  mod.is_document = is_document;
  Parser(mod, source).run();
  return mod;
}

}  // namespace tabrel::macro
