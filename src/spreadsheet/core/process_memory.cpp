#include "spreadsheet/core/process_memory.h"

#include <malloc.h>

namespace tabrel {

void keep_freed_memory() {
  // Blocks up to 32 MB (the allocator's largest setting) come from the heap rather than from
  // mappings of their own, and the heap gives back only what exceeds 256 MB at its top.
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
  mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
}

}  // namespace tabrel
