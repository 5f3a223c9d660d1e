// Level, series and test-number choice; the catalog look-up of the allotted points.

#include <cmath>
#include <span>

#include "runtime/strings.h"
#include "shell/core/shell.h"

namespace tabrel::shell {

namespace {

// The test-number list that takes a catalog name starting with `prefix4` (level and series
// word, 4 characters), and how many trailing characters of the name it takes.
struct ListRule {
  std::u16string_view prefix4;
  int list;
  long tail;
};

constexpr ListRule kLevel2Rules[] = {
    {u"2급기출", 0, 5}, {u"2급유형", 0, 5}, {u"2급기초", 1, 3}, {u"2급실력", 2, 3}, {u"2급합격", 3, 3}};
constexpr ListRule kLevel3Rules[] = {{u"3급기출", 0, 5}, {u"3급기초", 1, 3}, {u"3급실력", 2, 3}, {u"3급합격", 3, 3}};

}  // namespace

void Shell::Option1_Click(int /*index*/) {
  const auto entries = rt::Split(PaperCatalog, u";");
  for (auto& list : comtest.Combo3) list.Clear();
  for (const auto& entry : entries) {
    const std::u16string name = rt::Split(entry, u",").front();
    const std::u16string level = rt::Left(name, 2);
    std::span<const ListRule> rules;
    if (level == u"2급") {
      if (!comtest.Option1.Value(0)) continue;
      comtest.SetUpperRowsVisible(true);
      rules = kLevel2Rules;
    } else if (level == u"3급") {
      if (!comtest.Option1.Value(1)) continue;
      comtest.SetUpperRowsVisible(false);
      rules = kLevel3Rules;
    } else {
      continue;
    }
    const std::u16string prefix = rt::Left(name, 4);
    for (const ListRule& rule : rules) {
      if (prefix == rule.prefix4) {
        comtest.Combo3[static_cast<size_t>(rule.list)].AddItem(rt::Right(name, rule.tail));
        break;
      }
    }
  }
}

void Shell::Image1_Click(int index) { SelectLevel(index); }

void Shell::Option2_Click(int index) {
  for (auto& list : comtest.Combo3) list.SetEnabled(false);
  comtest.Combo3.at(static_cast<size_t>(index)).SetEnabled(true);
}

void Shell::Combo3_Click(int /*index*/) { LoadPaperPoints(GetPaperKey()); }

const std::u16string& Shell::ChosenLevel() const {
  return comtest.Option1.Caption(comtest.Option1.Value(0) ? 0 : 1);
}

int Shell::ChosenSeries() const {
  for (int series = 0; series < 3; ++series) {
    if (comtest.Option2.Value(series)) return series;
  }
  return 3;
}

std::u16string Shell::GetPaperKey() const {
  const int series = ChosenSeries();
  // The past-exam items carry their own kind ("유형01회", "기출03회") in place of the series word.
  const std::u16string series_word = series == 0 ? u"" : comtest.Option2.Caption(series);
  return ChosenLevel() + series_word + comtest.Combo3[static_cast<size_t>(series)].Text();
}

void Shell::LoadPaperPoints(const std::u16string& key) {
  for (const auto& entry : rt::Split(PaperCatalog, u";")) {
    const auto fields = rt::Split(entry, u",");
    if (fields.empty() || fields[0] != key) continue;
    const long u = rt::UBound(fields);
    if (u >= 3 && u <= 5) {
      for (long p = 1; p <= u; ++p) ProblemPoints(static_cast<int>(p)) = fields[static_cast<size_t>(p)];
    }
    // The bar's maximum over the number of point values, to the nearest whole number (a half
    // going to the even neighbour). An entry without point values leaves the step as it was.
    if (u > 0) {
      const float step = comtest.ProgressBar1.Max() / static_cast<float>(u);
      ProgressStep = static_cast<int32_t>(std::nearbyint(step));
    }
    break;
  }
  for (int k = 0; k < 4; ++k) comtest.Label1[static_cast<size_t>(k)].SetCaption(ProblemPoints(k + 1));
  comtest.Label7[0].SetCaption(ProblemPoints(5));
}

void Shell::SelectLevel(int index) {
  if (request_running_) return;
  comtest.Option1.Select(index);
  Option1_Click(index);
}

void Shell::SelectSeries(int index) {
  if (request_running_) return;
  comtest.Option2.Select(index);
  Option2_Click(index);
}

void Shell::PickTestNumber(int list, int item) {
  if (request_running_) return;
  comtest.Combo3.at(static_cast<size_t>(list)).SetListIndex(item);
  Combo3_Click(list);
}

}  // namespace tabrel::shell
