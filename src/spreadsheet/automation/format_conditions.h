#pragma once
// The conditional formats of a cell: the rules of every conditional format whose ranges hold
// the cell, in the sheet's order. Formats a rule leaves unset read Null.

#include <memory>
#include <string>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class FormatCondition;
class ConditionFont;
class ConditionInterior;

class FormatConditions : public Dispatch {
 public:
  FormatConditions(SheetHandle sheet, model::CellRef cell);
  std::u16string type_name() const override { return u"FormatConditions"; }

  int Count() const;
  std::shared_ptr<FormatCondition> Item(const Variant& index) const;  // 1-based
  // Removes the rules from the cell's conditional formats.
  void Delete();

 private:
  SheetHandle sheet_;
  model::CellRef cell_;
};

// Where a rule sits: conditional format `format` of the sheet, rule `rule` in it.
struct RulePlace {
  size_t format = 0;
  size_t rule = 0;
};

class FormatCondition : public Dispatch, public std::enable_shared_from_this<FormatCondition> {
 public:
  FormatCondition(SheetHandle sheet, model::CellRef cell, RulePlace place);
  std::u16string type_name() const override { return u"FormatCondition"; }

  int Type() const;      // 1 cell value, 2 expression
  int Operator() const;  // 1 between .. 8 less or equal; raises for an expression
  // Formulas relative to the instance's active cell, as the spreadsheet reports them.
  std::u16string Formula1() const;
  std::u16string Formula2() const;  // raises unless between / not between
  std::shared_ptr<ConditionFont> Font() const;
  std::shared_ptr<ConditionInterior> Interior() const;
  void Delete();

  const model::CondRule& rule() const;
  const model::Palette& palette() const;

 private:
  std::u16string formula(bool second) const;
  SheetHandle sheet_;
  model::CellRef cell_;
  RulePlace place_;
};

class ConditionFont : public Dispatch {
 public:
  explicit ConditionFont(std::shared_ptr<const FormatCondition> condition);
  std::u16string type_name() const override { return u"Font"; }

  Variant Bold() const;
  Variant Italic() const;
  Variant Strikethrough() const;
  Variant Underline() const;
  Variant Color() const;
  Variant ColorIndex() const;

 private:
  std::shared_ptr<const FormatCondition> condition_;
};

class ConditionInterior : public Dispatch {
 public:
  explicit ConditionInterior(std::shared_ptr<const FormatCondition> condition);
  std::u16string type_name() const override { return u"Interior"; }

  Variant ColorIndex() const;
  Variant Color() const;

 private:
  std::shared_ptr<const FormatCondition> condition_;
};

}  // namespace tabrel::xl
