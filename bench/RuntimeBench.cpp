// The pool against the C library's allocator, text appends against std::u16string,
// and byte-buffer appends against std::vector.
#include "bench/BenchRatio.h"
#include "runtime/PoolMem.h"
#include "runtime/TarnMem.h"
#include "runtime/WString.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
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

BENCHMARK(PoolAllocFree)->ArgName("bytes")->Arg(16)->Arg(64)->Arg(256);
BENCHMARK(MallocFree)->ArgName("bytes")->Arg(16)->Arg(64)->Arg(256);
BENCHMARK(WStringAppend);
BENCHMARK(U16StringAppend);
BENCHMARK(TarnMemAppendBytes);
BENCHMARK(VectorInsert);

} // namespace

int main(int argc, char** argv) {
    return bench::RunWithRatios(argc, argv,
                                {{"PoolAllocFree/bytes:16", "MallocFree/bytes:16"},
                                 {"PoolAllocFree/bytes:64", "MallocFree/bytes:64"},
                                 {"PoolAllocFree/bytes:256", "MallocFree/bytes:256"},
                                 {"WStringAppend", "U16StringAppend"},
                                 {"TarnMemAppendBytes", "VectorInsert"}});
}
