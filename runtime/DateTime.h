// Date-time values (OLE Automation dates) and their text rules, with the calendar layer beneath
// them.
#pragma once

#include <cstdint>

#include "runtime/IntegerText.h"

// A date-time is a double counting days since 1899-12-30 00:00:00. Its whole
// part picks the day, and the absolute value of its fraction is the time of
// day, also for the days before 1899-12-30: -1.25 is 1899-12-29 06:00.
inline constexpr double kMinDate = -657434.0; // 0100-01-01 00:00:00
inline constexpr double kMaxDate = 2958465.0; // 9999-12-31 00:00:00

// The value that stands for "no date": the first valid date.
inline constexpr double kEmptyDate = kMinDate;

// True when date stands for a present date rather than the empty one.
bool IsDatePresent(double date);

// Calendar fields of a date-time to the whole second.
struct DateFields {
    int year = 0;
    int month = 0;  // 1-12
    int day = 0;    // 1-31
    int hour = 0;   // 0-23
    int minute = 0; // 0-59
    int second = 0; // 0-59
};

// The calendar layer of our own, the same on every build. DateToFields
// splits a date-time into fields: it accepts values above -657435 and below
// 2958466, rounds the time of day to the nearest second (a half second and
// anything a hair below it rounds up, absorbing the representation error of
// the fraction), and lets a time that rounds to 24:00 move to the next day
// (2958465.9999999 gives 10000-01-01). Returns false, leaving fields as they
// were, for a value outside that range or not a number.
bool DateToFields(double date, DateFields& fields);

// Builds the date-time of valid calendar fields: year 100-9999, month 1-12, a
// day within the month, hour 0-23, minute and second 0-59. Returns false,
// leaving date as it was, for any other fields.
bool FieldsToDate(const DateFields& fields, double& date);

// The platform's split and build, used by the text rules below: oleaut32's
// VariantTimeToSystemTime and SystemTimeToVariantTime on Windows, the calendar
// layer above elsewhere. They agree with the calendar layer on every value
// the text rules pass them.
bool PlatformDateToFields(double date, DateFields& fields);
bool PlatformFieldsToDate(const DateFields& fields, double& date);

// Builds a date-time from fields clamped to year 100-9999, month 1-12, day
// 1-31 (then to the length of the month), hour 0-23, minute and second 0-59.
// Returns fallback when the platform cannot build it.
double MakeDate(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute,
                int64_t second, double fallback);

// Reads a date-time: year, month and day (Chinese style) or month, day and
// year (numeric style), then hour, minute and second, as runs of ASCII digits
// (up to four for the year, two for the others; none reads as 0), each
// optionally followed by one separator unit. The text must end after the
// second (or at a '秒' in Chinese style). A null, empty or malformed text
// gives kEmptyDate.
double TextToDate(const char16_t* text, bool chineseStyle);

// Writes the text of date with its terminator into area (kNumberTextUnits
// units) and returns area: "%d年%d月%d日" or "%d/%d/%d" (month first), then
// the time down to its last nonzero field ("%d时%d分%d秒", "%d时%d分", "%d时"
// or " %d:%d:%d", " %d:%d", " %d"). A date outside kMinDate to kMaxDate, or
// not a number, gives the empty text.
char16_t* DateToText(double date, char16_t* area, bool chineseStyle);

class CWString;

// Replaces the text of target with the text of date (as above; the empty text
// for a date outside the valid range) and returns target.
CWString& DateToText(double date, CWString& target, bool chineseStyle);
