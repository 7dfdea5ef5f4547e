// The platform's split and build against our own calendar layer, on the
// values the text rules can pass them and on sweeps around every rounding
// boundary: the native build's layer must give what Windows gives.
#ifdef _WIN32

#include "runtime/DateTime.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

bool SameFields(const DateFields& a, const DateFields& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second;
}

std::string Exact(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string Describe(const DateFields& f) {
    return std::to_string(f.year) + "-" + std::to_string(f.month) + "-" + std::to_string(f.day) +
           " " + std::to_string(f.hour) + ":" + std::to_string(f.minute) + ":" +
           std::to_string(f.second);
}

// Some versions of the platform move a time that rounds up to midnight at the
// end of November 30 to January 1 of the next year instead of December 1. Our
// layer gives December 1; that one deviation is the platform's and is allowed.
bool IsPlatformNovemberCarry(const DateFields& own, const DateFields& platform) {
    return own.month == 12 && own.day == 1 && own.hour == 0 && own.minute == 0 && own.second == 0 &&
           platform.year == own.year + 1 && platform.month == 1 && platform.day == 1 &&
           platform.hour == 0 && platform.minute == 0 && platform.second == 0;
}

// Compares the two splits of date; counts the allowed deviations.
void ExpectSameSplit(double date, int& novemberCarries) {
    DateFields own;
    DateFields platform;
    const bool ownOk = DateToFields(date, own);
    const bool platformOk = PlatformDateToFields(date, platform);
    ASSERT_EQ(ownOk, platformOk) << Exact(date);
    if (!ownOk || SameFields(own, platform)) {
        return;
    }
    ASSERT_TRUE(IsPlatformNovemberCarry(own, platform))
        << Exact(date) << ": own " << Describe(own) << ", platform " << Describe(platform);
    ++novemberCarries;
}

TEST(PlatformDate, SplitsLikeOurLayerAroundEveryHalfSecond) {
    const double days[] = {0, 1, -1, -2, 45292, kMinDate, kMaxDate, -36522, 1000000, -400000};
    const double nudges[] = {0, 1e-11, -1e-11, 2e-11, -2e-11, 1e-9, -1e-9};
    int novemberCarries = 0;
    for (double day : days) {
        for (int s = 0; s < 86400; ++s) {
            for (double nudge : nudges) {
                const double fraction = (s + 0.5) / 86400 + nudge;
                const double date = day < 0 ? day - fraction : day + fraction;
                ExpectSameSplit(date, novemberCarries);
                ExpectSameSplit(std::nextafter(date, 1e9), novemberCarries);
                ExpectSameSplit(std::nextafter(date, -1e9), novemberCarries);
                if (day == 0) {
                    ExpectSameSplit(-fraction, novemberCarries);
                }
            }
            ExpectSameSplit(day < 0 ? day - s / 86400.0 : day + s / 86400.0, novemberCarries);
        }
    }
    EXPECT_EQ(novemberCarries, 0) << "none of these days is a November 30";
}

TEST(PlatformDate, SplitsLikeOurLayerAcrossTheWholeRange) {
    std::mt19937_64 random(1899);
    std::uniform_real_distribution<double> anyDate(kMinDate - 2, kMaxDate + 2);
    int novemberCarries = 0;
    for (int i = 0; i < 1000000; ++i) {
        ExpectSameSplit(anyDate(random), novemberCarries);
    }
    // Arbitrary bit patterns: mostly far out of range.
    for (int i = 0; i < 100000; ++i) {
        const uint64_t bits = random();
        const double date = std::bit_cast<double>(bits);
        if (!std::isnan(date)) {
            ExpectSameSplit(date, novemberCarries);
        }
    }
    const double edges[] = {-657435,
                            -657434.99999999,
                            -657434.9999999999,
                            -657435.0000001,
                            2958466,
                            2958465.99999999,
                            2958465.9999999999,
                            2958466.0000001,
                            -0.0,
                            1e-300,
                            -1e-300,
                            0.99999999999999989,
                            -0.99999999999999989};
    for (double date : edges) {
        ExpectSameSplit(date, novemberCarries);
    }
}

// Every day whose time rounds up to the next midnight: the carry crosses the
// end of every month and year.
TEST(PlatformDate, CarriesIntoTheNextDayLikeOurLayer) {
    int novemberCarries = 0;
    for (int64_t day = static_cast<int64_t>(kMinDate); day <= static_cast<int64_t>(kMaxDate);
         ++day) {
        const double d = static_cast<double>(day);
        ExpectSameSplit(d < 0 ? d - 0.9999999 : d + 0.9999999, novemberCarries);
    }
    // Either the platform carries like our layer everywhere, or it deviates
    // on the November 30 of every year from 100 to 9999 and nowhere else.
    EXPECT_TRUE(novemberCarries == 0 || novemberCarries == 9900) << novemberCarries;
}

TEST(PlatformDate, RejectsNotANumber) {
    DateFields fields{1, 2, 3, 4, 5, 6};
    EXPECT_FALSE(PlatformDateToFields(std::numeric_limits<double>::quiet_NaN(), fields));
    EXPECT_FALSE(PlatformDateToFields(-std::numeric_limits<double>::quiet_NaN(), fields));
    EXPECT_EQ(fields.year, 1);
}

void ExpectSameBuild(const DateFields& f) {
    double own = 0;
    double platform = 0;
    ASSERT_TRUE(FieldsToDate(f, own)) << Describe(f);
    ASSERT_TRUE(PlatformFieldsToDate(f, platform)) << Describe(f);
    ASSERT_EQ(std::bit_cast<uint64_t>(own), std::bit_cast<uint64_t>(platform))
        << Describe(f) << ": own " << own << ", platform " << platform;
}

int DaysIn(int year, int month) {
    for (int day = 31; day > 28; --day) {
        double date = 0;
        if (FieldsToDate({year, month, day, 0, 0, 0}, date)) {
            return day;
        }
    }
    return 28;
}

// Bit for bit the same double for every day of the range, at a time that
// moves through the day, and for every second of days on both sides of the
// epoch.
TEST(PlatformDate, BuildsLikeOurLayer) {
    int64_t n = 0;
    for (int year = 100; year <= 9999; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const int days = DaysIn(year, month);
            for (int day = 1; day <= days; ++day, ++n) {
                const int s = static_cast<int>(n * 7919 % 86400);
                ExpectSameBuild({year, month, day, s / 3600, s / 60 % 60, s % 60});
            }
        }
    }
    EXPECT_EQ(n, static_cast<int64_t>(kMaxDate - kMinDate) + 1);
    for (const DateFields& day : {DateFields{1899, 12, 29}, DateFields{1899, 12, 30},
                                  DateFields{9999, 12, 31}, DateFields{100, 1, 1}}) {
        for (int s = 0; s < 86400; ++s) {
            DateFields f = day;
            f.hour = s / 3600;
            f.minute = s / 60 % 60;
            f.second = s % 60;
            ExpectSameBuild(f);
        }
    }
}

} // namespace

#endif
