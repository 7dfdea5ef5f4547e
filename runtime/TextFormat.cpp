#include "runtime/TextFormat.h"

#include "runtime/TextUnits.h"

#include "runtime/NumberText.h"

#include <cmath>

namespace {

bool StartsWith(const char16_t* text, const char16_t* prefix) {
    for (; *prefix != 0; ++text, ++prefix) {
        if (*text != *prefix) {
            return false;
        }
    }
    return true;
}

void PutUnits(UnitWriter& sink, const char16_t* text) {
    for (; *text != 0; ++text) {
        sink.Put(*text);
    }
}

void PutDecimal(UnitWriter& sink, int32_t value) {
    char16_t text[kNumberTextUnits];
    PutUnits(sink, Int32ToText(value, text));
}

// Uppercase hexadecimal without leading zeros, padded with zeros to min_digits.
void PutHex(UnitWriter& sink, uint64_t value, int min_digits) {
    char16_t text[kNumberTextUnits];
    UInt64ToHex(value, text);
    for (int64_t pad = min_digits - UnitCount(text); pad > 0; --pad) {
        sink.Put(u'0');
    }
    PutUnits(sink, text);
}

// printf's %G: the shortest of fixed and exponent form for precision
// significant digits, trailing zeros removed, with the same text on every
// build (FloatToText holds the rule and its spelling of NaN and infinities).
void PutGeneral(UnitWriter& sink, double value, int precision) {
    char16_t text[kNumberTextUnits];
    PutUnits(sink, FloatToText(value, precision, text));
}

// The precision of a supported "%.<n>G" conversion at format, or 0.
int GeneralPrecision(const char16_t* format, int64_t& consumed) {
    static constexpr struct {
        const char16_t* text;
        int precision;
    } kConversions[] = {{u"%.6G", 6}, {u"%.8G", 8}, {u"%.13G", 13}, {u"%.15G", 15}};
    for (const auto& conversion : kConversions) {
        if (StartsWith(format, conversion.text)) {
            consumed = UnitCount(conversion.text);
            return conversion.precision;
        }
    }
    return 0;
}

} // namespace

int64_t FormatText(char16_t* out, int64_t capacity, const char16_t* format,
                   std::initializer_list<FormatArg> args) {
    if (format == nullptr) {
        return -1;
    }
    UnitWriter sink(out, capacity);
    const FormatArg* next = args.begin();
    // The next argument if it has the wanted kind, else null.
    auto take = [&](FormatArg::Kind kind) -> const FormatArg* {
        if (next == args.end() || next->GetKind() != kind) {
            return nullptr;
        }
        return next++;
    };
    const char16_t* p = format;
    while (*p != 0) {
        if (*p != u'%') {
            sink.Put(*p++);
            continue;
        }
        int64_t consumed = 0;
        if (StartsWith(p, u"%%")) {
            sink.Put(u'%');
            p += 2;
        } else if (StartsWith(p, u"%d")) {
            const FormatArg* arg = take(FormatArg::Kind::kInt32);
            if (arg == nullptr) {
                return -1;
            }
            PutDecimal(sink, static_cast<int32_t>(static_cast<uint32_t>(arg->GetBits())));
            p += 2;
        } else if (StartsWith(p, u"%02X")) {
            const FormatArg* arg = take(FormatArg::Kind::kInt32);
            if (arg == nullptr) {
                return -1;
            }
            PutHex(sink, static_cast<uint32_t>(arg->GetBits()), 2);
            p += 4;
        } else if (StartsWith(p, u"%I64X")) {
            const FormatArg* arg = take(FormatArg::Kind::kInt64);
            if (arg == nullptr) {
                return -1;
            }
            PutHex(sink, arg->GetBits(), 1);
            p += 5;
        } else if (StartsWith(p, u"%s")) {
            const FormatArg* arg = take(FormatArg::Kind::kText);
            if (arg == nullptr) {
                return -1;
            }
            PutUnits(sink, arg->GetText() != nullptr ? arg->GetText() : u"(null)");
            p += 2;
        } else if (const int precision = GeneralPrecision(p, consumed); precision > 0) {
            const FormatArg* arg = take(FormatArg::Kind::kDouble);
            if (arg == nullptr) {
                return -1;
            }
            PutGeneral(sink, arg->GetDouble(), precision);
            p += consumed;
        } else {
            return -1;
        }
    }
    return next == args.end() ? sink.Count() : -1;
}
