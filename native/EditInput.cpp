#include "native/EditInput.h"

#include <algorithm>
#include <limits>

#include "runtime/DateTime.h"
#include "runtime/NumberText.h"

static_assert(std::numeric_limits<float>::is_iec559,
              "narrowing a double beyond the float range must give an infinity");

namespace {

bool IsAsciiDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

void CopyUnits(const char16_t* from, char16_t* area) {
    int i = 0;
    for (; from[i] != 0 && i < kNumberTextUnits - 1; ++i) {
        area[i] = from[i];
    }
    area[i] = 0;
}

// The decimal text of a 32-bit value clamped to [low, high].
void ClampedInt32Text(const char16_t* text, int32_t low, int32_t high, char16_t* area) {
    Int32ToText(std::clamp(TextToInt32(text), low, high), area);
}

} // namespace

bool EditAcceptsChar(int64_t inputType, char16_t unit) {
    if (unit < 32) {
        return true;
    }
    switch (static_cast<EditInputType>(inputType)) {
    case EditInputType::kIntegerText:
    case EditInputType::kShort:
    case EditInputType::kInt32:
    case EditInputType::kInt64:
        return unit == u'-' || IsAsciiDigit(unit);
    case EditInputType::kByte:
        return IsAsciiDigit(unit);
    case EditInputType::kDecimalText:
    case EditInputType::kSingle:
    case EditInputType::kDouble:
        return unit == u'-' || unit == u'.' || IsAsciiDigit(unit);
    default:
        return true;
    }
}

bool NormalizeEditText(int64_t inputType, const char16_t* text, char16_t* area) {
    static const char16_t kEmpty[] = u"";
    if (text == nullptr) {
        text = kEmpty;
    }
    switch (static_cast<EditInputType>(inputType)) {
    case EditInputType::kByte:
        ClampedInt32Text(text, 0, 255, area);
        break;
    case EditInputType::kShort:
        ClampedInt32Text(text, -32768, 32767, area);
        break;
    case EditInputType::kInt32:
        Int32ToText(TextToInt32(text), area);
        break;
    case EditInputType::kInt64:
        // Int64ToText answers a constant for the smallest value instead of area.
        CopyUnits(Int64ToText(TextToInt64(text), area), area);
        break;
    case EditInputType::kSingle:
        FloatToText(static_cast<float>(TextToFloat64(text)), 6, area);
        break;
    case EditInputType::kDouble:
        FloatToText(TextToFloat64(text), 13, area);
        break;
    case EditInputType::kDateChinese:
    case EditInputType::kDateNumeric: {
        const bool chinese = static_cast<EditInputType>(inputType) == EditInputType::kDateChinese;
        const double date = TextToDate(text, chinese);
        if (IsDatePresent(date)) {
            DateToText(date, area, chinese);
        } else {
            area[0] = 0;
        }
        return true; // a date text is never the lone "0"
    }
    case EditInputType::kHex:
        UInt64ToHex(static_cast<uint64_t>(HexToInt64(text)), area);
        break;
    default:
        return false;
    }
    if (area[0] == u'0' && area[1] == 0) {
        area[0] = 0;
    }
    return true;
}
