#include "runtime/ObjectStream.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/runtime/RuntimeTestSupport.h"

namespace {

using runtime_test::Bytes;

TEST(ObjectStream, CountsAreLittleEndian) {
    CTarnMemoryStream out;
    EXPECT_TRUE(out.WriteInt32(0x01020304));
    EXPECT_TRUE(out.WriteInt32(-2));
    EXPECT_EQ(Bytes(out), (std::vector<uint8_t>{4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF}));
    CTarnMemoryStream in(out.GetData(), out.GetSize());
    int32_t a = 0;
    int32_t b = 0;
    EXPECT_TRUE(in.ReadInt32(a));
    EXPECT_TRUE(in.ReadInt32(b));
    EXPECT_EQ(a, 0x01020304);
    EXPECT_EQ(b, -2);
}

TEST(ObjectStream, ShortReadIsStickyAndStopsEverything) {
    const uint8_t bytes[] = {1, 2, 3};
    CTarnMemoryStream stream(bytes, 3);
    uint8_t area[4] = {};
    EXPECT_TRUE(stream.ReadBytes(area, 0));
    EXPECT_TRUE(stream.ReadBytes(area, 2));
    EXPECT_FALSE(stream.ReadBytes(area, 2));
    EXPECT_EQ(stream.GetError(), -3);
    // Once in error nothing is read or written, not even what is there.
    EXPECT_FALSE(stream.ReadBytes(area, 0));
    EXPECT_FALSE(stream.WriteBytes(area, 1));
    stream.SetError(-4);
    EXPECT_EQ(stream.GetError(), -3) << "the first error stays";
}

TEST(ObjectStream, NegativeLengthsAndFullMedia) {
    uint8_t area[2] = {};
    CTarnMemoryStream reader(area, 2);
    EXPECT_FALSE(reader.ReadBytes(area, -1));
    EXPECT_EQ(reader.GetError(), -3);

    CTarnMemoryStream writer;
    EXPECT_FALSE(writer.WriteBytes(area, -1));
    EXPECT_EQ(writer.GetError(), -3);

    CTarnMemoryStream bounded(3);
    EXPECT_TRUE(bounded.WriteBytes(area, 2));
    EXPECT_FALSE(bounded.WriteBytes(area, 2));
    EXPECT_EQ(bounded.GetError(), -4);
    EXPECT_EQ(bounded.GetSize(), 2) << "a failed write adds nothing";
    EXPECT_FALSE(bounded.WriteBytes(area, 1));
}

TEST(ObjectStream, CountedWritesGiveTheCountThenTheBytes) {
    const uint8_t bytes[] = {7, 8, 9};
    CTarnMemoryStream out;
    EXPECT_TRUE(out.WriteCounted(bytes, 3));
    EXPECT_TRUE(out.WriteCounted(nullptr, 0));
    EXPECT_EQ(Bytes(out), (std::vector<uint8_t>{3, 0, 0, 0, 7, 8, 9, 0, 0, 0, 0}));
    EXPECT_EQ(out.GetError(), 0);

    // Bytes beyond a 32-bit count are refused before anything is written;
    // they are never read.
    CTarnMemoryStream large;
    EXPECT_FALSE(large.WriteCounted(bytes, int64_t{INT32_MAX} + 1));
    EXPECT_EQ(large.GetError(), -4);
    EXPECT_EQ(large.GetSize(), 0);

    // A medium full after the count keeps the count and the write error.
    CTarnMemoryStream bounded(5);
    EXPECT_FALSE(bounded.WriteCounted(bytes, 3));
    EXPECT_EQ(bounded.GetError(), -4);
    EXPECT_EQ(Bytes(bounded), (std::vector<uint8_t>{3, 0, 0, 0}));
    EXPECT_FALSE(bounded.WriteCounted(bytes, 0)) << "nothing is written after an error";
    EXPECT_EQ(bounded.GetSize(), 4);
}

} // namespace
