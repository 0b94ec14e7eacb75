#pragma once
// A sequence kept sorted by `Order`, held in chunks of a few hundred
// entries: a zone of tens of thousands of rooms then costs a move of at most
// one chunk's entries when a room is added, moved or removed, where one
// sorted vector would move half the zone's. Walking it is as cheap as
// walking a vector, chunk after chunk. Entries must be distinct under Order.
#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

namespace trellan {

template <typename T, typename Order>
class SortedChunkList {
    using Chunk = std::vector<T>;

public:
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = const T*;
        using reference = const T&;

        const_iterator() = default;
        const_iterator(const std::vector<Chunk>* chunks, std::size_t chunk) : chunks_(chunks), chunk_(chunk) {}

        reference operator*() const { return (*chunks_)[chunk_][at_]; }
        pointer operator->() const { return &(*chunks_)[chunk_][at_]; }
        const_iterator& operator++() {
            if (++at_ == (*chunks_)[chunk_].size()) {
                ++chunk_;
                at_ = 0;
            }
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator old = *this;
            ++*this;
            return old;
        }
        bool operator==(const const_iterator& other) const { return chunk_ == other.chunk_ && at_ == other.at_; }

    private:
        const std::vector<Chunk>* chunks_ = nullptr;
        std::size_t chunk_ = 0;
        std::size_t at_ = 0;
    };

    const_iterator begin() const { return const_iterator(&chunks_, 0); }
    const_iterator end() const { return const_iterator(&chunks_, chunks_.size()); }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    void Insert(const T& value) {
        ++size_;
        if (chunks_.empty()) {
            chunks_.emplace_back().push_back(value);
            return;
        }
        // Entries mostly come last (a new room, a file read in order).
        std::size_t c = chunks_.size() - 1;
        if (!Order()(chunks_[c].back(), value)) c = ChunkFor(value);
        Chunk& chunk = chunks_[c];
        chunk.insert(std::upper_bound(chunk.begin(), chunk.end(), value, Order()), value);
        if (chunk.size() > 2 * kChunk) Split(c);
    }

    void Erase(const T& value) {
        if (chunks_.empty()) return;
        const std::size_t c = ChunkFor(value);
        Chunk& chunk = chunks_[c];
        auto it = std::lower_bound(chunk.begin(), chunk.end(), value, Order());
        if (it == chunk.end() || Order()(value, *it)) return;
        chunk.erase(it);
        --size_;
        if (chunk.empty()) chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(c));
    }

    // Sorts `values` in with what is there: one sort and one merge for a
    // file's rooms rather than an insert each.
    void InsertMany(std::vector<T> values) {
        if (values.empty()) return;
        std::sort(values.begin(), values.end(), Order());
        std::vector<T> all;
        all.reserve(size_ + values.size());
        for (const Chunk& chunk : chunks_) all.insert(all.end(), chunk.begin(), chunk.end());
        const auto middle = all.insert(all.end(), values.begin(), values.end());
        std::inplace_merge(all.begin(), middle, all.end(), Order());
        chunks_.clear();
        for (std::size_t at = 0; at < all.size(); at += kChunk) {
            const std::size_t end = std::min(all.size(), at + kChunk);
            Chunk& chunk = chunks_.emplace_back();
            chunk.reserve(end - at);
            chunk.insert(chunk.end(), all.begin() + static_cast<std::ptrdiff_t>(at),
                         all.begin() + static_cast<std::ptrdiff_t>(end));
        }
        size_ = all.size();
    }

    void Clear() {
        chunks_.clear();
        size_ = 0;
    }

private:
    static constexpr std::size_t kChunk = 256;

    // The chunk where `value` belongs: the first whose last entry does not
    // come before it, or the last chunk.
    std::size_t ChunkFor(const T& value) const {
        auto it = std::lower_bound(chunks_.begin(), chunks_.end(), value,
                                   [](const Chunk& chunk, const T& v) { return Order()(chunk.back(), v); });
        return it == chunks_.end() ? chunks_.size() - 1 : static_cast<std::size_t>(it - chunks_.begin());
    }

    void Split(std::size_t c) {
        Chunk& chunk = chunks_[c];
        Chunk upper(chunk.begin() + static_cast<std::ptrdiff_t>(kChunk), chunk.end());
        chunk.resize(kChunk);
        chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(c) + 1, std::move(upper));
    }

    std::vector<Chunk> chunks_;
    std::size_t size_ = 0;
};

}  // namespace trellan
