#include "runtime/IntegerText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ReadCase {
    std::u16string text;
    int32_t expected;
};

TEST(TextToInt32, ReadsLikeWcstolAndSaturates) {
    const ReadCase cases[] = {
        {u"  -42abc", -42},
        {u"abc", 0},
        {u"", 0},
        {u"+7", 7},
        {u"-", 0},
        {u"+", 0},
        {u"+-5", 0},
        {u"- 5", 0},
        {u" 12xy", 12},
        {u"0x10", 0},
        {u"007", 7},
        {u"99999999999", INT32_MAX},
        {u"-99999999999", INT32_MIN},
        {u"2147483647", INT32_MAX},
        {u"2147483648", INT32_MAX},
        {u"-2147483648", INT32_MIN},
        {u"-2147483649", INT32_MIN},
        {u"-0", 0},
        // Many digits after saturation must not wrap back into range.
        {u"429496729600000000000000000000001", INT32_MAX},
        {u"-000000000000000000000000000000012", -12},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(TextToInt32(c.text.c_str()), c.expected)
            << "text of " << c.text.size() << " units";
    }
}

TEST(TextToInt32, NullTextReadsAsZero) {
    EXPECT_EQ(TextToInt32(nullptr), 0);
}

TEST(TextToInt32, SkipsUnicodeSpaceButNotOtherUnits) {
    EXPECT_EQ(TextToInt32(u"\u30005"), 5);
    EXPECT_EQ(TextToInt32(u"\t\n\v\f\r 9"), 9);
    EXPECT_EQ(TextToInt32(u"\u00A0\u2003\u202F\u205F3"), 3);
    // Zero-width and other format characters are not white space.
    EXPECT_EQ(TextToInt32(u"\u200B3"), 0);
    EXPECT_EQ(TextToInt32(u"\uFEFF3"), 0);
    // White space after the sign ends the reading.
    EXPECT_EQ(TextToInt32(u"-\u30005"), 0);
}

TEST(TextToInt32, AcceptsEveryDigitRangeMixed) {
    const char16_t starts[] = {0x0030, 0x0660, 0x06F0, 0x0966, 0x09E6, 0x0A66,
                               0x0AE6, 0x0B66, 0x0C66, 0x0CE6, 0x0D66, 0x0E50,
                               0x0ED0, 0x0F20, 0x1040, 0x17E0, 0x1810, 0xFF10};
    for (char16_t start : starts) {
        const char16_t nine[] = {static_cast<char16_t>(start + 9), static_cast<char16_t>(start + 1),
                                 0};
        EXPECT_EQ(TextToInt32(nine), 91) << "range starting at " << int(start);
        // The units just outside the range are not digits.
        const char16_t before[] = {static_cast<char16_t>(start - 1), 0};
        const char16_t after[] = {static_cast<char16_t>(start + 10), 0};
        EXPECT_EQ(TextToInt32(before), 0) << int(start);
        EXPECT_EQ(TextToInt32(after), 0) << int(start);
    }
    EXPECT_EQ(TextToInt32(u"\uFF11\uFF12"), 12);
    EXPECT_EQ(TextToInt32(u"\uFF111\u0662\u0969"), 1123);
    EXPECT_EQ(TextToInt32(u"-\uFF15"), -5);
}

TEST(Int32ToText, WritesLikePercentD) {
    const std::pair<int32_t, std::u16string> cases[] = {
        {0, u"0"},
        {-1, u"-1"},
        {7, u"7"},
        {10, u"10"},
        {-1331, u"-1331"},
        {INT32_MIN, u"-2147483648"},
        {INT32_MAX, u"2147483647"},
    };
    for (const auto& [value, expected] : cases) {
        char16_t area[kNumberTextUnits];
        EXPECT_EQ(Int32ToText(value, area), area);
        EXPECT_EQ(std::u16string(area), expected);
    }
}

TEST(IntegerText, RoundTripsAcrossTheRange) {
    for (int64_t v = INT32_MIN; v <= INT32_MAX; v += 65537 * 13) {
        char16_t area[kNumberTextUnits];
        EXPECT_EQ(TextToInt32(Int32ToText(static_cast<int32_t>(v), area)), v);
    }
}

} // namespace
