#include "large_table_allocator.h"

#ifdef __linux__
#include <cstdint>

#include <sys/mman.h>
#endif

namespace varnoth {
namespace {

constexpr std::size_t hugePage = std::size_t{2} << 20;

} // namespace

void *allocateLargeTable(std::size_t bytes)
{
#ifdef __linux__
    if (bytes >= hugePage) {
        // Mapped from the system and given back to it when freed, whichever
        // thread frees it: the tables of the parts of a log are made on
        // several threads and freed on one. One huge page more is mapped and
        // the ends cut off, so that the block starts on a huge-page boundary.
        const std::size_t rounded = (bytes + hugePage - 1) / hugePage * hugePage;
        void *mapped = ::mmap(nullptr, rounded + hugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            throw std::bad_alloc();
        auto *start = static_cast<char *>(mapped);
        const std::size_t head = (hugePage - reinterpret_cast<std::uintptr_t>(start) % hugePage) % hugePage;
        if (head > 0)
            ::munmap(start, head);
        ::munmap(start + head + rounded, hugePage - head);
        ::madvise(start + head, rounded, MADV_HUGEPAGE); // a hint; without it the table works the same
        return start + head;
    }
#endif
    return ::operator new(bytes);
}

void freeLargeTable(void *block, [[maybe_unused]] std::size_t bytes) noexcept
{
#ifdef __linux__
    if (bytes >= hugePage) {
        ::munmap(block, (bytes + hugePage - 1) / hugePage * hugePage);
        return;
    }
#endif
    ::operator delete(block);
}

} // namespace varnoth
