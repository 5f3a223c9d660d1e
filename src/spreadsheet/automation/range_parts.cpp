// Range: the comment, conditional formats and phonetic guides of its first cell.
#include <algorithm>

#include "spreadsheet/automation/comment.h"
#include "spreadsheet/automation/format_conditions.h"
#include "spreadsheet/automation/phonetics.h"
#include "spreadsheet/automation/range.h"

namespace tabrel::xl {

std::shared_ptr<xl::Comment> Range::Comment() const {
  const model::Sheet& sheet = sheet_.get();
  const bool has = std::any_of(sheet.comments.begin(), sheet.comments.end(),
                               [&](const model::Comment& c) { return c.cell == area_.first; });
  return has ? std::make_shared<xl::Comment>(sheet_, area_.first) : nullptr;
}

std::shared_ptr<xl::FormatConditions> Range::FormatConditions() const {
  sheet_.get();
  return std::make_shared<xl::FormatConditions>(sheet_, area_);
}

std::shared_ptr<xl::Phonetics> Range::Phonetics() const {
  sheet_.get();
  return std::make_shared<xl::Phonetics>(sheet_, area_.first);
}

std::shared_ptr<xl::Phonetic> Range::Phonetics(const Variant& index) const { return Phonetics()->Item(index); }

std::shared_ptr<xl::Phonetic> Range::Phonetic() const {
  sheet_.get();
  return std::make_shared<xl::Phonetic>(sheet_, area_.first, -1);
}

}  // namespace tabrel::xl
