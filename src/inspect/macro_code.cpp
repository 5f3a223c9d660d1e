#include "inspect/macro_code.h"

#include <string>
#include <vector>

#include "runtime/strings.h"
#include "spreadsheet/automation/code_module.h"
#include "spreadsheet/automation/vbe.h"

namespace tabrel::inspect {

namespace {

constexpr int32_t kSearchEndColumn = 10;
constexpr std::u16string_view kBookEnd = u".xls]";
constexpr std::u16string_view kBookExtension = u".xls";

bool contains(std::u16string_view text, std::u16string_view part) {
  return rt::InStr(1, text, part, rt::Compare::Text) > 0;
}

// The first module of the project whose searched region holds `pattern`; nullptr when none.
std::shared_ptr<xl::CodeModule> module_holding(ExcelObjects& objects, const std::u16string& pattern) {
  const auto components = deref(deref(deref(deref(objects.TargetExcel).VBE()).VBProjects()).Item(Variant(1))).VBComponents();
  const int count = deref(components).Count();
  for (int j = 1; j <= count; ++j) {
    auto module = deref(deref(components).Item(Variant(j))).CodeModule();
    int32_t start_line = 1, start_column = 1, end_line = deref(module).CountOfLines(), end_column = kSearchEndColumn;
    if (module->Find(pattern, start_line, start_column, end_line, end_column, false, false, false)) return module;
  }
  return nullptr;
}

// The line without the text from just after its first apostrophe through its first ".xls]",
// wherever that text occurs in it. An apostrophe after the ".xls]" is a bad call (error 5).
std::u16string without_book_path(const std::u16string& line) {
  const long apostrophe = rt::InStr(line, u"'");
  if (apostrophe == 0) return line;
  const long book_end = rt::InStr(1, line, kBookEnd, rt::Compare::Text);
  const std::u16string path = rt::Mid(line, apostrophe + 1, book_end + 4 - apostrophe);
  return rt::Replace(line, path, u"", rt::Compare::Text);
}

// The edit itself; raises when the project, a module or a line cannot be read or written.
bool edit_target_code(ExcelObjects& objects, std::u16string_view patternList) {
  const std::vector<std::u16string> patterns = rt::Split(patternList, u";");
  if (patterns.empty()) return true;
  const auto module = module_holding(objects, patterns.front());
  if (!module) return false;
  const std::vector<std::u16string> lines = rt::Split(module->Lines(1, module->CountOfLines()), u"\r\n");
  for (size_t i = 0; i < lines.size(); ++i) {
    std::u16string line = lines[i];
    if (contains(line, patternList) && contains(line, kBookEnd)) {
      line = without_book_path(line);
      module->ReplaceLine(static_cast<int32_t>(i + 1), line);
    }
    if (contains(line, patternList) && !contains(line, kBookExtension)) return true;
  }
  return false;
}

}  // namespace

bool RemoveWorkbookRefsFromMacros(ExcelObjects& objects, std::u16string_view /*macroName*/,
                                  std::u16string_view patternList) {
  try {
    return edit_target_code(objects, patternList);
  } catch (const AutomationError&) {
    return false;
  }
}

}  // namespace tabrel::inspect
