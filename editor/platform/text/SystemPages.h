// Memory for large buffers straight from the system: a long document's text, its styles and
// its line starts fill hundreds of megabytes in one go, and in 2 MB pages (where the system
// offers them on request) that costs a few hundred page faults instead of a hundred thousand.
#pragma once

#include <cstddef>

namespace kelvane {

/// Zeroed memory of at least `bytes`, or nullptr when there is none. `mapped` is what
/// releasePages() needs back: 0 when the memory came from the heap.
void* allocatePages(std::size_t bytes, bool zeroed, std::size_t& mapped);
/// Gives back memory allocatePages() returned.
void releasePages(void* memory, std::size_t mapped);
/// Hands the heap's free pages back to the system: after a command that made and dropped
/// many large temporary lists (Replace All in a long document), the heap would otherwise keep
/// them, spread between blocks still in use.
void giveBackFreeHeap();

} // namespace kelvane
