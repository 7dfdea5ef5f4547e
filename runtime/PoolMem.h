// The process-wide memory manager: a fixed region of 256-byte blocks with the heap behind it.
#pragma once

#include "runtime/HeapBlock.h"
#include "runtime/OutOfMemory.h"
#include "runtime/SpinLock.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

// A pool of equal blocks cut from one 4 MiB region taken from the heap. Requests
// of up to one block are served from a singly linked free list (the link lives
// in the first 8 bytes of each free block), and while that list is empty from
// the lowest block never handed out yet; larger requests, and small ones once
// every block is in use, go to the heap: blocks of runtime/HeapBlock, which
// know their room, so only blocks the pool handed out may come back to it.
// Freed blocks return to the head of the list, so the most recently freed
// block is the next one handed out. Blocks never handed out are not written at
// all, so the pages behind them stay untouched until they are needed.
//
// Thread rules: every operation may be called from any thread. Only the
// free-list operations run under the spin lock; heap calls run outside it. The
// pool never touches a block while it is in use.
//
// Ownership: the pool owns its region. Once it is shut down, every request goes
// to the heap; the region itself goes back to the heap as soon as the last
// block handed out has come back (at once when none is out), so a block still
// in use on some thread keeps its memory. Once the region is given back, no
// address counts as a pool block any more: the heap may hand that memory out
// again. Destroying the pool gives the region back whatever is still out.
class CPoolMem {
public:
    static constexpr int64_t kBlockSize = 256;
    static constexpr int64_t kBlockCount = 16384;
    static constexpr int64_t kRegionSize = kBlockSize * kBlockCount;

    // Takes the region from the heap (exit code -1 when it cannot); every block
    // starts out never used, so nothing of the region is written yet.
    CPoolMem();
    virtual ~CPoolMem();
    CPoolMem(const CPoolMem&) = delete;
    CPoolMem& operator=(const CPoolMem&) = delete;

    // A block of at least bytes, or null when the heap is exhausted or bytes is
    // negative. Contents are unspecified.
    void* TryAlloc(int64_t bytes);
    // As TryAlloc, but ends the process with exit code -1 instead of giving null.
    void* Alloc(int64_t bytes);
    // Resizes a block from Alloc, possibly moving it; a pool block that still
    // fits stays where it is, and so does a heap block with room enough behind
    // it. A heap block that grows gets room for further growth, so that a
    // buffer grown step by step moves only now and then. A null block is
    // allocated afresh. Ends the process with exit code -1 when the heap
    // cannot serve the request.
    void* Realloc(void* block, int64_t bytes) {
        // A buffer growing step by step on the heap mostly stays in place:
        // that case is settled here without a call.
        if (block != nullptr && bytes > 0 && !Contains(block)) {
            const size_t room = heap_block::Room(block);
            const auto wanted = static_cast<size_t>(bytes);
            if (wanted <= room && wanted >= room / 2) {
                return block;
            }
        }
        return Resize(block, bytes);
    }
    // Gives a block back: a block of the region to the free list, any other to
    // the heap. Null is ignored.
    void Free(void* block);

    // True when p lies inside the region while the pool holds it; false for
    // every address once the region was given back.
    bool Contains(const void* p) const {
        // Compared as addresses: p usually belongs to another allocation. One
        // load tells both the place and whether the region is still held.
        const auto offset =
            reinterpret_cast<uintptr_t>(p) - reinterpret_cast<uintptr_t>(region_start_);
        return offset < held_bytes_.load(std::memory_order_relaxed);
    }
    // Number of blocks the pool can still hand out (on the free list or never
    // used); a count kept by every operation, so asking costs nothing.
    int64_t FreeBlockCount() const;
    // Hands out no block any more: later requests go to the heap. The region
    // goes back to the heap once no block of it is out.
    void Shutdown();

private:
    // Realloc for every case but a heap block that keeps its place.
    void* Resize(void* block, int64_t bytes);
    // The free-list head taken under the lock, or null when the list is empty
    // or the pool is shut down.
    void* TakeBlock();
    // Takes back a block that Contains named. False when the region had been
    // given back meanwhile: the block is a heap block that came to lie where
    // the region was.
    bool ReturnBlock(void* block);
    // Gives the region's memory back to the heap; called once, outside the lock.
    void ReleaseRegion();

    unsigned char* region_start_;
    unsigned char* region_end_;
    void* free_list_;
    // 256 while blocks are handed out; 0 once the pool is shut down. Read and
    // written under the lock.
    int64_t block_size_;
    // Guards the free list, the counts and the region state.
    CSpinLock lock_;
    // The lowest block never handed out; region_end_ once all were.
    unsigned char* untouched_;
    // Blocks on the free list plus blocks from untouched_ to the end; written
    // under the lock, read without it.
    std::atomic<int64_t> free_count_;
    // Blocks handed out and not yet given back; under the lock.
    int64_t in_use_;
    // kRegionSize while the pool holds its region, 0 once it was given back;
    // written under the lock, read by Contains without it.
    std::atomic<uintptr_t> held_bytes_;
};

// The process-wide pool behind every runtime object's memory operations.
//
// It exists before the first runtime allocation whatever the order of static
// initialisation: each translation unit that includes this header holds a
// CPoolMemUser, defined above any static object of that unit, whose constructor
// sets the pool up if it is not yet there (and ProcessMemPool itself does so on
// first use). Static objects are destroyed in the reverse order of their
// construction, so the last CPoolMemUser to go is destroyed after every runtime
// object of static storage that any including unit made; it shuts the pool down,
// giving its region back. The pool object itself stays in static storage, so a
// late free after the shut-down is still safe. The application instance can
// later embed the pool under the same scheme by taking the counter's place.
// Once the pool exists, asking for it is one load.
inline CPoolMem& ProcessMemPool();
// Sets the process-wide pool up on first use and returns it.
CPoolMem& SetUpProcessMemPool();

namespace pool_detail {
// The process-wide pool once it is set up; null before.
extern CPoolMem* process_pool;
} // namespace pool_detail

inline CPoolMem& ProcessMemPool() {
    if (pool_detail::process_pool != nullptr) {
        return *pool_detail::process_pool;
    }
    return SetUpProcessMemPool();
}

// Keeps the process-wide pool alive while any including unit's statics live.
class CPoolMemUser {
public:
    CPoolMemUser();
    ~CPoolMemUser();
    CPoolMemUser(const CPoolMemUser&) = delete;
    CPoolMemUser& operator=(const CPoolMemUser&) = delete;
};

namespace {
// One per translation unit, ahead of that unit's own static objects.
const CPoolMemUser pool_mem_user; // NOLINT(cert-err58-cpp): the constructor cannot throw
} // namespace
