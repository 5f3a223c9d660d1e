#pragma once
// The basic-series papers, each its constants and check tables.

#include "papers/frame/paper.h"

namespace tabrel::papers {

Paper Basic01();
Paper Basic02();
Paper Basic03();
Paper Basic04();
Paper Basic05();

}  // namespace tabrel::papers
