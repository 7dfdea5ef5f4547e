// TextToInt64 and HexToInt64 against plain reference models that work in
// 128-bit arithmetic and on the list of digits, on arbitrary UTF-16 texts.
#include "fuzz/FuzzSupport.h"
#include "runtime/IntegerText.h"
#include "runtime/NumberText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

int64_t DecimalReference(const std::vector<char16_t>& text) {
    size_t i = 0;
    while (text[i] != 0 && text[i] <= u' ') {
        ++i;
    }
    bool negative = false;
    if (text[i] == u'-' || text[i] == u'+') {
        negative = text[i] == u'-';
        ++i;
    }
    unsigned __int128 magnitude = 0;
    for (; text[i] >= u'0' && text[i] <= u'9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - u'0');
        if (magnitude > UINT64_MAX) {
            return negative ? INT64_MIN : INT64_MAX;
        }
    }
    const auto bits = static_cast<uint64_t>(magnitude);
    return static_cast<int64_t>(negative ? ~bits + 1 : bits);
}

int HexValue(char16_t unit) {
    if (unit >= u'0' && unit <= u'9') {
        return unit - u'0';
    }
    if ((unit | 0x20) >= u'a' && (unit | 0x20) <= u'f' && unit < 0x80) {
        return (unit | 0x20) - u'a' + 10;
    }
    return -1;
}

int64_t HexReference(const std::vector<char16_t>& text) {
    size_t i = 0;
    if (text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        i = 2;
    }
    std::vector<int> digits;
    for (; HexValue(text[i]) >= 0; ++i) {
        digits.push_back(HexValue(text[i]));
    }
    // Only the last sixteen digits survive.
    uint64_t value = 0;
    const size_t first = digits.size() > 16 ? digits.size() - 16 : 0;
    for (size_t k = first; k < digits.size(); ++k) {
        value = value * 16 + static_cast<uint64_t>(digits[k]);
    }
    return static_cast<int64_t>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first byte picks how the rest becomes text: pairs of bytes as
    // little-endian UTF-16 units, or single bytes as units (denser in the
    // digits and signs that matter). A zero unit ends the text.
    if (size == 0) {
        return 0;
    }
    std::vector<char16_t> text;
    if (data[0] % 2 == 0) {
        const std::u16string units = UnitsFromBytes(data + 1, size - 1);
        text.assign(units.begin(), units.end());
    } else {
        for (size_t i = 1; i < size; ++i) {
            text.push_back(data[i]);
        }
    }
    text.push_back(0);
    text.push_back(0); // HexReference may look at the unit after the first

    Check(TextToInt64(text.data()) == DecimalReference(text));
    Check(HexToInt64(text.data()) == HexReference(text));

    // The texts written for any value read back as that value.
    char16_t area[kNumberTextUnits];
    const int64_t value = DecimalReference(text);
    Check(TextToInt64(Int64ToText(value, area)) == value);
    Check(HexToInt64(UInt64ToHex(static_cast<uint64_t>(value), area)) == value);
    Check(static_cast<uint32_t>(HexToInt64(UInt32ToHex8(static_cast<uint32_t>(value), area))) ==
          static_cast<uint32_t>(value));
    return 0;
}
