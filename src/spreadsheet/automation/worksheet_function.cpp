#include "spreadsheet/automation/worksheet_function.h"

#include <optional>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/calculation.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/formula/function_table.h"

namespace tabrel::xl {
namespace {

using formula::Node;

formula::ArrayItem array_item(const Variant& v) {
  if (v.is_empty()) return std::monostate{};
  if (v.is_bool()) return v.to_bool();
  if (v.is_string()) return v.str();
  if (v.is_error()) return static_cast<CellError>(v.error_code());
  return v.to_double();
}

Node constant(const Variant& v) {
  if (v.is_bool()) {
    Node n = formula::node_of(Node::Kind::Bool);
    n.boolean = v.to_bool();
    return n;
  }
  if (v.is_string()) {
    Node n = formula::node_of(Node::Kind::Text);
    n.text = v.str();
    return n;
  }
  if (v.is_array()) {
    const VariantArray& a = v.arr();
    if (a.extent.empty() || a.extent.size() > 2) raise(Fault::TypeMismatch);
    auto array = std::make_shared<formula::ArrayConstant>();
    array->rows = a.extent.size() == 2 ? a.extent[0] : 1;
    array->cols = a.extent.back();
    for (const Variant& item : a.items) array->items.push_back(array_item(item));
    Node n = formula::node_of(Node::Kind::Array);
    n.array = std::move(array);
    return n;
  }
  if (v.is_object()) raise(Fault::TypeMismatch);
  Node n = formula::node_of(Node::Kind::Number);
  n.number = v.to_double();
  return n;
}

Node reference(const model::RangeRef& area) {
  Node n = formula::node_of(area.cell_count() == 1 ? Node::Kind::Ref : Node::Kind::Area);
  n.first = formula::Address{area.first.row, area.first.col, false, false};
  n.last = formula::Address{area.last.row, area.last.col, false, false};
  return n;
}

Variant result(const formula::Scalar& s, std::u16string_view name) {
  if (const auto* d = std::get_if<double>(&s)) return Variant(*d);
  if (const auto* t = std::get_if<std::u16string>(&s)) return Variant(*t);
  if (const auto* b = std::get_if<bool>(&s)) return Variant(*b);
  if (formula::is_blank(s)) return Variant();
  raise_failed(u"WorksheetFunction 클래스의 " + std::u16string(name) + u" 속성을 가져올 수 없습니다.");
}

}  // namespace

const std::vector<std::u16string_view>& WorksheetFunction::names() {
  static const std::vector<std::u16string_view> all = {
      u"Sum",      u"Average", u"Max",    u"Min",      u"Count",   u"CountA",     u"CountBlank", u"CountIf",
      u"SumIf",    u"SumProduct", u"Product", u"Round", u"RoundUp", u"RoundDown", u"Rank",       u"Large",
      u"Small",    u"Median",  u"Mode",   u"StDev",    u"Var",     u"VLookup",    u"HLookup",    u"Match",
      u"Index",    u"Lookup",  u"Power",  u"Fact",     u"Even",    u"Odd",        u"Ceiling",    u"Floor",
      u"Proper",   u"Trim",    u"Text",   u"Pi",       u"Choose",  u"And",        u"Or",         u"Weekday",
  };
  return all;
}

Variant WorksheetFunction::Call(std::u16string_view name, std::vector<Variant> args) const {
  const formula::FunctionInfo* info = formula::function_by_name(name);
  if (!info) raise(Fault::NoSuchMember);
  while (!args.empty() && omitted(args.back())) args.pop_back();
  if (args.size() < info->min_args || args.size() > info->max_args)
    raise_failed(u"WorksheetFunction 클래스의 " + std::u16string(name) + u" 속성을 가져올 수 없습니다.");
  // The sheet the references lie on: that of the first range given, else the active sheet.
  std::optional<SheetHandle> sheet;
  for (const Variant& a : args)
    if (a.is_object())
      if (auto r = std::dynamic_pointer_cast<Range>(a.object())) {
        sheet = r->sheet();
        break;
      }
  if (!sheet) sheet = deref(app_->ActiveSheet()).handle();
  Node call = formula::node_of(Node::Kind::Function);
  call.function = info->index;
  call.token_class = formula::ptg::TokenClass::Value;
  for (const Variant& a : args) {
    if (omitted(a)) {
      call.children.push_back(formula::node_of(Node::Kind::Missing));
      continue;
    }
    auto r = a.is_object() ? std::dynamic_pointer_cast<Range>(a.object()) : nullptr;
    if (a.is_object() && !r) raise(Fault::TypeMismatch);
    if (r && !(r->sheet() == *sheet)) raise(Fault::MethodFailed);
    call.children.push_back(r ? reference(r->area()) : constant(a));
  }
  return result(evaluate_tree(*sheet->book, sheet->get(), call), name);
}

}  // namespace tabrel::xl
