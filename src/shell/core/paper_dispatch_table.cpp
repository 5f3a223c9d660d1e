#include <map>

#include "shell/core/paper_catalog.h"
#include "shell/core/paper_dispatch.h"

namespace tabrel::shell {

namespace {

// Graders by paper name; a paper's grader joins this list when it is built.
const std::map<std::u16string_view, PaperGrader>& built_graders() {
  static const std::map<std::u16string_view, PaperGrader> graders;
  return graders;
}

}  // namespace

DispatchTable BuiltInDispatchTable() {
  DispatchTable table;
  for (const PaperModule& paper : kPaperModules) {
    const auto it = built_graders().find(paper.paper_name);
    if (it != built_graders().end()) table.push_back({std::u16string(paper.paper_name), it->second});
  }
  return table;
}

}  // namespace tabrel::shell
