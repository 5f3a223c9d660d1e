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

// The conditions of a range are read from its first cell.
class FormatConditions : public Dispatch {
 public:
  FormatConditions(SheetHandle sheet, model::RangeRef area);
  std::u16string type_name() const override { return u"FormatConditions"; }

  int Count() const;
  std::shared_ptr<FormatCondition> Item(const Variant& index) const;  // 1-based
  // Adds a rule to the range: `type` 1 (cell value, with an operator 1..8) or 2 (formula).
  // Formulas are read as seen from the instance's active cell, as typed in the dialog.
  // A range already holding three conditions raises.
  std::shared_ptr<FormatCondition> Add(const Variant& type, const Variant& op = {}, const Variant& formula1 = {},
                                       const Variant& formula2 = {});
  // Takes the range out of every conditional format.
  void Delete();

 private:
  SheetHandle sheet_;
  model::RangeRef area_;
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
  std::shared_ptr<ConditionFont> Font();
  std::shared_ptr<ConditionInterior> Interior();
  void Delete();
  // Makes the rule the first one the cell sees: first of its conditional format, and its
  // format first of the sheet's.
  void SetFirstPriority();
  // The file keeps no stop flag: every rule of this format stops the ones after it when true,
  // so StopIfTrue reads True and setting it changes nothing.
  bool StopIfTrue() const;

  const model::CondRule& rule() const;
  model::CondRule& rule_for_edit();
  const model::Palette& palette() const;

 private:
  std::u16string formula(bool second) const;
  SheetHandle sheet_;
  model::CellRef cell_;
  RulePlace place_;
};

class ConditionFont : public Dispatch {
 public:
  explicit ConditionFont(std::shared_ptr<FormatCondition> condition);
  std::u16string type_name() const override { return u"Font"; }

  Variant Bold() const;
  void SetBold(const Variant& value);
  Variant Italic() const;
  void SetItalic(const Variant& value);
  Variant Strikethrough() const;
  Variant Underline() const;
  Variant Color() const;
  void SetColor(const Variant& value);
  Variant ColorIndex() const;
  void SetColorIndex(const Variant& value);

 private:
  model::CondFont& font_for_edit();
  std::shared_ptr<FormatCondition> condition_;
};

class ConditionInterior : public Dispatch {
 public:
  explicit ConditionInterior(std::shared_ptr<FormatCondition> condition);
  std::u16string type_name() const override { return u"Interior"; }

  Variant ColorIndex() const;
  void SetColorIndex(const Variant& value);
  Variant Color() const;
  void SetColor(const Variant& value);

 private:
  void fill_with(std::optional<uint16_t> color);
  std::shared_ptr<FormatCondition> condition_;
};

}  // namespace tabrel::xl
