#pragma once
// The links the writer gives a storage's children: a balanced binary search tree over their
// sorted names, coloured as a valid red-black tree.

#include <cstdint>
#include <vector>

namespace tabrel::cfb {

struct SiblingLinks {
  uint32_t left;
  uint32_t right;
  uint8_t color;
};

// `sorted` holds the directory indices of one storage's children in sibling order. Fills
// `links[index]` for each and returns the index of the tree's root (kNoStream when empty).
uint32_t build_sibling_tree(const std::vector<uint32_t>& sorted, std::vector<SiblingLinks>& links);

}  // namespace tabrel::cfb
