#pragma once
// A cell's comment (note), its box, and the sheet's collection of comments.

#include <memory>
#include <string>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class CommentShape;

class Comment : public Dispatch {
 public:
  Comment(SheetHandle sheet, model::CellRef cell);
  std::u16string type_name() const override { return u"Comment"; }

  // The text as the box holds it, the author line the spreadsheet inserts included.
  std::u16string Text() const;
  std::u16string Author() const;
  bool Visible() const;
  void SetVisible(const Variant& value);
  std::shared_ptr<CommentShape> Shape() const;
  void Delete();

 private:
  const model::Comment& get() const;
  model::Comment& get_for_edit();
  SheetHandle sheet_;
  model::CellRef cell_;
};

// The drawn box of a comment.
class CommentShape : public Dispatch {
 public:
  CommentShape(SheetHandle sheet, model::CellRef cell);
  std::u16string type_name() const override { return u"Shape"; }

  int AutoShapeType() const;  // msoAutoShapeType number (1 rectangle for the usual box)
  std::u16string Name() const;

 private:
  SheetHandle sheet_;
  model::CellRef cell_;
};

class Comments : public Dispatch {
 public:
  explicit Comments(SheetHandle sheet);
  std::u16string type_name() const override { return u"Comments"; }

  int Count() const;
  std::shared_ptr<xl::Comment> Item(int index) const;  // 1-based

 private:
  SheetHandle sheet_;
};

}  // namespace tabrel::xl
