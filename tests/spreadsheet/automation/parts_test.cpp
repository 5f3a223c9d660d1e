#include <tuple>

#include <gtest/gtest.h>

#include "fixture.h"
#include "same_variant.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/comment.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/format_conditions.h"
#include "spreadsheet/automation/names.h"
#include "spreadsheet/automation/phonetics.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl {
namespace {

using testing::data;
using testing::error_number;
using testing::open_in_new_instance;
using testing::sample_workbook;

TEST(CommentTest, TextVisibilityAndShape) {
  auto wb = sample_workbook();
  model::DrawingObject box;
  box.object_type = 25;
  box.autoshape_type = 202;
  data(*wb).drawings.push_back(box);
  model::Comment note;
  note.cell = {0, 6};  // G1
  note.author = u"홍길동";
  note.text.text = u"홍길동:\n입력 금지";
  note.visible = true;
  note.drawing_index = 0;
  data(*wb).comments.push_back(note);
  auto o = open_in_new_instance(std::move(wb));
  auto comment = o.app->Range(Variant(u"G1"))->Comment();
  ASSERT_NE(comment, nullptr);
  EXPECT_EQ(comment->Text(), u"홍길동:\n입력 금지");
  EXPECT_TRUE(comment->Visible());
  EXPECT_EQ(comment->Shape()->AutoShapeType(), 1);
  comment->SetVisible(Variant(false));
  EXPECT_FALSE(comment->Visible());
  EXPECT_EQ(o.app->Range(Variant(u"H1"))->Comment(), nullptr);  // Nothing
  EXPECT_EQ(error_number([&] { deref(o.app->Range(Variant(u"H1"))->Comment()).Text(); }), 91);
  EXPECT_EQ(o.app->ActiveSheet()->Comments()->Count(), 1);
  comment->Delete();
  EXPECT_NE(error_number([&] { comment->Text(); }), 0);
}

model::CondFormat sample_conditions() {
  model::CondFormat cf;
  cf.ranges = {{{2, 1}, {9, 1}}};  // B3:B10
  model::CondRule value_rule;
  value_rule.type = 1;
  value_rule.op = 5;  // greater than
  value_rule.formula1 = {0x1E, 80, 0};  // 80
  value_rule.font.emplace();
  value_rule.font->bold = true;
  value_rule.font->color = 10;
  model::CondRule formula_rule;
  formula_rule.type = 2;
  formula_rule.formula1 = {0x1D, 1};  // TRUE
  formula_rule.fill.emplace();
  formula_rule.fill->pattern = 1;
  formula_rule.fill->background_color = 13;
  cf.rules = {value_rule, formula_rule};
  return cf;
}

TEST(FormatConditionsTest, RulesOfTheCellAndUnsetFormatsReadNull) {
  auto wb = sample_workbook();
  data(*wb).conditional_formats.push_back(sample_conditions());
  auto o = open_in_new_instance(std::move(wb));
  auto conditions = o.app->Range(Variant(u"B5"))->FormatConditions();
  ASSERT_EQ(conditions->Count(), 2);
  EXPECT_EQ(o.app->Range(Variant(u"C5"))->FormatConditions()->Count(), 0);
  auto first = conditions->Item(Variant(1));
  EXPECT_EQ(first->Type(), 1);
  EXPECT_EQ(first->Operator(), 5);
  EXPECT_TRUE(same_variant(first->Font()->Bold(), Variant(true)));
  EXPECT_TRUE(first->Font()->Italic().is_null());
  EXPECT_TRUE(same_variant(first->Font()->Color(), Variant(255)));
  EXPECT_TRUE(first->Interior()->ColorIndex().is_null());
  EXPECT_EQ(error_number([&] { first->Formula2(); }), 1004);  // not a between rule
  auto second = conditions->Item(Variant(2));
  EXPECT_EQ(second->Type(), 2);
  EXPECT_EQ(error_number([&] { second->Operator(); }), 1004);
  EXPECT_TRUE(same_variant(second->Interior()->ColorIndex(), Variant(6)));
  EXPECT_TRUE(second->Font()->Bold().is_null());
  EXPECT_NE(error_number([&] { conditions->Item(Variant(3)); }), 0);
  conditions->Delete();
  EXPECT_EQ(conditions->Count(), 0);
  EXPECT_EQ(o.app->Range(Variant(u"B4"))->FormatConditions()->Count(), 2);
}

// Rules of the newer records: Type by record type and template, listed by priority; a classic
// rule without a priority comes last.
TEST(FormatConditionsTest, NewerRulesTypedByTemplateAndListedByPriority) {
  struct Rule {
    uint8_t type;
    std::optional<uint16_t> template_kind, priority;
    int expected_type;
  };
  const Rule rules[] = {
      {2, std::nullopt, std::nullopt, 2},  // classic formula rule from an older file: last
      {3, 2, 9, 3},       {4, 3, 8, 4},     {6, 4, 7, 6},     {5, 5, 6, 5},     {5, 0x1B, 5, 8},
      {2, 0x08, 4, 9},    {2, 0x09, 3, 10}, {2, 0x12, 2, 11}, {5, 0x1A, 1, 12}, {2, 0x0A, 10, 13},
      {2, 0x0B, 11, 16},  {2, 0x0C, 12, 17}, {1, 0, 13, 1},   {2, 1, 14, 2},
  };
  model::CondFormat cf;
  cf.ranges = {{{1, 1}, {9, 1}}};
  for (const Rule& r : rules) {
    model::CondRule rule;
    rule.type = r.type;
    rule.template_kind = r.template_kind;
    rule.priority = r.priority;
    rule.formula1 = {0x1D, 1};
    cf.rules.push_back(rule);
  }
  auto wb = sample_workbook();
  data(*wb).conditional_formats.push_back(cf);
  auto o = open_in_new_instance(std::move(wb));
  auto conditions = o.app->Range(Variant(u"B5"))->FormatConditions();
  ASSERT_EQ(conditions->Count(), 15);
  const int listed[] = {12, 11, 10, 9, 8, 5, 6, 4, 3, 13, 16, 17, 1, 2, 2};
  for (int i = 0; i < 15; ++i) EXPECT_EQ(conditions->Item(Variant(i + 1))->Type(), listed[i]) << i + 1;
}

TEST(FormatConditionsTest, FillColourOfPatternAndNoFillRules) {
  struct Case { std::optional<uint8_t> pattern; std::optional<uint16_t> fore, back; Variant index; };
  const Case cases[] = {
      {1, 64, 56, Variant(49)},                        // solid: the colour is stored as background
      {std::nullopt, std::nullopt, 45, Variant(38)},   // only the colour given
      {0, 64, 65, Variant(-4142)},                     // the rule removes the fill
      {std::nullopt, std::nullopt, std::nullopt, Variant::null()},
  };
  for (const auto& c : cases) {
    auto wb = sample_workbook();
    model::CondFormat cf = sample_conditions();
    cf.rules[1].fill->pattern = c.pattern;
    cf.rules[1].fill->pattern_color = c.fore;
    cf.rules[1].fill->background_color = c.back;
    data(*wb).conditional_formats.push_back(cf);
    auto o = open_in_new_instance(std::move(wb));
    auto fill = o.app->Range(Variant(u"B3"))->FormatConditions()->Item(Variant(2))->Interior()->ColorIndex();
    EXPECT_TRUE(same_variant(fill, c.index)) << static_cast<int>(c.index.type());
  }
}

TEST(NamesTest, NamesWithTheirSheetQualifier) {
  auto wb = sample_workbook();
  model::DefinedName goal, print_area;
  goal.name = u"목표량";
  print_area.name = u"Print_Area";
  print_area.builtin = true;
  print_area.sheet_scope = 2;
  wb->names = {goal, print_area};
  auto o = open_in_new_instance(std::move(wb));
  auto names = o.book->Names();
  ASSERT_EQ(names->Count(), 2);
  EXPECT_EQ(names->Item(Variant(1))->Name(), u"Form!Print_Area");
  EXPECT_EQ(names->Item(Variant(2))->Name(), u"목표량");
  EXPECT_EQ(names->Item(Variant(u"form!print_area"))->Name(), u"Form!Print_Area");
  EXPECT_NE(error_number([&] { names->Item(Variant(3)); }), 0);
  EXPECT_NE(error_number([&] { names->Item(Variant(u"없는이름")); }), 0);
  auto target = names->Item(Variant(u"목표량"));
  target->Delete();
  EXPECT_EQ(names->Count(), 1);
  EXPECT_NE(error_number([&] { target->Name(); }), 0);
}

// The collection sorts by the name, letter case ignored; a workbook-level name comes before the
// sheets' names that read the same, and those follow their sheets' order. Names added later take
// their sorted place, and formulas that use a name keep it.
TEST(NamesTest, CollectionOrderIsAlphabeticalForReadAndAddedNames) {
  auto wb = sample_workbook();
  auto name = [](std::u16string text, uint16_t scope) {
    model::DefinedName n;
    n.name = std::move(text);
    n.sheet_scope = scope;
    return n;
  };
  wb->names = {name(u"zeta", 0), name(u"Print_Area", 2), name(u"alpha", 2), name(u"alpha", 1),
               name(u"Alpha", 0), name(u"_FilterDatabase", 1), name(u"목표", 0)};
  auto o = open_in_new_instance(std::move(wb));
  auto names = o.book->Names();
  auto listed = [&] {
    std::u16string all;
    for (int i = 1; i <= names->Count(); ++i) all += names->Item(Variant(i))->Name() + u",";
    return all;
  };
  EXPECT_EQ(listed(), u"Data!_FilterDatabase,Alpha,Data!alpha,Form!alpha,Form!Print_Area,zeta,목표,");
  o.app->Range(Variant(u"A1"))->SetFormula(Variant(u"=zeta"));
  names->Add(u"Beta", u"=Data!$A$1");
  EXPECT_EQ(listed(), u"Data!_FilterDatabase,Alpha,Data!alpha,Form!alpha,Beta,Form!Print_Area,zeta,목표,");
  EXPECT_EQ(o.app->Range(Variant(u"A1"))->Formula().str(), u"=zeta");
}

// Relative references of a name are read and shown from the instance's active cell.
TEST(NamesTest, RelativeReferencesFollowTheActiveCell) {
  auto o = open_in_new_instance(sample_workbook());
  auto names = o.book->Names();
  o.app->Range(Variant(u"B2"))->Select();
  names->Add(u"고정", u"=Data!$B$3");
  names->Add(u"이웃", u"=Data!A1");  // one row up and one column left of B2
  auto fixed = names->Item(Variant(u"고정"));
  auto relative = names->Item(Variant(u"이웃"));
  EXPECT_EQ(relative->RefersToR1C1(), u"=Data!R[-1]C[-1]");
  EXPECT_EQ(relative->RefersTo(), u"=Data!A1");
  o.app->Range(Variant(u"D5"))->Select();
  EXPECT_EQ(fixed->RefersToR1C1(), u"=Data!R3C2");
  EXPECT_EQ(fixed->RefersTo(), u"=Data!$B$3");
  EXPECT_EQ(relative->RefersToR1C1(), u"=Data!R[-1]C[-1]");
  EXPECT_EQ(relative->RefersTo(), u"=Data!C4");
  o.app->Sheets(Variant(u"Form"))->Select();  // Form's active cell is A1
  EXPECT_EQ(relative->RefersTo(), u"=Data!IV65536");  // wraps round the sheet's edges
}

TEST(PhoneticsTest, GuidedStretchesAndVisibility) {
  auto wb = sample_workbook();
  auto guide = std::make_shared<model::PhoneticText>();
  guide->text = u"かんじかな";
  guide->runs = {{0, 0, 2}, {3, 2, 1}};
  model::Cell cell;
  cell.value = model::CellValue::rich(model::RichText{u"漢字仮", {}, guide});
  data(*wb).cells.put({0, 0}, cell);
  data(*wb).cells.put({0, 1}, model::Cell{model::CellValue::text(u"plain"), 15, nullptr});
  auto o = open_in_new_instance(std::move(wb));
  auto a1 = o.app->Range(Variant(u"A1"));
  ASSERT_EQ(a1->Phonetics()->Count(), 2);
  EXPECT_EQ(a1->Phonetics(Variant(1))->Text(), u"かんじ");
  EXPECT_EQ(a1->Phonetics(Variant(2))->Text(), u"かな");
  EXPECT_EQ(a1->Phonetic()->Text(), u"かんじかな");
  EXPECT_NE(error_number([&] { o.app->Range(Variant(u"B1"))->Phonetics(Variant(1))->Text(); }), 0);
  EXPECT_FALSE(a1->Phonetic()->Visible());
  a1->Phonetic()->SetVisible(Variant(true));
  EXPECT_TRUE(a1->Phonetic()->Visible());
  EXPECT_FALSE(o.app->Range(Variant(u"B1"))->Phonetic()->Visible());
  a1->Phonetic()->SetVisible(Variant(false));
  EXPECT_FALSE(a1->Phonetic()->Visible());
}

TEST(PhoneticsTest, AddReplacesTheStretchesItOverlaps) {
  auto wb = sample_workbook();
  auto guide = std::make_shared<model::PhoneticText>();
  guide->text = u"かんじかな";
  guide->runs = {{0, 0, 2}, {3, 2, 1}};
  model::Cell cell;
  cell.value = model::CellValue::rich(model::RichText{u"漢字仮", {}, guide});
  data(*wb).cells.put({0, 0}, cell);
  data(*wb).cells.put({0, 1}, model::Cell{model::CellValue::text(u"plain"), 15, nullptr});
  auto o = open_in_new_instance(std::move(wb));
  auto a1 = o.app->Range(Variant(u"A1"));
  a1->Phonetics()->Add(Variant(3), Variant(1), Variant(u"か"));
  ASSERT_EQ(a1->Phonetics()->Count(), 2);
  EXPECT_EQ(a1->Phonetics(Variant(1))->Text(), u"かんじ");
  EXPECT_EQ(a1->Phonetics(Variant(2))->Text(), u"か");
  a1->Phonetics()->Add(Variant(2), Variant(2), Variant(u"じか"));
  ASSERT_EQ(a1->Phonetics()->Count(), 1);
  EXPECT_EQ(a1->Phonetic()->Text(), u"じか");
  EXPECT_EQ(a1->Text().str(), u"漢字仮");

  auto b1 = o.app->Range(Variant(u"B1"));
  b1->Phonetics()->Add(Variant(1), Variant(5), Variant(u"ぷれいん"));
  EXPECT_EQ(b1->Phonetic()->Text(), u"ぷれいん");
  for (auto [cell_name, start, length] : {std::tuple{std::u16string(u"B1"), 5, 2}, {u"B1", 0, 1}, {u"B1", 1, 0}, {u"C1", 1, 1}}) {
    // Captured by copy: clang 14 cannot capture a structured binding.
    const auto add = [&, name = cell_name, first = start, count = length] {
      o.app->Range(Variant(name))->Phonetics()->Add(Variant(first), Variant(count), Variant(u"x"));
    };
    EXPECT_NE(error_number(add), 0) << tabrel::to_utf8(cell_name) << " " << start << " " << length;
  }
}

}  // namespace
}  // namespace tabrel::xl
