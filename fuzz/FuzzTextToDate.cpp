// TextToDate in both styles: whatever it accepts is a date-time of whole
// seconds, and a date it gives within the valid range prints with DateToText
// and reads back as the same value. Also DateToText of arbitrary doubles.
#include "fuzz/FuzzSupport.h"
#include "runtime/DateTime.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Units a date text is made of; single bytes pick from them so that the
// fuzzer reaches well-formed and almost well-formed texts quickly.
constexpr char16_t kDateUnits[] = u"0123456789012345678901234567890123456789-./: "
                                  u"年月日时分秒x\u3000";

std::vector<char16_t> MakeText(const uint8_t* data, size_t size, bool fromAlphabet) {
    std::vector<char16_t> text;
    if (fromAlphabet) {
        constexpr size_t kCount = sizeof(kDateUnits) / sizeof(kDateUnits[0]) - 1;
        for (size_t i = 0; i < size; ++i) {
            text.push_back(kDateUnits[data[i] % kCount]);
        }
    } else {
        const std::u16string units = UnitsFromBytes(data, size);
        text.assign(units.begin(), units.end());
    }
    text.push_back(0);
    return text;
}

void CheckReadDate(double date, bool chineseStyle) {
    // A built date: whole seconds of a valid day, which split and rebuild
    // to the same double.
    DateFields fields;
    Check(DateToFields(date, fields));
    double rebuilt = 0;
    Check(FieldsToDate(fields, rebuilt) && rebuilt == date);

    char16_t area[kNumberTextUnits];
    DateToText(date, area, chineseStyle);
    if (date >= kMinDate && date <= kMaxDate) {
        Check(TextToDate(area, chineseStyle) == date);
    } else {
        // The times of day on the first and the last day lie outside the
        // range that has a text.
        Check(area[0] == 0);
    }
}

// The text of any date within the range reads back as that date rounded to
// the second.
void CheckWrittenDate(double date, bool chineseStyle) {
    char16_t area[kNumberTextUnits];
    DateToText(date, area, chineseStyle);
    if (!(date >= kMinDate && date <= kMaxDate)) {
        Check(area[0] == 0);
        return;
    }
    DateFields fields;
    Check(DateToFields(date, fields));
    double rounded = 0;
    if (!FieldsToDate(fields, rounded)) {
        Check(fields.year == 10000); // only the last moments of 9999 round beyond
        return;
    }
    Check(TextToDate(area, chineseStyle) == rounded);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool chineseStyle = (data[0] & 1) != 0;
    const bool fromAlphabet = (data[0] & 2) != 0;
    const std::vector<char16_t> text = MakeText(data + 1, size - 1, fromAlphabet);
    CheckReadDate(TextToDate(text.data(), chineseStyle), chineseStyle);

    if (size >= 9) {
        uint64_t bits = 0;
        std::memcpy(&bits, data + 1, sizeof bits);
        CheckWrittenDate(std::bit_cast<double>(bits), chineseStyle);
        // Also a date spread over the valid range from the same bits.
        const double spread =
            kMinDate + static_cast<double>(bits >> 11) * 0x1p-53 * (kMaxDate - kMinDate);
        CheckWrittenDate(spread, chineseStyle);
    }
    return 0;
}
