#include "phonetic_statements.h"

#include "answer_source.h"
#include "spreadsheet/automation/phonetics.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/core/text.h"

namespace tabrel::answers {

bool apply_phonetic_statement(int line, const std::vector<std::u16string>& fields, xl::Worksheet& sheet) {
  if (fields.empty() || fields[0] != u"phonetic") return false;
  const bool shown = fields.size() == 4 && fields[3] == u"shown";
  if (fields.size() < 3 || fields.size() > 4 || (fields.size() == 4 && !shown))
    throw SourceError("line " + std::to_string(line) + ": phonetic | cell | text [| shown]");
  const auto cell = sheet.Range(Variant(fields[1]));
  const auto length = static_cast<int32_t>(cell->Text().to_string().size());
  cell->Phonetics()->Add(Variant(1), Variant(length), Variant(fields[2]));
  cell->Phonetic()->SetVisible(Variant(shown));
  return true;
}

}  // namespace tabrel::answers
