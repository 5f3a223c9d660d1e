#pragma once
// The papers whose graders are built, for the shell's dispatch table and the answer build.

#include <vector>

#include "papers/frame/paper.h"

namespace tabrel::papers {

const std::vector<Paper>& BuiltPapers();

}  // namespace tabrel::papers
