#pragma once
// A hint to start loading memory that is about to be read: bulk operations
// over large worlds use it a few rooms ahead, so that the misses on rooms and
// index tables overlap instead of following one another.
#include <cstddef>

namespace trellan {

inline void Prefetch(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

// Every cache line of an object.
inline void PrefetchBytes(const void* address, std::size_t bytes) {
    const char* first = static_cast<const char*>(address);
    for (std::size_t offset = 0; offset < bytes; offset += 64) Prefetch(first + offset);
}

}  // namespace trellan
