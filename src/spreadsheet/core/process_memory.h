#pragma once
// How the process's allocator treats freed memory.

namespace tabrel {

// Keeps memory the program frees for its next allocations instead of handing it back to the
// system at once. Recalculation and rendering allocate and free large blocks over and over
// (an array formula over whole columns builds arrays of megabytes for each cell); returning them
// every time makes the system fault every page in again, which costs far more than the memory.
// Call it first thing in main.
void keep_freed_memory();

}  // namespace tabrel
