// The process-wide memory manager: a fixed region of 256-byte blocks with the heap behind it.
#pragma once

#include "runtime/SpinLock.h"

#include <cstdint>

// A pool of equal blocks cut from one 4 MiB region taken from the heap. Requests
// of up to one block are served from a singly linked free list (the link lives
// in the first 8 bytes of each free block); larger requests, and small ones once
// the list is empty, go to the heap. Freed blocks return to the head of the list,
// so the most recently freed block is the next one handed out.
//
// Thread rules: every operation may be called from any thread. Only the
// free-list operations run under the spin lock; heap calls run outside it. The
// pool never touches a block while it is in use.
//
// Ownership: the pool owns its region and gives it back when it is destroyed or
// shut down. After that, requests go to the heap and frees of blocks that lay in
// the old region are dropped (their memory is already gone).
class CPoolMem {
public:
    static constexpr int64_t kBlockSize = 256;
    static constexpr int64_t kBlockCount = 16384;
    static constexpr int64_t kRegionSize = kBlockSize * kBlockCount;

    // Takes the region from the heap (exit code -1 when it cannot) and chains
    // every block onto the free list in address order.
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
    // fits stays where it is. A null block is allocated afresh. Ends the process
    // with exit code -1 when the heap cannot serve the request.
    void* Realloc(void* block, int64_t bytes);
    // Gives a block back: a block of the region to the free list, any other to
    // the heap. Null is ignored.
    void Free(void* block);

    // True when p lies inside the region (whether or not the region was given back).
    bool Contains(const void* p) const;
    // Number of blocks on the free list; walks the list under the lock.
    int64_t FreeBlockCount();
    // Gives the region back to the heap; later requests go to the heap.
    void Shutdown();

private:
    // The free-list head taken under the lock, or null when the list is empty.
    void* TakeBlock();
    void PushBlock(void* block);
    bool RegionReleased() const { return block_size_ == 0; }

    unsigned char* region_start_;
    unsigned char* region_end_;
    void* free_list_;
    // 256 while the region is held; 0 once it was given back, so that no
    // request counts as small enough for a block any more.
    int64_t block_size_;
    // Guards the free list and the region state.
    CSpinLock lock_;
};

// Ends the process with exit code -1 through the C library's exit, so that exit
// handlers and static destructors still run. Every memory exhaustion ends here.
[[noreturn]] void ExitOutOfMemory();

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
CPoolMem& ProcessMemPool();

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
