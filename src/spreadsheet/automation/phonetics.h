#pragma once
// The phonetic guides of a cell's text: Phonetics holds one item per guided stretch; Phonetic
// (the older form) stands for the whole guide of the cell.

#include <memory>
#include <string>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class Phonetic;

class Phonetics : public Dispatch {
 public:
  Phonetics(SheetHandle sheet, model::CellRef cell);
  std::u16string type_name() const override { return u"Phonetics"; }

  int Count() const;
  std::shared_ptr<Phonetic> Item(const Variant& index) const;  // 1-based; raises past the count
  // Guides the `length` characters from `start` (from 1) of the cell's text with `text`; a guide
  // that overlaps them goes. Raises for a cell without text or characters outside its text.
  void Add(const Variant& start, const Variant& length, const Variant& text);

 private:
  SheetHandle sheet_;
  model::CellRef cell_;
};

class Phonetic : public Dispatch {
 public:
  // `run` is the guided stretch, or -1 for the whole guide of the cell.
  Phonetic(SheetHandle sheet, model::CellRef cell, int run);
  std::u16string type_name() const override { return u"Phonetic"; }

  std::u16string Text() const;
  bool Visible() const;
  void SetVisible(const Variant& value);
  int CharacterType() const;  // xlPhoneticCharacterType
  int Alignment() const;      // xlPhoneticAlignment

 private:
  SheetHandle sheet_;
  model::CellRef cell_;
  int run_;
};

}  // namespace tabrel::xl
