#include "runtime/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kSecond = 1.0 / 86400;

// 2024-01-01 00:00:00.
constexpr double kNewYear2024 = 45292;

std::string Narrow(const std::u16string& text) {
    std::string out;
    for (char16_t unit : text) {
        out += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return out;
}

bool SameFields(const DateFields& a, const DateFields& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second;
}

std::string Describe(const DateFields& f) {
    return std::to_string(f.year) + "-" + std::to_string(f.month) + "-" + std::to_string(f.day) +
           " " + std::to_string(f.hour) + ":" + std::to_string(f.minute) + ":" +
           std::to_string(f.second);
}

struct TextCase {
    double date;
    std::u16string chinese;
    std::u16string numeric;
};

TEST(DateToText, WritesBothStylesDownToTheLastNonzeroField) {
    const TextCase cases[] = {
        {kNewYear2024 + 0.5, u"2024年1月1日12时", u"1/1/2024 12"},
        {kNewYear2024, u"2024年1月1日", u"1/1/2024"},
        {kNewYear2024 + 13 / 24.0 + 5 / 1440.0 + 7 / 86400.0, u"2024年1月1日13时5分7秒",
         u"1/1/2024 13:5:7"},
        {kNewYear2024 + 30 / 1440.0, u"2024年1月1日0时30分", u"1/1/2024 0:30"},
        {kNewYear2024 + kSecond, u"2024年1月1日0时0分1秒", u"1/1/2024 0:0:1"},
        {kNewYear2024 + 10 / 24.0 + 1 / 86400.0, u"2024年1月1日10时0分1秒", u"1/1/2024 10:0:1"},
        {45351, u"2024年2月29日", u"2/29/2024"},
        {0, u"1899年12月30日", u"12/30/1899"},
        {-1.25, u"1899年12月29日6时", u"12/29/1899 6"},
        {-0.5, u"1899年12月30日12时", u"12/30/1899 12"},
        {60, u"1900年2月28日", u"2/28/1900"},
        {61, u"1900年3月1日", u"3/1/1900"},
        {kMinDate, u"100年1月1日", u"1/1/100"},
        {kMaxDate, u"9999年12月31日", u"12/31/9999"},
        {0.5 * kSecond, u"1899年12月30日0时0分1秒", u"12/30/1899 0:0:1"},
        {0.99999999, u"1899年12月31日", u"12/31/1899"},
        {3000000, u"", u""},
        {kMaxDate + 0.5, u"", u""},
        {kMinDate - 0.5, u"", u""},
        {kNaN, u"", u""},
        {std::numeric_limits<double>::infinity(), u"", u""},
        {-std::numeric_limits<double>::infinity(), u"", u""},
    };
    for (const TextCase& c : cases) {
        char16_t area[kNumberTextUnits];
        EXPECT_EQ(DateToText(c.date, area, true), area);
        EXPECT_EQ(std::u16string(area), c.chinese) << c.date;
        EXPECT_EQ(DateToText(c.date, area, false), area);
        EXPECT_EQ(std::u16string(area), c.numeric) << c.date << ": " << Narrow(area);
    }
}

TEST(DateToText, EmptiesTheAreaForADateOutOfRange) {
    char16_t area[kNumberTextUnits] = u"old text";
    DateToText(kMaxDate + 1, area, true);
    EXPECT_EQ(area[0], 0);
}

struct ReadCase {
    std::u16string text;
    bool chineseStyle;
    double expected;
};

constexpr double At(double day, int hour, int minute, int second) {
    return day + hour / 24.0 + minute / 1440.0 + second / 86400.0;
}

TEST(TextToDate, ReadsFieldsWithOptionalSeparatorsAndClamps) {
    const ReadCase cases[] = {
        {u"2024年2月30日", true, 45351},
        {u"2/30/2023", false, 44985},
        {u"2024-13-01", true, 45627},
        {u"2024", true, kNewYear2024},
        {u"2024-01-01", true, kNewYear2024},
        {u"2024.1.1", true, kNewYear2024},
        {u"2024/1/1", true, kNewYear2024},
        {u"2024:1:1", true, kNewYear2024},
        {u"1/1/2024", false, kNewYear2024},
        {u"1-1-2024", false, kNewYear2024},
        {u"2024年1月1日12时30分15秒", true, At(kNewYear2024, 12, 30, 15)},
        {u"2024-1-1 12:30:15", true, At(kNewYear2024, 12, 30, 15)},
        {u"2024年1月1日12时", true, At(kNewYear2024, 12, 0, 0)},
        {u"2024年1月1日12时30分15秒 and more", true, At(kNewYear2024, 12, 30, 15)},
        {u"1/1/2024 12:30:15", false, At(kNewYear2024, 12, 30, 15)},
        {u"1/1/2024 12", false, At(kNewYear2024, 12, 0, 0)},
        {u"1/1/2024-12.30/15", false, At(kNewYear2024, 12, 30, 15)},
        {u"2024-12-31 25:61:61", true, At(45657, 23, 59, 59)},
        {u"2024--1", true, kNewYear2024}, // no month digits read as 0, clamped to 1
        // Runs are limited to four year digits and two for the rest.
        {u"20245-1-1", true, At(45413, 1, 0, 0)},
        {u"2024-123-1", true, At(45629, 1, 0, 0)},
        {u"0-0-0", true, kEmptyDate},
        {u"9999-12-31 23:59:59", true, At(kMaxDate, 23, 59, 59)},
        {u"1899-12-29 6", true, -1.25},
        {u"1800-1-1 12", true, -36522.5},
        // Malformed texts give the empty date.
        {u"", true, kEmptyDate},
        {u"2024-01-01x", true, kEmptyDate},
        {u"1/1/2024 12:30:15x", false, kEmptyDate},
        {u"1/1/2024 12:30:15秒", false, kEmptyDate},
        {u"2024年1月1日", false, kEmptyDate},
        {u"1 1 2024", false, kEmptyDate},
        {u"2024--1-1", true, At(kNewYear2024, 1, 0, 0)},
        {u"\uFF12\uFF10\uFF12\uFF14", true, kEmptyDate},
        // A leading blank ends the date fields: 20 and 24 become hour and minute.
        {u" 2024", true, kMinDate - 20 / 24.0 - 24 / 1440.0},
        {u"2024年1月1日12时30分15", true, At(kNewYear2024, 12, 30, 15)},
        {u"2024年1月1日12时30分15分", true, kEmptyDate},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(TextToDate(c.text.c_str(), c.chineseStyle), c.expected)
            << Narrow(c.text) << (c.chineseStyle ? " (Chinese)" : " (numeric)");
    }
    EXPECT_EQ(TextToDate(nullptr, true), kEmptyDate);
    EXPECT_EQ(TextToDate(nullptr, false), kEmptyDate);
}

TEST(MakeDate, ClampsEveryFieldAndLimitsTheDayToItsMonth) {
    struct Case {
        int64_t year, month, day, hour, minute, second;
        double expected;
    };
    const Case cases[] = {
        {2024, 1, 1, 0, 0, 0, kNewYear2024},
        {2023, 2, 29, 0, 0, 0, 44985},
        {2024, 2, 31, 0, 0, 0, 45351},
        {1900, 2, 29, 0, 0, 0, 60},    // not a leap year
        {2000, 2, 30, 0, 0, 0, 36585}, // a leap year
        {2024, 4, 31, 0, 0, 0, 45412}, // April 30
        {0, 0, 0, -5, -5, -5, kMinDate},
        {INT64_MIN, INT64_MIN, INT64_MIN, INT64_MIN, INT64_MIN, INT64_MIN, kMinDate},
        {10000, 13, 32, 24, 60, 60, At(kMaxDate, 23, 59, 59)},
        {INT64_MAX, INT64_MAX, INT64_MAX, INT64_MAX, INT64_MAX, INT64_MAX,
         At(kMaxDate, 23, 59, 59)},
        {1899, 12, 29, 6, 0, 0, -1.25},
        {1899, 12, 29, 23, 59, 59, -1 - 23 / 24.0 - 59 / 1440.0 - 59 / 86400.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MakeDate(c.year, c.month, c.day, c.hour, c.minute, c.second, -1), c.expected)
            << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(IsDatePresent, OnlyAboveTheEmptyDate) {
    EXPECT_FALSE(IsDatePresent(kEmptyDate));
    EXPECT_FALSE(IsDatePresent(-657433.999999));
    EXPECT_FALSE(IsDatePresent(kNaN));
    EXPECT_TRUE(IsDatePresent(-657433.9999989));
    EXPECT_TRUE(IsDatePresent(kMinDate + kSecond));
    EXPECT_TRUE(IsDatePresent(0));
}

struct SplitCase {
    double date;
    bool ok;
    DateFields expected;
};

TEST(DateToFields, RoundsToTheNearestSecondAndCarriesIntoTheNextDay) {
    const SplitCase cases[] = {
        {0, true, {1899, 12, 30, 0, 0, 0}},
        {0.5 * kSecond, true, {1899, 12, 30, 0, 0, 1}},
        {0.49999 * kSecond, true, {1899, 12, 30, 0, 0, 0}},
        {0.999994212, true, {1899, 12, 30, 23, 59, 59}},
        // A hair below 23:59:59.5 counts as the half second and so as midnight.
        {0.99999421296296, true, {1899, 12, 31, 0, 0, 0}},
        {0.9999999, true, {1899, 12, 31, 0, 0, 0}},
        {-0.25, true, {1899, 12, 30, 6, 0, 0}},
        {-1.75, true, {1899, 12, 29, 18, 0, 0}},
        // Before the epoch the time still moves forward into the next day.
        {-0.9999999, true, {1899, 12, 31, 0, 0, 0}},
        {-1.9999999, true, {1899, 12, 30, 0, 0, 0}},
        {-1.0000057, true, {1899, 12, 29, 0, 0, 0}},
        {-1.0000058, true, {1899, 12, 29, 0, 0, 1}},
        {-30.9999999, true, {1899, 12, 1, 0, 0, 0}},   // from November 30
        {45260.9999999, true, {2023, 12, 1, 0, 0, 0}}, // from November 30
        {45291.9999999, true, {2024, 1, 1, 0, 0, 0}},
        {45350.9999999, true, {2024, 2, 29, 0, 0, 0}},
        {kMinDate, true, {100, 1, 1, 0, 0, 0}},
        {-657434.99999, true, {100, 1, 1, 23, 59, 59}},
        {-657434.9999999, true, {100, 1, 2, 0, 0, 0}},
        {kMaxDate + 0.5, true, {9999, 12, 31, 12, 0, 0}},
        {2958465.9999999, true, {10000, 1, 1, 0, 0, 0}},
        {-657435, false, {}},
        {2958466, false, {}},
        {1e300, false, {}},
        {kNaN, false, {}},
    };
    for (const SplitCase& c : cases) {
        DateFields fields{1, 2, 3, 4, 5, 6};
        const DateFields before = fields;
        ASSERT_EQ(DateToFields(c.date, fields), c.ok) << c.date;
        if (c.ok) {
            EXPECT_TRUE(SameFields(fields, c.expected))
                << std::to_string(c.date) << " gave " << Describe(fields);
        } else {
            EXPECT_TRUE(SameFields(fields, before)) << c.date;
        }
    }
}

TEST(FieldsToDate, RejectsInvalidFieldsAndLeavesTheDate) {
    const DateFields invalid[] = {
        {99, 1, 1, 0, 0, 0},    {10000, 1, 1, 0, 0, 0}, {2024, 0, 1, 0, 0, 0},
        {2024, 13, 1, 0, 0, 0}, {2024, 1, 0, 0, 0, 0},  {2023, 2, 29, 0, 0, 0},
        {2024, 4, 31, 0, 0, 0}, {2024, 1, 1, 24, 0, 0}, {2024, 1, 1, 0, 60, 0},
        {2024, 1, 1, 0, 0, 60}, {2024, 1, 1, -1, 0, 0}, {1900, 2, 29, 0, 0, 0},
    };
    for (const DateFields& f : invalid) {
        double date = 123.0;
        EXPECT_FALSE(FieldsToDate(f, date)) << Describe(f);
        EXPECT_EQ(date, 123.0);
    }
}

// Every day of the valid range, at a time that moves through the day, builds
// a date that splits back into the same fields.
TEST(FieldsToDate, EveryDayOfTheRangeSplitsBackIntoItsFields) {
    DateFields f{100, 1, 1, 0, 0, 0};
    double previous = -1e9;
    for (int64_t n = 0; f.year <= 9999; ++n) {
        const int secondOfDay = static_cast<int>((n * 7919) % 86400);
        f.hour = secondOfDay / 3600;
        f.minute = secondOfDay / 60 % 60;
        f.second = secondOfDay % 60;
        double date = 0;
        ASSERT_TRUE(FieldsToDate(f, date)) << Describe(f);
        ASSERT_EQ(std::trunc(date), static_cast<double>(n) + kMinDate) << Describe(f);
        ASSERT_GT(std::trunc(date), std::trunc(previous));
        previous = date;
        DateFields back;
        ASSERT_TRUE(DateToFields(date, back));
        ASSERT_TRUE(SameFields(back, f)) << Describe(f) << " came back as " << Describe(back);
        // The next calendar day.
        f.hour = f.minute = f.second = 0;
        double next = 0;
        if (!FieldsToDate({f.year, f.month, f.day + 1, 0, 0, 0}, next)) {
            f.day = 1;
            if (++f.month > 12) {
                f.month = 1;
                ++f.year;
            }
        } else {
            ++f.day;
        }
    }
    EXPECT_EQ(std::trunc(previous), kMaxDate);
}

// Every second of a day on both sides of the epoch.
TEST(FieldsToDate, EverySecondOfADaySplitsBack) {
    for (const DateFields& day : {DateFields{1899, 12, 29}, DateFields{1899, 12, 30},
                                  DateFields{2024, 2, 29}, DateFields{100, 1, 1}}) {
        for (int s = 0; s < 86400; ++s) {
            DateFields f = day;
            f.hour = s / 3600;
            f.minute = s / 60 % 60;
            f.second = s % 60;
            double date = 0;
            ASSERT_TRUE(FieldsToDate(f, date));
            DateFields back;
            ASSERT_TRUE(DateToFields(date, back));
            ASSERT_TRUE(SameFields(back, f)) << Describe(f) << " came back as " << Describe(back);
        }
    }
}

// A date of whole seconds prints and reads back as itself in both styles.
TEST(DateToText, TextsReadBackToTheSameDate) {
    for (int64_t n = 0; n < 400; ++n) {
        const int64_t year = 100 + n * 9899 / 399;
        const double date =
            MakeDate(year, 1 + n % 12, 1 + n * 7 % 31, n % 24, n * 13 % 60, n * 29 % 60, -1);
        ASSERT_NE(date, -1);
        for (bool chineseStyle : {true, false}) {
            char16_t area[kNumberTextUnits];
            DateToText(date, area, chineseStyle);
            EXPECT_EQ(TextToDate(area, chineseStyle), date) << Narrow(area);
        }
    }
}

} // namespace
