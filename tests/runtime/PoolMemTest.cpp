#include "runtime/PoolMem.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

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

// The hand-out order of a pool whose every block was chained in address order
// at start: the most recently freed block first, then the lowest never used.
// Blocks are named by their index in the region.
class HandOutModel {
public:
    int64_t Take() {
        if (!freed_.empty()) {
            const int64_t block = freed_.back();
            freed_.pop_back();
            return block;
        }
        return next_unused_ < CPoolMem::kBlockCount ? next_unused_++ : -1;
    }
    void Give(int64_t block) { freed_.push_back(block); }
    int64_t FreeCount() const {
        return static_cast<int64_t>(freed_.size()) + CPoolMem::kBlockCount - next_unused_;
    }

private:
    std::vector<int64_t> freed_;
    int64_t next_unused_ = 0;
};

// Index of a pool block in its region, or -1 for a heap block.
int64_t BlockIndex(CPoolMem& pool, const unsigned char* region, void* block) {
    return pool.Contains(block) ? (Bytes(block) - region) / kBlock : -1;
}

TEST(PoolMem, HandOutOrderFollowsFreedBlocksThenTheUntouchedEnd) {
    // Scripts of operations: "a" takes a block, "fN" frees the N-th block
    // taken; expected is the index of each block taken, in order.
    const struct {
        const char* name;
        std::vector<std::string> script;
        std::vector<int64_t> expected;
        int64_t free_count;
    } cases[] = {
        {"fresh pool", {"a", "a", "a"}, {0, 1, 2}, CPoolMem::kBlockCount - 3},
        {"freed first, then untouched",
         {"a", "a", "f0", "a", "a"},
         {0, 1, 0, 2},
         CPoolMem::kBlockCount - 3},
        {"freed in reverse",
         {"a", "a", "a", "f0", "f2", "f1", "a", "a", "a", "a"},
         {0, 1, 2, 1, 2, 0, 3},
         CPoolMem::kBlockCount - 4},
        {"everything back",
         {"a", "a", "f1", "f0", "a", "a", "a"},
         {0, 1, 0, 1, 2},
         CPoolMem::kBlockCount - 3},
        {"interleaved",
         {"a", "f0", "a", "a", "f2", "a", "f1", "a", "a"},
         {0, 0, 1, 1, 0, 2},
         CPoolMem::kBlockCount - 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto pool = std::make_unique<CPoolMem>();
        const unsigned char* region = nullptr;
        std::vector<void*> taken;
        std::vector<int64_t> order;
        for (const std::string& op : c.script) {
            if (op == "a") {
                void* block = pool->Alloc(1 + static_cast<int64_t>(taken.size()) % kBlock);
                if (region == nullptr) {
                    region = Bytes(block); // the very first block is the region's start
                }
                std::memset(block, 0x5A, kBlock);
                taken.push_back(block);
                order.push_back(BlockIndex(*pool, region, block));
            } else {
                pool->Free(taken[std::stoul(op.substr(1))]);
            }
        }
        EXPECT_EQ(order, c.expected);
        EXPECT_EQ(pool->FreeBlockCount(), c.free_count);
    }
}

// A long random run against the model: every block handed out and the count
// of free blocks after each step, through the untouched end to exhaustion
// (where small requests go to the heap) and back.
TEST(PoolMem, HandOutOrderAndCountMatchAChainedListOverALongRun) {
    auto pool = std::make_unique<CPoolMem>();
    HandOutModel model;
    std::mt19937 random(13);
    std::vector<void*> live;
    unsigned char* region = nullptr;
    auto take = [&] {
        void* block = pool->Alloc(kBlock);
        if (region == nullptr) {
            region = Bytes(block);
        }
        // The link of a freed block and the bytes behind it are the caller's now.
        std::memset(block, 0xC3, kBlock);
        live.push_back(block);
        return BlockIndex(*pool, region, block);
    };
    // Phases: mostly taking (into exhaustion), then mostly giving back.
    for (int phase = 0; phase < 4; ++phase) {
        const unsigned take_share = phase % 2 == 0 ? 3 : 1;
        for (int step = 0; step < 40000; ++step) {
            if (live.empty() || random() % 4 < take_share) {
                const int64_t expected = model.Take();
                ASSERT_EQ(take(), expected) << "phase " << phase << " step " << step;
            } else {
                const size_t at = random() % live.size();
                void* block = live[at];
                live[at] = live.back();
                live.pop_back();
                if (pool->Contains(block)) {
                    model.Give(BlockIndex(*pool, region, block));
                }
                pool->Free(block);
            }
            ASSERT_EQ(pool->FreeBlockCount(), model.FreeCount())
                << "phase " << phase << " step " << step;
        }
    }
    for (void* block : live) {
        pool->Free(block);
    }
    EXPECT_EQ(pool->FreeBlockCount(), CPoolMem::kBlockCount);
}

TEST(PoolMem, ShutdownWithBlocksFreedAndUntouchedLeavesNothingToHandOut) {
    auto pool = std::make_unique<CPoolMem>();
    void* a = pool->Alloc(8);
    void* b = pool->Alloc(8);
    pool->Free(a); // one block on the free list, the rest never used
    EXPECT_EQ(pool->FreeBlockCount(), CPoolMem::kBlockCount - 1);
    pool->Shutdown();
    EXPECT_EQ(pool->FreeBlockCount(), 0);
    void* after = pool->Alloc(8);
    EXPECT_FALSE(pool->Contains(after));
    pool->Free(b); // the last block out: the region goes back, nothing is counted
    EXPECT_EQ(pool->FreeBlockCount(), 0);
    pool->Free(after);
}

#if defined(__linux__)
// Pages of the region that are resident: blocks never handed out must not
// have been written.
int64_t ResidentPages(const void* start, int64_t bytes) {
    const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto first = reinterpret_cast<uintptr_t>(start) & ~(page - 1);
    const auto end = reinterpret_cast<uintptr_t>(start) + static_cast<uintptr_t>(bytes);
    std::vector<unsigned char> resident((end - first + page - 1) / page);
    if (mincore(reinterpret_cast<void*>(first), end - first, resident.data()) != 0) {
        return -1;
    }
    int64_t count = 0;
    for (unsigned char r : resident) {
        count += r & 1;
    }
    return count;
}

TEST(PoolMem, StartUpTouchesOnlyThePagesOfBlocksHandedOut) {
    auto pool = std::make_unique<CPoolMem>();
    void* blocks[8];
    for (void*& block : blocks) {
        block = pool->Alloc(kBlock);
        std::memset(block, 1, kBlock);
    }
    const int64_t pages = ResidentPages(blocks[0], CPoolMem::kRegionSize);
    ASSERT_GE(pages, 1);
    // The eight blocks share one page; the heap's own bookkeeping (and a
    // sanitizer's fill of a fresh allocation's first bytes) may add a few.
    EXPECT_LE(pages, 4) << "of " << CPoolMem::kRegionSize / 4096;
    for (void* block : blocks) {
        pool->Free(block);
    }
}
#endif

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

// A heap block records its room in front of what the caller sees; giving it
// back frees the whole heap block (the sanitizer and leak builds would report
// anything else) and never touches the free list.
TEST(PoolMem, HeapBlocksKnowTheirRoomAndGoBackToTheHeap) {
    auto pool = std::make_unique<CPoolMem>();
    for (const int64_t bytes : {int64_t{257}, int64_t{1000}, int64_t{1} << 20}) {
        auto* block = Bytes(pool->Alloc(bytes));
        EXPECT_FALSE(pool->Contains(block));
        EXPECT_EQ(heap_block::Room(block), static_cast<size_t>(bytes));
        EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % alignof(std::max_align_t), 0u);
        std::memset(block, 0xA5, static_cast<size_t>(bytes));
        pool->Free(block);
    }
    pool->Free(nullptr);
    EXPECT_EQ(pool->FreeBlockCount(), CPoolMem::kBlockCount);
    EXPECT_EQ(heap_block::Allocate(heap_block::kMaxRoom + 1), nullptr);
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

// One block resized through a sequence of sizes: at each step the bytes up
// to the smaller size survive, whether the block stayed or moved.
TEST(PoolMem, ReallocKeepsContentsWhenItStaysAndWhenItMoves) {
    enum class Place { kStays, kMoves, kEither };
    const struct {
        int64_t size;
        Place place;
        bool pooled;
    } steps[] = {
        {40, Place::kStays, true},     // the first block: a pool block
        {kBlock, Place::kStays, true}, // still fits its block
        {17, Place::kStays, true},
        {300, Place::kMoves, false}, // leaves the pool, with room to grow
        {kBlock * 2, Place::kStays, false},
        {kBlock * 2 - 7, Place::kStays, false},
        {5000, Place::kEither, false}, // beyond its room: the heap decides
        {6000, Place::kEither, false}, // grows again: now with twice the room
        {9000, Place::kStays, false},  // within the room it got
        {6000, Place::kStays, false},  // shrinks in place while half the room is used
        {100, Place::kEither, false},  // most of the room is given back
        {150, Place::kEither, false},  // a heap block stays on the heap
        {1 << 20, Place::kEither, false},
        {(1 << 20) + (1 << 19), Place::kEither, false},
        {(1 << 21) - 5, Place::kStays, false},
        {24, Place::kEither, false},
    };
    auto pool = std::make_unique<CPoolMem>();
    unsigned char* block = Bytes(pool->Alloc(steps[0].size));
    int64_t size = steps[0].size;
    auto fill = [&](int64_t from, int64_t to, int salt) {
        for (int64_t i = from; i < to; ++i) {
            block[i] = static_cast<unsigned char>(i * 31 + salt);
        }
    };
    fill(0, size, 0);
    int salt = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE("size " + std::to_string(step.size));
        unsigned char* resized = Bytes(pool->Realloc(block, step.size));
        if (step.place == Place::kStays) {
            EXPECT_EQ(resized, block);
        } else if (step.place == Place::kMoves) {
            EXPECT_NE(resized, block);
        }
        EXPECT_EQ(pool->Contains(resized), step.pooled);
        block = resized;
        const int64_t kept = size < step.size ? size : step.size;
        for (int64_t i = 0; i < kept; ++i) {
            ASSERT_EQ(block[i], static_cast<unsigned char>(i * 31 + salt)) << "byte " << i;
        }
        // Rewritten whole with a new pattern: every byte asked for is usable.
        size = step.size;
        ++salt;
        fill(0, size, salt);
    }
    pool->Free(block);
    EXPECT_EQ(pool->FreeBlockCount(), CPoolMem::kBlockCount);
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
    pool->Free(old_block); // the last block out: the region goes back
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

// One thread's share of the concurrency tests: rounds of allocating, filling,
// reallocating, checking and freeing blocks of 1 to 400 bytes in 48 slots,
// so that a broken lock shows as a block handed out twice or a corrupted
// pattern. Counts each round in progress, if given.
void ExerciseSlots(CPoolMem& pool, unsigned seed, int rounds, bool* ok,
                   std::atomic<int64_t>* progress = nullptr) {
    constexpr int kSlots = 48;
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
    auto fill = [](Slot& s) {
        for (int64_t i = 0; i < s.size; ++i) {
            s.p[i] = static_cast<unsigned char>(s.tag + i);
        }
    };
    for (int round = 0; round < rounds && *ok; ++round) {
        Slot& s = slots[next() % kSlots];
        if (s.p == nullptr) {
            s.size = 1 + next() % 400;
            s.tag = static_cast<unsigned char>(next());
            s.p = static_cast<unsigned char*>(pool.Alloc(s.size));
            fill(s);
        } else if (next() % 2 == 0) {
            const int64_t size = 1 + next() % 400;
            s.p = static_cast<unsigned char*>(pool.Realloc(s.p, size));
            *ok = check(s, s.size < size ? s.size : size);
            s.size = size;
            fill(s);
        } else {
            *ok = check(s, s.size);
            pool.Free(s.p);
            s.p = nullptr;
        }
        if (progress != nullptr) {
            progress->fetch_add(1, std::memory_order_relaxed);
        }
    }
    for (Slot& s : slots) {
        if (s.p != nullptr) {
            *ok = *ok && check(s, s.size);
            pool.Free(s.p);
        }
    }
}

TEST(PoolMem, TwoThreadsKeepTheirBlocksApart) {
    auto pool = std::make_unique<CPoolMem>();
#ifdef _WIN32
    constexpr int kRounds = 30000;
#else
    constexpr int kRounds = 200000;
#endif
    bool ok_a = true;
    bool ok_b = true;
    std::thread a([&] { ExerciseSlots(*pool, 1u, kRounds, &ok_a); });
    std::thread b([&] { ExerciseSlots(*pool, 2u, kRounds, &ok_b); });
    a.join();
    b.join();
    EXPECT_TRUE(ok_a);
    EXPECT_TRUE(ok_b);
    EXPECT_EQ(pool->FreeBlockCount(), CPoolMem::kBlockCount);
}

// The pool is shut down while eight threads allocate, write and free. Blocks
// out at that moment keep their memory until they come back (under the
// sanitizer a write into a region already given back shows); no block goes
// onto the list of a shut pool; once the last block is back the region is
// given back, and from then on no address counts as a pool block, so heap
// blocks the heap places there later are freed as heap blocks.
TEST(PoolMem, ShutdownWhileEightThreadsAllocateAndFree) {
#ifdef _WIN32
    constexpr int64_t kRounds = 6000;
#else
    constexpr int64_t kRounds = 30000;
#endif
    // The shut-down comes early, midway and late in the threads' work.
    for (const int64_t shutdownAfter : {int64_t{100}, 8 * kRounds / 2, 8 * kRounds * 9 / 10}) {
        SCOPED_TRACE(shutdownAfter);
        auto pool = std::make_unique<CPoolMem>();
        void* first = pool->Alloc(1); // the region's first block, out across the shut-down
        std::atomic<int64_t> progress{0};
        std::atomic<int> finished{0};
        bool ok[8] = {true, true, true, true, true, true, true, true};
        std::vector<std::thread> threads;
        for (unsigned t = 0; t < 8; ++t) {
            threads.emplace_back([&, t] {
                ExerciseSlots(*pool, 11u + t, static_cast<int>(kRounds), &ok[t], &progress);
                finished.fetch_add(1);
            });
        }
        while (progress.load(std::memory_order_relaxed) < shutdownAfter && finished.load() < 8) {
            std::this_thread::yield();
        }
        pool->Shutdown();
        EXPECT_EQ(pool->FreeBlockCount(), 0);
        EXPECT_TRUE(pool->Contains(first)) << "a block is out: the region stays";
        for (std::thread& thread : threads) {
            thread.join();
        }
        for (bool each : ok) {
            EXPECT_TRUE(each);
        }
        EXPECT_EQ(pool->FreeBlockCount(), 0) << "nothing went back onto the list";
        EXPECT_TRUE(pool->Contains(first));
        pool->Free(first); // the last block out: the region goes back to the heap
        EXPECT_FALSE(pool->Contains(first));
        EXPECT_FALSE(pool->Contains(Bytes(first) + CPoolMem::kRegionSize - 1));
        void* later = pool->Alloc(16);
        EXPECT_FALSE(pool->Contains(later));
        pool->Free(later);
    }
}

} // namespace
