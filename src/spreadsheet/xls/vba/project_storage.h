#pragma once
// The workbook's macro project storage ("_VBA_PROJECT_CUR"): the PROJECT stream, the VBA
// storage with its dir stream, _VBA_PROJECT stream and one stream per module.

#include <string_view>
#include <vector>

#include "spreadsheet/model/workbook.h"

namespace tabrel::xls::vba {

inline constexpr std::u16string_view kProjectStorage = u"_VBA_PROJECT_CUR";

// Reads the macro project from the streams the reader kept. When it reads, the project owns its
// modules and the streams it now stands for leave the kept streams (the writer makes them anew);
// form designers and other parts of the storage stay there. When it does not read, the project
// has no modules, its problem says why, and every stream stays as stored.
void read_macro_project(model::Workbook& book);

// The streams of a readable project's storage, with the source text of each module and no
// compiled cache, so that the spreadsheet compiles the project when it opens the file.
std::vector<model::ExtraStream> project_streams(const model::MacroProject& project);

}  // namespace tabrel::xls::vba
