#include "inspect/sheet_structure.h"

#include <string>

#include "runtime/error_resume.h"
#include "runtime/strings.h"
#include "spreadsheet/automation/chart_area.h"
#include "spreadsheet/automation/sheets.h"

namespace tabrel::inspect {

namespace {

constexpr int kWorksheet = -4167;
constexpr int kVisible = -1;
constexpr char16_t kScenario[] = u"시나리오";
constexpr char16_t kChart[] = u"차트";

std::shared_ptr<xl::Worksheet> sheet_at(const std::shared_ptr<xl::Application>& app, int position) {
  return required(deref(app).Sheets(Variant(position)));
}

int sheet_count(const std::shared_ptr<xl::Application>& app) { return deref(deref(app).Sheets()).Count(); }

std::u16string trimmed_name(const std::shared_ptr<xl::Application>& app, int position) {
  return rt::Trim(sheet_at(app, position)->Name());
}

bool contains(std::u16string_view text, std::u16string_view part) { return rt::InStr(text, part) != 0; }

// A sheet that takes part in the ordered comparison of names.
bool comparable(const std::u16string& name, std::u16string_view extraName) {
  return !contains(name, kScenario) && rt::Trim(name) != extraName && !contains(name, kChart);
}

// The first comparable sheet at or after `start`; nullopt once a read past the last sheet fails.
std::optional<int> next_comparable(const std::shared_ptr<xl::Application>& app, int start,
                                   std::u16string_view extraName) {
  try {
    for (int position = start;; ++position)
      if (comparable(sheet_at(app, position)->Name(), extraName)) return position;
  } catch (const AutomationError&) {
    return std::nullopt;
  }
}

void remove_hidden_sheets(xl::Application& target) {
  for (int n = deref(target.Sheets()).Count(); n >= 1; --n) {
    auto sheet = required(target.Sheets(Variant(n)));
    if (sheet->Visible() == kVisible) continue;
    sheet->SetVisible(Variant(1));
    target.SetDisplayAlerts(false);
    sheet->Delete();
  }
}

// Blank worksheets named after answer sheets the target may lack, each put before the target
// sheet at the answer sheet's position.
void insert_placeholders(ExcelObjects& objects, int sheetCount, std::u16string_view extraName) {
  xl::Application& target = deref(objects.TargetExcel);
  for (int a = 1; a <= sheetCount; ++a) {
    if (trimmed_name(objects.TargetExcel, a) == trimmed_name(objects.AnswerExcel, a)) continue;
    const auto answer = sheet_at(objects.AnswerExcel, a);
    const bool reasons[] = {contains(answer->Name(), kScenario), answer->Name() == extraName,
                            answer->Type() != kWorksheet};
    for (bool reason : reasons) {
      if (!reason) continue;
      sheet_at(objects.TargetExcel, a)->Select();
      deref(target.Sheets()).Add({}, {}, Variant(1));
      deref(target.ActiveSheet()).SetName(answer->Name());
      if (sheetCount == sheet_count(objects.TargetExcel)) return;
    }
  }
}

bool names_out_of_order(ExcelObjects& objects, std::u16string_view extraName) {
  int ai = 0;
  int ti = 0;
  for (int pass = 1;; ++pass) {
    if (ai > sheet_count(objects.AnswerExcel)) return false;
    ai = FindNextAnswerSheet(objects, static_cast<int16_t>(ai + 1), extraName);
    ti = FindNextTargetSheet(objects, static_cast<int16_t>(ti + 1), extraName);
    if (ti == 0) return false;
    const auto answer = sheet_at(objects.AnswerExcel, ai);
    const auto target = sheet_at(objects.TargetExcel, ti);
    if (rt::Trim(answer->Name()) == rt::Trim(target->Name())) continue;
    // A differing pair is tolerated when either sheet is not a worksheet.
    if (answer->Type() != kWorksheet || target->Type() != kWorksheet) continue;
    // A pair that differs is forgiven only where the target's sheet at the pass number is the
    // extra sheet.
    bool forgiven = false;
    rt::step([&] { forgiven = sheet_at(objects.TargetExcel, pass)->Name() == extraName; });
    if (!forgiven) return true;
  }
}

}  // namespace

bool NormalizeTargetSheets(ExcelObjects& objects, int16_t sheetCount, std::u16string_view extraName) {
  try {
    remove_hidden_sheets(deref(objects.TargetExcel));
    if (sheetCount != sheet_count(objects.TargetExcel)) insert_placeholders(objects, sheetCount, extraName);
    if (sheetCount != sheet_count(objects.TargetExcel)) return true;
    return names_out_of_order(objects, extraName);
  } catch (const AutomationError&) {
    return true;
  }
}

int16_t FindNextAnswerSheet(ExcelObjects& objects, int16_t start, std::u16string_view extraName) {
  if (auto found = next_comparable(objects.AnswerExcel, start, extraName)) return static_cast<int16_t>(*found);
  int count = 0;
  rt::step([&] { count = sheet_count(objects.AnswerExcel); });
  return static_cast<int16_t>(count + 1);
}

int16_t FindNextTargetSheet(ExcelObjects& objects, int16_t start, std::u16string_view extraName) {
  return static_cast<int16_t>(next_comparable(objects.TargetExcel, start, extraName).value_or(0));
}

bool IsChartSheetCorrect(ExcelObjects& objects, int16_t position) {
  try {
    const auto answer = sheet_at(objects.AnswerExcel, position);
    const auto target = sheet_at(objects.TargetExcel, position);
    return rt::Trim(deref(answer->ChartArea()).Name()) == rt::Trim(deref(target->ChartArea()).Name()) &&
           rt::Trim(answer->Name()) == rt::Trim(target->Name());
  } catch (const AutomationError&) {
    return false;
  }
}

}  // namespace tabrel::inspect
