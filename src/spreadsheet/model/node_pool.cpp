#include "spreadsheet/model/node_pool.h"

namespace tabrel::model {

void* NodePool::do_allocate(size_t bytes, size_t alignment) {
  if (node_size_ == 0 && bytes >= sizeof(FreeNode)) node_size_ = bytes;
  if (bytes == node_size_ && free_ && alignment <= alignof(std::max_align_t)) {
    FreeNode* node = free_;
    free_ = node->next;
    return node;
  }
  return chunks_.allocate(bytes, alignment);
}

// Blocks of other sizes stay in their chunk until the pool goes.
void NodePool::do_deallocate(void* p, size_t bytes, size_t alignment) {
  if (bytes != node_size_ || alignment > alignof(std::max_align_t)) return;
  free_ = new (p) FreeNode{free_};
}

}  // namespace tabrel::model
