#include "runtime/TextFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

std::u16string Formatted(const char16_t* format, std::initializer_list<FormatArg> args) {
    const int64_t length = FormatText(nullptr, 0, format, args);
    if (length < 0) {
        return u"<failed>";
    }
    std::u16string text(static_cast<size_t>(length), u'#');
    EXPECT_EQ(FormatText(text.data(), length, format, args), length);
    return text;
}

TEST(FormatText, IntegersAndTexts) {
    const struct {
        const char16_t* format;
        std::initializer_list<FormatArg> args;
        std::u16string expected;
    } cases[] = {
        {u"plain", {}, u"plain"},
        {u"", {}, u""},
        {u"100%%", {}, u"100%"},
        {u"%d", {0}, u"0"},
        {u"%d", {-5}, u"-5"},
        {u"%d", {INT32_MIN}, u"-2147483648"},
        {u"%d", {0xFFFFFFFFu}, u"-1"},
        {u"%d年%d月%d日", {2024, 1, 1}, u"2024年1月1日"},
        {u"%02X", {0}, u"00"},
        {u"%02X", {0x0B}, u"0B"},
        {u"%02X", {0xABC}, u"ABC"},
        {u"\\x%02X", {static_cast<unsigned char>(200)}, u"\\xC8"},
        {u"0x%I64X", {uint64_t{0}}, u"0x0"},
        {u"0x%I64X", {uint64_t{0x7FF6A1B2C3D4}}, u"0x7FF6A1B2C3D4"},
        {u"%I64X", {UINT64_MAX}, u"FFFFFFFFFFFFFFFF"},
        {u"%I64X", {int64_t{-1}}, u"FFFFFFFFFFFFFFFF"},
        {u"<%s>", {u"中文"}, u"<中文>"},
        {u"%s%s", {u"", u"b"}, u"b"},
        {u"%s", {static_cast<const char16_t*>(nullptr)}, u"(null)"},
        {u"俘获到异常,代码值为: %d, 描述为: %s",
         {-5, u"XYZ"},
         u"俘获到异常,代码值为: -5, 描述为: XYZ"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Formatted(c.format, c.args), c.expected);
    }
}

TEST(FormatText, FloatingPointLikePrintfG) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char16_t* format;
        double value;
        std::u16string expected;
    } cases[] = {
        {u"%.15G", 0.1, u"0.1"},
        {u"%.15G", 1e20, u"1E+20"},
        {u"%.15G", 1e15, u"1E+15"},
        {u"%.15G", 1e14, u"100000000000000"},
        {u"%.15G", 123456789012345.0, u"123456789012345"},
        {u"%.15G", 1.0 / 3, u"0.333333333333333"},
        {u"%.15G", -2.5, u"-2.5"},
        {u"%.15G", 0.0, u"0"},
        {u"%.15G", -0.0, u"-0"},
        {u"%.15G", 0.0001, u"0.0001"},
        {u"%.15G", 0.00001, u"1E-05"},
        {u"%.15G", 1e-300, u"1E-300"},
        {u"%.15G", 1.7976931348623157e308, u"1.79769313486232E+308"},
        {u"%.8G", 1.0000001, u"1.0000001"},
        {u"%.8G", static_cast<double>(0.1f), u"0.1"},
        {u"%.8G", 123456789.0, u"1.2345679E+08"},
        {u"%.8G", 3.4028234663852886e38, u"3.4028235E+38"},
        {u"%.6G", 1234567.0, u"1.23457E+06"},
        {u"%.6G", 123456.0, u"123456"},
        {u"%.6G", 0.5, u"0.5"},
        {u"%.6G", 2.5e-7, u"2.5E-07"},
        {u"%.13G", 9999999999999.5, u"1E+13"},
        {u"%.13G", 3.14159265358979, u"3.14159265359"},
        {u"%.15G", inf, u"INF"},
        {u"%.15G", -inf, u"-INF"},
        {u"%.15G", nan, u"NAN"},
        {u"%.15G", -nan, u"NAN"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Formatted(c.format, {c.value}), c.expected) << c.value;
    }
    EXPECT_EQ(Formatted(u"%.8G", {1.5f}), u"1.5") << "a float arrives as a double";
}

TEST(FormatText, EverythingElseFails) {
    const struct {
        const char16_t* format;
        std::initializer_list<FormatArg> args;
    } cases[] = {
        {nullptr, {}},
        {u"%", {}},
        {u"abc%", {}},
        {u"%x", {1}},
        {u"%u", {1}},
        {u"%5d", {1}},
        {u"%ld", {1}},
        {u"%ls", {u"a"}},
        {u"%S", {u"a"}},
        {u"%c", {65}},
        {u"%f", {1.0}},
        {u"%G", {1.0}},
        {u"%.7G", {1.0}},
        {u"%.15g", {1.0}},
        {u"%2X", {1}},
        {u"%I64d", {int64_t{1}}},
        {u"%I32X", {1}},
        // Missing, surplus and mismatched arguments.
        {u"%d", {}},
        {u"%d %d", {1}},
        {u"%d", {1, 2}},
        {u"plain", {1}},
        {u"%d", {int64_t{1}}},
        {u"%I64X", {1}},
        {u"%d", {1.0}},
        {u"%.8G", {1}},
        {u"%s", {1}},
        {u"%d", {u"1"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatText(nullptr, 0, c.format, c.args), -1)
            << (c.format
                    ? std::string(c.format, c.format + std::char_traits<char16_t>::length(c.format))
                    : std::string("null"));
    }
}

TEST(FormatText, WritesOnlyWhatFitsAndMeasuresAll) {
    char16_t area[4] = {u'#', u'#', u'#', u'#'};
    EXPECT_EQ(FormatText(area, 3, u"%d", {123456}), 6);
    EXPECT_EQ(std::u16string(area, 4), u"123#");
}

} // namespace
