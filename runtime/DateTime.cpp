#include "runtime/DateTime.h"

#include "runtime/TextFormat.h"
#include "runtime/WString.h"

#include <cassert>
#include <chrono>
#include <cmath>

namespace {

// Days from 1970-01-01, the epoch of the standard calendar types, back to
// 1899-12-30, the epoch of date-time values.
constexpr int64_t kEpochOffsetDays = 25569;

constexpr int kSecondsPerDay = 86400;

// The platform reads a fraction of a day that falls a hair below a half
// second as that half second, so that fractions such as 0.5/86400, which a
// double cannot hold exactly, still round up. The same nudge (in days)
// keeps the two layers in step.
constexpr double kRoundingNudge = 0.00000000001;

// A date is present only above this value: the empty date, and anything
// less than a tenth of a second above it, stand for no date.
constexpr double kPresentAbove = -657433.999999;

bool IsLeapYear(int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int64_t year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int64_t Clamp(int64_t value, int64_t low, int64_t high) {
    return value < low ? low : (value > high ? high : value);
}

// The time of day of a date-time in whole seconds, rounded as the platform
// rounds: hours, minutes and seconds are taken off in turn and the remainder
// rounds up when above a half. The result is 86400 when the time rounds to the
// end of the day.
int RoundedSecondOfDay(double date, double wholeDays) {
    double rest = std::fabs(date - wholeDays) + kRoundingNudge;
    rest *= 24.0;
    const int hour = static_cast<int>(rest);
    rest -= hour;
    rest *= 60.0;
    const int minute = static_cast<int>(rest);
    rest -= minute;
    rest *= 60.0;
    int second = static_cast<int>(rest);
    rest -= second;
    if (rest > 0.5) {
        ++second;
    }
    return hour * 3600 + minute * 60 + second;
}

// Reads the fields of a date text in order: digit runs and optional single
// separator units.
class DateTextReader {
public:
    explicit DateTextReader(const char16_t* text) : p_(text) {}

    // A run of at most maxDigits ASCII digits; none reads as 0.
    int Field(int maxDigits) {
        int value = 0;
        for (int i = 0; i < maxDigits && *p_ >= u'0' && *p_ <= u'9'; ++i, ++p_) {
            value = value * 10 + (*p_ - u'0');
        }
        return value;
    }

    // Steps over the next unit when it is one of separators.
    void SkipOneOf(const char16_t* separators) {
        for (; *separators != 0; ++separators) {
            if (*p_ == *separators) {
                ++p_;
                return;
            }
        }
    }

    char16_t Next() const { return *p_; }

private:
    const char16_t* p_;
};

// Appends to area, which holds length units of text, the date part of f:
// "%d年%d月%d日" from year, month and day, or "%d/%d/%d" month first.
int64_t FormatDatePart(char16_t* area, int64_t length, const DateFields& f, bool chineseStyle) {
    char16_t* out = area + length;
    const int64_t room = kNumberTextUnits - 1 - length;
    return chineseStyle ? FormatText(out, room, u"%d年%d月%d日", {f.year, f.month, f.day})
                        : FormatText(out, room, u"%d/%d/%d", {f.month, f.day, f.year});
}

// Appends the time down to its last nonzero field; nothing at midnight.
int64_t FormatTimePart(char16_t* area, int64_t length, const DateFields& f, bool chineseStyle) {
    char16_t* out = area + length;
    const int64_t room = kNumberTextUnits - 1 - length;
    if (f.second != 0) {
        return FormatText(out, room, chineseStyle ? u"%d时%d分%d秒" : u" %d:%d:%d",
                          {f.hour, f.minute, f.second});
    }
    if (f.minute != 0) {
        return FormatText(out, room, chineseStyle ? u"%d时%d分" : u" %d:%d", {f.hour, f.minute});
    }
    if (f.hour != 0) {
        return FormatText(out, room, chineseStyle ? u"%d时" : u" %d", {f.hour});
    }
    return 0;
}

} // namespace

bool IsDatePresent(double date) {
    return date > kPresentAbove;
}

bool DateToFields(double date, DateFields& fields) {
    if (!(date > kMinDate - 1.0 && date < kMaxDate + 1.0)) {
        return false; // Also every not-a-number.
    }
    const double wholeDays = std::trunc(date);
    int64_t day = static_cast<int64_t>(wholeDays);
    int secondOfDay = RoundedSecondOfDay(date, wholeDays);
    if (secondOfDay >= kSecondsPerDay) {
        secondOfDay -= kSecondsPerDay;
        ++day;
    }
    using namespace std::chrono;
    const year_month_day ymd{sys_days{days{day - kEpochOffsetDays}}};
    fields.year = static_cast<int>(ymd.year());
    fields.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    fields.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    fields.hour = secondOfDay / 3600;
    fields.minute = secondOfDay / 60 % 60;
    fields.second = secondOfDay % 60;
    return true;
}

bool FieldsToDate(const DateFields& f, double& date) {
    if (f.year < 100 || f.year > 9999 || f.month < 1 || f.month > 12 || f.day < 1 ||
        f.day > DaysInMonth(f.year, f.month) || f.hour < 0 || f.hour > 23 || f.minute < 0 ||
        f.minute > 59 || f.second < 0 || f.second > 59) {
        return false;
    }
    using namespace std::chrono;
    const year_month_day ymd{year{f.year}, month{static_cast<unsigned>(f.month)},
                             day{static_cast<unsigned>(f.day)}};
    const double d =
        static_cast<double>(sys_days{ymd}.time_since_epoch().count() + kEpochOffsetDays);
    // Summed term by term in this order, as the platform sums them, so that
    // both give the same double; before the epoch the time counts away from
    // zero as the fraction's absolute value.
    if (d < 0) {
        date = d - f.hour / 24.0 - f.minute / 1440.0 - f.second / 86400.0;
    } else {
        date = d + f.hour / 24.0 + f.minute / 1440.0 + f.second / 86400.0;
    }
    return true;
}

#ifndef _WIN32
bool PlatformDateToFields(double date, DateFields& fields) {
    return DateToFields(date, fields);
}

bool PlatformFieldsToDate(const DateFields& fields, double& date) {
    return FieldsToDate(fields, date);
}
#endif

double MakeDate(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute,
                int64_t second, double fallback) {
    DateFields f;
    f.year = static_cast<int>(Clamp(year, 100, 9999));
    f.month = static_cast<int>(Clamp(month, 1, 12));
    f.day = static_cast<int>(Clamp(day, 1, DaysInMonth(f.year, f.month)));
    f.hour = static_cast<int>(Clamp(hour, 0, 23));
    f.minute = static_cast<int>(Clamp(minute, 0, 59));
    f.second = static_cast<int>(Clamp(second, 0, 59));
    double date = fallback;
    return PlatformFieldsToDate(f, date) ? date : fallback;
}

double TextToDate(const char16_t* text, bool chineseStyle) {
    if (text == nullptr || text[0] == 0) {
        return kEmptyDate;
    }
    DateTextReader in(text);
    int year = 0;
    int month = 0;
    int day = 0;
    if (chineseStyle) {
        year = in.Field(4);
        in.SkipOneOf(u"-./:年");
        month = in.Field(2);
        in.SkipOneOf(u"-./:月");
        day = in.Field(2);
        in.SkipOneOf(u" -./:日");
    } else {
        month = in.Field(2);
        in.SkipOneOf(u"-./:");
        day = in.Field(2);
        in.SkipOneOf(u"-./:");
        year = in.Field(4);
        in.SkipOneOf(u" -./:");
    }
    const int hour = in.Field(2);
    in.SkipOneOf(chineseStyle ? u"-./:时" : u"-./:");
    const int minute = in.Field(2);
    in.SkipOneOf(chineseStyle ? u"-./:分" : u"-./:");
    const int second = in.Field(2);
    // Whatever follows a '秒' is not examined.
    if (in.Next() != 0 && !(chineseStyle && in.Next() == u'秒')) {
        return kEmptyDate;
    }
    return MakeDate(year, month, day, hour, minute, second, kEmptyDate);
}

char16_t* DateToText(double date, char16_t* area, bool chineseStyle) {
    area[0] = 0;
    DateFields f;
    if (!(date >= kMinDate && date <= kMaxDate) || !PlatformDateToFields(date, f)) {
        return area; // Out of range, not a number, or not splittable: empty.
    }
    // Every date text fits its area: at most 4 + 2 + 2 + 2 + 2 + 2 digits and 6 units.
    int64_t length = FormatDatePart(area, 0, f, chineseStyle);
    length += FormatTimePart(area, length, f, chineseStyle);
    assert(length >= 0 && length < kNumberTextUnits && "date text longer than its area");
    area[length] = 0;
    return area;
}

CWString& DateToText(double date, CWString& target, bool chineseStyle) {
    char16_t area[kNumberTextUnits];
    target.SetEmpty();
    target.Append(DateToText(date, area, chineseStyle));
    return target;
}
