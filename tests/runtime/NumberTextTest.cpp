#include "runtime/NumberText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Int64ToText, WritesDecimalTextAndTheSmallestValueAsConstant) {
    const std::pair<int64_t, std::u16string> cases[] = {
        {0, u"0"},
        {-1, u"-1"},
        {4294967295LL, u"4294967295"},
        {INT64_MAX, u"9223372036854775807"},
        {INT64_MIN + 1, u"-9223372036854775807"},
    };
    for (const auto& [value, expected] : cases) {
        char16_t area[kNumberTextUnits];
        const char16_t* text = Int64ToText(value, area);
        EXPECT_EQ(text, area);
        EXPECT_EQ(std::u16string(text), expected);
    }
}

TEST(Int64ToText, SmallestValueLeavesTheAreaUntouched) {
    char16_t area[kNumberTextUnits] = {u'x', 0};
    const char16_t* text = Int64ToText(INT64_MIN, area);
    EXPECT_NE(text, area);
    EXPECT_EQ(std::u16string(text), u"-9223372036854775808");
    EXPECT_EQ(std::u16string(area), u"x");
}

} // namespace
