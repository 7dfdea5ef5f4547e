#include "app/ConversionRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using rg_tarn_app::ConvertAbaToTrack;
using rg_tarn_app::ConvertTrackToAba;

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
        {u"99999999999", u"1", u"-2147483391", u"0"},
        {u"2147483647", u"2147483647", u"255", u"0"},
        {u"\uFF11\uFF10\uFF10\uFF10", u"63", u"241", u"55"},
        {u"\u30001000", u"\uFF16\uFF13", u"241", u"55"},
    };
    for (const AbaCase& c : cases) {
        auto result = ConvertAbaToTrack(c.aba.c_str(), c.spt.c_str());
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(std::u16string(result->track), c.track);
        EXPECT_EQ(std::u16string(result->offset), c.offset);
    }
}

TEST(ConvertAbaToTrack, MissingOrNonPositiveInputGivesNothing) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"0", u"63"},     {u"1000", u"0"},          {u"", u"63"},   {u"1000", u""},
        {u"abc", u"63"},   {u"1000", u"xyz"},        {u"-5", u"63"}, {u"0x10", u"63"},
        {u"1000", u"-63"}, {u"-99999999999", u"-1"},
    };
    for (const auto& [aba, spt] : cases) {
        EXPECT_FALSE(ConvertAbaToTrack(aba.c_str(), spt.c_str()).has_value());
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
