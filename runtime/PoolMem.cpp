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

} // namespace

[[noreturn]] void ExitOutOfMemory() {
    std::exit(-1);
}

CPoolMem::CPoolMem()
    : region_start_(nullptr), region_end_(nullptr), free_list_(nullptr), block_size_(kBlockSize) {
    region_start_ = static_cast<unsigned char*>(std::malloc(kRegionSize));
    if (region_start_ == nullptr) {
        ExitOutOfMemory();
    }
    region_end_ = region_start_ + kRegionSize;
    // Chain in address order: each block links to the one after it, the last to null.
    for (int64_t i = 0; i < kBlockCount; ++i) {
        auto* block = reinterpret_cast<FreeBlock*>(region_start_ + i * kBlockSize);
        block->next = i + 1 < kBlockCount
                          ? reinterpret_cast<FreeBlock*>(region_start_ + (i + 1) * kBlockSize)
                          : nullptr;
        MarkFree(block);
    }
    free_list_ = region_start_;
}

CPoolMem::~CPoolMem() {
    Shutdown();
}

void CPoolMem::Shutdown() {
    lock_.Lock();
    const bool held = !RegionReleased();
    free_list_ = nullptr;
    block_size_ = 0;
    lock_.Unlock();
    if (held) {
        MarkUsable(region_start_, kRegionSize);
        std::free(region_start_);
    }
}

void* CPoolMem::TakeBlock() {
    lock_.Lock();
    auto* block = static_cast<FreeBlock*>(free_list_);
    if (block != nullptr) {
        free_list_ = block->next;
    }
    lock_.Unlock();
    if (block != nullptr) {
        MarkUsable(block, kBlockSize);
    }
    return block;
}

void CPoolMem::PushBlock(void* block) {
    assert((static_cast<unsigned char*>(block) - region_start_) % kBlockSize == 0 &&
           "freed pointer lies inside the pool but is not a block start");
    // Marked while the block is still the caller's: once on the list another
    // thread may take it at once.
    MarkFree(block);
    auto* free_block = static_cast<FreeBlock*>(block);
    lock_.Lock();
    free_block->next = static_cast<FreeBlock*>(free_list_);
    free_list_ = free_block;
    lock_.Unlock();
}

bool CPoolMem::Contains(const void* p) const {
    // Compared as addresses: p usually belongs to another allocation.
    const auto address = reinterpret_cast<uintptr_t>(p);
    return address >= reinterpret_cast<uintptr_t>(region_start_) &&
           address < reinterpret_cast<uintptr_t>(region_end_);
}

void* CPoolMem::TryAlloc(int64_t bytes) {
    if (bytes < 0) {
        return nullptr;
    }
    if (bytes <= block_size_) {
        if (void* block = TakeBlock()) {
            return block;
        }
    }
    return std::malloc(HeapBytes(bytes));
}

void* CPoolMem::Alloc(int64_t bytes) {
    void* block = TryAlloc(bytes);
    if (block == nullptr) {
        ExitOutOfMemory();
    }
    return block;
}

void* CPoolMem::Realloc(void* block, int64_t bytes) {
    if (block == nullptr) {
        return Alloc(bytes);
    }
    if (bytes < 0) {
        ExitOutOfMemory();
    }
    if (!Contains(block)) {
        void* moved = std::realloc(block, HeapBytes(bytes));
        if (moved == nullptr) {
            ExitOutOfMemory();
        }
        return moved;
    }
    assert(!RegionReleased() && "block of a pool that was shut down reallocated");
    if (bytes <= kBlockSize) {
        return block;
    }
    void* moved = std::malloc(HeapBytes(bytes));
    if (moved == nullptr) {
        ExitOutOfMemory();
    }
    std::memcpy(moved, block, kBlockSize);
    PushBlock(block);
    return moved;
}

void CPoolMem::Free(void* block) {
    if (block == nullptr) {
        return;
    }
    if (!Contains(block)) {
        std::free(block);
        return;
    }
    if (!RegionReleased()) {
        PushBlock(block);
    }
}

int64_t CPoolMem::FreeBlockCount() {
    lock_.Lock();
    int64_t count = 0;
    for (auto* block = static_cast<FreeBlock*>(free_list_); block != nullptr; block = block->next) {
        ++count;
    }
    lock_.Unlock();
    return count;
}

namespace {

alignas(CPoolMem) unsigned char process_pool_storage[sizeof(CPoolMem)];
CPoolMem* process_pool = nullptr;
// Static initialisation and destruction run on one thread, so a plain count suffices.
int process_pool_users = 0;

} // namespace

CPoolMem& ProcessMemPool() {
    if (process_pool == nullptr) {
        process_pool = new (process_pool_storage) CPoolMem();
    }
    return *process_pool;
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
