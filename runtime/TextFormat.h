// The runtime's printf-style formatter of UTF-16 text and its typed arguments.
#pragma once

#include <cstdint>
#include <initializer_list>

// One argument of a format. Arguments carry their kind and width, so that a
// conversion given the wrong kind of argument fails instead of reading garbage.
// Integers of up to 32 bits are 32-bit arguments, 64-bit integers are 64-bit
// arguments, floating-point values are doubles and const char16_t* is a text.
class FormatArg {
public:
    enum class Kind { kInt32, kInt64, kDouble, kText };

    FormatArg(int value) : kind_(Kind::kInt32), bits_(static_cast<uint32_t>(value)) {}
    FormatArg(unsigned value) : kind_(Kind::kInt32), bits_(value) {}
    FormatArg(long value) : kind_(WidthOf(sizeof(long))), bits_(Bits(value, sizeof(long))) {}
    FormatArg(unsigned long value)
        : kind_(WidthOf(sizeof(long))), bits_(Bits(static_cast<long>(value), sizeof(long))) {}
    FormatArg(long long value) : kind_(Kind::kInt64), bits_(static_cast<uint64_t>(value)) {}
    FormatArg(unsigned long long value) : kind_(Kind::kInt64), bits_(value) {}
    FormatArg(double value) : kind_(Kind::kDouble), double_(value) {}
    FormatArg(const char16_t* text) : kind_(Kind::kText), text_(text) {}

    Kind GetKind() const { return kind_; }
    // The integer's bits: the low 32 for a 32-bit argument.
    uint64_t GetBits() const { return bits_; }
    double GetDouble() const { return double_; }
    const char16_t* GetText() const { return text_; }

private:
    static constexpr Kind WidthOf(unsigned long bytes) {
        return bytes == 8 ? Kind::kInt64 : Kind::kInt32;
    }
    static constexpr uint64_t Bits(long value, unsigned long bytes) {
        return bytes == 8 ? static_cast<uint64_t>(value)
                          : static_cast<uint64_t>(static_cast<uint32_t>(value));
    }

    Kind kind_;
    union {
        uint64_t bits_;
        double double_;
        const char16_t* text_;
    };
};

// Formats format with args into out (at most capacity units, no terminator)
// and returns the full length of the result in units, or -1 when the format
// fails. With out null (or capacity 0) it only measures. The result is the
// same on every platform.
//
// Supported, and nothing else:
//   literal units and "%%"  the units themselves, and one '%'
//   "%d"      a 32-bit integer argument, signed decimal
//   "%02X"    a 32-bit integer argument, unsigned, uppercase hexadecimal with
//             at least two digits (leading zero)
//   "%I64X"   a 64-bit integer argument, unsigned, uppercase hexadecimal
//             without leading zeros (0 for zero)
//   "%s"      a text argument (const char16_t*), copied as it stands; a null
//             text prints "(null)"
//   "%.6G", "%.8G", "%.13G", "%.15G"
//             a double argument: printf's %G with that precision, in the C
//             locale, exponents with at least two digits (1E+20, 1E-07),
//             infinities as INF and -INF, and every not-a-number as NAN
//             whatever its sign bit
// Any other conversion, a lone '%' at the end, an argument of the wrong kind,
// and too few or too many arguments make the format fail.
int64_t FormatText(char16_t* out, int64_t capacity, const char16_t* format,
                   std::initializer_list<FormatArg> args);
