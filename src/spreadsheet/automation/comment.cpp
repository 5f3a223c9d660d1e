#include "spreadsheet/automation/comment.h"

#include <algorithm>

#include "spreadsheet/automation/autoshape_types.h"
#include "spreadsheet/automation/errors.h"

namespace tabrel::xl {
namespace {

model::Comment* find_comment(model::Sheet& sheet, model::CellRef cell) {
  auto it = std::find_if(sheet.comments.begin(), sheet.comments.end(),
                         [&](const model::Comment& c) { return c.cell == cell; });
  return it == sheet.comments.end() ? nullptr : &*it;
}

}  // namespace

Comment::Comment(SheetHandle sheet, model::CellRef cell) : sheet_(std::move(sheet)), cell_(cell) {}

const model::Comment& Comment::get() const {
  model::Comment* c = find_comment(sheet_.get(), cell_);
  if (!c) raise(Fault::ObjectDeleted);
  return *c;
}

model::Comment& Comment::get_for_edit() {
  model::Comment* c = find_comment(sheet_.get(), cell_);
  if (!c) raise(Fault::ObjectDeleted);
  return *c;
}

std::u16string Comment::Text() const { return get().text.text; }
std::u16string Comment::Author() const { return get().author; }
bool Comment::Visible() const { return get().visible; }

void Comment::SetVisible(const Variant& value) {
  const bool visible = value.to_bool();
  model::Comment& c = get_for_edit();
  c.visible = visible;
  model::Sheet& sheet = sheet_.get();
  if (c.drawing_index >= 0 && static_cast<size_t>(c.drawing_index) < sheet.drawings.size())
    sheet.drawings[static_cast<size_t>(c.drawing_index)].hidden = !visible;
}

std::shared_ptr<CommentShape> Comment::Shape() const {
  get();
  return std::make_shared<CommentShape>(sheet_, cell_);
}

void Comment::Delete() {
  get();
  model::Sheet& sheet = sheet_.get();
  std::erase_if(sheet.comments, [&](const model::Comment& c) { return c.cell == cell_; });
}

CommentShape::CommentShape(SheetHandle sheet, model::CellRef cell) : sheet_(std::move(sheet)), cell_(cell) {}

int CommentShape::AutoShapeType() const {
  model::Sheet& sheet = sheet_.get();
  const model::Comment* c = find_comment(sheet, cell_);
  if (!c) raise(Fault::ObjectDeleted);
  if (c->drawing_index < 0 || static_cast<size_t>(c->drawing_index) >= sheet.drawings.size()) return kShapeRectangle;
  const uint16_t stored = sheet.drawings[static_cast<size_t>(c->drawing_index)].autoshape_type;
  return stored == 0 ? kShapeRectangle : autoshape_type(stored);  // a box whose type was not stored
}

std::u16string CommentShape::Name() const {
  model::Sheet& sheet = sheet_.get();
  const model::Comment* c = find_comment(sheet, cell_);
  if (!c) raise(Fault::ObjectDeleted);
  if (c->drawing_index < 0 || static_cast<size_t>(c->drawing_index) >= sheet.drawings.size()) return {};
  return sheet.drawings[static_cast<size_t>(c->drawing_index)].name;
}

Comments::Comments(SheetHandle sheet) : sheet_(std::move(sheet)) {}

int Comments::Count() const { return static_cast<int>(sheet_.get().comments.size()); }

std::shared_ptr<xl::Comment> Comments::Item(int index) const {
  const auto& comments = sheet_.get().comments;
  if (index < 1 || static_cast<size_t>(index) > comments.size()) raise(Fault::MethodFailed);
  return std::make_shared<xl::Comment>(sheet_, comments[static_cast<size_t>(index - 1)].cell);
}

}  // namespace tabrel::xl
