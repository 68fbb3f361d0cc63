// Large buffers mapped from the system, asking for its large pages where it has them.
#include "platform/text/SystemPages.h"

#include <QtGlobal>

#include <cstdlib>

#ifdef Q_OS_LINUX
#include <malloc.h>
#include <sys/mman.h>
#endif

namespace kelvane {

namespace {

// Below this a buffer comes from the heap: mapping costs a system call and a page of its own.
constexpr std::size_t kMappedFrom = std::size_t(4) << 20;

} // namespace

void* allocatePages(std::size_t bytes, bool zeroed, std::size_t& mapped) {
    mapped = 0;
#ifdef Q_OS_LINUX
    if (bytes >= kMappedFrom) {
        void* memory =
            ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory != MAP_FAILED) {
            // Only a hint: without large pages the buffer works the same.
            ::madvise(memory, bytes, MADV_HUGEPAGE);
            mapped = bytes;
            return memory;
        }
    }
#endif
    return zeroed ? std::calloc(bytes, 1) : std::malloc(bytes);
}

void releasePages(void* memory, std::size_t mapped) {
#ifdef Q_OS_LINUX
    if (mapped > 0) {
        ::munmap(memory, mapped);
        return;
    }
#endif
    std::free(memory);
}

void giveBackFreeHeap() {
#if defined(Q_OS_LINUX) && defined(__GLIBC__)
    ::malloc_trim(0);
#endif
}

} // namespace kelvane
