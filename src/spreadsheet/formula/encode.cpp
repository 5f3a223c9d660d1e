#include "spreadsheet/formula/encode.h"

#include <cstring>

#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/function_table.h"

namespace tabrel::formula {
namespace {

using Kind = Node::Kind;

uint8_t error_code(CellError e) { return static_cast<uint8_t>(static_cast<int32_t>(e) - 2000); }

class Encoder {
 public:
  Encoder(model::CellRef base, EncodeForm form, const model::ExternalRefs* links)
      : base_(base), form_(form), links_(links) {}

  Encoded run(const Node& root) {
    if (is_volatile(root)) {
      u8(ptg::kAttr);
      u8(ptg::kAttrVolatile);
      u16(0);
    }
    for (const Spacing& s : root.spaces)
      if (s.where == Spacing::BeforeFormula) space(s);
    emit(root, form_ == EncodeForm::Name ? 'R' : 'V', 0);
    return std::move(out_);
  }

 private:
  [[noreturn]] static void fail(const std::string& what) { throw FormulaError(FormulaError::Kind::BadStructure, 0, what); }

  std::vector<uint8_t>& t() { return out_.tokens; }
  void u8(uint8_t v) { t().push_back(v); }
  void u16(uint16_t v) { u8(static_cast<uint8_t>(v)); u8(static_cast<uint8_t>(v >> 8)); }
  void x8(uint8_t v) { out_.extra.push_back(v); }
  void x16(uint16_t v) { x8(static_cast<uint8_t>(v)); x8(static_cast<uint8_t>(v >> 8)); }
  static void f64(std::vector<uint8_t>& out, double d) {
    uint64_t bits;
    std::memcpy(&bits, &d, 8);
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<uint8_t>(bits >> (8 * i)));
  }
  void put_at(size_t pos, uint16_t v) { t()[pos] = static_cast<uint8_t>(v); t()[pos + 1] = static_cast<uint8_t>(v >> 8); }

  void space(const Spacing& s) { u8(ptg::kAttr); u8(ptg::kAttrSpace); u8(s.where); u8(s.count); }
  void spaces(const Node& n) {
    for (const Spacing& s : n.spaces)
      if (s.where != Spacing::BeforeFormula) space(s);
  }

  static uint8_t classed(uint8_t id, char cls) {
    return static_cast<uint8_t>(id + (cls == 'V' ? 0x20 : cls == 'A' ? 0x40 : 0));
  }

  uint16_t col_field(const Address& a, bool offsets) const {
    int col = a.col;
    if (offsets && a.col_relative) col = (a.col - base_.col) & 0xFF;
    return static_cast<uint16_t>((col & 0xFF) | (a.col_relative ? ptg::kColRelative : 0) |
                                 (a.row_relative ? ptg::kRowRelative : 0));
  }
  uint16_t row_field(const Address& a, bool offsets) const {
    int row = a.row;
    if (offsets && a.row_relative) row = a.row - base_.row;
    return static_cast<uint16_t>(row & 0xFFFF);
  }

  void str(const std::u16string& s) {
    if (s.size() > 255) fail("text constant longer than 255 characters");
    bool wide = false;
    for (char16_t c : s) wide = wide || c > 0xFF;
    u8(ptg::kStr);
    u8(static_cast<uint8_t>(s.size()));
    u8(wide ? 1 : 0);
    for (char16_t c : s) {
      u8(static_cast<uint8_t>(c));
      if (wide) u8(static_cast<uint8_t>(c >> 8));
    }
  }

  void array(const ArrayConstant& a) {
    x8(static_cast<uint8_t>(a.cols - 1));
    x16(static_cast<uint16_t>(a.rows - 1));
    for (const ArrayItem& item : a.items) {
      if (auto d = std::get_if<double>(&item)) { x8(0x01); f64(out_.extra, *d); }
      else if (auto s = std::get_if<std::u16string>(&item)) {
        x8(0x02);
        x16(static_cast<uint16_t>(s->size()));
        x8(1);
        for (char16_t c : *s) x16(c);
      } else if (auto b = std::get_if<bool>(&item)) { x8(0x04); x8(*b ? 1 : 0); for (int i = 0; i < 7; ++i) x8(0); }
      else if (auto e = std::get_if<CellError>(&item)) { x8(0x10); x8(error_code(*e)); for (int i = 0; i < 7; ++i) x8(0); }
      else { x8(0x00); for (int i = 0; i < 8; ++i) x8(0); }
    }
  }

  void emit(const Node& n, char cls, int depth) {
    if (depth > kMaxDepth) throw FormulaError(FormulaError::Kind::TooDeep, 0, "formula nests too deeply");
    // Shared formulas and conditional formats keep relative parts as offsets; so do the 3-D
    // references of defined names.
    bool offsets = form_ == EncodeForm::Relative || (form_ == EncodeForm::Name && n.ixti);
    switch (n.kind) {
      case Kind::Number:
        spaces(n);
        if (n.number >= 0 && n.number <= 65535 && n.number == static_cast<double>(static_cast<uint16_t>(n.number))) {
          u8(ptg::kInt);
          u16(static_cast<uint16_t>(n.number));
        } else {
          u8(ptg::kNum);
          f64(t(), n.number);
        }
        return;
      case Kind::Text: spaces(n); return str(n.text);
      case Kind::Bool: spaces(n); u8(ptg::kBool); u8(n.boolean ? 1 : 0); return;
      case Kind::Error: spaces(n); u8(ptg::kErr); u8(error_code(n.error)); return;
      case Kind::Missing: spaces(n); u8(ptg::kMissArg); return;
      case Kind::Array:
        // The seven reserved bytes carry the shape as the spreadsheet writes them.
        spaces(n);
        u8(classed(ptg::kArray, 'A'));
        u8(static_cast<uint8_t>(n.array->cols - 1));
        u16(static_cast<uint16_t>(n.array->rows - 1));
        for (int i = 0; i < 4; ++i) u8(0);
        return array(*n.array);
      case Kind::Ref:
        spaces(n);
        if (n.ixti) {
          u8(classed(ptg::kRef3d, cls));
          u16(*n.ixti);
        } else {
          u8(classed(offsets ? ptg::kRefN : ptg::kRef, cls));
        }
        u16(row_field(n.first, offsets));
        u16(col_field(n.first, offsets));
        return;
      case Kind::Area:
        spaces(n);
        if (n.ixti) {
          u8(classed(ptg::kArea3d, cls));
          u16(*n.ixti);
        } else {
          u8(classed(offsets ? ptg::kAreaN : ptg::kArea, cls));
        }
        u16(row_field(n.first, offsets));
        u16(row_field(n.last, offsets));
        u16(col_field(n.first, offsets));
        u16(col_field(n.last, offsets));
        return;
      case Kind::RefError:
      case Kind::AreaError: {
        spaces(n);
        bool area = n.kind == Kind::AreaError;
        if (n.ixti) {
          u8(classed(area ? ptg::kAreaErr3d : ptg::kRefErr3d, cls));
          u16(*n.ixti);
        } else {
          u8(classed(area ? ptg::kAreaErr : ptg::kRefErr, cls));
        }
        for (int i = 0; i < (area ? 8 : 4); ++i) u8(0);
        return;
      }
      case Kind::Name:
        if (n.name_index == 0) fail("name not defined in the workbook");
        spaces(n);
        u8(classed(ptg::kName, cls));
        u16(n.name_index);
        u16(0);
        return;
      case Kind::ExternName:
        spaces(n);
        u8(classed(ptg::kNameX, cls));
        u16(n.ixti.value_or(0));
        u16(n.name_index);
        u16(0);
        return;
      case Kind::Unary:
        if (n.children.size() != 1) fail("operator without its operand");
        emit(n.children[0], 'V', depth + 1);
        spaces(n);
        return u8(n.op == Op::Plus ? ptg::kUplus : n.op == Op::Minus ? ptg::kUminus : ptg::kPercent);
      case Kind::Binary: {
        if (n.children.size() != 2) fail("operator without its operands");
        bool reference_op = n.op == Op::Range || n.op == Op::Union || n.op == Op::Isect;
        emit(n.children[0], reference_op ? 'R' : 'V', depth + 1);
        emit(n.children[1], reference_op ? 'R' : 'V', depth + 1);
        spaces(n);
        return u8(static_cast<uint8_t>(ptg::kAdd + static_cast<int>(n.op)));
      }
      case Kind::Paren:
        if (n.children.size() != 1) fail("parentheses without an expression");
        emit(n.children[0], cls, depth + 1);
        spaces(n);
        return u8(ptg::kParen);
      case Kind::Function: return function(n, cls, depth);
      case Kind::SharedRef:
      case Kind::TableRef:
        spaces(n);
        u8(n.kind == Kind::SharedRef ? ptg::kExp : ptg::kTbl);
        u16(static_cast<uint16_t>(n.first.row));
        u16(static_cast<uint16_t>(n.first.col));
        return;
    }
  }

  void function(const Node& n, char cls, int depth) {
    if (n.children.size() > 30 && n.function != ptg::kUserFunction) fail("too many arguments");
    const FunctionInfo* f = n.function == ptg::kUserFunction ? nullptr : function_by_index(n.function);
    if (n.function != ptg::kUserFunction && !f) fail("unknown function");
    // Add-in and user functions take the class their place asks for.
    char result = f ? f->result_class : 'R';
    char own = result == 'A' ? 'A' : result == 'R' ? cls : (cls == 'A' ? 'A' : 'V');
    if (n.function == 1 && n.children.size() >= 2) return if_with_jumps(n, own, depth);
    if (n.function == 100 && n.children.size() >= 2) return choose_with_jumps(n, own, depth);
    std::u16string addin = f ? u"" : addin_name(n);
    for (size_t i = 0; i < n.children.size(); ++i) {
      // The callee of an add-in call is a reference-class name.
      char arg = f ? f->arg_class(i) : i == 0 ? 'R' : future_arg_class(addin, i - 1);
      emit(n.children[i], arg, depth + 1);
    }
    spaces(n);
    if (n.function == 4 && n.children.size() == 1) {
      u8(ptg::kAttr); u8(ptg::kAttrSum); u16(0);
      return;
    }
    if (f && f->fixed()) {
      if (n.children.size() != f->min_args) fail("wrong number of arguments");
      u8(classed(ptg::kFunc, own));
      u16(n.function);
      return;
    }
    u8(classed(ptg::kFuncVar, own));
    u8(static_cast<uint8_t>(n.children.size()));
    u16(n.function);
  }

  // The name an add-in call calls, as stored ("_xlfn.IFERROR"); empty when not known here.
  std::u16string addin_name(const Node& n) const {
    if (n.children.empty() || n.children[0].kind != Kind::ExternName || !links_) return u"";
    const Node& callee = n.children[0];
    if (!callee.ixti || *callee.ixti >= links_->sheets.size()) return u"";
    const model::ExternSheet& x = links_->sheets[*callee.ixti];
    if (x.book >= links_->books.size()) return u"";
    const auto& names = links_->books[x.book].names;
    if (callee.name_index == 0 || callee.name_index > names.size()) return u"";
    return names[callee.name_index - 1].name;
  }

  // IF(c, a[, b]): c, if-jump over a, a, goto end, [b, goto end,] the call.
  void if_with_jumps(const Node& n, char own, int depth) {
    const FunctionInfo* f = function_by_index(1);
    emit(n.children[0], f->arg_class(0), depth + 1);
    size_t jump_if = t().size();
    u8(ptg::kAttr); u8(ptg::kAttrIf); u16(0);
    emit(n.children[1], f->arg_class(1), depth + 1);
    std::vector<size_t> gotos{t().size()};
    u8(ptg::kAttr); u8(ptg::kAttrGoto); u16(0);
    put_at(jump_if + 2, static_cast<uint16_t>(t().size() - (jump_if + 4)));
    if (n.children.size() > 2) {
      emit(n.children[2], f->arg_class(2), depth + 1);
      gotos.push_back(t().size());
      u8(ptg::kAttr); u8(ptg::kAttrGoto); u16(0);
    }
    spaces(n);
    u8(classed(ptg::kFuncVar, own));
    u8(static_cast<uint8_t>(n.children.size()));
    u16(1);
    for (size_t g : gotos) put_at(g + 2, static_cast<uint16_t>(t().size() - (g + 4) - 1));
  }

  // CHOOSE(i, a, b ...): i, a jump table to each option, each option followed by a goto to the
  // end, the call.
  void choose_with_jumps(const Node& n, char own, int depth) {
    const FunctionInfo* f = function_by_index(100);
    emit(n.children[0], f->arg_class(0), depth + 1);
    size_t options = n.children.size() - 1;
    u8(ptg::kAttr);
    u8(ptg::kAttrChoose);
    u16(static_cast<uint16_t>(options));
    size_t table = t().size();
    for (size_t i = 0; i <= options; ++i) u16(0);
    std::vector<size_t> gotos;
    for (size_t i = 1; i < n.children.size(); ++i) {
      put_at(table + 2 * (i - 1), static_cast<uint16_t>(t().size() - table));
      emit(n.children[i], f->arg_class(i), depth + 1);
      gotos.push_back(t().size());
      u8(ptg::kAttr); u8(ptg::kAttrGoto); u16(0);
    }
    put_at(table + 2 * options, static_cast<uint16_t>(t().size() - table));
    spaces(n);
    u8(classed(ptg::kFuncVar, own));
    u8(static_cast<uint8_t>(n.children.size()));
    u16(100);
    for (size_t g : gotos) put_at(g + 2, static_cast<uint16_t>(t().size() - (g + 4) - 1));
  }

  model::CellRef base_;
  EncodeForm form_;
  const model::ExternalRefs* links_;
  Encoded out_;
};

}  // namespace

Encoded encode(const Node& root, model::CellRef base, EncodeForm form, const model::ExternalRefs* links) {
  return Encoder(base, form, links).run(root);
}

}  // namespace tabrel::formula
