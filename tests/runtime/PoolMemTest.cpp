#include "runtime/PoolMem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// A failed heap request must come back as null, as it does without the
// sanitizer, so that the exhaustion paths can be tested.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}
#endif

namespace {

constexpr int64_t kBlock = CPoolMem::kBlockSize;
// Far beyond any heap, but not beyond what the pool's arithmetic accepts.
constexpr int64_t kHuge = int64_t{1} << 50;

unsigned char* Bytes(void* p) {
    return static_cast<unsigned char*>(p);
}

TEST(PoolMem, HandsOutBlocksInAddressOrderAndReusesTheLastFreed) {
    auto pool = std::make_unique<CPoolMem>();
    EXPECT_EQ(pool->FreeBlockCount(), CPoolMem::kBlockCount);
    unsigned char* first = Bytes(pool->Alloc(16));
    // The first block is the start of the region.
    EXPECT_TRUE(pool->Contains(first));
    EXPECT_FALSE(pool->Contains(first - 1));
    EXPECT_TRUE(pool->Contains(first + CPoolMem::kRegionSize - 1));
    EXPECT_FALSE(pool->Contains(first + CPoolMem::kRegionSize));

    unsigned char* second = Bytes(pool->Alloc(kBlock));
    unsigned char* third = Bytes(pool->Alloc(0));
    EXPECT_EQ(second, first + kBlock);
    EXPECT_EQ(third, first + 2 * kBlock);
    EXPECT_EQ(pool->FreeBlockCount(), CPoolMem::kBlockCount - 3);

    pool->Free(second);
    EXPECT_EQ(pool->Alloc(1), second);
    pool->Free(first);
    pool->Free(third);
    EXPECT_EQ(pool->Alloc(8), third);
    EXPECT_EQ(pool->Alloc(8), first);
    EXPECT_EQ(pool->Alloc(8), first + 3 * kBlock);
}

TEST(PoolMem, LargerRequestsAndAnEmptyListGoToTheHeap) {
    auto pool = std::make_unique<CPoolMem>();
    void* large = pool->Alloc(kBlock + 1);
    EXPECT_FALSE(pool->Contains(large));
    std::memset(large, 0xAB, kBlock + 1);
    pool->Free(large);

    std::vector<void*> blocks;
    for (int64_t i = 0; i < CPoolMem::kBlockCount; ++i) {
        blocks.push_back(pool->Alloc(kBlock));
        ASSERT_EQ(Bytes(blocks.back()), Bytes(blocks.front()) + i * kBlock);
    }
    EXPECT_EQ(pool->FreeBlockCount(), 0);
    void* fallback = pool->Alloc(16);
    EXPECT_FALSE(pool->Contains(fallback));
    std::memset(fallback, 1, 16);
    void* tried = pool->TryAlloc(16);
    EXPECT_NE(tried, nullptr) << "TryAlloc falls back too";
    EXPECT_FALSE(pool->Contains(tried));
    pool->Free(tried);

    // A heap block never lands on the free list.
    pool->Free(fallback);
    EXPECT_EQ(pool->FreeBlockCount(), 0);
    for (void* block : blocks) {
        pool->Free(block);
    }
    EXPECT_EQ(pool->FreeBlockCount(), CPoolMem::kBlockCount);
}

TEST(PoolMem, ForeignHeapBlocksGoBackToTheHeap) {
    auto pool = std::make_unique<CPoolMem>();
    void* foreign = std::malloc(40);
    pool->Free(foreign);
    pool->Free(nullptr);
    EXPECT_EQ(pool->FreeBlockCount(), CPoolMem::kBlockCount);
}

TEST(PoolMem, ReallocKeepsFittingBlocksAndMovesLargerOnesToTheHeap) {
    auto pool = std::make_unique<CPoolMem>();
    unsigned char* block = Bytes(pool->Alloc(32));
    for (int i = 0; i < kBlock; ++i) {
        block[i] = static_cast<unsigned char>(i);
    }
    EXPECT_EQ(pool->Realloc(block, kBlock), block);
    EXPECT_EQ(pool->Realloc(block, 1), block);

    unsigned char* moved = Bytes(pool->Realloc(block, 1000));
    EXPECT_FALSE(pool->Contains(moved));
    for (int i = 0; i < kBlock; ++i) {
        ASSERT_EQ(moved[i], static_cast<unsigned char>(i)) << "byte " << i;
    }
    // The old block went back to the head of the list.
    EXPECT_EQ(pool->Alloc(8), block);

    // A heap block stays on the heap, even when it shrinks to block size.
    unsigned char* shrunk = Bytes(pool->Realloc(moved, 100));
    EXPECT_FALSE(pool->Contains(shrunk));
    EXPECT_EQ(shrunk[99], 99);
    pool->Free(shrunk);

    void* fresh = pool->Realloc(nullptr, 10);
    EXPECT_TRUE(pool->Contains(fresh));
}

TEST(PoolMem, TryAllocGivesNullForRequestsThatCannotBeMet) {
    auto pool = std::make_unique<CPoolMem>();
    EXPECT_EQ(pool->TryAlloc(-1), nullptr);
    EXPECT_EQ(pool->TryAlloc(kHuge), nullptr);
    EXPECT_EQ(pool->FreeBlockCount(), CPoolMem::kBlockCount);
}

TEST(PoolMem, AfterShutdownRequestsGoToTheHeap) {
    auto pool = std::make_unique<CPoolMem>();
    void* old_block = pool->Alloc(16);
    pool->Shutdown();
    EXPECT_EQ(pool->FreeBlockCount(), 0);
    void* block = pool->Alloc(16);
    EXPECT_FALSE(pool->Contains(block));
    pool->Free(block);
    pool->Free(old_block); // dropped: its region is gone
    pool->Shutdown();      // a second shut-down does nothing
}

#if GTEST_HAS_DEATH_TEST && !defined(_WIN32)
TEST(PoolMemDeathTest, ExhaustionEndsTheProcessWithMinusOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(CPoolMem().Alloc(kHuge), testing::ExitedWithCode(255), "");
    EXPECT_EXIT(CPoolMem().Alloc(-1), testing::ExitedWithCode(255), "");
    EXPECT_EXIT(
        {
            CPoolMem pool;
            pool.Realloc(pool.Alloc(1000), kHuge);
        },
        testing::ExitedWithCode(255), "");
    EXPECT_EXIT(
        {
            CPoolMem pool;
            pool.Realloc(pool.Alloc(10), kHuge);
        },
        testing::ExitedWithCode(255), "");
}
#endif

// Two threads allocate, fill, reallocate, check and free through one pool, so
// that a broken lock shows as a block handed out twice or a corrupted pattern.
TEST(PoolMem, TwoThreadsKeepTheirBlocksApart) {
    auto pool = std::make_unique<CPoolMem>();
    constexpr int kSlots = 48;
#ifdef _WIN32
    constexpr int kRounds = 30000;
#else
    constexpr int kRounds = 200000;
#endif
    auto work = [&pool](unsigned seed, bool* ok) {
        struct Slot {
            unsigned char* p = nullptr;
            int64_t size = 0;
            unsigned char tag = 0;
        } slots[kSlots];
        auto next = [&seed] {
            seed = seed * 1103515245u + 12345u;
            return seed >> 8;
        };
        auto check = [&](const Slot& s, int64_t n) {
            for (int64_t i = 0; i < n; ++i) {
                if (s.p[i] != static_cast<unsigned char>(s.tag + i)) {
                    return false;
                }
            }
            return true;
        };
        for (int round = 0; round < kRounds && *ok; ++round) {
            Slot& s = slots[next() % kSlots];
            if (s.p == nullptr) {
                s.size = 1 + next() % 400;
                s.tag = static_cast<unsigned char>(next());
                s.p = static_cast<unsigned char*>(pool->Alloc(s.size));
                for (int64_t i = 0; i < s.size; ++i) {
                    s.p[i] = static_cast<unsigned char>(s.tag + i);
                }
            } else if (next() % 2 == 0) {
                const int64_t size = 1 + next() % 400;
                s.p = static_cast<unsigned char*>(pool->Realloc(s.p, size));
                *ok = check(s, s.size < size ? s.size : size);
                s.size = size;
                for (int64_t i = 0; i < s.size; ++i) {
                    s.p[i] = static_cast<unsigned char>(s.tag + i);
                }
            } else {
                *ok = check(s, s.size);
                pool->Free(s.p);
                s.p = nullptr;
            }
        }
        for (Slot& s : slots) {
            if (s.p != nullptr) {
                *ok = *ok && check(s, s.size);
                pool->Free(s.p);
            }
        }
    };
    bool ok_a = true;
    bool ok_b = true;
    std::thread a(work, 1u, &ok_a);
    std::thread b(work, 2u, &ok_b);
    a.join();
    b.join();
    EXPECT_TRUE(ok_a);
    EXPECT_TRUE(ok_b);
    EXPECT_EQ(pool->FreeBlockCount(), CPoolMem::kBlockCount);
}

} // namespace
