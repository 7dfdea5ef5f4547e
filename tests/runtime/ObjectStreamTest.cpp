#include "runtime/ObjectStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/TarnMem.h"
#include "runtime/TextArray.h"
#include "runtime/WString.h"
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

// A medium that answers at most a few bytes per request, as a pipe or a
// socket does; a misbehaving one can claim more than it was asked for.
class PiecewiseStream : public CTarnObjectStream {
public:
    PiecewiseStream(std::vector<uint8_t> bytes, int64_t piece, int64_t overclaim = 0)
        : bytes_(std::move(bytes)), piece_(piece), overclaim_(overclaim) {}

    int64_t Requests() const { return requests_; }

protected:
    int64_t ReadSome(void* area, int64_t n) override {
        ++requests_;
        const int64_t left = static_cast<int64_t>(bytes_.size()) - position_;
        const int64_t count = std::min({n, piece_, left});
        std::copy_n(bytes_.begin() + position_, count, static_cast<uint8_t*>(area));
        position_ += count;
        return count > 0 ? count + overclaim_ : count;
    }
    bool WriteAll(const void* /*area*/, int64_t /*n*/) override { return false; }

private:
    std::vector<uint8_t> bytes_;
    int64_t piece_;
    int64_t overclaim_;
    int64_t position_ = 0;
    int64_t requests_ = 0;
};

// The saved form of a value, to be read back through a piecewise medium.
template <typename T> std::vector<uint8_t> Saved(const T& value) {
    CTarnMemoryStream out;
    value.SaveTo(out);
    return Bytes(out);
}

TEST(ObjectStream, ReadsCollectTheBytesOfAMediumThatAnswersInPieces) {
    const struct {
        int64_t piece;
        size_t available;
        int64_t wanted;
        bool ok;
    } cases[] = {
        {1, 10, 10, true},  {1, 10, 4, true},  {3, 10, 10, true}, {4, 10, 7, true},
        {1, 10, 11, false}, {3, 7, 8, false},  {1, 0, 1, false},  {5, 5, 5, true},
        {100, 3, 3, true},  {2, 65, 65, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("pieces of " + std::to_string(c.piece) + ", " + std::to_string(c.wanted) +
                     " of " + std::to_string(c.available) + " bytes");
        std::vector<uint8_t> bytes(c.available);
        for (size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<uint8_t>(i + 1);
        }
        PiecewiseStream stream(bytes, c.piece);
        std::vector<uint8_t> area(static_cast<size_t>(c.wanted), 0);
        EXPECT_EQ(stream.ReadBytes(area.data(), c.wanted), c.ok);
        EXPECT_EQ(stream.GetError(), c.ok ? 0 : -3);
        if (c.ok) {
            EXPECT_EQ(area, std::vector<uint8_t>(bytes.begin(), bytes.begin() + c.wanted));
        }
    }
}

TEST(ObjectStream, AMediumClaimingMoreThanAskedIsAReadError) {
    PiecewiseStream stream({1, 2, 3, 4, 5, 6}, 2, 5);
    uint8_t area[6] = {};
    EXPECT_FALSE(stream.ReadBytes(area, 6));
    EXPECT_EQ(stream.GetError(), -3);
}

TEST(ObjectStream, ValuesLoadThroughAMediumAnsweringOneByteAtATime) {
    runtime_test::PoolBalance balance;
    CTarnMem bytes;
    for (int i = 0; i < 300; ++i) {
        bytes.AppendBytes("\x01\x02\x03", 3);
    }
    PiecewiseStream bytes_in(Saved(bytes), 1);
    CTarnMem bytes_loaded;
    bytes_loaded.LoadFrom(bytes_in);
    EXPECT_EQ(bytes_in.GetError(), 0);
    EXPECT_TRUE(bytes_loaded.IsEqual(bytes));
    EXPECT_EQ(bytes_in.Requests(), 4 + 900) << "one request per byte";

    const CWString text(u"磁道 16065, ABA 1000");
    PiecewiseStream text_in(Saved(text), 1);
    CWString text_loaded;
    text_loaded.LoadFrom(text_in);
    EXPECT_EQ(text_in.GetError(), 0);
    EXPECT_EQ(runtime_test::Value(text_loaded), runtime_test::Value(text));

    rg_tarn_base::rg_WenBenShuZuLei list;
    list.AddText(u"first");
    list.AddText(u"第二");
    PiecewiseStream list_in(Saved(list), 1);
    rg_tarn_base::rg_WenBenShuZuLei list_loaded;
    list_loaded.LoadFrom(list_in);
    EXPECT_EQ(list_in.GetError(), 0);
    EXPECT_TRUE(list_loaded.IsEqual(list));

    // A medium that runs dry halfway is still a short read.
    std::vector<uint8_t> cut = Saved(text);
    cut.resize(cut.size() - 3);
    PiecewiseStream cut_in(cut, 1);
    CWString cut_loaded(u"before");
    cut_loaded.LoadFrom(cut_in);
    EXPECT_EQ(cut_in.GetError(), -3);
    EXPECT_TRUE(cut_loaded.IsEmpty());
}

} // namespace
