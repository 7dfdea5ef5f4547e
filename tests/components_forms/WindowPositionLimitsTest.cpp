#include "components/WindowPositionLimits.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "runtime/ObjectStream.h"

namespace {

using rg_tarn_MFCJieMian_base::rg_ChuangKouWeiZhiXianZhiXinXi;

static_assert(sizeof(rg_ChuangKouWeiZhiXianZhiXinXi) == sizeof(CTarnObject) +
                                                            3 * sizeof(rg_tarn_base::rg_CheCunLei) +
                                                            sizeof(rg_tarn_base::rg_WeiZhiLei),
              "four embedded value objects after the header");

rg_ChuangKouWeiZhiXianZhiXinXi Sample() {
    rg_ChuangKouWeiZhiXianZhiXinXi limits;
    limits.MaxSize = {800, 600};
    limits.MaxPosition = {-4, -5};
    limits.MinTrackSize = {400, 300};
    limits.MaxTrackSize = {1200, 900};
    limits.extra = 7;
    return limits;
}

std::vector<int32_t> Numbers(const rg_ChuangKouWeiZhiXianZhiXinXi& limits) {
    return {limits.MaxSize.width,        limits.MaxSize.height,     limits.MaxPosition.horizontal,
            limits.MaxPosition.vertical, limits.MinTrackSize.width, limits.MinTrackSize.height,
            limits.MaxTrackSize.width,   limits.MaxTrackSize.height};
}

TEST(WindowPositionLimits, NewIsZeroAndEqualityIsIdentity) {
    rg_ChuangKouWeiZhiXianZhiXinXi limits;
    EXPECT_STREQ(limits.GetClassInfo().name,
                 "rg_tarn_MFCJieMian_base::rg_ChuangKouWeiZhiXianZhiXinXi");
    EXPECT_EQ(Numbers(limits), std::vector<int32_t>(8, 0));
    rg_ChuangKouWeiZhiXianZhiXinXi other;
    EXPECT_TRUE(limits.IsEqual(limits));
    EXPECT_FALSE(limits.IsEqual(other)) << "two objects with the same content are not equal";
    auto* clone = static_cast<rg_ChuangKouWeiZhiXianZhiXinXi*>(limits.Clone());
    EXPECT_FALSE(clone->IsEqual(limits));
    FreeObject(clone);
    EXPECT_TRUE(limits.IsKindOf(CTarnObject::ClassRecord()));
    EXPECT_FALSE(limits.IsKindOf(rg_tarn_base::rg_CheCunLei::ClassRecord()));
}

TEST(WindowPositionLimits, CopyCloneAndReset) {
    const rg_ChuangKouWeiZhiXianZhiXinXi source = Sample();
    rg_ChuangKouWeiZhiXianZhiXinXi copy;
    ASSERT_TRUE(copy.CopyFrom(source));
    EXPECT_EQ(Numbers(copy), Numbers(source));
    EXPECT_EQ(copy.extra, 7u);
    auto* clone = static_cast<rg_ChuangKouWeiZhiXianZhiXinXi*>(source.Clone());
    EXPECT_EQ(Numbers(*clone), Numbers(source));
    FreeObject(clone);
    EXPECT_FALSE(copy.CopyFrom(rg_tarn_base::rg_CheCunLei(1, 2)));
    EXPECT_EQ(Numbers(copy), Numbers(source)) << "a refused copy changed the limits";
    copy.Reset();
    EXPECT_EQ(Numbers(copy), std::vector<int32_t>(8, 0));
    EXPECT_EQ(copy.extra, 0u);
}

TEST(WindowPositionLimits, StreamFormIsTheFourMembersInFieldOrder) {
    const rg_ChuangKouWeiZhiXianZhiXinXi source = Sample();
    CTarnMemoryStream out;
    source.SaveTo(out);
    ASSERT_EQ(out.GetSize(), 32);
    int32_t words[8];
    std::memcpy(words, out.GetData(), sizeof(words));
    EXPECT_EQ(std::vector<int32_t>(words, words + 8), Numbers(source));

    CTarnMemoryStream in(out.GetData(), out.GetSize());
    rg_ChuangKouWeiZhiXianZhiXinXi loaded;
    loaded.LoadFrom(in);
    EXPECT_EQ(in.GetError(), 0);
    EXPECT_EQ(Numbers(loaded), Numbers(source));

    // Twenty bytes fill the first two members and half of the third.
    CTarnMemoryStream shortIn(out.GetData(), 20);
    rg_ChuangKouWeiZhiXianZhiXinXi partial;
    partial.LoadFrom(shortIn);
    EXPECT_NE(shortIn.GetError(), 0);
    const std::vector<int32_t> expect = {800, 600, -4, -5, 400, 0, 0, 0};
    EXPECT_EQ(Numbers(partial), expect);

    CTarnMemoryStream failed;
    failed.SetError(-3);
    source.SaveTo(failed);
    EXPECT_EQ(failed.GetSize(), 0) << "a stream in error was written to";
}

} // namespace
