#pragma once
// A paper's grader as the dispatch table holds it: the paper's frame run on this shell.

#include "papers/frame/paper.h"
#include "shell/core/paper_dispatch.h"

namespace tabrel::shell {

// The grader keeps its own copy of `paper`.
PaperGrader GraderFor(papers::Paper paper);

}  // namespace tabrel::shell
