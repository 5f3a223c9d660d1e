#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "spreadsheet/cfb/format.h"
#include "spreadsheet/cfb/sibling_tree.h"

namespace tabrel::cfb {
namespace {

struct TreeCheck {
  const std::vector<SiblingLinks>& links;
  std::vector<uint32_t> in_order;
  int black_height = -1;
  bool valid = true;

  // Walks the subtree; every path to a missing child must count the same black entries and no
  // red entry may have a red child.
  void walk(uint32_t index, int blacks, bool parent_red) {
    if (index == kNoStream) {
      if (black_height < 0) black_height = blacks;
      valid = valid && black_height == blacks;
      return;
    }
    const bool red = links[index].color == kColorRed;
    valid = valid && !(red && parent_red);
    walk(links[index].left, blacks + (red ? 0 : 1), red);
    in_order.push_back(index);
    walk(links[index].right, blacks + (red ? 0 : 1), red);
  }
};

TEST(SiblingTree, EverySizeGivesAValidRedBlackSearchTree) {
  for (uint32_t count = 0; count <= 130; ++count) {
    SCOPED_TRACE(count);
    std::vector<uint32_t> sorted;
    for (uint32_t i = 0; i < count; ++i) sorted.push_back(i + 1);  // entry 0 is the parent
    std::vector<SiblingLinks> links(count + 1, {kNoStream, kNoStream, kColorBlack});
    const uint32_t root = build_sibling_tree(sorted, links);
    TreeCheck check{links, {}};
    check.walk(root, 0, false);
    EXPECT_EQ(check.in_order, sorted);
    EXPECT_TRUE(check.valid);
    if (count > 0) {
      EXPECT_EQ(links[root].color, kColorBlack);
    }
  }
}

}  // namespace
}  // namespace tabrel::cfb
