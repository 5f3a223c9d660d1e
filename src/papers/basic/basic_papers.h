#pragma once
// The basic-series papers, each its constants and check tables.

#include "papers/frame/paper.h"

namespace tabrel::papers {

Paper Basic01();
Paper Basic02();
Paper Basic04();

}  // namespace tabrel::papers
