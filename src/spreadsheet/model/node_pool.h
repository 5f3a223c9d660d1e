#pragma once
// Memory for the nodes of one container: carved from chunks that grow geometrically, a freed
// node kept for the next allocation of its size, every chunk released with the pool. The nodes
// of a map all have one size, so taking and giving back a node costs a few instructions.

#include <cstddef>
#include <memory_resource>

namespace tabrel::model {

class NodePool final : public std::pmr::memory_resource {
 private:
  void* do_allocate(size_t bytes, size_t alignment) override;
  void do_deallocate(void* p, size_t bytes, size_t alignment) override;
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }

  struct FreeNode {
    FreeNode* next;
  };
  std::pmr::monotonic_buffer_resource chunks_;
  FreeNode* free_ = nullptr;
  size_t node_size_ = 0;  // the size that is reused: the first one asked for
};

}  // namespace tabrel::model
