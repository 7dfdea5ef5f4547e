#include "runtime/NumberText.h"

#include "runtime/WString.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

// The value of a hexadecimal digit unit of either case, or -1.
int HexDigitValue(char16_t unit) {
    if (unit >= u'0' && unit <= u'9') {
        return unit - u'0';
    }
    if (unit >= u'A' && unit <= u'F') {
        return unit - u'A' + 10;
    }
    if (unit >= u'a' && unit <= u'f') {
        return unit - u'a' + 10;
    }
    return -1;
}

bool IsAsciiDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

char16_t AsciiLower(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + (u'a' - u'A')) : unit;
}

// True when text starts with word (lower-case ASCII) in any letter case.
bool StartsWithWord(const char16_t* text, const char* word) {
    for (; *word != 0; ++text, ++word) {
        if (AsciiLower(*text) != static_cast<char16_t>(*word)) {
            return false;
        }
    }
    return true;
}

// Reads the decimal exponent with its optional sign that starts at q, just
// after an 'e' or 'p'. Returns false when no digit follows: the letter then is not part
// of the number, as for wcstod. The magnitude saturates far beyond every
// exponent a double can need, so it cannot overflow.
bool ReadExponent(const char16_t* q, int64_t& exponent) {
    bool negative = false;
    if (*q == u'+' || *q == u'-') {
        negative = *q == u'-';
        ++q;
    }
    if (!IsAsciiDigit(*q)) {
        return false;
    }
    constexpr int64_t kSaturated = 1'000'000'000;
    int64_t magnitude = 0;
    for (; IsAsciiDigit(*q); ++q) {
        if (magnitude < kSaturated) {
            magnitude = magnitude * 10 + (*q - u'0');
        }
    }
    exponent = negative ? -magnitude : magnitude;
    return true;
}

// The digits of a number (without leading or trailing zeros once
// normalised) and the power the last of them stands at: value = digits x radix^exponent, where
// the radix is 10 for decimal and 2 for hexadecimal text (in which case every
// digit adds four to the binary exponent).
struct Significand {
    std::string digits;
    int64_t exponent = 0;
};

// Cuts a long significand to maxDigits and marks the cut by one extra '1'
// digit. The marked value lies strictly between the cut value and the next
// one at the last kept place, as the exact value does, and no rounding
// boundary of a double lies there, so both round to the same double.
void LimitDigits(Significand& s, size_t maxDigits, int placeWeight) {
    if (s.digits.size() <= maxDigits) {
        return;
    }
    const int64_t dropped = static_cast<int64_t>(s.digits.size() - maxDigits);
    s.digits.resize(maxDigits);
    s.digits.push_back('1');
    s.exponent += (dropped - 1) * placeWeight;
}

// Removes leading and trailing zeros; false when no nonzero digit is left.
bool Normalise(Significand& s, int placeWeight) {
    const size_t first = s.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return false;
    }
    const size_t last = s.digits.find_last_not_of('0');
    s.exponent += static_cast<int64_t>(s.digits.size() - 1 - last) * placeWeight;
    s.digits = s.digits.substr(first, last - first + 1);
    return true;
}

// Converts a canonical narrow number text with the C library. The text has
// no decimal point, so the conversion cannot depend on the locale.
double ConvertCanonical(bool negative, bool hex, const Significand& s) {
    std::string text = negative ? "-" : "";
    text += hex ? "0x" : "";
    text += s.digits;
    text += hex ? 'p' : 'e';
    text += std::to_string(s.exponent);
    return std::strtod(text.c_str(), nullptr);
}

// What differs between decimal and hexadecimal number texts.
struct Radix {
    bool hex;
    // Exponent step of one digit place: 1 (a power of 10) or 4 (powers of 2).
    int placeWeight;
    // The exponent letter, in lower case; the upper case is accepted too.
    char16_t exponentLetter;
    // Significant digits kept before the conversion.
    size_t digitsKept;
    // Magnitudes (exponent plus digit places, in exponent units) beyond these
    // bounds are settled as infinity or zero before the conversion, which also
    // keeps the canonical exponent short.
    int64_t infiniteAbove;
    int64_t zeroBelow;
};

// Decimal: the exact midpoint between two doubles never needs more than 767
// significant digits. Hexadecimal: 128 bits, far more than the 54 a double
// rounds on.
constexpr Radix kDecimalRadix{false, 1, u'e', 768, 400, -400};
constexpr Radix kHexRadix{true, 4, u'p', 32, 1100, -1200};

bool IsRadixDigit(char16_t unit, const Radix& radix) {
    return radix.hex ? HexDigitValue(unit) >= 0 : IsAsciiDigit(unit);
}

// Digits with an optional point; p is at the first digit or point (after the
// "0x" of a hexadecimal text). Returns false, consuming nothing, when the
// significand has no digit.
bool ReadSignificand(const char16_t*& p, const Radix& radix, Significand& s) {
    const char16_t* q = p;
    bool anyDigit = false;
    for (; IsRadixDigit(*q, radix); ++q) {
        s.digits.push_back(static_cast<char>(*q));
        anyDigit = true;
    }
    if (*q == u'.') {
        ++q;
        for (; IsRadixDigit(*q, radix); ++q) {
            s.digits.push_back(static_cast<char>(*q));
            s.exponent -= radix.placeWeight;
            anyDigit = true;
        }
    }
    if (!anyDigit) {
        return false;
    }
    p = q;
    return true;
}

double SignedZero(bool negative) {
    return negative ? -0.0 : 0.0;
}

double ReadNumber(const char16_t* p, bool negative, const Radix& radix) {
    Significand s;
    if (!ReadSignificand(p, radix, s)) {
        // Without a digit nothing was read, and wcstod gives +0; but "0x"
        // alone reads as the number 0 with its sign.
        return radix.hex ? SignedZero(negative) : 0.0;
    }
    int64_t exponent = 0;
    const bool letter = *p == radix.exponentLetter || *p == radix.exponentLetter - (u'a' - u'A');
    if (letter && ReadExponent(p + 1, exponent)) {
        s.exponent += exponent;
    }
    if (!Normalise(s, radix.placeWeight)) {
        return SignedZero(negative);
    }
    LimitDigits(s, radix.digitsKept, radix.placeWeight);
    const int64_t magnitude =
        s.exponent + radix.placeWeight * static_cast<int64_t>(s.digits.size());
    if (magnitude > radix.infiniteAbove) {
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    if (magnitude < radix.zeroBelow) {
        return SignedZero(negative);
    }
    return ConvertCanonical(negative, radix.hex, s);
}

// Copies a narrow ASCII text with its terminator into area, upper-casing the
// exponent letter.
char16_t* WidenUpper(const char* text, char16_t* area) {
    int i = 0;
    for (; text[i] != 0; ++i) {
        area[i] = text[i] == 'e' ? u'E' : static_cast<char16_t>(text[i]);
    }
    area[i] = 0;
    return area;
}

} // namespace

char16_t* UInt32ToHex8(uint32_t value, char16_t* area) {
    for (int i = 0; i < 8; ++i) {
        area[i] = kHexDigits[(value >> (28 - 4 * i)) & 0xF];
    }
    area[8] = 0;
    return area;
}

char16_t* UInt64ToHex(uint64_t value, char16_t* area) {
    int length = 0;
    for (int shift = 60; shift >= 0; shift -= 4) {
        const unsigned nibble = (value >> shift) & 0xF;
        if (nibble != 0 || length > 0 || shift == 0) {
            area[length++] = kHexDigits[nibble];
        }
    }
    area[length] = 0;
    return area;
}

int64_t HexToInt64(const char16_t* text) {
    if (text == nullptr) {
        return 0;
    }
    const char16_t* p = text;
    if (p[0] == u'0' && (p[1] == u'x' || p[1] == u'X')) {
        p += 2;
    }
    uint64_t value = 0;
    for (int digit = HexDigitValue(*p); digit >= 0; digit = HexDigitValue(*++p)) {
        value = (value << 4) | static_cast<unsigned>(digit);
    }
    return static_cast<int64_t>(value);
}

double TextToFloat64(const char16_t* text) {
    if (text == nullptr) {
        return 0.0;
    }
    const char16_t* p = text;
    while (IsTextSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == u'+' || *p == u'-') {
        negative = *p == u'-';
        ++p;
    }
    if (StartsWithWord(p, "inf")) {
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    if (StartsWithWord(p, "nan")) {
        // The tail in parentheses would only choose a NaN payload; every NaN
        // reads the same so that both builds agree.
        constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
        return negative ? -kNaN : kNaN;
    }
    if (p[0] == u'0' && (p[1] == u'x' || p[1] == u'X')) {
        return ReadNumber(p + 2, negative, kHexRadix);
    }
    return ReadNumber(p, negative, kDecimalRadix);
}

char16_t* FloatToText(double value, int precision, char16_t* area) {
    if (std::isnan(value)) {
        return WidenUpper("NAN", area);
    }
    if (std::isinf(value)) {
        return WidenUpper(value < 0 ? "-INF" : "INF", area);
    }
    if (precision < 0) {
        precision = 6;
    }
    if (precision > kMaxFloatPrecision) {
        precision = kMaxFloatPrecision;
    }
    // The standard library's exact conversion follows the "%g" rules
    // (precision 0 meaning 1, trailing zeros removed, an exponent of at least
    // two digits) without the C run-time, so both builds agree.
    char narrow[kNumberTextUnits];
    const std::to_chars_result result = std::to_chars(narrow, narrow + sizeof(narrow) - 1, value,
                                                      std::chars_format::general, precision);
    assert(result.ec == std::errc{} && "the precision limit keeps the text within the area");
    *result.ptr = 0;
    return WidenUpper(narrow, area);
}

char16_t* Float64ToText(double value, char16_t* area) {
    if (value >= -0.000001 && value <= 0.000001) {
        return WidenUpper("0", area);
    }
    return FloatToText(value, 15, area);
}

char16_t* Float32ToText(float value, char16_t* area) {
    if (value >= -0.000001f && value <= 0.000001f) {
        return WidenUpper("0", area);
    }
    return FloatToText(static_cast<double>(value), 8, area);
}

void AppendFloat(CWString& text, float value) {
    char16_t area[kNumberTextUnits];
    text.Append(Float32ToText(value, area));
}

void AppendDouble(CWString& text, double value) {
    char16_t area[kNumberTextUnits];
    text.Append(Float64ToText(value, area));
}
