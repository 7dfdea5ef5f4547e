// The platform's date-time split and build on Windows: oleaut32.
#ifdef _WIN32

#include "runtime/DateTime.h"

#include <cmath>
#include <cstdint>

// The field layout of the platform's SYSTEMTIME, declared here so that the
// runtime does not depend on the Windows headers.
struct PlatformSystemTime {
    uint16_t year;
    uint16_t month;
    uint16_t dayOfWeek;
    uint16_t day;
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
    uint16_t milliseconds;
};

extern "C" {
__declspec(dllimport) int __stdcall VariantTimeToSystemTime(double variantTime,
                                                            PlatformSystemTime* systemTime);
__declspec(dllimport) int __stdcall SystemTimeToVariantTime(PlatformSystemTime* systemTime,
                                                            double* variantTime);
}

bool PlatformDateToFields(double date, DateFields& fields) {
    // Some versions of the platform answer a not-a-number with success and
    // meaningless fields.
    if (std::isnan(date)) {
        return false;
    }
    PlatformSystemTime st{};
    if (VariantTimeToSystemTime(date, &st) == 0) {
        return false;
    }
    fields.year = st.year;
    fields.month = st.month;
    fields.day = st.day;
    fields.hour = st.hour;
    fields.minute = st.minute;
    fields.second = st.second;
    return true;
}

bool PlatformFieldsToDate(const DateFields& fields, double& date) {
    PlatformSystemTime st{};
    st.year = static_cast<uint16_t>(fields.year);
    st.month = static_cast<uint16_t>(fields.month);
    st.day = static_cast<uint16_t>(fields.day);
    st.hour = static_cast<uint16_t>(fields.hour);
    st.minute = static_cast<uint16_t>(fields.minute);
    st.second = static_cast<uint16_t>(fields.second);
    double result = 0.0;
    if (SystemTimeToVariantTime(&st, &result) == 0) {
        return false;
    }
    date = result;
    return true;
}

#endif
