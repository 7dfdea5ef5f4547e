#include "runtime/Utf8Text.h"

#include "runtime/TextUnits.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// The valid range of the second byte after lead, which narrows the usual
// 0x80-0xBF range for the leads whose sequences could otherwise be overlong,
// surrogates or beyond U+10FFFF.
void SecondByteRange(unsigned lead, unsigned& low, unsigned& high) {
    low = 0x80;
    high = 0xBF;
    if (lead == 0xE0) {
        low = 0xA0;
    } else if (lead == 0xED) {
        high = 0x9F;
    } else if (lead == 0xF0) {
        low = 0x90;
    } else if (lead == 0xF4) {
        high = 0x8F;
    }
}

// Bytes in the sequence that lead begins, or 0 when lead cannot begin one.
int SequenceLength(unsigned lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

} // namespace

int64_t Utf8ToUtf16(const char* text, char16_t* out, int64_t capacity) {
    UnitWriter writer(out, capacity);
    if (text == nullptr) {
        return 0;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p != 0) {
        const unsigned lead = *p;
        const int length = SequenceLength(lead);
        if (length == 0) {
            writer.Put(kReplacement);
            ++p;
            continue;
        }
        if (length == 1) {
            writer.Put(static_cast<char16_t>(lead));
            ++p;
            continue;
        }
        uint32_t code = lead & (0xFFu >> (length + 1));
        int taken = 1;
        for (; taken < length; ++taken) {
            unsigned low = 0x80;
            unsigned high = 0xBF;
            if (taken == 1) {
                SecondByteRange(lead, low, high);
            }
            const unsigned byte = p[taken];
            if (byte < low || byte > high) {
                break;
            }
            code = code << 6 | (byte & 0x3Fu);
        }
        p += taken;
        if (taken < length) {
            // The well-formed prefix is one maximal ill-formed part; the
            // byte that stopped it starts the next round.
            writer.Put(kReplacement);
        } else if (code >= 0x10000) {
            code -= 0x10000;
            writer.Put(static_cast<char16_t>(0xD800 + (code >> 10)));
            writer.Put(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            writer.Put(static_cast<char16_t>(code));
        }
    }
    return writer.Count();
}
