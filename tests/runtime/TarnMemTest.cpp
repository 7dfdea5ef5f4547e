#include "runtime/TarnMem.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "tests/runtime/RuntimeTestSupport.h"

namespace {

using runtime_test::Bytes;
using runtime_test::PoolBalance;
using runtime_test::StreamOf;
using runtime_test::Value;

using ByteList = std::vector<uint8_t>;

CTarnMem BufferOf(const ByteList& bytes, int64_t step = CTarnMem::kDefaultGrowStep) {
    CTarnMem buffer;
    buffer.SetGrowStep(step);
    buffer.AppendBytes(bytes.data(), static_cast<int64_t>(bytes.size()));
    return buffer;
}

ByteList Sequence(int64_t n) {
    ByteList bytes(static_cast<size_t>(n));
    for (int64_t i = 0; i < n; ++i) {
        bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(i * 7 + 1);
    }
    return bytes;
}

TEST(TarnMem, SetSizeFollowsTheCapacityRule) {
    PoolBalance balance;
    // Each step resizes the same buffer; capacity and whether the storage moved.
    const struct {
        int64_t step;
        int64_t size;
        int64_t capacity;
    } cases[] = {
        {64, 1, 64},     {64, 64, 64},   {64, 65, 128},  {64, 10, 64},   {64, 0, 0},
        {64, 128, 192},  {64, 127, 128}, {64, 129, 192}, {64, 191, 192}, {64, 127, 128},
        {64, 126, 128},  {0, 200, 256},  {-5, 10, 64},   {254, 22, 64},  {254, 254, 508},
        {254, 253, 254}, {254, 1, 254},  {1, 5, 6},      {1, 3, 4},      {64, -3, 4},
    };
    CTarnMem buffer;
    EXPECT_EQ(buffer.GetGrowStep(), 64);
    for (const auto& c : cases) {
        buffer.SetGrowStep(c.step);
        const int64_t old_size = buffer.GetSize();
        buffer.SetSize(c.size);
        const int64_t expected_size = c.size < 0 ? old_size : c.size;
        EXPECT_EQ(buffer.GetSize(), expected_size) << "step " << c.step << " size " << c.size;
        EXPECT_EQ(buffer.GetCapacity(), c.capacity) << "step " << c.step << " size " << c.size;
        EXPECT_EQ(buffer.GetData() == nullptr, c.capacity == 0);
    }
}

// Appends grow the buffer by the same capacity rule as SetSize, whatever the
// memory manager beneath does: the capacity after each append, for pieces of
// various sizes and the steps the owners use.
TEST(TarnMem, AppendsGrowByTheCapacityRule) {
    PoolBalance balance;
    const struct {
        int64_t step;
        int64_t piece;
        int appends;
        // The capacity after the first append and at each change, as
        // (size reached, capacity then).
        std::vector<std::pair<int64_t, int64_t>> changes;
    } cases[] = {
        {64, 24, 6, {{24, 64}, {72, 128}, {144, 192}}},
        {256, 24, 22, {{24, 256}, {264, 512}, {528, 768}}},
        {256, 256, 3, {{256, 512}, {768, 1024}}},
        {254, 2, 130, {{2, 254}, {256, 508}}},
        {254, 100, 6, {{100, 254}, {300, 508}, {600, 762}}},
        {1, 3, 3, {{3, 4}, {6, 7}, {9, 10}}},
        {0, 40, 4, {{40, 64}, {80, 128}, {160, 192}}},
        {-5, 64, 3, {{64, 128}, {192, 256}}},
        {100000, 30000, 8, {{30000, 100000}, {120000, 200000}, {210000, 300000}}},
        {4096, 1000, 9, {{1000, 4096}, {5000, 8192}, {9000, 12288}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("step " + std::to_string(c.step) + ", pieces of " + std::to_string(c.piece));
        const ByteList piece = Sequence(c.piece);
        CTarnMem buffer;
        buffer.SetGrowStep(c.step);
        std::vector<std::pair<int64_t, int64_t>> changes;
        ByteList expected;
        for (int i = 0; i < c.appends; ++i) {
            const int64_t before = buffer.GetCapacity();
            buffer.AppendBytes(piece.data(), c.piece);
            expected.insert(expected.end(), piece.begin(), piece.end());
            if (buffer.GetCapacity() != before) {
                changes.emplace_back(buffer.GetSize(), buffer.GetCapacity());
            }
        }
        EXPECT_EQ(changes, c.changes);
        EXPECT_EQ(Bytes(buffer), expected);
    }
}

// Pieces of every length up to past the largest copied in fixed-size moves,
// each appended where it does and where it does not fit, land whole.
TEST(TarnMem, PiecesOfEveryLengthLandWholeWhenTheBufferGrows) {
    PoolBalance balance;
    for (int64_t length = 1; length <= 40; ++length) {
        SCOPED_TRACE("pieces of " + std::to_string(length));
        CTarnMem buffer;
        buffer.SetGrowStep(16);
        ByteList expected;
        for (int i = 0; i < 24; ++i) {
            ByteList piece(static_cast<size_t>(length));
            for (size_t k = 0; k < piece.size(); ++k) {
                piece[k] = static_cast<uint8_t>(i * 41 + static_cast<int>(k) * 7 + 1);
            }
            buffer.AppendBytes(piece.data(), length);
            expected.insert(expected.end(), piece.begin(), piece.end());
        }
        ASSERT_EQ(Bytes(buffer), expected);
    }
}

TEST(TarnMem, SetSizeKeepsTheLeadingBytes) {
    PoolBalance balance;
    const ByteList bytes = Sequence(300);
    CTarnMem buffer = BufferOf(bytes);
    buffer.SetSize(1000);
    EXPECT_EQ(std::memcmp(buffer.GetData(), bytes.data(), 300), 0);
    buffer.SetSize(5);
    EXPECT_EQ(Bytes(buffer), Sequence(5));
}

TEST(TarnMem, AllocSizeAllocatesOnlyForAPositiveSize) {
    PoolBalance balance;
    CTarnMem buffer;
    EXPECT_EQ(buffer.AllocSize(0), nullptr);
    EXPECT_EQ(buffer.GetCapacity(), 0);
    EXPECT_NE(buffer.AllocSize(3), nullptr);
    EXPECT_EQ(buffer.GetSize(), 3);
    EXPECT_EQ(buffer.GetCapacity(), 64);
    buffer.AllocSize(100);
    EXPECT_EQ(buffer.GetCapacity(), 128);
    buffer.Clear();
    EXPECT_EQ(buffer.GetData(), nullptr);
    EXPECT_EQ(buffer.GetSize(), 0);
}

TEST(TarnMem, AppendsWriteInPlaceWhileCapacityLasts) {
    PoolBalance balance;
    CTarnMem buffer;
    buffer.AppendBytes("abc", 3);
    const uint8_t* storage = buffer.GetData();
    buffer.AppendBytes("defgh", 5);
    buffer.AppendBytes("ignored", 0);
    buffer.AppendBytes("ignored", -4);
    buffer.AppendBytes(nullptr, 2); // zero bytes
    EXPECT_EQ(buffer.GetData(), storage);
    EXPECT_EQ(Bytes(buffer), (ByteList{'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0, 0}));

    buffer.AppendUnits(u"xy");
    buffer.AppendUnits(u"");
    buffer.AppendUnits(nullptr);
    buffer.AppendUnitsZ(nullptr);
    buffer.AppendUnitsZ(u"z");
    const ByteList tail(buffer.GetData() + 10, buffer.GetData() + buffer.GetSize());
    EXPECT_EQ(tail, (ByteList{'x', 0, 'y', 0, 0, 0, 'z', 0, 0, 0}));
}

TEST(TarnMem, AppendingItsOwnBytesSurvivesTheMove) {
    PoolBalance balance;
    const ByteList bytes = Sequence(60);
    CTarnMem buffer = BufferOf(bytes);
    // 60 + 60 bytes cannot stay in the 64-byte storage.
    buffer.AppendBytes(buffer.GetData(), buffer.GetSize());
    ByteList twice = bytes;
    twice.insert(twice.end(), bytes.begin(), bytes.end());
    EXPECT_EQ(Bytes(buffer), twice);
}

TEST(TarnMem, AppendBytesThenZerosGrowsOnce) {
    PoolBalance balance;
    const ByteList bytes = Sequence(60);
    CTarnMem buffer = BufferOf(bytes);
    // Its own 60 bytes and 5 zeros: the storage moves once, to the capacity
    // for all 125 bytes.
    buffer.AppendBytesThenZeros(buffer.GetData(), buffer.GetSize(), 5);
    ByteList expected = bytes;
    expected.insert(expected.end(), bytes.begin(), bytes.end());
    expected.insert(expected.end(), 5, 0);
    EXPECT_EQ(Bytes(buffer), expected);
    EXPECT_EQ(buffer.GetCapacity(), 128);
    buffer.AppendBytesThenZeros(nullptr, 2, 1);
    EXPECT_EQ(buffer.GetSize(), 128);
    EXPECT_EQ(buffer.GetData()[125], 0);
    EXPECT_EQ(buffer.GetData()[127], 0);
    buffer.AppendBytesThenZeros(u"ab", 0, 3);
    EXPECT_EQ(buffer.GetSize(), 128) << "no bytes, no zeros";
}

TEST(TarnMem, AppendingBytesFromNextToItsStorageCopiesThem) {
    PoolBalance balance;
    // Bytes that merely sit near the buffer's storage are copied as given.
    uint8_t outside[4] = {1, 2, 3, 4};
    CTarnMem buffer;
    buffer.AppendBytes(outside, 4);
    buffer.AppendBytes(outside + 1, 2);
    EXPECT_EQ(Bytes(buffer), (ByteList{1, 2, 3, 4, 2, 3}));
    // The last byte of the storage's capacity still counts as its own.
    buffer.SetSize(64);
    buffer.GetData()[63] = 0x5A;
    buffer.AppendBytes(buffer.GetData() + 63, 1);
    EXPECT_EQ(buffer.GetSize(), 65);
    EXPECT_EQ(buffer.GetData()[64], 0x5A);
}

TEST(TarnMem, RemoveTakesOutARunOrTheTail) {
    PoolBalance balance;
    const struct {
        ByteList before;
        int64_t offset;
        int64_t count;
        ByteList after;
    } cases[] = {
        {{1, 2}, -1, 3, {}},
        {{1, 2, 3, 4}, 1, 10, {1}},
        {{1, 2, 3, 4}, 1, 2, {1, 4}},
        {{1, 2, 3, 4}, 0, 4, {}},
        {{1, 2, 3, 4}, 0, 1, {2, 3, 4}},
        {{1, 2, 3, 4}, 3, 1, {1, 2, 3}},
        {{1, 2, 3, 4}, -7, 1, {1, 2, 3}},
        {{1, 2, 3, 4}, 2, 0, {1, 2, 3, 4}},
        {{1, 2, 3, 4}, 2, -1, {1, 2, 3, 4}},
        // An offset at or beyond the end removes nothing.
        {{1, 2, 3, 4}, 4, 1, {1, 2, 3, 4}},
        {{1, 2, 3, 4}, 100, 2, {1, 2, 3, 4}},
        {{1, 2, 3, 4}, 1, INT64_MAX, {1}},
        {{}, 0, 1, {}},
    };
    for (const auto& c : cases) {
        CTarnMem buffer = BufferOf(c.before);
        buffer.Remove(c.offset, c.count);
        EXPECT_EQ(Bytes(buffer), c.after) << "offset " << c.offset << " count " << c.count;
        EXPECT_EQ(buffer.GetData() == nullptr, c.after.empty())
            << "an emptied buffer gives its storage back";
    }
}

TEST(TarnMem, AssignReusesStorageAndCopiesTheHeader) {
    PoolBalance balance;
    CTarnMem target = BufferOf(Sequence(40));
    const uint8_t* storage = target.GetData();
    CTarnMem source = BufferOf({9, 8, 7});
    source.flags = 1;
    source.extra = 77;
    target.Assign(source);
    EXPECT_EQ(target.GetData(), storage);
    EXPECT_EQ(target.GetCapacity(), 64);
    EXPECT_EQ(Bytes(target), (ByteList{9, 8, 7}));
    EXPECT_EQ(target.flags, 1u);
    EXPECT_EQ(target.extra, 77u);

    CTarnMem empty;
    target.Assign(empty);
    EXPECT_EQ(target.GetSize(), 0);
    EXPECT_EQ(target.GetData(), storage) << "size 0 keeps the storage";

    CTarnMem& alias = source;
    source.Assign(alias);
    EXPECT_EQ(Bytes(source), (ByteList{9, 8, 7}));
}

TEST(TarnMem, CopiesAreIndependent) {
    PoolBalance balance;
    CTarnMem original = BufferOf({1, 2, 3}, 256);
    original.extra = 5;
    CTarnMem copy(original);
    EXPECT_TRUE(copy.IsEqual(original));
    EXPECT_NE(copy.GetData(), original.GetData());
    EXPECT_EQ(copy.GetGrowStep(), 64);
    copy.GetData()[0] = 42;
    EXPECT_EQ(original.GetData()[0], 1);

    CTarnMem* clone = original.Clone();
    EXPECT_TRUE(clone->IsEqual(original));
    FreeObject(clone);
    CTarnMem* fresh = original.CreateNew();
    EXPECT_EQ(fresh->GetSize(), 0);
    EXPECT_EQ(fresh->GetGrowStep(), 64);
    FreeObject(fresh);

    CTarnMem assigned;
    assigned = original;
    EXPECT_TRUE(assigned.IsEqual(original));
}

TEST(TarnMem, EqualityNeedsHeaderSizeAndBytes) {
    CTarnMem a = BufferOf({1, 2, 3});
    CTarnMem b = BufferOf({1, 2, 3});
    EXPECT_TRUE(a.IsEqual(b));
    b.extra = 1;
    EXPECT_FALSE(a.IsEqual(b));
    b.extra = 0;
    b.Remove(-1, 1);
    EXPECT_FALSE(a.IsEqual(b));
    b.AppendBytes("\x04", 1);
    EXPECT_FALSE(a.IsEqual(b));
    CTarnMem empty_a;
    CTarnMem empty_b = BufferOf({5});
    empty_b.Reset();
    EXPECT_TRUE(empty_a.IsEqual(empty_b));
}

TEST(TarnMem, ResetKeepsStorageAndClearsHeader) {
    PoolBalance balance;
    CTarnMem buffer = BufferOf({1, 2});
    buffer.flags = 1;
    buffer.extra = 3;
    const uint8_t* storage = buffer.GetData();
    buffer.Reset();
    EXPECT_EQ(buffer.GetSize(), 0);
    EXPECT_EQ(buffer.GetData(), storage);
    EXPECT_EQ(buffer.flags, 0u);
    EXPECT_EQ(buffer.extra, 0u);
}

TEST(TarnMem, SavesCountAndBytesAndLoadsThemBack) {
    PoolBalance balance;
    const ByteList bytes = Sequence(300);
    CTarnMem buffer = BufferOf(bytes);
    CTarnMemoryStream out;
    buffer.SaveTo(out);
    ASSERT_EQ(out.GetError(), 0);
    ByteList expected = {0x2C, 0x01, 0x00, 0x00};
    expected.insert(expected.end(), bytes.begin(), bytes.end());
    EXPECT_EQ(Bytes(out), expected);

    CTarnMemoryStream in = StreamOf(expected);
    CTarnMem loaded = BufferOf({1, 2, 3});
    loaded.LoadFrom(in);
    EXPECT_EQ(in.GetError(), 0);
    EXPECT_EQ(Bytes(loaded), bytes);
    EXPECT_EQ(loaded.GetCapacity(), 320);

    CTarnMemoryStream empty_out;
    CTarnMem().SaveTo(empty_out);
    EXPECT_EQ(Bytes(empty_out), (ByteList{0, 0, 0, 0}));
}

TEST(TarnMem, LoadOutcomesForEachKindOfStream) {
    PoolBalance balance;
    const struct {
        ByteList stream;
        ByteList loaded; // the buffer held {7, 7} before
        int32_t error;
        bool storage;
    } cases[] = {
        {{0, 0, 0, 0}, {}, 0, false},
        {{2, 0, 0, 0, 5, 6, 9}, {5, 6}, 0, true},
        // A negative count leaves the buffer as it was.
        {{0xFF, 0xFF, 0xFF, 0xFF, 1, 2}, {7, 7}, -3, true},
        // A count that cannot be read changes nothing either.
        {{1, 0}, {7, 7}, -3, true},
        // A short read gives the storage back.
        {{3, 0, 0, 0, 1, 2}, {}, -3, false},
        {{0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3}, {}, -3, false},
    };
    for (const auto& c : cases) {
        CTarnMem buffer = BufferOf({7, 7});
        CTarnMemoryStream in = StreamOf(c.stream);
        buffer.LoadFrom(in);
        EXPECT_EQ(in.GetError(), c.error);
        EXPECT_EQ(Bytes(buffer), c.loaded);
        EXPECT_EQ(buffer.GetData() != nullptr, c.storage);
    }
}

// Records the largest request the buffer makes of its memory operations.
class RequestTracker : public CTarnMem {
public:
    void* Alloc(int64_t bytes) const override {
        Note(bytes);
        return CTarnMem::Alloc(bytes);
    }
    void* Realloc(void* block, int64_t bytes) const override {
        Note(bytes);
        return CTarnMem::Realloc(block, bytes);
    }
    int64_t largest = 0;

private:
    void Note(int64_t bytes) const {
        auto* self = const_cast<RequestTracker*>(this);
        self->largest = bytes > largest ? bytes : largest;
    }
};

TEST(TarnMem, ACorruptCountNeverAllocatesTheClaimedSize) {
    PoolBalance balance;
    const ByteList stream = {0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3}; // claims 2 GiB, holds 3 bytes
    RequestTracker buffer;
    CTarnMemoryStream in = StreamOf(stream);
    buffer.LoadFrom(in);
    EXPECT_EQ(in.GetError(), -3);
    EXPECT_EQ(buffer.GetData(), nullptr);
    EXPECT_LE(buffer.largest, 64 * 1024 + 64);

    // A long stream grows the buffer step by step, never far beyond what arrived.
    ByteList long_stream = {0x00, 0x00, 0x00, 0x7F};
    long_stream.resize(long_stream.size() + 700000, 0x55);
    RequestTracker grown;
    CTarnMemoryStream long_in = StreamOf(long_stream);
    grown.LoadFrom(long_in);
    EXPECT_EQ(long_in.GetError(), -3);
    EXPECT_EQ(grown.GetData(), nullptr);
    EXPECT_LE(grown.largest, 2 * 700000 + 64);
}

TEST(TarnMem, LoadsLargeContentAcrossChunks) {
    const ByteList bytes = Sequence(300000);
    CTarnMemoryStream out;
    BufferOf(bytes).SaveTo(out);
    CTarnMemoryStream in(out.GetData(), out.GetSize());
    CTarnMem loaded;
    loaded.LoadFrom(in);
    EXPECT_EQ(in.GetError(), 0);
    EXPECT_EQ(Bytes(loaded), bytes);
    EXPECT_EQ(loaded.GetCapacity(), 300032) << "the capacity rule of the final size";

    // The same count one byte short fails and keeps nothing.
    CTarnMemoryStream short_in(out.GetData(), out.GetSize() - 1);
    loaded.LoadFrom(short_in);
    EXPECT_EQ(short_in.GetError(), -3);
    EXPECT_EQ(loaded.GetData(), nullptr);
}

TEST(TarnMem, StreamErrorsStopLoadingAndSaving) {
    CTarnMem buffer = BufferOf({1, 2, 3});
    CTarnMemoryStream broken;
    broken.SetError(-4);
    buffer.SaveTo(broken);
    EXPECT_EQ(broken.GetSize(), 0);
    buffer.LoadFrom(broken);
    EXPECT_EQ(Bytes(buffer), (ByteList{1, 2, 3}));

    // A medium that fills up after the count.
    CTarnMemoryStream small(6);
    buffer.SaveTo(small);
    EXPECT_EQ(small.GetError(), -4);
    EXPECT_EQ(small.GetSize(), 4);
}

TEST(TarnMem, RefusesToSaveMoreThanACountCanSay) {
    CTarnMem buffer;
    // Allocated but never touched, so it costs address space only.
    buffer.SetSize(int64_t{INT32_MAX} + 1);
    CTarnMemoryStream out;
    buffer.SaveTo(out);
    EXPECT_EQ(out.GetError(), -4);
    EXPECT_EQ(out.GetSize(), 0);
}

TEST(TarnMem, DumpShowsHeaderAndHexLines) {
    const struct {
        ByteList bytes;
        int32_t limit;
        std::u16string text;
    } cases[] = {
        {{}, 0, u"<字节集> 总共 0 个字节:"},
        {{0x00, 0x7F, 0x20},
         0,
         u"<字节集> 总共 3 个字节:\r\n[00000000]: 00 7F 20" + std::u16string(39, u' ') + u" | .. "},
        {{'A', 'B', 'C'},
         2,
         u"<字节集> 总共 3 个字节,输出了 2 个,还有 1 个未被输出.\r\n[00000000]: 41 42" +
             std::u16string(42, u' ') + u" | AB"},
    };
    for (const auto& c : cases) {
        CWString out;
        BufferOf(c.bytes).DumpText(out, c.limit);
        EXPECT_EQ(Value(out), c.text);
    }
}

TEST(TarnMem, DumpCutsFullLinesAndAppliesTheLimits) {
    ByteList bytes;
    for (int i = 0; i < 1100; ++i) {
        bytes.push_back(static_cast<uint8_t>(0x41 + i % 16));
    }
    CTarnMem buffer = BufferOf(bytes);
    CWString out;
    buffer.DumpText(out, 0);
    const std::u16string text = Value(out);
    EXPECT_EQ(text.rfind(u"<字节集> 总共 1100 个字节,输出了 1024 个,还有 76 个未被输出.", 0), 0u);
    const std::u16string second_line =
        u"\r\n[00000010]: 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 | ABCDEFGHIJKLMNOP";
    EXPECT_NE(text.find(second_line), std::u16string::npos);
    EXPECT_NE(text.find(u"\r\n[000003F0]:"), std::u16string::npos);
    EXPECT_EQ(text.find(u"\r\n[00000400]:"), std::u16string::npos);

    CWString all;
    buffer.DumpText(all, -1);
    EXPECT_EQ(Value(all).rfind(u"<字节集> 总共 1100 个字节:", 0), 0u);
    const std::u16string last_line = u"\r\n[00000440]: 41 42 43 44 45 46 47 48 49 4A 4B 4C" +
                                     std::u16string(12, u' ') + u" | ABCDEFGHIJKL";
    EXPECT_EQ(Value(all).substr(Value(all).size() - last_line.size()), last_line);
}

} // namespace
