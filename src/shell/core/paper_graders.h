#pragma once
// A paper's grader as the dispatch table holds it: the paper's frame run on this shell.

#include "papers/frame/paper.h"
#include "shell/core/paper_dispatch.h"

namespace tabrel::shell {

// `paper` must outlive the grader.
PaperGrader GraderFor(const papers::Paper& paper);

}  // namespace tabrel::shell
