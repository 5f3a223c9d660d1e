#pragma once
// The PROJECT stream: the project's properties as text lines, among them one line per module
// that tells document, standard, class and form modules apart.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "spreadsheet/model/macro_project.h"

namespace tabrel::xls::vba {

struct ProjectLines {
  std::vector<std::pair<std::u16string, model::MacroModule::Kind>> modules;  // in stream order
  std::vector<std::u16string> properties;  // every other line, in order
};

ProjectLines parse_project_stream(std::u16string_view text);

// The stream's text for `project`: its kept properties with the module lines after the ID line,
// or, for a project made here, an unprotected and visible project's properties.
std::u16string build_project_stream(const model::MacroProject& project);

}  // namespace tabrel::xls::vba
