// A new comment on a cell.

#include <algorithm>

#include "spreadsheet/automation/comment.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/range.h"

namespace tabrel::xl {

std::shared_ptr<xl::Comment> Range::AddComment(const std::u16string& text) {
  model::Sheet& sheet = sheet_.get();
  if (std::any_of(sheet.comments.begin(), sheet.comments.end(),
                  [&](const model::Comment& c) { return c.cell == area_.first; }))
    raise(Fault::MethodFailed);
  model::Comment comment;
  comment.cell = area_.first;
  comment.text.text = text;
  sheet.comments.push_back(std::move(comment));
  return std::make_shared<xl::Comment>(sheet_, area_.first);
}

}  // namespace tabrel::xl
