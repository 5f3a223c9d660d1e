#include "spreadsheet/formula/decode.h"

#include <string>
#include <vector>

#include "spreadsheet/formula/byte_cursor.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/function_table.h"

namespace tabrel::formula {

namespace {

using Kind = Node::Kind;

CellError error_from_code(uint8_t code) {
  switch (code) {
    case 0x00: return CellError::Null;
    case 0x07: return CellError::Div0;
    case 0x0F: return CellError::Value;
    case 0x17: return CellError::Ref;
    case 0x1D: return CellError::Name;
    case 0x24: return CellError::Num;
    case 0x2A: return CellError::NA;
    default: return CellError::NA;
  }
}

std::u16string read_chars(ByteCursor& in, size_t count, bool wide) {
  std::u16string s;
  s.reserve(count);
  auto bytes = in.take(wide ? count * 2 : count);
  for (size_t i = 0; i < count; ++i)
    s.push_back(wide ? static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8)) : static_cast<char16_t>(bytes[i]));
  return s;
}

class Decoder {
 public:
  Decoder(std::span<const uint8_t> tokens, std::span<const uint8_t> extra, model::CellRef base, bool relative)
      : in_(tokens), extra_(extra), base_(base), relative_(relative) {}

  Node run() {
    while (!in_.at_end()) step();
    if (stack_.size() != 1)
      throw FormulaError(FormulaError::Kind::BadStructure, in_.offset(),
                         stack_.empty() ? "formula holds no expression" : "formula holds operands without operators");
    Node root = std::move(stack_.back().node);
    for (const Spacing& s : pending_spaces_) root.spaces.push_back(s);
    root.spaces.insert(root.spaces.end(), formula_spaces_.begin(), formula_spaces_.end());
    root.volatile_attr = root.volatile_attr || volatile_;
    return root;
  }

 private:
  struct Entry {
    Node node;
    int depth;
  };

  [[noreturn]] void bad(const char* what) const {
    throw FormulaError(FormulaError::Kind::BadStructure, token_start_, what);
  }

  void push(Node n, int depth = 1) {
    if (depth > kMaxDepth) throw FormulaError(FormulaError::Kind::TooDeep, token_start_, "formula nests too deeply");
    n.spaces.insert(n.spaces.end(), pending_spaces_.begin(), pending_spaces_.end());
    pending_spaces_.clear();
    stack_.push_back(Entry{std::move(n), depth});
  }

  // Pops `count` operands (in text order) into `n` and pushes it.
  void reduce(Node n, size_t count) {
    if (stack_.size() < count) bad("operator without enough operands");
    int depth = 0;
    size_t first = stack_.size() - count;
    for (size_t i = first; i < stack_.size(); ++i) {
      depth = std::max(depth, stack_[i].depth);
      n.children.push_back(std::move(stack_[i].node));
    }
    stack_.resize(first);
    push(std::move(n), depth + 1);
  }

  Address address(uint16_t row, uint16_t col_field, bool relative_offsets) const {
    Address a;
    a.row_relative = (col_field & ptg::kRowRelative) != 0;
    a.col_relative = (col_field & ptg::kColRelative) != 0;
    int col = col_field & 0xFF;
    int r = row;
    if (relative_offsets) {
      if (a.row_relative) r = (base_.row + static_cast<int16_t>(row)) & 0xFFFF;
      if (a.col_relative) col = (base_.col + static_cast<int8_t>(col_field & 0xFF)) & 0xFF;
    }
    a.row = r;
    a.col = col;
    return a;
  }

  Node classed(Kind kind, uint8_t id) {
    Node n;
    n.kind = kind;
    n.token_class = static_cast<ptg::TokenClass>((id & 0x60) - 0x20);
    return n;
  }

  void step() {
    token_start_ = in_.offset();
    uint8_t id = in_.u8();
    if (id >= ptg::kAdd && id <= ptg::kRange) {
      static constexpr Op kBinary[] = {Op::Add, Op::Sub, Op::Mul,   Op::Div, Op::Power, Op::Concat, Op::Lt, Op::Le,
                                       Op::Eq,  Op::Ge,  Op::Gt,    Op::Ne,  Op::Isect, Op::Union,  Op::Range};
      Node n;
      n.kind = Kind::Binary;
      n.op = kBinary[id - ptg::kAdd];
      return reduce(std::move(n), 2);
    }
    switch (id) {
      case ptg::kExp:
      case ptg::kTbl: {
        Node n;
        n.kind = id == ptg::kExp ? Kind::SharedRef : Kind::TableRef;
        n.first.row = in_.u16();
        n.first.col = in_.u16() & 0xFF;
        return push(std::move(n));
      }
      case ptg::kUplus:
      case ptg::kUminus:
      case ptg::kPercent: {
        Node n;
        n.kind = Kind::Unary;
        n.op = id == ptg::kUplus ? Op::Plus : id == ptg::kUminus ? Op::Minus : Op::Percent;
        return reduce(std::move(n), 1);
      }
      case ptg::kParen: {
        Node n;
        n.kind = Kind::Paren;
        return reduce(std::move(n), 1);
      }
      case ptg::kMissArg: {
        Node n;
        n.kind = Kind::Missing;
        return push(std::move(n));
      }
      case ptg::kStr: {
        Node n;
        n.kind = Kind::Text;
        uint8_t cch = in_.u8();
        uint8_t flags = in_.u8();
        n.text = read_chars(in_, cch, (flags & 1) != 0);
        return push(std::move(n));
      }
      case ptg::kErr: {
        Node n;
        n.kind = Kind::Error;
        n.error = error_from_code(in_.u8());
        return push(std::move(n));
      }
      case ptg::kBool: {
        Node n;
        n.kind = Kind::Bool;
        n.boolean = in_.u8() != 0;
        return push(std::move(n));
      }
      case ptg::kInt: {
        Node n;
        n.kind = Kind::Number;
        n.is_integer = true;
        n.number = in_.u16();
        return push(std::move(n));
      }
      case ptg::kNum: {
        Node n;
        n.kind = Kind::Number;
        n.number = in_.f64();
        return push(std::move(n));
      }
      case ptg::kAttr: return attribute();
      case ptg::kExtended:
        throw FormulaError(FormulaError::Kind::UnknownToken, token_start_, "unsupported extended token");
      default: break;
    }
    if (id < 0x20 || id > 0x7F)
      throw FormulaError(FormulaError::Kind::UnknownToken, token_start_, "unknown token 0x" + hex(id));
    classed_token(id);
  }

  static std::string hex(uint8_t id) {
    static const char digits[] = "0123456789ABCDEF";
    return {digits[id >> 4], digits[id & 15]};
  }

  void attribute() {
    uint8_t type = in_.u8();
    uint16_t data = in_.u16();
    switch (type) {
      case ptg::kAttrVolatile: volatile_ = true; return;
      case ptg::kAttrIf:
      case ptg::kAttrGoto:
      case ptg::kAttrBaxcel:
      case 0x21: return;
      case ptg::kAttrChoose: in_.skip((static_cast<size_t>(data) + 1) * 2); return;
      case ptg::kAttrSum: {
        Node n;
        n.kind = Kind::Function;
        n.function = 4;
        n.token_class = ptg::TokenClass::Value;
        return reduce(std::move(n), 1);
      }
      case ptg::kAttrSpace:
      case ptg::kAttrSpaceVolatile: {
        if (type == ptg::kAttrSpaceVolatile) volatile_ = true;
        Spacing s;
        s.where = static_cast<uint8_t>(data & 0xFF);
        s.count = static_cast<uint8_t>(data >> 8);
        if (s.where > Spacing::BeforeFormula)
          throw FormulaError(FormulaError::Kind::UnknownToken, token_start_, "unknown space attribute");
        (s.where == Spacing::BeforeFormula ? formula_spaces_ : pending_spaces_).push_back(s);
        return;
      }
      default:
        throw FormulaError(FormulaError::Kind::UnknownToken, token_start_, "unknown attribute token");
    }
  }

  void classed_token(uint8_t id) {
    switch (ptg::base_id(id)) {
      case ptg::kArray: {
        in_.skip(7);
        Node n = classed(Kind::Array, id);
        n.array = std::make_shared<ArrayConstant>(array_constant());
        return push(std::move(n));
      }
      case ptg::kFunc: {
        uint16_t index = in_.u16();
        const FunctionInfo* f = function_by_index(index);
        if (!f || !f->fixed())
          throw FormulaError(FormulaError::Kind::UnknownToken, token_start_, "unknown fixed-argument function " + std::to_string(index));
        Node n = classed(Kind::Function, id);
        n.function = index;
        return reduce(std::move(n), f->min_args);
      }
      case ptg::kFuncVar: {
        uint8_t count = in_.u8() & 0x7F;
        uint16_t tab = in_.u16();
        if (tab & 0x8000)
          throw FormulaError(FormulaError::Kind::UnknownToken, token_start_, "command-equivalent function");
        Node n = classed(Kind::Function, id);
        n.function = tab;
        if (tab == ptg::kUserFunction && count == 0) bad("user function without its name");
        return reduce(std::move(n), count);
      }
      case ptg::kName: {
        Node n = classed(Kind::Name, id);
        n.name_index = in_.u16();
        in_.skip(2);
        return push(std::move(n));
      }
      case ptg::kNameX: {
        Node n = classed(Kind::ExternName, id);
        n.ixti = in_.u16();
        n.name_index = in_.u16();
        in_.skip(2);
        return push(std::move(n));
      }
      case ptg::kRef:
      case ptg::kRefN:
      case ptg::kRef3d: {
        Node n = classed(Kind::Ref, id);
        if (ptg::base_id(id) == ptg::kRef3d) n.ixti = in_.u16();
        uint16_t row = in_.u16();
        n.offsets = ptg::base_id(id) == ptg::kRefN || (relative_ && n.ixti);
        n.first = address(row, in_.u16(), n.offsets);
        n.last = n.first;
        return push(std::move(n));
      }
      case ptg::kArea:
      case ptg::kAreaN:
      case ptg::kArea3d: {
        Node n = classed(Kind::Area, id);
        if (ptg::base_id(id) == ptg::kArea3d) n.ixti = in_.u16();
        uint16_t r1 = in_.u16(), r2 = in_.u16(), c1 = in_.u16(), c2 = in_.u16();
        n.offsets = ptg::base_id(id) == ptg::kAreaN || (relative_ && n.ixti);
        n.first = address(r1, c1, n.offsets);
        n.last = address(r2, c2, n.offsets);
        return push(std::move(n));
      }
      case ptg::kRefErr:
      case ptg::kRefErr3d: {
        Node n = classed(Kind::RefError, id);
        if (ptg::base_id(id) == ptg::kRefErr3d) n.ixti = in_.u16();
        in_.skip(4);
        return push(std::move(n));
      }
      case ptg::kAreaErr:
      case ptg::kAreaErr3d: {
        Node n = classed(Kind::AreaError, id);
        if (ptg::base_id(id) == ptg::kAreaErr3d) n.ixti = in_.u16();
        in_.skip(8);
        return push(std::move(n));
      }
      case ptg::kMemArea: {
        in_.skip(6);
        uint16_t areas = extra_.u16();
        extra_.skip(static_cast<size_t>(areas) * 8);
        return;
      }
      case ptg::kMemErr:
      case ptg::kMemNoMem: in_.skip(6); return;
      case ptg::kMemFunc: in_.skip(2); return;
      default:
        throw FormulaError(FormulaError::Kind::UnknownToken, token_start_, "unknown token 0x" + hex(id));
    }
  }

  ArrayConstant array_constant() {
    ArrayConstant a;
    a.cols = extra_.u8() + 1;
    a.rows = extra_.u16() + 1;
    size_t count = static_cast<size_t>(a.rows) * static_cast<size_t>(a.cols);
    extra_.need(count);  // every item takes at least one byte
    a.items.reserve(count);
    for (size_t i = 0; i < count; ++i) {
      uint8_t type = extra_.u8();
      switch (type) {
        case 0x00: extra_.skip(8); a.items.emplace_back(std::monostate{}); break;
        case 0x01: a.items.emplace_back(extra_.f64()); break;
        case 0x02: {
          uint16_t cch = extra_.u16();
          uint8_t flags = extra_.u8();
          a.items.emplace_back(read_chars(extra_, cch, (flags & 1) != 0));
          break;
        }
        case 0x04: a.items.emplace_back(extra_.u8() != 0); extra_.skip(7); break;
        case 0x10: a.items.emplace_back(error_from_code(extra_.u8())); extra_.skip(7); break;
        default:
          throw FormulaError(FormulaError::Kind::UnknownToken, extra_.offset(), "unknown array constant item");
      }
    }
    return a;
  }

  ByteCursor in_;
  ByteCursor extra_;
  model::CellRef base_;
  bool relative_;
  size_t token_start_ = 0;
  std::vector<Entry> stack_;
  std::vector<Spacing> pending_spaces_;
  std::vector<Spacing> formula_spaces_;  // blanks before the whole formula, kept on the root
  bool volatile_ = false;
};

}  // namespace

Node decode(std::span<const uint8_t> tokens, std::span<const uint8_t> extra, model::CellRef base, bool relative) {
  return Decoder(tokens, extra, base, relative).run();
}

}  // namespace tabrel::formula
