#include "runtime/NumberText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::u16string Widen(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

// Same double, bit for bit (distinguishes -0.0 and compares NaNs as equal).
bool SameBits(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) {
        return std::isnan(a) && std::isnan(b);
    }
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

TEST(HexText, WritesUppercaseDigits) {
    const std::pair<uint32_t, std::u16string> fixed[] = {
        {0, u"00000000"},          {0x1F, u"0000001F"},       {0xFFFFFFFF, u"FFFFFFFF"},
        {0x80000000, u"80000000"}, {0x0ABCDEF9, u"0ABCDEF9"},
    };
    for (const auto& [value, expected] : fixed) {
        char16_t area[kNumberTextUnits];
        EXPECT_EQ(UInt32ToHex8(value, area), area);
        EXPECT_EQ(std::u16string(area), expected);
    }
    const std::pair<uint64_t, std::u16string> free[] = {
        {0, u"0"},
        {255, u"FF"},
        {0x10, u"10"},
        {0x100000000ULL, u"100000000"},
        {UINT64_MAX, u"FFFFFFFFFFFFFFFF"},
        {0x8000000000000001ULL, u"8000000000000001"},
        {0x0123456789ABCDEFULL, u"123456789ABCDEF"},
    };
    for (const auto& [value, expected] : free) {
        char16_t area[kNumberTextUnits];
        EXPECT_EQ(UInt64ToHex(value, area), area);
        EXPECT_EQ(std::u16string(area), expected);
    }
}

struct Int64Case {
    std::u16string text;
    int64_t expected;
};

TEST(HexToInt64, ReadsDigitsAfterAnOptionalPrefixOnly) {
    const Int64Case cases[] = {
        {u"0x1f", 31},
        {u"1F", 31},
        {u"0X1F", 31},
        {u" 1F", 0}, // no white space skipped
        {u"-1", 0},  // no sign read
        {u"0x", 0},
        {u"x1", 0},
        {u"00x1", 0},
        {u"0x0x1", 0},
        {u"1g2", 1},
        {u"aBcD", 0xABCD},
        {u"7fffffffffffffff", INT64_MAX},
        {u"ffffffffffffffff", -1},
        {u"8000000000000000", INT64_MIN},
        {u"0x123456789abcdef01", 0x23456789ABCDEF01}, // the earliest digit is pushed out
        {u"\uFF11", 0},
    };
    for (const Int64Case& c : cases) {
        EXPECT_EQ(HexToInt64(c.text.c_str()), c.expected)
            << std::string(c.text.begin(), c.text.end());
    }
    EXPECT_EQ(HexToInt64(nullptr), 0);
}

struct FloatReadCase {
    std::string text;
    double expected;
};

// The values are exact, so both builds must give them bit for bit.
TEST(TextToFloat64, ReadsDecimalHexInfinityAndNaNLikeWcstod) {
    const FloatReadCase cases[] = {
        {"1.5", 1.5},
        {"  -2.5e3xyz", -2500},
        {".5", 0.5},
        {"5.", 5},
        {"007.250", 7.25},
        {".", 0},
        {"-", 0},
        {"+.e1", 0},
        {"e5", 0},
        {"1e", 1},
        {"1e+", 1},
        {"1e-x", 1},
        {"1e-2", 0.01},
        {"1E2", 100},
        {"+3", 3},
        {"- 3", 0},
        {"0.1", 0.1},
        {"-0", -0.0},
        {"-0.000e5", -0.0},
        {"0x1p3", 8},
        {"0x1.8p1", 3},
        {"0X.8", 0.5},
        {"0xA", 10},
        {"-0x1p-2", -0.25},
        {"0x1p", 1},
        {"0x", 0},
        {"0xg", 0},
        {"0x.p1", 0},
        {"-0x", -0.0},
        {"inf", kInf},
        {"-Infinity", -kInf},
        {"INFIN", kInf},
        {"in", 0},
        {"nan", kNaN},
        {"NaN(123)", kNaN},
        {"nanx", kNaN},
        {"1e400", kInf},
        {"-1e400", -kInf},
        {"1e-400", 0},
        {"-1e-400", -0.0},
        {"1e99999999999999999999999", kInf},
        {"1e-99999999999999999999999", 0},
        {"0e99999999999999999999999", 0},
        {"1.7976931348623157e308", DBL_MAX},
        {"1.7976931348623158e308", DBL_MAX},
        {"1.7976931348623159e308", kInf},
        {"2.2250738585072014e-308", DBL_MIN},
        {"4.9406564584124654e-324", 0x1p-1074},
        {"2.4703282292062328e-324", 0x1p-1074},
        {"2.4703282292062327e-324", 0},
        // Halfway between 1 and the next double: ties go to even...
        {"1.00000000000000011102230246251565404236316680908203125", 1.0},
        // ...and any digit beyond the halfway point rounds up.
        {"1.000000000000000111022302462515654042363166809082031250000000000001", 1 + 0x1p-52},
        {"123456789012345678901234567890e-10", 12345678901234567890.1234567890},
        {"0x1p-1074", 0x1p-1074},
        {"0x1p-1075", 0},
        {"0x1.0000001p-1075", 0x1p-1074},
        {"0x1.8p-1074", 0x1p-1073},
        {"0x1p1023", 0x1p1023},
        {"0x1p1024", kInf},
        {"0x1.00000000000008p0", 1.0},
        {"0x1.00000000000018p0", 1 + 0x1p-51},
        {"0x1.000000000000081p0", 1 + 0x1p-52},
        {"0x1FFFFFFFFFFFFF", 9007199254740991.0},
        {"0x20000000000001", 9007199254740992.0},
        {"0x20000000000003", 9007199254740996.0},
    };
    for (const FloatReadCase& c : cases) {
        const double value = TextToFloat64(Widen(c.text).c_str());
        EXPECT_TRUE(SameBits(value, c.expected))
            << c.text << " read as " << value << ", expected " << c.expected;
    }
    EXPECT_EQ(TextToFloat64(nullptr), 0.0);
    EXPECT_TRUE(std::signbit(TextToFloat64(u"-nan")));
    EXPECT_FALSE(std::signbit(TextToFloat64(u"nan")));
}

TEST(TextToFloat64, SkipsUnicodeSpaceAndReadsOnlyAsciiDigits) {
    EXPECT_EQ(TextToFloat64(u"\t\n\v\f\r 3.5"), 3.5);
    EXPECT_EQ(TextToFloat64(u"\u30007"), 7);
    EXPECT_EQ(TextToFloat64(u"\u00A0\u20032e1"), 20);
    EXPECT_EQ(TextToFloat64(u"\u200B3"), 0);
    EXPECT_EQ(TextToFloat64(u"\uFF13"), 0);
    EXPECT_EQ(TextToFloat64(u"4\uFF13"), 4);
    EXPECT_EQ(TextToFloat64(u"1\u30002"), 1);
    EXPECT_EQ(TextToFloat64(u"1,5"), 1); // the decimal point is '.' in every locale
}

// Very long texts go through the cut of the significand: the digits beyond
// the cut must still decide the rounding, and the exponent must follow them.
TEST(TextToFloat64, LongSignificandsRoundExactly) {
    const std::string zeros(900, '0');
    const std::string halfway = "1.00000000000000011102230246251565404236316680908203125";
    const FloatReadCase cases[] = {
        {halfway + zeros, 1.0},
        {halfway + zeros + "1", 1 + 0x1p-52},
        {halfway + zeros + "1e1", 10 * (1 + 0x1p-52)},
        {"1" + zeros + "e-900", 1.0},
        {"1" + zeros + "1e-901", 1.0},
        {"1" + zeros + "e-899", 10.0},
        {"0." + zeros + "1e901", 1.0},
        {"-0." + zeros + "25e900", -0.25},
        {"1" + zeros, kInf},
        {"0." + zeros + "1", 0},
        // Zeros kept before the cut stay: the mark goes after them, below 1.5 ulp.
        {"1.000000000000000111022302462515654042363166809082" + zeros + "1", 1.0},
        {"1.000000000000000111022302462515654042363166809082" + zeros + "1e-1", 0.1},
        {"0x1." + std::string(40, '0') + "1p0", 1.0},
        {"0x1.00000000000008" + std::string(40, '0') + "1p0", 1 + 0x1p-52},
        {"0x" + std::string(300, 'f'), kInf},
        {"0x1" + std::string(200, '0') + "p-800", 0x1p0},
    };
    for (const FloatReadCase& c : cases) {
        const double value = TextToFloat64(Widen(c.text).c_str());
        EXPECT_TRUE(SameBits(value, c.expected))
            << c.text.substr(0, 40) << "... read as " << value << ", expected " << c.expected;
    }
}

struct FloatWriteCase {
    double value;
    int precision;
    std::u16string expected;
};

TEST(FloatToText, WritesPercentGTextWithShortExponents) {
    const FloatWriteCase cases[] = {
        {1e20, 15, u"1E+20"},
        {0.1, 15, u"0.1"},
        {1e-5, 15, u"1E-05"},
        {1e100, 15, u"1E+100"},
        {1e-300, 15, u"1E-300"},
        {123456789012345678.0, 15, u"1.23456789012346E+17"},
        {0x1p-1074, 15, u"4.94065645841247E-324"},
        {DBL_MAX, 15, u"1.79769313486232E+308"},
        {-DBL_MAX, 15, u"-1.79769313486232E+308"},
        {1e15, 15, u"1E+15"},
        {999999999999999.0, 15, u"999999999999999"},
        {100000000000000.5, 15, u"100000000000000"}, // exact halves go to even
        {100000000000001.5, 15, u"100000000000002"},
        {0.30000000000000004, 15, u"0.3"},
        {0.30000000000000004, 17, u"0.30000000000000004"},
        {0.0001, 6, u"0.0001"},
        {0.00001, 6, u"1E-05"},
        {123456, 6, u"123456"},
        {1234567, 6, u"1.23457E+06"},
        {-2.5, 0, u"-2"},
        {3.5, 0, u"4"},
        {2.5, -1, u"2.5"},
        {1.0 / 3, -1, u"0.333333"},
        {0.0, 15, u"0"},
        {-0.0, 15, u"-0"},
        {kNaN, 15, u"NAN"},
        {-kNaN, 15, u"NAN"},
        {kInf, 15, u"INF"},
        {-kInf, 8, u"-INF"},
        // Exact halves at the cut go to the even digit; a carry can move the
        // exponent and with it the notation.
        {0.125, 2, u"0.12"},
        {0.375, 2, u"0.38"},
        {9.5, 1, u"1E+01"},
        {999999.5, 6, u"1E+06"},
        {0.00009999, 1, u"0.0001"},
        {0.00009999, 4, u"9.999E-05"},
        // Beyond seventeen digits come the exact ones; the longest text fills the area.
        {0x1p60, 56, u"1152921504606846976"},
        {1e23, 23, u"99999999999999991611392"},
        {1e23, 22, u"9.999999999999999161139E+22"},
        {0x1p-1074, 56, u"4.9406564584124654417656879286822137236505980261432476443E-324"},
        {0x1p-1022, 56, u"2.2250738585072013830902327173324040642192159804623318306E-308"},
        {DBL_MAX, 56, u"1.797693134862315708145274237317043567980705675258449966E+308"},
        {0.1, 56, u"0.1000000000000000055511151231257827021181583404541015625"},
        {-1.2345678901234567e-300, 1000,
         u"-1.2345678901234567567015816337017316277734364522123319558E-300"},
    };
    for (const FloatWriteCase& c : cases) {
        char16_t area[kNumberTextUnits];
        EXPECT_EQ(FloatToText(c.value, c.precision, area), area);
        EXPECT_EQ(std::u16string(area), c.expected) << c.value << " with precision " << c.precision;
    }
}

TEST(FloatToText, BoxedTextsShowZeroInsideTheirWindows) {
    const std::pair<double, std::u16string> doubles[] = {
        {0.0000005, u"0"},
        {0.000001, u"0"},
        {-0.000001, u"0"},
        {-0.0, u"0"},
        {std::nextafter(0.000001, 1.0), u"1E-06"},
        {std::nextafter(-0.000001, -1.0), u"-1E-06"},
        {0.1, u"0.1"},
        {1e20, u"1E+20"},
        {1.0 / 3, u"0.333333333333333"},
        {kNaN, u"NAN"},
        {-kInf, u"-INF"},
    };
    for (const auto& [value, expected] : doubles) {
        char16_t area[kNumberTextUnits];
        EXPECT_EQ(Float64ToText(value, area), area);
        EXPECT_EQ(std::u16string(area), expected) << value;
    }
    const std::pair<float, std::u16string> floats[] = {
        {0.000001f, u"0"},
        {-0.000001f, u"0"},
        {std::nextafter(0.000001f, 1.0f), u"1.0000001E-06"},
        {std::nextafter(-0.000001f, -1.0f), u"-1.0000001E-06"},
        {0.1f, u"0.1"}, // eight digits of the widened value
        {1.0f / 3, u"0.33333334"},
        {16777217.0f, u"16777216"},
        {3.4028235e38f, u"3.4028235E+38"},
        {std::numeric_limits<float>::quiet_NaN(), u"NAN"},
    };
    for (const auto& [value, expected] : floats) {
        char16_t area[kNumberTextUnits];
        EXPECT_EQ(Float32ToText(value, area), area);
        EXPECT_EQ(std::u16string(area), expected) << value;
    }
    // The single-precision bound is the float nearest 0.000001, which lies
    // just below it: a double between the two is outside the float window
    // only once it reaches the double's own bound.
    char16_t area[kNumberTextUnits];
    EXPECT_EQ(std::u16string(Float32ToText(static_cast<float>(0.000001), area)), u"0");
}

// Every finite double written with 17 significant digits reads back as itself.
TEST(FloatToText, SeventeenDigitsReadBackExactly) {
    std::mt19937_64 random(20240101);
    for (int i = 0; i < 20000; ++i) {
        const uint64_t bits = random();
        double value = std::bit_cast<double>(bits);
        if (!std::isfinite(value)) {
            continue;
        }
        char16_t area[kNumberTextUnits];
        FloatToText(value, 17, area);
        EXPECT_TRUE(SameBits(TextToFloat64(area), value)) << value;
    }
}

#ifndef _WIN32
// On the C library of the native build, printf and strtod are exact: our own
// rules must agree with them on every text they share.
TEST(FloatToText, AgreesWithTheCLibraryPrintf) {
    std::mt19937_64 random(7);
    const int precisions[] = {1, 6, 8, 13, 15, 17, 25};
    for (int i = 0; i < 20000; ++i) {
        const uint64_t bits = random();
        double value = std::bit_cast<double>(bits);
        if (i % 2 == 0) {
            value = std::ldexp(static_cast<double>(bits >> 11), static_cast<int>(i % 200) - 150);
        }
        if (!std::isfinite(value)) {
            continue;
        }
        for (int precision : precisions) {
            char expected[kNumberTextUnits];
            std::snprintf(expected, sizeof expected, "%.*G", precision, value);
            char16_t area[kNumberTextUnits];
            FloatToText(value, precision, area);
            ASSERT_EQ(std::u16string(area), Widen(expected)) << precision;
        }
    }
}

// Every precision, on the values whose digits are hardest to get: the ends
// of the range, powers of two and ten, halves and near-halves.
TEST(FloatToText, AgreesWithTheCLibraryPrintfAtEveryPrecision) {
    std::vector<double> values = {0x1p-1074,  0x1p-1022, DBL_MAX, 0.1,     1.0 / 3,  2.0 / 3,
                                  0.5,        1.5,       9.5,     99.5,    999999.5, 0.125,
                                  5e-324 * 3, 1e23,      1e-7,    123456.0};
    for (int exponent = -1074; exponent <= 1023; exponent += 37) {
        values.push_back(std::ldexp(1.0, exponent));
        values.push_back(std::ldexp(1.0 + 0x1p-52, exponent));
        values.push_back(std::nextafter(std::ldexp(1.0, exponent), 0.0));
    }
    for (int power = -320; power <= 308; power += 7) {
        values.push_back(std::pow(10.0, power));
    }
    for (double value : values) {
        for (int precision = 0; precision <= kMaxFloatPrecision; ++precision) {
            char expected[kNumberTextUnits];
            std::snprintf(expected, sizeof expected, "%.*G", precision, -value);
            char16_t area[kNumberTextUnits];
            FloatToText(-value, precision, area);
            ASSERT_EQ(std::u16string(area), Widen(expected)) << value << " at " << precision;
        }
    }
}

TEST(TextToFloat64, AgreesWithTheCLibraryStrtod) {
    std::mt19937 random(11);
    const std::string alphabet = "0123456789012345678901234567890123456789..eE+-xXpPaAfF ";
    for (int i = 0; i < 50000; ++i) {
        std::string text;
        const int length = 1 + static_cast<int>(random() % 30);
        if (i % 3 == 0) {
            text = random() % 2 == 0 ? "0x" : "-";
        }
        for (int k = 0; k < length; ++k) {
            text += alphabet[random() % alphabet.size()];
        }
        const double expected = std::strtod(text.c_str(), nullptr);
        ASSERT_TRUE(SameBits(TextToFloat64(Widen(text).c_str()), expected)) << text;
    }
}
#endif

} // namespace
