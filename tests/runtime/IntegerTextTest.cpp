#include "runtime/IntegerText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

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

// The reading settles as soon as the magnitude leaves the 32-bit range, so
// what follows never matters; below that every digit counts.
TEST(TextToInt32, SettlesAtTheFirstDigitBeyondTheRange) {
    const ReadCase cases[] = {
        {u"214748364", 214748364},
        {u"2147483646", 2147483646},
        {u"21474836470", INT32_MAX},
        {u"2147483648abc", INT32_MAX},
        {u"-2147483647", -2147483647},
        {u"-2147483648", INT32_MIN},
        {u"-2147483648\uFF10", INT32_MIN},
        {u"-21474836480000", INT32_MIN},
        {u"4294967296", INT32_MAX},
        {u"-4294967297", INT32_MIN},
        {u"18446744073709551617", INT32_MAX},
        {u"00000000000000000000002147483647", INT32_MAX},
        {u"-0000000000000000000002147483648", INT32_MIN},
        {u"\u3000+\uFF12\uFF11\uFF14\uFF17\uFF14\uFF18\uFF13\uFF16\uFF14\uFF18", INT32_MAX},
        {u"\u0085\u00A0-\u0662\u0661\u0664\u0667\u0664\u0668\u0663\u0666\u0664\u0667", -2147483647},
        {u"\t\u2028\uFF19\uFF19\uFF19\uFF19\uFF19\uFF19\uFF19\uFF19\uFF19", 999999999},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(TextToInt32(c.text.c_str()), c.expected)
            << std::string(c.text.begin(), c.text.end());
    }
}

// Every unit of the Basic Multilingual Plane, classified against the lists
// the rules name: the quick tests for ASCII must agree with them everywhere.
TEST(TextToInt32, ClassifiesEveryUnitAsTheListsSay) {
    const std::set<char16_t> spaces = {0x09,   0x0A,   0x0B,   0x0C,   0x0D,   0x20,   0x85,
                                       0xA0,   0x1680, 0x2000, 0x2001, 0x2002, 0x2003, 0x2004,
                                       0x2005, 0x2006, 0x2007, 0x2008, 0x2009, 0x200A, 0x2028,
                                       0x2029, 0x202F, 0x205F, 0x3000};
    const char16_t starts[] = {0x0030, 0x0660, 0x06F0, 0x0966, 0x09E6, 0x0A66,
                               0x0AE6, 0x0B66, 0x0C66, 0x0CE6, 0x0D66, 0x0E50,
                               0x0ED0, 0x0F20, 0x1040, 0x17E0, 0x1810, 0xFF10};
    for (uint32_t code = 0; code <= 0xFFFF; ++code) {
        const auto unit = static_cast<char16_t>(code);
        int digit = -1;
        for (char16_t start : starts) {
            if (unit >= start && unit < start + 10) {
                digit = unit - start;
            }
        }
        ASSERT_EQ(IsTextSpace(unit), spaces.count(unit) == 1) << "unit " << code;
        ASSERT_EQ(DecimalDigitValue(unit), digit) << "unit " << code;
        // Read in a text: a digit gives its value; before the digit 1 a
        // space or '+' gives 1, '-' gives -1, any other unit stops at 0.
        int32_t before_one = 0;
        if (digit >= 0) {
            before_one = digit * 10 + 1;
        } else if (spaces.count(unit) == 1 || unit == u'+') {
            before_one = 1;
        } else if (unit == u'-') {
            before_one = -1;
        }
        const char16_t alone[] = {unit, 0};
        const char16_t with_one[] = {unit, u'1', 0};
        ASSERT_EQ(TextToInt32(alone), digit < 0 ? 0 : digit) << "unit " << code;
        ASSERT_EQ(TextToInt32(with_one), before_one) << "unit " << code;
        ASSERT_EQ(TextToInt64Saturating(alone), digit < 0 ? 0 : digit) << "unit " << code;
        ASSERT_EQ(TextToInt64Saturating(with_one), before_one) << "unit " << code;
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

struct Int64Case {
    std::u16string text;
    int64_t expected;
};

// The 32-bit reading rule, blanks, sign and digit ranges included, with the
// magnitude allowed up to 2^63: values beyond 32 bits come out whole, and only
// beyond 64 bits saturate, never wrapping.
TEST(TextToInt64Saturating, ReadsByTheInt32RuleOverTheWideRange) {
    const Int64Case cases[] = {
        {u"", 0},
        {u"-", 0},
        {u"+-5", 0},
        {u"- 5", 0},
        {u"-\u30005", 0},
        {u"\u200B3", 0},
        {u"0x10", 0},
        {u"  -42abc", -42},
        {u"\uFF111\u0662\u0969", 1123},
        {u"2147483648", 2147483648},
        {u"-2147483649", -2147483649},
        {u"4294967295", 4294967295},
        {u"99999999999", 99999999999},
        {u"-99999999999", -99999999999},
        {u"\u3000+\uFF12\uFF11\uFF14\uFF17\uFF14\uFF18\uFF13\uFF16\uFF14\uFF18", 2147483648},
        {u"\u0085\u00A0-\u0669\u0669\u0669\u0669\u0669\u0669\u0669\u0669\u0669\u0669\u0669",
         -99999999999},
        {u"922337203685477580", 922337203685477580},
        {u"9223372036854775806", INT64_MAX - 1},
        {u"9223372036854775807", INT64_MAX},
        {u"9223372036854775808", INT64_MAX},
        {u"92233720368547758070", INT64_MAX},
        {u"18446744073709551615", INT64_MAX},
        {u"18446744073709551617", INT64_MAX},
        {u"99999999999999999999", INT64_MAX},
        {u"-9223372036854775807", -INT64_MAX},
        {u"-9223372036854775808", INT64_MIN},
        {u"-9223372036854775809", INT64_MIN},
        {u"-99999999999999999999", INT64_MIN},
        {u"-0000000000000000000000009223372036854775808", INT64_MIN},
        {u"00000000000000000000000009223372036854775807x9", INT64_MAX},
        {u"\uFF19\uFF12\uFF12\uFF13\uFF13\uFF17\uFF12\uFF10\uFF13\uFF16\uFF18\uFF15\uFF14\uFF17"
         u"\uFF17\uFF15\uFF18\uFF10\uFF17",
         INT64_MAX},
        {u"9223372036854775808\uFF10\uFF10", INT64_MAX},
    };
    for (const Int64Case& c : cases) {
        EXPECT_EQ(TextToInt64Saturating(c.text.c_str()), c.expected)
            << std::string(c.text.begin(), c.text.end());
    }
    EXPECT_EQ(TextToInt64Saturating(nullptr), 0);
}

// Wherever the 32-bit reader stays inside its range the 64-bit one gives the
// same value, and where the 32-bit one saturates the wide value lies beyond.
TEST(TextToInt64Saturating, AgreesWithTextToInt32WithinItsRange) {
    const std::u16string signs[] = {u"", u"-", u"+", u"\u3000-", u" \t+"};
    std::vector<std::u16string> numbers = {u"2147483646", u"2147483647", u"2147483648",
                                           u"2147483649", u"4294967296", u"9223372036854775808"};
    for (int length = 1; length <= 21; ++length) {
        numbers.push_back(std::u16string(length, u'9'));
        numbers.push_back(u"1" + std::u16string(length, u'0'));
        numbers.push_back(std::u16string(length, u'\uFF15') + u"7x");
    }
    for (const std::u16string& sign : signs) {
        for (const std::u16string& number : numbers) {
            const std::u16string text = sign + number;
            const int64_t wide = TextToInt64Saturating(text.c_str());
            EXPECT_EQ(TextToInt32(text.c_str()), std::clamp<int64_t>(wide, INT32_MIN, INT32_MAX))
                << std::string(text.begin(), text.end());
        }
    }
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

TEST(TextToInt64, ReadsDecimalTextWrapsAboveTheSignedRangeAndSaturatesBeyond) {
    const Int64Case cases[] = {
        {u"0", 0},
        {u"  -42abc", -42},
        {u"+7", 7},
        {u"-", 0},
        {u"+-5", 0},
        {u"abc", 0},
        {u"\t\t\t", 0},
        {u"\x01\x1F -3", -3}, // every unit up to U+0020 is skipped
        {u"\u30005", 0},      // ...but nothing above it
        {u"\u00A05", 0},
        {u"\uFF11", 0}, // ASCII digits only
        {u"12\uFF13", 12},
        {u"000000000000000000000000000000000042", 42},
        {u"9223372036854775807", INT64_MAX},
        {u"-9223372036854775807", -INT64_MAX},
        {u"9223372036854775808", INT64_MIN},
        {u"-9223372036854775808", INT64_MIN},
        {u"18446744073709551615", -1},
        {u"-18446744073709551615", 1},
        {u"18446744073709551616", INT64_MAX},
        {u"-18446744073709551616", INT64_MIN},
        {u"18446744073709551620", INT64_MAX},
        {u"99999999999999999999999999", INT64_MAX},
        {u"-99999999999999999999999999", INT64_MIN},
    };
    for (const Int64Case& c : cases) {
        EXPECT_EQ(TextToInt64(c.text.c_str()), c.expected)
            << std::string(c.text.begin(), c.text.end());
    }
    EXPECT_EQ(TextToInt64(nullptr), 0);
}

} // namespace
