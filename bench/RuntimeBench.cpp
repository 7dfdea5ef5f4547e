// The pool against the C library's allocator, text appends against std::u16string,
// byte-buffer appends against std::vector, and the pages the pool's start-up touches.
#include "bench/BenchRatio.h"
#include "runtime/PoolMem.h"
#include "runtime/TarnMem.h"
#include "runtime/WString.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

// A small working set allocated and freed in turn, as objects and short texts are.
constexpr int kLive = 64;

void PoolAllocFree(benchmark::State& state) {
    const int64_t bytes = state.range(0);
    CPoolMem& pool = ProcessMemPool();
    void* blocks[kLive];
    for (auto _ : state) {
        for (void*& block : blocks) {
            block = pool.Alloc(bytes);
            benchmark::DoNotOptimize(block);
        }
        for (void* block : blocks) {
            pool.Free(block);
        }
    }
    state.SetItemsProcessed(state.iterations() * kLive);
}

void MallocFree(benchmark::State& state) {
    const auto bytes = static_cast<size_t>(state.range(0));
    void* blocks[kLive];
    for (auto _ : state) {
        for (void*& block : blocks) {
            block = std::malloc(bytes);
            benchmark::DoNotOptimize(block);
        }
        for (void* block : blocks) {
            std::free(block);
        }
    }
    state.SetItemsProcessed(state.iterations() * kLive);
}

// Short pieces as diagnostic text and window titles are built from.
const char16_t* const kPieces[] = {u"ABA", u" = ", u"16065", u", ", u"磁道", u": ", u"255"};
constexpr int kAppends = 40;

void WStringAppend(benchmark::State& state) {
    for (auto _ : state) {
        CWString text;
        for (int i = 0; i < kAppends; ++i) {
            text.Append(kPieces[i % 7]);
        }
        benchmark::DoNotOptimize(text.GetText());
    }
    state.SetItemsProcessed(state.iterations() * kAppends);
}

void U16StringAppend(benchmark::State& state) {
    for (auto _ : state) {
        std::u16string text;
        for (int i = 0; i < kAppends; ++i) {
            text.append(kPieces[i % 7]);
        }
        benchmark::DoNotOptimize(text.c_str());
    }
    state.SetItemsProcessed(state.iterations() * kAppends);
}

// A text grown to 10,000 units in the same short pieces: the storage leaves
// the pool and grows on the heap step by step.
constexpr int64_t kLongText = 10000;

void WStringGrow(benchmark::State& state) {
    for (auto _ : state) {
        CWString text;
        for (int i = 0; text.GetBuffer().GetSize() < kLongText * 2; ++i) {
            text.Append(kPieces[i % 7]);
        }
        benchmark::DoNotOptimize(text.GetText());
    }
}

void U16StringGrow(benchmark::State& state) {
    for (auto _ : state) {
        std::u16string text;
        for (int i = 0; static_cast<int64_t>(text.size()) < kLongText; ++i) {
            text.append(kPieces[i % 7]);
        }
        benchmark::DoNotOptimize(text.c_str());
    }
}

constexpr int kChunks = 256;
const unsigned char kChunk[24] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                  13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};

void TarnMemAppendBytes(benchmark::State& state) {
    for (auto _ : state) {
        CTarnMem buffer;
        buffer.SetGrowStep(256);
        for (int i = 0; i < kChunks; ++i) {
            buffer.AppendBytes(kChunk, sizeof kChunk);
        }
        benchmark::DoNotOptimize(buffer.GetData());
    }
    state.SetBytesProcessed(state.iterations() * kChunks * int64_t{sizeof kChunk});
}

void VectorInsert(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<unsigned char> buffer;
        for (int i = 0; i < kChunks; ++i) {
            buffer.insert(buffer.end(), kChunk, kChunk + sizeof kChunk);
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(state.iterations() * kChunks * int64_t{sizeof kChunk});
}

// A buffer grown to 1 MiB in 24-byte pieces, as a large save or dump grows.
constexpr int64_t kLargeBuffer = int64_t{1} << 20;

void TarnMemGrowLarge(benchmark::State& state) {
    for (auto _ : state) {
        CTarnMem buffer;
        buffer.SetGrowStep(256);
        while (buffer.GetSize() < kLargeBuffer) {
            buffer.AppendBytes(kChunk, sizeof kChunk);
        }
        benchmark::DoNotOptimize(buffer.GetData());
    }
    state.SetBytesProcessed(state.iterations() * kLargeBuffer);
}

void VectorGrowLarge(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<unsigned char> buffer;
        while (static_cast<int64_t>(buffer.size()) < kLargeBuffer) {
            buffer.insert(buffer.end(), kChunk, kChunk + sizeof kChunk);
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(state.iterations() * kLargeBuffer);
}

BENCHMARK(PoolAllocFree)->ArgName("bytes")->Arg(16)->Arg(64)->Arg(256);
BENCHMARK(MallocFree)->ArgName("bytes")->Arg(16)->Arg(64)->Arg(256);
BENCHMARK(WStringAppend);
BENCHMARK(U16StringAppend);
BENCHMARK(WStringGrow);
BENCHMARK(U16StringGrow);
BENCHMARK(TarnMemAppendBytes);
BENCHMARK(VectorInsert);
BENCHMARK(TarnMemGrowLarge);
BENCHMARK(VectorGrowLarge);

// Pages of [start, start + bytes) that are resident in memory.
double ResidentPages(const void* start, int64_t bytes) {
    const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto first = reinterpret_cast<uintptr_t>(start) & ~(page - 1);
    const auto end = reinterpret_cast<uintptr_t>(start) + static_cast<uintptr_t>(bytes);
    std::vector<unsigned char> resident((end - first + page - 1) / page);
    if (mincore(reinterpret_cast<void*>(first), end - first, resident.data()) != 0) {
        return -1;
    }
    double count = 0;
    for (unsigned char r : resident) {
        count += r & 1;
    }
    return count;
}

// What start-up leaves resident: a pool made and a few blocks handed out and
// written, as the first runtime objects do.
constexpr int kStartBlocks = 8;

double PoolStartPages() {
    auto* pool = new CPoolMem();
    void* blocks[kStartBlocks];
    for (void*& block : blocks) {
        block = pool->Alloc(CPoolMem::kBlockSize);
        std::memset(block, 1, CPoolMem::kBlockSize);
    }
    // The first block handed out is the start of the region.
    const double pages = ResidentPages(blocks[0], CPoolMem::kRegionSize);
    delete pool;
    return pages;
}

// The same start-up with every block chained into the free list first, as
// the pool once did: a link written into each block of the region.
double LinkedStartPages() {
    auto* region = static_cast<unsigned char*>(std::malloc(CPoolMem::kRegionSize));
    for (int64_t i = 0; i < CPoolMem::kBlockCount; ++i) {
        unsigned char* next =
            i + 1 < CPoolMem::kBlockCount ? region + (i + 1) * CPoolMem::kBlockSize : nullptr;
        std::memcpy(region + i * CPoolMem::kBlockSize, &next, sizeof next);
    }
    for (int i = 0; i < kStartBlocks; ++i) {
        std::memset(region + i * CPoolMem::kBlockSize, 1, CPoolMem::kBlockSize);
    }
    benchmark::DoNotOptimize(region);
    const double pages = ResidentPages(region, CPoolMem::kRegionSize);
    std::free(region);
    return pages;
}

} // namespace

int main(int argc, char** argv) {
    // Measured before any benchmark runs, while the heap gives both regions
    // fresh pages of their own.
    const double pool_pages = PoolStartPages();
    const double linked_pages = LinkedStartPages();
    return bench::RunWithRatios(argc, argv,
                                {{"PoolAllocFree/bytes:16", "MallocFree/bytes:16"},
                                 {"PoolAllocFree/bytes:64", "MallocFree/bytes:64"},
                                 {"PoolAllocFree/bytes:256", "MallocFree/bytes:256"},
                                 {"WStringAppend", "U16StringAppend"},
                                 {"WStringGrow", "U16StringGrow"},
                                 {"TarnMemAppendBytes", "VectorInsert"},
                                 {"TarnMemGrowLarge", "VectorGrowLarge"}},
                                {{"PoolStartResidentPages", "LinkedStartResidentPages", pool_pages,
                                  linked_pages, "pages"}});
}
