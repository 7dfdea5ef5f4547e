#include "runtime/IntegerText.h"

#include "runtime/NumberText.h"

namespace {

// Start units of the eighteen ranges of ten decimal digits that the reading
// rule accepts: ASCII, Arabic-Indic, extended Arabic-Indic, Devanagari,
// Bengali, Gurmukhi, Gujarati, Oriya, Telugu, Kannada, Malayalam, Thai, Lao,
// Tibetan, Myanmar, Khmer, Mongolian and the full-width forms.
constexpr char16_t kDigitRangeStarts[] = {
    0x0030, 0x0660, 0x06F0, 0x0966, 0x09E6, 0x0A66, 0x0AE6, 0x0B66, 0x0C66,
    0x0CE6, 0x0D66, 0x0E50, 0x0ED0, 0x0F20, 0x1040, 0x17E0, 0x1810, 0xFF10,
};

} // namespace

// White space is the Unicode White_Space property of code points in the Basic
// Multilingual Plane: the controls U+0009-U+000D and U+0085, and the space
// separators (U+0020, U+00A0, U+1680, U+2000-U+200A, U+202F, U+205F, U+3000)
// plus the line and paragraph separators U+2028 and U+2029. It covers what the
// platform's wide space test classes as space for the texts a user can type,
// the ideographic space U+3000 of Chinese input included.
bool IsTextSpace(char16_t unit) {
    if ((unit >= 0x0009 && unit <= 0x000D) || unit == 0x0020) {
        return true;
    }
    if (unit < 0x0085) {
        return false;
    }
    return unit == 0x0085 || unit == 0x00A0 || unit == 0x1680 ||
           (unit >= 0x2000 && unit <= 0x200A) || unit == 0x2028 || unit == 0x2029 ||
           unit == 0x202F || unit == 0x205F || unit == 0x3000;
}

int DecimalDigitValue(char16_t unit) {
    for (char16_t start : kDigitRangeStarts) {
        if (unit < start) {
            return -1; // The ranges are sorted: no later range can hold it.
        }
        if (unit < start + 10) {
            return unit - start;
        }
    }
    return -1;
}

int32_t TextToInt32(const char16_t* text) {
    if (text == nullptr) {
        return 0;
    }
    const char16_t* p = text;
    while (IsTextSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == u'-' || *p == u'+') {
        negative = *p == u'-';
        ++p;
    }
    // The magnitude stops growing once it is beyond every 32-bit value, so it
    // can never overflow however many digits follow.
    constexpr uint32_t kBeyondRange = 0x80000001u;
    uint32_t magnitude = 0;
    for (int digit = DecimalDigitValue(*p); digit >= 0; digit = DecimalDigitValue(*++p)) {
        if (magnitude < kBeyondRange) {
            uint64_t next = uint64_t{magnitude} * 10 + static_cast<uint32_t>(digit);
            magnitude = next < kBeyondRange ? static_cast<uint32_t>(next) : kBeyondRange;
        }
    }
    if (negative) {
        return magnitude >= 0x80000000u ? INT32_MIN : -static_cast<int32_t>(magnitude);
    }
    return magnitude > 0x7FFFFFFFu ? INT32_MAX : static_cast<int32_t>(magnitude);
}

char16_t* Int32ToText(int32_t value, char16_t* area) {
    // Every 32-bit value has the same text as a 64-bit value, and the smallest
    // one is no special case there since its magnitude fits.
    const char16_t* text = Int64ToText(value, area);
    (void)text; // Int64ToText writes into area for every 32-bit value.
    return area;
}
