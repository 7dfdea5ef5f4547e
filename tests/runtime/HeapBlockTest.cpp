#include "runtime/HeapBlock.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

unsigned char* Bytes(void* p) {
    return static_cast<unsigned char*>(p);
}

void Fill(unsigned char* block, size_t bytes, int salt) {
    for (size_t i = 0; i < bytes; ++i) {
        block[i] = static_cast<unsigned char>(i * 13 + salt);
    }
}

// One block resized through growing and shrinking sizes: its room always
// tells what was asked for last, the caller's address stays aligned as
// malloc's, and the bytes up to the smaller size survive every move.
TEST(HeapBlock, RoomFollowsEveryResizeAndTheBytesSurvive) {
    const size_t sizes[] = {1, 16, 17, 300, 4096, 100000, 24, 1, 70000, 3};
    size_t size = sizes[0];
    unsigned char* block = Bytes(heap_block::Allocate(size));
    ASSERT_NE(block, nullptr);
    Fill(block, size, 0);
    int salt = 0;
    for (const size_t next : sizes) {
        SCOPED_TRACE("size " + std::to_string(next));
        unsigned char* resized = Bytes(heap_block::Resize(block, next));
        ASSERT_NE(resized, nullptr);
        EXPECT_EQ(heap_block::Room(resized), next);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(resized) % alignof(std::max_align_t), 0u);
        const size_t kept = size < next ? size : next;
        for (size_t i = 0; i < kept; ++i) {
            ASSERT_EQ(resized[i], static_cast<unsigned char>(i * 13 + salt)) << "byte " << i;
        }
        block = resized;
        size = next;
        Fill(block, size, ++salt);
    }
    heap_block::Release(block);
}

// A request the heap cannot serve gives null and leaves the block as it was.
TEST(HeapBlock, ImpossibleRequestsGiveNullAndKeepTheBlock) {
    EXPECT_EQ(heap_block::Allocate(heap_block::kMaxRoom + 1), nullptr);
    EXPECT_EQ(heap_block::Allocate(static_cast<size_t>(-1)), nullptr);
    unsigned char* block = Bytes(heap_block::Allocate(40));
    Fill(block, 40, 5);
    EXPECT_EQ(heap_block::Resize(block, heap_block::kMaxRoom + 1), nullptr);
    EXPECT_EQ(heap_block::Resize(block, static_cast<size_t>(-1)), nullptr);
    EXPECT_EQ(heap_block::Room(block), 40u);
    for (size_t i = 0; i < 40; ++i) {
        ASSERT_EQ(block[i], static_cast<unsigned char>(i * 13 + 5)) << "byte " << i;
    }
    heap_block::Release(block);
}

} // namespace
