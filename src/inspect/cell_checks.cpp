#include "inspect/cell_checks.h"

#include <string>

#include "inspect/cell_reads.h"
#include "runtime/error_resume.h"
#include "runtime/strings.h"
#include "spreadsheet/automation/comment.h"
#include "spreadsheet/automation/names.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/workbooks.h"

namespace tabrel::inspect {

namespace {

std::u16string shown(const std::shared_ptr<xl::Worksheet>& sheet, std::u16string_view cell) {
  return displayed(deref(deref(sheet).Range(Variant(std::u16string(cell)))));
}

std::shared_ptr<xl::Comment> comment(const std::shared_ptr<xl::Worksheet>& sheet, std::u16string_view address) {
  return required(deref(deref(sheet).Range(Variant(std::u16string(address)))).Comment());
}

// The names of the one workbook an instance holds.
std::shared_ptr<xl::Names> names(const std::shared_ptr<xl::Application>& app) {
  return required(deref(deref(deref(app).Workbooks()).Item(Variant(1))).Names());
}

std::u16string without_line_feeds(std::u16string_view text) { return rt::Trim(rt::Replace(text, u"\n", u"")); }

// The comment checks stop at the first failure and answer no.
template <class Check>
bool unless_failing(Check&& check) {
  bool result = false;
  rt::step([&] { result = check(); });
  return result;
}

}  // namespace

bool IsTextEndsEqual(ExcelObjects& objects, std::u16string_view cell) {
  return rt::holds([&] {
    const std::u16string answer = shown(objects.AnswerSheet, cell);
    const std::u16string target = shown(objects.TargetSheet, cell);
    return rt::Left(answer, 1) == rt::Left(target, 1) && rt::Right(answer, 1) == rt::Right(target, 1);
  });
}

bool IsTextPartEqual(ExcelObjects& objects, std::u16string_view cell, int16_t start, int16_t length) {
  return rt::holds([&] {
    return rt::Mid(shown(objects.AnswerSheet, cell), start, length) ==
           rt::Mid(shown(objects.TargetSheet, cell), start, length);
  });
}

bool IsDefinedNameCorrect(ExcelObjects& objects, int16_t /*nameNumber*/, std::u16string_view nameText) {
  if (nameText.empty()) return false;
  int count = 0;
  rt::step([&] { count = names(objects.AnswerExcel)->Count(); });
  for (int i = 1; i <= count; ++i) {
    // A target position that cannot be read stops the search as a mismatch of references.
    if (rt::holds([&] { return rt::Trim(deref(names(objects.TargetExcel)->Item(Variant(i))).Name()) != nameText; }))
      continue;
    return rt::holds([&] {
      const std::u16string answer =
          deref(names(objects.AnswerExcel)->Item(Variant(std::u16string(nameText)))).RefersToR1C1();
      return rt::Trim(answer) == rt::Trim(deref(names(objects.TargetExcel)->Item(Variant(i))).RefersToR1C1());
    });
  }
  return false;
}

bool CompareCellComment(ExcelObjects& objects, std::u16string_view address) {
  return unless_failing([&] {
    const std::u16string answer = without_line_feeds(comment(objects.AnswerSheet, address)->Text());
    const std::u16string target = comment(objects.TargetSheet, address)->Text();
    // Drop an author line: everything up to the first colon and the one character after it.
    // The colon is found in the text as read but the cut is made in the trimmed text, so
    // blanks before the author's name move the cut.
    const long colon = rt::InStr(target, u":");
    const std::u16string text_only = colon > 0 ? rt::Trim(rt::Mid(rt::Trim(target), colon + 2)) : rt::Trim(target);
    return answer == without_line_feeds(text_only) || answer == without_line_feeds(rt::Trim(target));
  });
}

bool CompareCommentVisible(ExcelObjects& objects, std::u16string_view address) {
  return unless_failing([&] {
    return comment(objects.AnswerSheet, address)->Visible() == comment(objects.TargetSheet, address)->Visible();
  });
}

bool CompareCommentShape(ExcelObjects& objects, std::u16string_view address) {
  return unless_failing([&] {
    return deref(comment(objects.AnswerSheet, address)->Shape()).AutoShapeType() ==
           deref(comment(objects.TargetSheet, address)->Shape()).AutoShapeType();
  });
}

}  // namespace tabrel::inspect
