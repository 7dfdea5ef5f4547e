#include "runtime/IntegerText.h"

namespace {

constexpr char16_t kInt64MinText[] = u"-9223372036854775808";

// Start units of the seventeen ranges of ten decimal digits beyond ASCII that
// the reading rule accepts: Arabic-Indic, extended Arabic-Indic, Devanagari,
// Bengali, Gurmukhi, Gujarati, Oriya, Telugu, Kannada, Malayalam, Thai, Lao,
// Tibetan, Myanmar, Khmer, Mongolian and the full-width forms.
constexpr char16_t kOtherDigitRangeStarts[] = {
    0x0660, 0x06F0, 0x0966, 0x09E6, 0x0A66, 0x0AE6, 0x0B66, 0x0C66, 0x0CE6,
    0x0D66, 0x0E50, 0x0ED0, 0x0F20, 0x1040, 0x17E0, 0x1810, 0xFF10,
};

// The digit value of a unit beyond ASCII, or -1.
int OtherDigitValue(char16_t unit) {
    for (char16_t start : kOtherDigitRangeStarts) {
        if (unit < start) {
            return -1; // The ranges are sorted: no later range can hold it.
        }
        if (unit < start + 10) {
            return unit - start;
        }
    }
    return -1;
}

// DecimalDigitValue with the ASCII digits decided by one comparison; every
// other range starts above U+0660.
inline int DigitValue(char16_t unit) {
    const unsigned ascii = unsigned{unit} - u'0';
    if (ascii < 10) {
        return static_cast<int>(ascii);
    }
    return unit < 0x0660 ? -1 : OtherDigitValue(unit);
}

// White space beyond the ASCII blanks; see IsTextSpace.
bool IsOtherSpace(char16_t unit) {
    return unit == 0x0085 || unit == 0x00A0 || unit == 0x1680 ||
           (unit >= 0x2000 && unit <= 0x200A) || unit == 0x2028 || unit == 0x2029 ||
           unit == 0x202F || unit == 0x205F || unit == 0x3000;
}

// IsTextSpace with the printable ASCII units, which start almost every
// number, ruled out first.
inline bool IsSpace(char16_t unit) {
    if (unit > 0x20 && unit < 0x85) {
        return false;
    }
    return unit == 0x20 || (unit >= 0x09 && unit <= 0x0D) || (unit >= 0x85 && IsOtherSpace(unit));
}

// One beyond the largest magnitude of each width: the range of a reading is
// -beyond to beyond - 1.
constexpr uint64_t kInt32Beyond = uint64_t{1} << 31;
constexpr uint64_t kInt64Beyond = uint64_t{1} << 63;

// The reading rule that the 32- and 64-bit readers share (blanks, one sign,
// digits of every range), giving the value saturated to -beyond .. beyond - 1.
// Nine digits never leave either range, so they are read without a check.
// After them each digit is checked before it is added, and once the value
// would leave the range, the result is settled whatever digits follow:
// nothing reports where the number ends, so they need not be read.
inline int64_t ReadDecimal(const char16_t* text, uint64_t beyond) {
    if (text == nullptr) {
        return 0;
    }
    const char16_t* p = text;
    while (IsSpace(*p)) {
        ++p;
    }
    const bool negative = *p == u'-';
    if (negative || *p == u'+') {
        ++p;
    }
    uint32_t head = 0;
    for (int read = 0; read < 9; ++read, ++p) {
        const int digit = DigitValue(*p);
        if (digit < 0) {
            return negative ? -int64_t{head} : int64_t{head};
        }
        head = head * 10 + static_cast<uint32_t>(digit);
    }
    // The largest magnitude on this side of zero, and the magnitude from
    // which one more digit passes it unless that digit is at most lastUnit.
    const uint64_t largest = negative ? beyond : beyond - 1;
    const uint64_t lastTens = largest / 10;
    const uint64_t lastUnit = largest % 10;
    uint64_t magnitude = head;
    for (int digit = DigitValue(*p); digit >= 0; digit = DigitValue(*++p)) {
        const auto unit = static_cast<uint64_t>(digit);
        if (magnitude > lastTens || (magnitude == lastTens && unit > lastUnit)) {
            magnitude = largest;
            break;
        }
        magnitude = magnitude * 10 + unit;
    }
    // Negating in unsigned arithmetic keeps -beyond itself well defined.
    return static_cast<int64_t>(negative ? 0 - magnitude : magnitude);
}

bool IsAsciiDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

} // namespace

// White space is the Unicode White_Space property of code points in the Basic
// Multilingual Plane: the controls U+0009-U+000D and U+0085, and the space
// separators (U+0020, U+00A0, U+1680, U+2000-U+200A, U+202F, U+205F, U+3000)
// plus the line and paragraph separators U+2028 and U+2029. It covers what the
// platform's wide space test classes as space for the texts a user can type,
// the ideographic space U+3000 of Chinese input included.
bool IsTextSpace(char16_t unit) {
    return IsSpace(unit);
}

int DecimalDigitValue(char16_t unit) {
    return DigitValue(unit);
}

int32_t TextToInt32(const char16_t* text) {
    return static_cast<int32_t>(ReadDecimal(text, kInt32Beyond));
}

int64_t TextToInt64Saturating(const char16_t* text) {
    return ReadDecimal(text, kInt64Beyond);
}

char16_t* Int32ToText(int32_t value, char16_t* area) {
    // Digits go from the least significant upwards into a scratch area, then
    // move to the start of the caller's area. The magnitude of the smallest
    // value fits an unsigned 32-bit number.
    char16_t scratch[12];
    int pos = 12;
    uint32_t magnitude =
        value < 0 ? 0 - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    do {
        scratch[--pos] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    int length = 0;
    if (value < 0) {
        area[length++] = u'-';
    }
    while (pos < 12) {
        area[length++] = scratch[pos++];
    }
    area[length] = 0;
    return area;
}

const char16_t* Int64ToText(int64_t value, char16_t* area) {
    if (value == INT64_MIN) {
        return kInt64MinText;
    }
    char16_t scratch[20];
    int pos = 20;
    uint64_t magnitude = value < 0 ? uint64_t(-value) : uint64_t(value);
    do {
        scratch[--pos] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    int length = 0;
    if (value < 0) {
        area[length++] = u'-';
    }
    while (pos < 20) {
        area[length++] = scratch[pos++];
    }
    area[length] = 0;
    return area;
}

int64_t TextToInt64(const char16_t* text) {
    if (text == nullptr) {
        return 0;
    }
    const char16_t* p = text;
    while (*p != 0 && *p <= 0x20) {
        ++p;
    }
    bool negative = false;
    if (*p == u'-' || *p == u'+') {
        negative = *p == u'-';
        ++p;
    }
    // 1844674407370955161 is UINT64_MAX / 10: one more digit would overflow
    // the unsigned magnitude unless it is at most 5.
    constexpr uint64_t kLastSafe = UINT64_MAX / 10;
    uint64_t magnitude = 0;
    for (; IsAsciiDigit(*p); ++p) {
        const unsigned digit = *p - u'0';
        if (magnitude > kLastSafe || (magnitude == kLastSafe && digit > 5)) {
            return negative ? INT64_MIN : INT64_MAX;
        }
        magnitude = magnitude * 10 + digit;
    }
    // Negating in unsigned arithmetic keeps the wrap of the largest
    // magnitudes well defined.
    return static_cast<int64_t>(negative ? 0 - magnitude : magnitude);
}
