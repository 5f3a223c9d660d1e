#include "spreadsheet/formula/shift.h"

#include "spreadsheet/model/cell_ref.h"

namespace tabrel::formula {
namespace {

bool move(Address& a, int rows, int cols) {
  if (a.row_relative) a.row += rows;
  if (a.col_relative) a.col += cols;
  return a.row >= 0 && a.row < model::kMaxRows && a.col >= 0 && a.col < model::kMaxColumns;
}

}  // namespace

void shift_references(Node& root, int rows, int cols) {
  std::vector<Node*> work{&root};
  while (!work.empty()) {
    Node* n = work.back();
    work.pop_back();
    if (n->kind == Node::Kind::Ref) {
      if (!move(n->first, rows, cols)) n->kind = Node::Kind::RefError;
      n->last = n->first;
    } else if (n->kind == Node::Kind::Area) {
      bool ok = move(n->first, rows, cols);
      ok = move(n->last, rows, cols) && ok;
      if (!ok) n->kind = Node::Kind::AreaError;
    }
    for (Node& c : n->children) work.push_back(&c);
  }
}

}  // namespace tabrel::formula
