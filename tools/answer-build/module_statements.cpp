#include "module_statements.h"

#include <fstream>
#include <sstream>

#include "answer_source.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/code_module.h"
#include "spreadsheet/automation/vbe.h"
#include "spreadsheet/core/text.h"

namespace tabrel::answers {

void apply_module(int line, const std::vector<std::u16string>& fields, xl::Workbook& book,
                  const std::filesystem::path& folder) {
  const auto fail = [&](const std::string& why) {
    throw SourceError("line " + std::to_string(line) + ": module: " + why);
  };
  if (fields.size() < 2 || fields[1].empty()) fail("file name missing");
  const std::filesystem::path file = folder / std::filesystem::path(to_utf8(fields[1]));
  std::ifstream in(file, std::ios::binary);
  if (!in) fail("cannot read " + file.string());
  std::stringstream code;
  code << in.rdbuf();
  const auto project = book.Application()->VBE()->VBProjects()->Item(Variant(1));
  project->VBComponents()->Add(1)->CodeModule()->AddFromString(from_utf8(code.str()));
}

}  // namespace tabrel::answers
