#pragma once
// A first-in first-out byte buffer for stream stages that produce output in
// bulk (the MCCP inflater) and hand it on in small steps. Writers reserve
// room at the tail and commit what they filled, so zlib inflates straight
// into it; readers take from the head by moving a read position. The data is
// moved to the front only when the read position has passed half the buffer,
// so every byte is moved at most a constant number of times on average,
// whatever the pattern of writes and reads.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

namespace trellan {

class ByteQueue {
public:
    std::size_t Size() const { return end_ - begin_; }
    bool Empty() const { return begin_ == end_; }
    const char* Data() const { return buffer_.data() + begin_; }

    // Room for at least `count` bytes at the tail; valid until the next
    // Reserve, Append or Take.
    char* Reserve(std::size_t count) {
        if (buffer_.size() - end_ < count) {
            if (begin_ > 0 && begin_ >= buffer_.size() / 2) {
                Compact();
            }
            if (buffer_.size() - end_ < count) {
                buffer_.resize(std::max(buffer_.size() * 2, end_ + count));
            }
        }
        return buffer_.data() + end_;
    }
    // Marks `count` reserved bytes as filled.
    void Commit(std::size_t count) { end_ += count; }

    void Append(const char* data, std::size_t count) {
        if (count == 0) return;
        std::memcpy(Reserve(count), data, count);
        Commit(count);
    }

    // Copies at most `capacity` bytes from the head, returns the count.
    std::size_t Take(char* out, std::size_t capacity) {
        std::size_t count = std::min(capacity, Size());
        if (count > 0) std::memcpy(out, Data(), count);
        begin_ += count;
        if (begin_ == end_) {
            begin_ = end_ = 0;
            // A burst (a highly compressed page) may have grown the buffer
            // far beyond the usual; give that memory back once drained.
            if (buffer_.size() > kKeepCapacity) {
                std::vector<char>().swap(buffer_);
            }
        }
        return count;
    }

    void Clear() {
        begin_ = end_ = 0;
        std::vector<char>().swap(buffer_);
    }

private:
    static constexpr std::size_t kKeepCapacity = 256 * 1024;

    void Compact() {
        std::memmove(buffer_.data(), buffer_.data() + begin_, Size());
        end_ -= begin_;
        begin_ = 0;
    }

    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
};

}  // namespace trellan
