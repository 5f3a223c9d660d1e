#pragma once
// The `module` statement of an answer-workbook source (syntax in answer_source.h): a standard
// module of the workbook's macro project whose code is a text file beside the source.

#include <filesystem>
#include <string>
#include <vector>

#include "spreadsheet/automation/workbook.h"

namespace tabrel::answers {

// `fields[0]` is "module". Throws SourceError naming `line` when the file cannot be read.
void apply_module(int line, const std::vector<std::u16string>& fields, xl::Workbook& book,
                  const std::filesystem::path& folder);

}  // namespace tabrel::answers
