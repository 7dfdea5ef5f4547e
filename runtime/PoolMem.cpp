#include "runtime/PoolMem.h"

#include <cassert>
#include <cstdlib>
#include <cstring>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define QORVATH_POOL_POISON 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QORVATH_POOL_POISON 1
#endif
#endif

#ifdef QORVATH_POOL_POISON
#include <sanitizer/asan_interface.h>
#endif

namespace {

// A free block: its first word links to the next free block.
struct FreeBlock {
    FreeBlock* next;
};

// Under AddressSanitizer the bytes of a free block behind its link are marked
// unusable, so a write through a dangling pointer into a pooled block is caught
// like one into freed heap memory.
void MarkFree(void* block) {
#ifdef QORVATH_POOL_POISON
    ASAN_POISON_MEMORY_REGION(static_cast<unsigned char*>(block) + sizeof(FreeBlock),
                              CPoolMem::kBlockSize - sizeof(FreeBlock));
#else
    (void)block;
#endif
}

void MarkUsable(void* block, int64_t bytes) {
#ifdef QORVATH_POOL_POISON
    ASAN_UNPOISON_MEMORY_REGION(block, static_cast<size_t>(bytes));
#else
    (void)block;
    (void)bytes;
#endif
}

// The heap never gets a zero-byte request, whose result may be null.
size_t HeapBytes(int64_t bytes) {
    return bytes < 1 ? 1 : static_cast<size_t>(bytes);
}

// A heap block that has to grow gets at least twice its old room, so a buffer
// grown in small steps (whose capacity rule asks for one step more each time)
// moves only a logarithmic number of times. When that much cannot be had, the
// exact size is tried before giving up.
void* GrowHeapBlock(void* block, size_t wanted, size_t room) {
    const size_t generous = room > SIZE_MAX / 2 ? wanted : (wanted > 2 * room ? wanted : 2 * room);
    void* moved = heap_block::Resize(block, generous);
    if (moved == nullptr && generous != wanted) {
        moved = heap_block::Resize(block, wanted);
    }
    if (moved == nullptr) {
        ExitOutOfMemory();
    }
    return moved;
}

} // namespace

CPoolMem::CPoolMem()
    : region_start_(nullptr), region_end_(nullptr), free_list_(nullptr), block_size_(kBlockSize),
      untouched_(nullptr), free_count_(0), in_use_(0), held_bytes_(0) {
    region_start_ = static_cast<unsigned char*>(std::malloc(kRegionSize));
    if (region_start_ == nullptr) {
        ExitOutOfMemory();
    }
    region_end_ = region_start_ + kRegionSize;
    // No block is linked yet: the never-used blocks from untouched_ upwards
    // stand for the tail of the list in address order, so the hand-out order
    // is that of a list chained through the whole region, without writing it.
    untouched_ = region_start_;
    free_count_.store(kBlockCount, std::memory_order_relaxed);
    held_bytes_.store(kRegionSize, std::memory_order_relaxed);
#ifdef QORVATH_POOL_POISON
    ASAN_POISON_MEMORY_REGION(region_start_, kRegionSize);
#endif
}

CPoolMem::~CPoolMem() {
    Shutdown();
    // Blocks still out lose their memory with the pool object itself.
    if (held_bytes_.load(std::memory_order_relaxed) != 0) {
        held_bytes_.store(0, std::memory_order_relaxed);
        ReleaseRegion();
    }
}

void CPoolMem::Shutdown() {
    lock_.Lock();
    free_list_ = nullptr;
    untouched_ = region_end_;
    free_count_.store(0, std::memory_order_relaxed);
    const bool releaseNow =
        block_size_ != 0 && in_use_ == 0 && held_bytes_.load(std::memory_order_relaxed) != 0;
    block_size_ = 0;
    if (releaseNow) {
        held_bytes_.store(0, std::memory_order_relaxed);
    }
    lock_.Unlock();
    if (releaseNow) {
        ReleaseRegion();
    }
}

void CPoolMem::ReleaseRegion() {
    MarkUsable(region_start_, kRegionSize);
    std::free(region_start_);
}

void* CPoolMem::TakeBlock() {
    lock_.Lock();
    auto* block = static_cast<FreeBlock*>(free_list_);
    if (block != nullptr) {
        free_list_ = block->next;
    } else if (untouched_ != region_end_) {
        block = reinterpret_cast<FreeBlock*>(untouched_);
        untouched_ += kBlockSize;
    }
    if (block != nullptr) {
        free_count_.store(free_count_.load(std::memory_order_relaxed) - 1,
                          std::memory_order_relaxed);
        ++in_use_;
    }
    lock_.Unlock();
    // The block counts as in use now, so the region stays while it is marked.
    if (block != nullptr) {
        MarkUsable(block, kBlockSize);
    }
    return block;
}

bool CPoolMem::ReturnBlock(void* block) {
    lock_.Lock();
    if (held_bytes_.load(std::memory_order_relaxed) == 0) {
        lock_.Unlock();
        return false;
    }
    assert((static_cast<unsigned char*>(block) - region_start_) % kBlockSize == 0 &&
           "freed pointer lies inside the pool but is not a block start");
    --in_use_;
    bool releaseNow = false;
    if (block_size_ != 0) {
        // Marked before the block is on the list: from there another thread
        // may take it at once.
        MarkFree(block);
        auto* free_block = static_cast<FreeBlock*>(block);
        free_block->next = static_cast<FreeBlock*>(free_list_);
        free_list_ = free_block;
        free_count_.store(free_count_.load(std::memory_order_relaxed) + 1,
                          std::memory_order_relaxed);
    } else if (in_use_ == 0) {
        // Shut down, and this was the last block out: the region can go.
        held_bytes_.store(0, std::memory_order_relaxed);
        releaseNow = true;
    }
    lock_.Unlock();
    if (releaseNow) {
        ReleaseRegion();
    }
    return true;
}

void* CPoolMem::TryAlloc(int64_t bytes) {
    if (bytes < 0) {
        return nullptr;
    }
    if (bytes <= kBlockSize) {
        if (void* block = TakeBlock()) {
            return block;
        }
    }
    return heap_block::Allocate(HeapBytes(bytes));
}

void* CPoolMem::Alloc(int64_t bytes) {
    void* block = TryAlloc(bytes);
    if (block == nullptr) {
        ExitOutOfMemory();
    }
    return block;
}

void* CPoolMem::Resize(void* block, int64_t bytes) {
    if (block == nullptr) {
        return Alloc(bytes);
    }
    if (bytes < 0) {
        ExitOutOfMemory();
    }
    const size_t wanted = HeapBytes(bytes);
    if (!Contains(block)) {
        const size_t room = heap_block::Room(block);
        if (wanted > room) {
            return GrowHeapBlock(block, wanted, room);
        }
        // A block keeps its place while it has room, unless more than half of
        // that room would lie idle: then the heap gets the rest back.
        if (wanted >= room / 2) {
            return block;
        }
        void* moved = heap_block::Resize(block, wanted);
        if (moved == nullptr) {
            ExitOutOfMemory();
        }
        return moved;
    }
    // A pool block in the caller's hands keeps the region alive, shut down or not.
    if (bytes <= kBlockSize) {
        return block;
    }
    // Leaving the pool is growth too: the heap block starts with room for more.
    const size_t generous = wanted > 2 * kBlockSize ? wanted : 2 * kBlockSize;
    void* moved = heap_block::Allocate(generous);
    if (moved == nullptr) {
        moved = heap_block::Allocate(wanted);
    }
    if (moved == nullptr) {
        ExitOutOfMemory();
    }
    std::memcpy(moved, block, kBlockSize);
    ReturnBlock(block);
    return moved;
}

void CPoolMem::Free(void* block) {
    if (block == nullptr) {
        return;
    }
    if (!Contains(block) || !ReturnBlock(block)) {
        heap_block::Release(block);
    }
}

int64_t CPoolMem::FreeBlockCount() const {
    return free_count_.load(std::memory_order_relaxed);
}

namespace {

alignas(CPoolMem) unsigned char process_pool_storage[sizeof(CPoolMem)];
// Static initialisation and destruction run on one thread, so a plain count suffices.
int process_pool_users = 0;

} // namespace

CPoolMem* pool_detail::process_pool = nullptr;

CPoolMem& SetUpProcessMemPool() {
    if (pool_detail::process_pool == nullptr) {
        pool_detail::process_pool = new (process_pool_storage) CPoolMem();
    }
    return *pool_detail::process_pool;
}

CPoolMemUser::CPoolMemUser() {
    ++process_pool_users;
    ProcessMemPool();
}

CPoolMemUser::~CPoolMemUser() {
    if (--process_pool_users == 0) {
        ProcessMemPool().Shutdown();
    }
}
