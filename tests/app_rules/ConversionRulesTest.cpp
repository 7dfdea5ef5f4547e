#include "app/ConversionRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using rg_tarn_app::ConvertAbaToTrack;
using rg_tarn_app::ConvertTrackToAba;

std::u16string Decimal(int64_t value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

struct AbaCase {
    std::u16string aba;
    std::u16string spt;
    std::u16string track;
    std::u16string offset;
};

TEST(ConvertAbaToTrack, GivesTrackAndOffset) {
    const AbaCase cases[] = {
        {u"1000", u"63", u"241", u"55"},
        {u"63", u"63", u"255", u"0"},
        {u"62", u"63", u"256", u"62"},
        {u"100000", u"63", u"-1331", u"19"},
        {u" 12xy", u"5", u"254", u"2"},
        {u"+7", u"7", u"255", u"0"},
        {u"2147483647", u"2147483647", u"255", u"0"},
        {u"2147483647", u"1", u"-2147483391", u"0"},
        // ABAs beyond 32 bits are read and divided whole; only the ends of
        // the 64-bit range saturate.
        {u"4294967295", u"16843009", u"1", u"0"},
        {u"99999999999", u"1", u"-99999999743", u"0"},
        {u"2147483648", u"2147483647", u"255", u"1"},
        {u"99999999999999999999", u"1", u"-9223372036854775551", u"0"},
        {u"9223372036854775807", u"2147483647", u"-4294967042", u"1"},
        {u"9223372036854775808", u"1", u"-9223372036854775551", u"0"},
        {u"547608329985", u"2147483647", u"1", u"0"},
        {u"547608329984", u"2147483647", u"2", u"2147483646"},
        {u"\uFF14\uFF12\uFF19\uFF14\uFF19\uFF16\uFF17\uFF12\uFF19\uFF15", u"16843009", u"1", u"0"},
        {u"\u3000+\u0664\u0662\u0669\u0664\u0669\u0666\u0667\u0662\u0669\u0666x", u"2",
         u"-2147483392", u"0"},
        // SPT stays a 32-bit input: beyond its range it saturates.
        {u"4294967296", u"4294967296", u"254", u"2"},
        {u"\uFF11\uFF10\uFF10\uFF10", u"63", u"241", u"55"},
        {u"\u30001000", u"\uFF16\uFF13", u"241", u"55"},
    };
    for (const AbaCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        auto result = ConvertAbaToTrack(c.aba.c_str(), c.spt.c_str());
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(std::u16string(result->track), c.track);
        EXPECT_EQ(std::u16string(result->offset), c.offset);
    }
}

TEST(ConvertAbaToTrack, MissingOrNonPositiveInputGivesNothing) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"0", u"63"},
        {u"1000", u"0"},
        {u"", u"63"},
        {u"1000", u""},
        {u"abc", u"63"},
        {u"1000", u"xyz"},
        {u"-5", u"63"},
        {u"0x10", u"63"},
        {u"1000", u"-63"},
        {u"-99999999999", u"-1"},
        {u"-4294967295", u"1"},
        {u"-99999999999999999999", u"1"},
        {u"1", u"-99999999999999999999"},
    };
    for (const auto& [aba, spt] : cases) {
        EXPECT_FALSE(ConvertAbaToTrack(aba.c_str(), spt.c_str()).has_value());
    }
}

// Every positive ABA the track-to-ABA conversion prints reads back to the
// track it came from, at offset 0, and the block before it to the next track
// at offset SPT - 1.
TEST(ConvertAbaToTrack, ReadsBackEveryAbaOfATrack) {
    const int32_t spts[] = {1, 63, 255, 65536, 16843009, 2147483647};
    for (int32_t spt : spts) {
        const std::u16string sptText = Decimal(spt);
        for (int32_t track = 1; track <= 255; ++track) {
            SCOPED_TRACE(testing::Message() << "SPT " << spt << " track " << track);
            const auto aba = ConvertTrackToAba(sptText.c_str(), Decimal(track).c_str());
            ASSERT_FALSE(aba.missingInput);
            const auto back = ConvertAbaToTrack(aba.aba, sptText.c_str());
            ASSERT_TRUE(back.has_value());
            EXPECT_EQ(std::u16string(back->track), Decimal(track));
            EXPECT_EQ(std::u16string(back->offset), u"0");
            const std::u16string before = Decimal(int64_t{256 - track} * spt - 1);
            const auto previous = ConvertAbaToTrack(before.c_str(), sptText.c_str());
            ASSERT_EQ(previous.has_value(), before != u"0");
            if (previous) {
                EXPECT_EQ(std::u16string(previous->track), Decimal(track + 1));
                EXPECT_EQ(std::u16string(previous->offset), Decimal(spt - 1));
            }
        }
    }
}

// Up to 2147483647 the wide reading changes nothing: the results are those of
// 32-bit arithmetic on the 32-bit reading, whatever follows the digits.
TEST(ConvertAbaToTrack, AbasInThe32BitRangeGiveWhatTheyGaveBefore) {
    const int32_t abas[] = {1, 62, 63, 1000, 100000, 65535, 16777216, 2147483646, 2147483647};
    const int32_t spts[] = {1, 2, 63, 255, 4096, 16843009, 2147483646, 2147483647};
    const std::u16string tails[] = {u"", u"abc", u" 5", u"-9"};
    size_t next = 0;
    for (int32_t aba : abas) {
        for (int32_t spt : spts) {
            const std::u16string abaText = u" +" + Decimal(aba) + tails[next++ % 4];
            const auto result = ConvertAbaToTrack(abaText.c_str(), Decimal(spt).c_str());
            ASSERT_TRUE(result.has_value());
            EXPECT_EQ(std::u16string(result->track), Decimal(256 - aba / spt)) << aba << " " << spt;
            EXPECT_EQ(std::u16string(result->offset), Decimal(aba % spt)) << aba << " " << spt;
        }
    }
}

TEST(ConvertTrackToAba, GivesTheAba) {
    const std::tuple<std::u16string, std::u16string, std::u16string> cases[] = {
        {u"63", u"255", u"63"},
        {u"63", u"256", u"0"},
        {u"10", u"300", u"-440"},
        {u"63", u"1", u"16065"},
        // The product needs more than 32 bits: it must not wrap to -1.
        {u"16843009", u"1", u"4294967295"},
        {u"2147483647", u"1", u"547608329985"},
        {u"2147483647", u"2147483647", u"-4611685464376606977"},
    };
    for (const auto& [spt, track, aba] : cases) {
        auto result = ConvertTrackToAba(spt.c_str(), track.c_str());
        ASSERT_FALSE(result.missingInput);
        EXPECT_EQ(std::u16string(result.aba), aba);
    }
}

TEST(ConvertTrackToAba, MissingInputIsReportedWithItsTexts) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"63", u"0"},    {u"63", u""},   {u"", u"255"},    {u"0", u"255"},
        {u"-63", u"255"}, {u"63", u"-1"}, {u"abc", u"def"},
    };
    for (const auto& [spt, track] : cases) {
        auto result = ConvertTrackToAba(spt.c_str(), track.c_str());
        EXPECT_TRUE(result.missingInput);
        EXPECT_EQ(std::u16string(result.aba), u"");
    }
    EXPECT_EQ(std::u16string(rg_tarn_app::kMissingInputMessage),
              u"\u8BF7\u8F93\u5165spt\u6570\u503C\u53CA\u53E6\u5916\u4E24\u4E2A\u4E2D\u7684"
              u"\u4E00\u4E2A\u6570\u503C");
    EXPECT_EQ(std::u16string(rg_tarn_app::kMissingInputCaption), u"\u9519\u8BEF\u63D0\u793A");
}

} // namespace
