#include "values/Geometry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/ObjectStream.h"
#include "runtime/TextArray.h"
#include "runtime/WString.h"
#include "tests/runtime/RuntimeTestSupport.h"

namespace {

using rg_tarn_base::rg_CheCunLei;
using rg_tarn_base::rg_KuoZhanDuiXiangLei;
using rg_tarn_base::rg_WeiZhiLei;
using rg_tarn_base::rg_WenBenShuZuLei;
using runtime_test::Bytes;
using runtime_test::PoolBalance;
using runtime_test::StreamOf;
using runtime_test::Value;

using ByteList = std::vector<uint8_t>;

static_assert(sizeof(rg_WeiZhiLei) == sizeof(CTarnObject) + 8,
              "two 32-bit fields after the header");
static_assert(sizeof(rg_CheCunLei) == sizeof(CTarnObject) + 8,
              "two 32-bit fields after the header");

std::u16string Dump(const CTarnObject& object) {
    CWString out(u"previous");
    object.DumpText(out, 0);
    return Value(out);
}

TEST(Geometry, RecordsAndKinds) {
    rg_WeiZhiLei position;
    rg_CheCunLei size;
    EXPECT_STREQ(position.GetClassInfo().name, "rg_tarn_base::rg_WeiZhiLei");
    EXPECT_STREQ(size.GetClassInfo().name, "rg_tarn_base::rg_CheCunLei");
    for (const CTarnObject* object :
         {static_cast<const CTarnObject*>(&position), static_cast<const CTarnObject*>(&size)}) {
        EXPECT_TRUE(object->IsKindOf(rg_KuoZhanDuiXiangLei::ClassRecord()));
        EXPECT_TRUE(object->IsKindOf(CTarnObject::ClassRecord()));
        EXPECT_FALSE(object->IsKindOf(rg_WenBenShuZuLei::ClassRecord()));
    }
    EXPECT_FALSE(position.IsKindOf(rg_CheCunLei::ClassRecord()));
    EXPECT_FALSE(size.IsKindOf(rg_WeiZhiLei::ClassRecord()));
    CTarnObject* made = rg_CheCunLei::ClassRecord().create();
    EXPECT_TRUE(made->IsEqual(size));
    FreeObject(made);
}

TEST(Geometry, Texts) {
    const struct {
        rg_WeiZhiLei position;
        std::u16string text;
    } positions[] = {
        {{10, -5}, u"{ 横向位置: 10; 纵向位置: -5 }"},
        {{0, 0}, u"{ 横向位置: 0; 纵向位置: 0 }"},
        {{INT32_MIN, INT32_MAX}, u"{ 横向位置: -2147483648; 纵向位置: 2147483647 }"},
    };
    for (const auto& c : positions) {
        EXPECT_EQ(Dump(c.position), c.text);
    }
    const struct {
        rg_CheCunLei size;
        std::u16string text;
    } sizes[] = {
        {{592, 128}, u"{ 宽度: 592; 高度: 128 }"},
        {{-1, 0}, u"{ 宽度: -1; 高度: 0 }"},
        {{0, -2147483647 - 1}, u"{ 宽度: 0; 高度: -2147483648 }"},
    };
    for (const auto& c : sizes) {
        EXPECT_EQ(Dump(c.size), c.text);
    }
}

TEST(Geometry, PositionAndSizeWithTheSameNumbersDiffer) {
    rg_WeiZhiLei position(3, 4);
    rg_CheCunLei size(3, 4);
    EXPECT_FALSE(position.IsEqual(size));
    EXPECT_FALSE(size.IsEqual(position));
    EXPECT_FALSE(position.CopyFrom(size));
    EXPECT_FALSE(size.CopyFrom(position));
    size.width = 9;
    EXPECT_FALSE(position.CopyFrom(size));
    EXPECT_EQ(position.horizontal, 3) << "unchanged";
    // The common base takes either one's header.
    rg_KuoZhanDuiXiangLei base;
    position.extra = 8;
    EXPECT_TRUE(base.CopyFrom(position));
    EXPECT_EQ(base.extra, 8u);
}

TEST(Geometry, EqualityCopyAndReset) {
    PoolBalance balance;
    const struct {
        rg_WeiZhiLei other;
        bool equal;
    } cases[] = {
        {{1, 2}, true},
        {{2, 1}, false},
        {{1, 3}, false},
        {{0, 2}, false},
    };
    const rg_WeiZhiLei position(1, 2);
    for (const auto& c : cases) {
        EXPECT_EQ(position.IsEqual(c.other), c.equal);
    }
    rg_CheCunLei size(-7, 11);
    size.flags = 1;
    size.extra = 2;
    rg_CheCunLei* clone = size.Clone();
    EXPECT_TRUE(clone->IsEqual(size));
    EXPECT_EQ(clone->width, -7);
    rg_CheCunLei copy;
    EXPECT_TRUE(copy.CopyFrom(size));
    EXPECT_EQ(copy.height, 11);
    EXPECT_EQ(copy.extra, 2u);
    EXPECT_TRUE(copy.IsEqual(*clone));
    copy.Reset();
    EXPECT_TRUE(copy.IsEqual(rg_CheCunLei()));
    EXPECT_EQ(copy.flags, 0u);
    FreeObject(clone);
}

TEST(Geometry, StreamFormIsTwoLittleEndianInt32) {
    CTarnMemoryStream out;
    rg_WeiZhiLei(10, -5).SaveTo(out);
    rg_CheCunLei(0x01020304, 592).SaveTo(out);
    EXPECT_EQ(Bytes(out),
              (ByteList{10, 0, 0, 0, 0xFB, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1, 0x50, 2, 0, 0}));

    CTarnMemoryStream in(out.GetData(), out.GetSize());
    rg_WeiZhiLei position;
    rg_CheCunLei size;
    position.LoadFrom(in);
    size.LoadFrom(in);
    EXPECT_EQ(in.GetError(), 0);
    EXPECT_TRUE(position.IsEqual(rg_WeiZhiLei(10, -5)));
    EXPECT_TRUE(size.IsEqual(rg_CheCunLei(0x01020304, 592)));
}

TEST(Geometry, LoadFromAShortStreamKeepsWhatArrived) {
    const ByteList full = {1, 0, 0, 0, 2, 0, 0, 0};
    const struct {
        size_t bytes;
        int32_t first;
        int32_t second;
        int32_t error;
    } cases[] = {
        {0, 77, 88, -3}, {3, 77, 88, -3}, {4, 1, 88, -3},
        {6, 1, 88, -3},  {7, 1, 88, -3},  {8, 1, 2, 0},
    };
    for (const auto& c : cases) {
        const ByteList prefix(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(c.bytes));
        rg_WeiZhiLei position(77, 88);
        CTarnMemoryStream position_in = StreamOf(prefix);
        position.LoadFrom(position_in);
        EXPECT_EQ(position_in.GetError(), c.error) << c.bytes;
        EXPECT_EQ(position.horizontal, c.first) << c.bytes;
        EXPECT_EQ(position.vertical, c.second) << c.bytes;

        rg_CheCunLei size(77, 88);
        CTarnMemoryStream size_in = StreamOf(prefix);
        size.LoadFrom(size_in);
        EXPECT_EQ(size_in.GetError(), c.error) << c.bytes;
        EXPECT_EQ(size.width, c.first) << c.bytes;
        EXPECT_EQ(size.height, c.second) << c.bytes;
    }
}

TEST(Geometry, StreamsInErrorAreLeftAlone) {
    CTarnMemoryStream in = StreamOf({1, 0, 0, 0, 2, 0, 0, 0});
    in.SetError(-4);
    rg_WeiZhiLei position(5, 6);
    position.LoadFrom(in);
    EXPECT_EQ(in.GetPosition(), 0);
    EXPECT_TRUE(position.IsEqual(rg_WeiZhiLei(5, 6)));

    CTarnMemoryStream out(6);
    rg_CheCunLei(1, 2).SaveTo(out);
    EXPECT_EQ(out.GetError(), -4);
    EXPECT_EQ(Bytes(out), (ByteList{1, 0, 0, 0})) << "the first field fitted";
}

} // namespace
