#include "spreadsheet/formula/condition_formula.h"

#include <vector>

#include "spreadsheet/formula/decode.h"
#include "spreadsheet/formula/sheet_names.h"

namespace tabrel::formula {

void drop_own_sheet(const model::Workbook& workbook, int sheet, Node& root) {
  std::vector<Node*> work{&root};
  while (!work.empty()) {
    Node* n = work.back();
    work.pop_back();
    bool reference = n->kind == Node::Kind::Ref || n->kind == Node::Kind::Area ||
                     n->kind == Node::Kind::RefError || n->kind == Node::Kind::AreaError;
    if (reference && n->ixti) {
      auto span = local_sheets(workbook, *n->ixti);
      if (span && span->first == sheet && span->last == sheet) n->ixti.reset();
    }
    for (Node& c : n->children) work.push_back(&c);
  }
}

std::u16string condition_formula(const model::Workbook& workbook, int sheet, std::span<const uint8_t> tokens,
                                 model::CellRef from, Notation notation) {
  Node tree = decode(tokens, {}, from, true);
  drop_own_sheet(workbook, sheet, tree);
  return print(workbook, from, tree, notation);
}

}  // namespace tabrel::formula
