#include "model/SlotArena.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace trellan {

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

void* NewChunk(std::size_t bytes) {
    void* memory = std::aligned_alloc(kHugePage, bytes);
    if (memory == nullptr) throw std::bad_alloc();
#if defined(__linux__)
    // Only advice: without huge pages the records work the same.
    ::madvise(memory, bytes, MADV_HUGEPAGE);
#endif
    return memory;
}

}  // namespace

SlotArena::~SlotArena() {
    ReleaseAll();
}

void* SlotArena::Allocate(std::size_t bytes) {
    bytes = (bytes + kAlign - 1) / kAlign * kAlign;
    ++outstanding_;
    auto spare = spare_.find(bytes);
    if (spare != spare_.end() && !spare->second.empty()) {
        void* memory = spare->second.back();
        spare->second.pop_back();
        return memory;
    }
    // Chunks kept from before a reset are used again in turn.
    while (bytes > left_ && current_ + 1 < chunks_.size()) {
        ++current_;
        next_ = static_cast<char*>(chunks_[current_].Memory);
        left_ = chunks_[current_].Bytes;
    }
    if (bytes > left_) {
        const std::size_t size = std::max(kChunk, (bytes + kHugePage - 1) / kHugePage * kHugePage);
        try {
            chunks_.push_back(Chunk{NewChunk(size), size});
        } catch (...) {
            --outstanding_;
            throw;
        }
        current_ = chunks_.size() - 1;
        next_ = static_cast<char*>(chunks_.back().Memory);
        left_ = size;
    }
    void* memory = next_;
    next_ += bytes;
    left_ -= bytes;
    return memory;
}

void SlotArena::Free(void* memory, std::size_t bytes) {
    if (memory == nullptr) return;
    bytes = (bytes + kAlign - 1) / kAlign * kAlign;
    spare_[bytes].push_back(memory);
    --outstanding_;
}

void SlotArena::ResetIfUnused() {
    if (outstanding_ != 0 || chunks_.empty()) return;
    spare_.clear();
    current_ = 0;
    next_ = static_cast<char*>(chunks_.front().Memory);
    left_ = chunks_.front().Bytes;
}

void SlotArena::ReleaseAll() {
    for (const Chunk& chunk : chunks_) std::free(chunk.Memory);
    chunks_.clear();
    current_ = 0;
    spare_.clear();
    next_ = nullptr;
    left_ = 0;
}

}  // namespace trellan
