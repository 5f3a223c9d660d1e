#include "inspect/answer_layout.h"

#include "runtime/error_resume.h"

namespace tabrel::inspect {

void CopyAnswerColumnWidths(ExcelObjects& objects) {
  for (const char16_t* column : {u"A:A", u"B:B", u"C:C", u"D:D", u"E:E", u"F:F", u"G:G", u"H:H", u"I:I"}) {
    rt::step([&] {
      const Variant width = deref(deref(objects.AnswerSheet).Range(Variant(column))).ColumnWidth();
      deref(deref(objects.TargetSheet).Range(Variant(column))).SetColumnWidth(width);
    });
  }
}

}  // namespace tabrel::inspect
