#include "native/EditInput.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

std::u16string Normalized(int64_t type, const char16_t* text, bool* normalises) {
    char16_t area[kNumberTextUnits];
    area[0] = u'?';
    area[1] = 0;
    *normalises = NormalizeEditText(type, text, area);
    return area;
}

std::string Utf8(const std::u16string& text) {
    std::string out;
    for (char16_t unit : text) {
        if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else {
            out += "\\u" + std::to_string(static_cast<int>(unit));
        }
    }
    return out;
}

TEST(EditInput, NormalisesEachTypeOnLosingFocus) {
    struct Case {
        int64_t type;
        const char16_t* text;
        const char16_t* shown; // null: the type keeps the text as typed
    };
    const Case cases[] = {
        // Kept as typed, whatever they hold.
        {0, u"007", nullptr},
        {1, u"300", nullptr},
        {2, u"0", nullptr},
        {3, u"--1-", nullptr},
        {4, u"1..2", nullptr},
        {14, u"0xff", nullptr},
        {-1, u"12", nullptr},
        // Byte: clamped to 0..255, a lone 0 shows as empty.
        {5, u"300", u"255"},
        {5, u"-5", u""},
        {5, u"007", u"7"},
        {5, u"0", u""},
        {5, u"255", u"255"},
        {5, u"99999999999", u"255"},
        {5, u"abc", u""},
        {5, u"  12x", u"12"},
        {5, u"\uFF11\uFF12", u"12"}, // full-width digits from an input method
        {5, u"", u""},
        // Short: clamped to 16 bits.
        {6, u"40000", u"32767"},
        {6, u"-40000", u"-32768"},
        {6, u"-0", u""},
        {6, u"-123", u"-123"},
        // 32-bit: saturates.
        {7, u"2147483648", u"2147483647"},
        {7, u"-99999999999", u"-2147483648"},
        {7, u"0x10", u""},
        {7, u"42abc", u"42"},
        // 64-bit: saturates beyond 2^64, wraps between 2^63 and 2^64.
        {8, u"9223372036854775807", u"9223372036854775807"},
        {8, u"9223372036854775808", u"-9223372036854775808"},
        {8, u"18446744073709551616", u"9223372036854775807"},
        {8, u"-18446744073709551616", u"-9223372036854775808"},
        {8, u"\t\t", u""},
        {8, u"-000", u""},
        // Single precision: six significant digits.
        {9, u"1.23456789", u"1.23457"},
        {9, u"0", u""},
        {9, u"0.1", u"0.1"},
        {9, u"-0.5", u"-0.5"},
        {9, u"1234567", u"1.23457E+06"},
        {9, u"1e39", u"INF"},
        {9, u"abc", u""},
        // Double precision: thirteen significant digits.
        {10, u"1.23456789", u"1.23456789"},
        {10, u"0.1", u"0.1"},
        {10, u"1e20", u"1E+20"},
        {10, u"12345678901234", u"1.234567890123E+13"},
        {10, u"", u""},
        // Dates in both styles; an unreadable date shows as empty.
        {11, u"2024\u5E742\u670830\u65E5", u"2024\u5E742\u670829\u65E5"},
        {11, u"2024-01-01 12:00", u"2024\u5E741\u67081\u65E512\u65F6"},
        {11, u"2024", u"2024\u5E741\u67081\u65E5"},
        {11, u"2024-01-01x", u""},
        {11, u"", u""},
        {12, u"2/30/2023", u"2/28/2023"},
        {12, u"1/1/2024 12:30:05", u"1/1/2024 12:30:5"}, // no leading zeros,
        {12, u"13/40/2024", u"12/31/2024"},
        {12, u"garbage", u""},
        // Hexadecimal.
        {13, u"0xff", u"FF"},
        {13, u"ff", u"FF"},
        {13, u"0", u""},
        {13, u"0x", u""},
        {13, u"FFFFFFFFFFFFFFFFF", u"FFFFFFFFFFFFFFFF"},
        {13, u"-1", u""},
    };
    for (const Case& c : cases) {
        bool normalises = false;
        const std::u16string shown = Normalized(c.type, c.text, &normalises);
        const std::string label = "type " + std::to_string(c.type) + " text " + Utf8(c.text);
        if (c.shown == nullptr) {
            EXPECT_FALSE(normalises) << label;
            EXPECT_EQ(shown, u"?") << label << ": area touched";
        } else {
            EXPECT_TRUE(normalises) << label;
            EXPECT_EQ(Utf8(shown), Utf8(c.shown)) << label;
        }
    }
    bool normalises = false;
    EXPECT_EQ(Normalized(5, nullptr, &normalises), u"");
    EXPECT_TRUE(normalises);
}

TEST(EditInput, FiltersTypedCharactersByType) {
    // Each row: the type and the characters of the probe it takes.
    const std::u16string probe = u"a-.09 x\x08\x1B+\u4E2D";
    struct Case {
        int64_t type;
        const char16_t* accepted;
    };
    const Case cases[] = {
        {0, u"a-.09 x\x08\x1B+\u4E2D"},
        {1, u"a-.09 x\x08\x1B+\u4E2D"},
        {2, u"a-.09 x\x08\x1B+\u4E2D"},
        {3, u"-09\x08\x1B"},
        {4, u"-.09\x08\x1B"},
        {5, u"09\x08\x1B"},
        {6, u"-09\x08\x1B"},
        {7, u"-09\x08\x1B"},
        {8, u"-09\x08\x1B"},
        {9, u"-.09\x08\x1B"},
        {10, u"-.09\x08\x1B"},
        {11, u"a-.09 x\x08\x1B+\u4E2D"},
        {12, u"a-.09 x\x08\x1B+\u4E2D"},
        {13, u"a-.09 x\x08\x1B+\u4E2D"},
        {99, u"a-.09 x\x08\x1B+\u4E2D"},
    };
    for (const Case& c : cases) {
        std::u16string accepted;
        for (char16_t unit : probe) {
            if (EditAcceptsChar(c.type, unit)) {
                accepted += unit;
            }
        }
        EXPECT_EQ(Utf8(accepted), Utf8(c.accepted)) << "type " << c.type;
    }
    // Every digit passes the byte type; the full-width ones do not.
    for (char16_t unit = u'0'; unit <= u'9'; ++unit) {
        EXPECT_TRUE(EditAcceptsChar(5, unit));
    }
    EXPECT_FALSE(EditAcceptsChar(5, u'\uFF11'));
    EXPECT_FALSE(EditAcceptsChar(7, u'/'));
    EXPECT_FALSE(EditAcceptsChar(7, u':'));
}

} // namespace
