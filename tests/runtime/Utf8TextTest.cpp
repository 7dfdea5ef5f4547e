#include "runtime/Utf8Text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string Converted(const char* text) {
    const int64_t length = Utf8ToUtf16(text, nullptr, 0);
    std::u16string units(static_cast<size_t>(length), u'#');
    EXPECT_EQ(Utf8ToUtf16(text, units.data(), length), length);
    return units;
}

TEST(Utf8ToUtf16, WellFormedText) {
    const struct {
        const char* utf8;
        std::u16string utf16;
    } cases[] = {
        {"", u""},
        {"CTarnObject", u"CTarnObject"},
        {"\x7F", u"\x7F"},
        {"\xC2\x80", u"\u0080"},
        {"\xDF\xBF", u"\u07FF"},
        {"\xE0\xA0\x80", u"\u0800"},
        {"\xE4\xB8\xAD\xE6\x96\x87", u"\u4E2D\u6587"},
        {"\xED\x9F\xBF", u"\uD7FF"},
        {"\xEE\x80\x80", u"\uE000"},
        {"\xEF\xBF\xBF", u"\uFFFF"},
        {"\xF0\x90\x80\x80", u"\U00010000"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Converted(c.utf8), c.utf16) << c.utf8;
    }
    EXPECT_EQ(Utf8ToUtf16(nullptr, nullptr, 0), 0);
}

TEST(Utf8ToUtf16, EachMaximalIllFormedPartBecomesOneReplacement) {
    const struct {
        const char* utf8;
        std::u16string utf16;
    } cases[] = {
        {"\x80", u"\uFFFD"},
        {"a\xBF"
         "b",
         u"a\uFFFDb"},
        {"\xC0\xAF", u"\uFFFD\uFFFD"}, // overlong lead
        {"\xC1\xBF", u"\uFFFD\uFFFD"},
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"}, // overlong three-byte form
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"}, // an encoded surrogate
        {"\xF0\x8F\xBF\xBF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // beyond U+10FFFF
        {"\xF5\x80", u"\uFFFD\uFFFD"},
        {"\xFF", u"\uFFFD"},
        {"\xC2"
         "A",
         u"\uFFFDA"}, // cut short by another character
        {"\xE4\xB8"
         "A",
         u"\uFFFDA"},
        {"\xF0\x9F\x98"
         "A",
         u"\uFFFDA"},
        {"\xE4\xB8", u"\uFFFD"}, // cut short by the terminator
        {"\xE4\xB8\xE4\xB8\xAD", u"\uFFFD\u4E2D"},
        {"\xC2\xC2\x80", u"\uFFFD\u0080"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Converted(c.utf8), c.utf16) << c.utf8;
    }
}

TEST(Utf8ToUtf16, WritesOnlyWhatFits) {
    char16_t area[3] = {u'#', u'#', u'#'};
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80z", area, 2), 3);
    EXPECT_EQ(std::u16string(area, 3), u"\xD83D\xDE00#");
}

} // namespace
