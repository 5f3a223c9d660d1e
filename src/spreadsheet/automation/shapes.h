#pragma once
// The drawn objects of a worksheet (buttons, autoshapes, text boxes, pictures, comment boxes)
// in the order the sheet keeps them, with their place in points after the current column
// widths and row heights.

#include <functional>
#include <memory>
#include <string>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class Shape;
class TextFrame;
class Characters;
class Adjustments;

// A drawn object's name: its own, else its kind and object number ("Chart 3", "Button 1").
std::u16string drawing_name(const model::DrawingObject& d);

class Shapes : public Dispatch {
 public:
  explicit Shapes(SheetHandle sheet);
  std::u16string type_name() const override { return u"Shapes"; }

  int Count() const;
  // By position (1-based) or by name (letter case ignored).
  std::shared_ptr<Shape> Item(const Variant& index) const;
  // A new form control (0 a button) or autoshape (an AutoShapeType number) at the given place in
  // points; it moves with its cells and keeps its size.
  std::shared_ptr<Shape> AddFormControl(int type, double left, double top, double width, double height);
  std::shared_ptr<Shape> AddShape(int type, double left, double top, double width, double height);

 private:
  SheetHandle sheet_;
};

class Shape : public Dispatch, public std::enable_shared_from_this<Shape> {
 public:
  // The shape at `index` among the sheet's drawings; the object follows that shape (by its
  // object id) when other shapes are added or deleted.
  Shape(SheetHandle sheet, size_t index);
  std::u16string type_name() const override { return u"Shape"; }

  std::u16string Name() const;
  std::u16string OnAction() const;  // the assigned macro, "" when none
  void SetOnAction(const std::u16string& macro);
  std::u16string AlternativeText() const;
  int AutoShapeType() const;
  // The office shape kind: 8 form control (a button), 13 picture, 17 text box, 4 comment,
  // 3 chart, 9 line, 1 any other drawn shape.
  int Type() const;
  std::shared_ptr<xl::TextFrame> TextFrame() const;
  double Left() const;
  double Top() const;
  double Width() const;
  double Height() const;
  void SetLeft(double left);
  void SetTop(double top);
  void SetWidth(double width);
  void SetHeight(double height);
  // Removes the shape; objects fetched for other shapes keep referring to their own shape.
  void Delete();
  std::shared_ptr<xl::Adjustments> Adjustments() const;
  // Degrees clockwise; a new value is kept modulo 360 (-90 reads back as 270).
  double Rotation() const;
  void SetRotation(double degrees);
  // Selects the shape on the active sheet; Application.Selection then returns it.
  void Select();
  std::shared_ptr<Shape> ShapeRange() { return shared_from_this(); }

  const SheetHandle& sheet() const { return sheet_; }
  // Its position among the sheet's drawings now; raises when it was deleted.
  size_t index() const;

 private:
  const model::DrawingObject& get() const;
  SheetHandle sheet_;
  uint16_t object_ = 0;
  mutable size_t position_;  // where it stood when last found
};

class TextFrame : public Dispatch {
 public:
  explicit TextFrame(std::shared_ptr<const Shape> shape) : shape_(std::move(shape)) {}
  std::u16string type_name() const override { return u"TextFrame"; }
  std::shared_ptr<xl::Characters> Characters() const;

 private:
  std::shared_ptr<const Shape> shape_;
};

class Characters : public Dispatch {
 public:
  using Writer = std::function<void(const std::u16string&)>;
  // Without a writer the text is read-only (setting it raises).
  explicit Characters(std::u16string text, Writer writer = nullptr)
      : text_(std::move(text)), writer_(std::move(writer)) {}
  std::u16string type_name() const override { return u"Characters"; }
  std::u16string Text() const { return text_; }
  void SetText(const std::u16string& text);

 private:
  std::u16string text_;
  Writer writer_;
};

// The adjustment handles of an autoshape as fractions (the stored value over 21600), reported
// as single-precision numbers as the spreadsheet reports them.
class Adjustments : public Dispatch {
 public:
  // Sets handle `index` (from 1) to a fraction; without a writer the values are read-only.
  using Writer = std::function<void(int index, double value)>;
  explicit Adjustments(std::vector<double> values, Writer writer = nullptr)
      : values_(std::move(values)), writer_(std::move(writer)) {}
  std::u16string type_name() const override { return u"Adjustments"; }
  int Count() const { return static_cast<int>(values_.size()); }
  float Item(int index) const;  // 1-based; raises past the count
  void SetItem(int index, double value);

 private:
  std::vector<double> values_;
  Writer writer_;
};

}  // namespace tabrel::xl
