#pragma once
// An allocator for the world's big index tables. A table of a large world
// spans tens of megabytes touched at random, so on Linux it asks for huge
// pages: filling it then costs a handful of page faults instead of thousands,
// and look-ups miss the TLB far less. Small tables come from the ordinary
// allocator.
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace trellan {

template <typename T>
class LargeTableAllocator {
public:
    using value_type = T;

    LargeTableAllocator() = default;
    template <typename U>
    LargeTableAllocator(const LargeTableAllocator<U>&) {}

    T* allocate(std::size_t count) {
#if defined(__linux__)
        const std::size_t bytes = count * sizeof(T);
        if (bytes >= kHugePage) {
            const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
            void* memory = std::aligned_alloc(kHugePage, rounded);
            if (memory == nullptr) throw std::bad_alloc();
            // Only advice: without huge pages the table works the same.
            ::madvise(memory, rounded, MADV_HUGEPAGE);
            return static_cast<T*>(memory);
        }
#endif
        return std::allocator<T>().allocate(count);
    }

    void deallocate(T* memory, std::size_t count) {
#if defined(__linux__)
        if (count * sizeof(T) >= kHugePage) {
            std::free(memory);
            return;
        }
#endif
        std::allocator<T>().deallocate(memory, count);
    }

    template <typename U>
    bool operator==(const LargeTableAllocator<U>&) const {
        return true;
    }

private:
    static constexpr std::size_t kHugePage = std::size_t(2) << 20;
};

}  // namespace trellan
