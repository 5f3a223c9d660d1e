#include "papers/built_papers.h"

#include "papers/basic/basic_papers.h"

namespace tabrel::papers {

const std::vector<Paper>& BuiltPapers() {
  static const std::vector<Paper> papers{Basic01(), Basic02(), Basic03(), Basic04(), Basic05()};
  return papers;
}

}  // namespace tabrel::papers
