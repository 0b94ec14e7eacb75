#pragma once
// Memory for the world's room records. A large world holds a few hundred
// thousand of them, some eighty megabytes made in one go while it loads; taken
// from the ordinary heap, that is tens of thousands of page faults, each of
// which is dear on a virtual machine. The arena hands out pieces of big
// chunks that ask for huge pages (one fault per two megabytes), and keeps
// pieces given back on a list per size for the next request of that size.
#include <cstddef>
#include <map>
#include <vector>

namespace trellan {

class SlotArena {
public:
    SlotArena() = default;
    SlotArena(const SlotArena&) = delete;
    SlotArena& operator=(const SlotArena&) = delete;
    ~SlotArena();

    // Memory for `bytes` bytes, aligned for any record.
    void* Allocate(std::size_t bytes);
    // Gives back what Allocate(bytes) returned.
    void Free(void* memory, std::size_t bytes);
    // Once every piece has been given back, starts handing out the chunks
    // again from the first: a world loaded again (revert, another world)
    // then finds its memory ready instead of faulting it in afresh. The
    // chunks go back to the system with the arena.
    void ResetIfUnused();

private:
    static constexpr std::size_t kAlign = 64;
    static constexpr std::size_t kChunk = std::size_t(8) << 20;

    struct Chunk {
        void* Memory;
        std::size_t Bytes;
    };
    void ReleaseAll();

    std::vector<Chunk> chunks_;
    std::size_t current_ = 0;  // the chunk `next_` points into
    char* next_ = nullptr;  // unused rest of the last chunk
    std::size_t left_ = 0;
    std::size_t outstanding_ = 0;
    std::map<std::size_t, std::vector<void*>> spare_;  // by rounded size
};

}  // namespace trellan
