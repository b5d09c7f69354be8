// Allocator for the per-column cell arrays. Blocks of 256 KiB and more are
// aligned to 2 MiB and their 2 MiB stretches marked for transparent huge
// pages: a million-row column is touched in a few page faults instead of a
// few thousand, which on virtual machines is most of the cost of inserting
// or filling many rows. Smaller blocks come from plain malloc.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace sheet {

// With roundUpSmallBlocks false, a block under one huge page keeps small
// pages: for the kind bytes of a million-row column (1 MB) a whole huge page
// would double the memory, while their values (8 MB) gain from huge pages
// and waste little.
template <typename T, bool roundUpSmallBlocks = true>
struct BigBlockAllocator {
    using value_type = T;
    static constexpr std::size_t kHugePage = std::size_t(2) << 20;
    static constexpr std::size_t kBigBlock = std::size_t(256) << 10;
    template <typename U>
    struct rebind {
        using other = BigBlockAllocator<U, roundUpSmallBlocks>;
    };

    BigBlockAllocator() = default;
    template <typename U>
    BigBlockAllocator(const BigBlockAllocator<U, roundUpSmallBlocks>&) noexcept {}

    T* allocate(std::size_t n)
    {
        const std::size_t bytes = n * sizeof(T);
        void* p = nullptr;
        if (bytes >= kBigBlock) {
            // Aligned so that every whole 2 MiB stretch can be one huge page.
            // A tail of at least a quarter huge page is rounded up to a whole
            // one; a shorter tail keeps small pages rather than waste memory.
            std::size_t size = bytes;
            if ((roundUpSmallBlocks || bytes >= kHugePage) && bytes % kHugePage >= kHugePage / 4)
                size = (bytes / kHugePage + 1) * kHugePage;
            if (posix_memalign(&p, kHugePage, size) != 0) p = nullptr;
#ifdef MADV_HUGEPAGE
            const std::size_t whole = size / kHugePage * kHugePage;
            if (p && whole > 0) madvise(p, whole, MADV_HUGEPAGE);
#endif
        } else {
            p = std::malloc(bytes ? bytes : 1);
        }
        if (!p) throw std::bad_alloc();
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t) noexcept { std::free(p); }

    template <typename U>
    bool operator==(const BigBlockAllocator<U, roundUpSmallBlocks>&) const noexcept { return true; }
};

}  // namespace sheet
