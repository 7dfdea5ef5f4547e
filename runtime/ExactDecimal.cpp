#include "runtime/ExactDecimal.h"

#include <bit>
#include <cassert>
#include <cstdint>

namespace {

// A natural number in 32-bit limbs, least significant first, wide enough for
// the integer that a double's significand becomes once scaled by the power
// of two or five that takes its binary point away: at most 2^53 x 5^1074,
// which is below 2^2548, or 2^53 x 2^971 = 2^1024.
class Natural {
public:
    explicit Natural(uint64_t value) {
        for (; value != 0; value >>= 32) {
            limbs_[count_++] = static_cast<uint32_t>(value);
        }
    }

    bool IsZero() const { return count_ == 0; }

    void Multiply(uint32_t factor) {
        uint64_t carry = 0;
        for (int i = 0; i < count_; ++i) {
            const uint64_t product = static_cast<uint64_t>(limbs_[i]) * factor + carry;
            limbs_[i] = static_cast<uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0) {
            assert(count_ < kLimbs && "every scaled double fits");
            limbs_[count_++] = static_cast<uint32_t>(carry);
        }
    }

    void MultiplyByPowerOfFive(int exponent) {
        constexpr uint32_t kFiveToThe13 = 1220703125; // the largest power of five in 32 bits
        for (; exponent >= 13; exponent -= 13) {
            Multiply(kFiveToThe13);
        }
        uint32_t rest = 1;
        for (; exponent > 0; --exponent) {
            rest *= 5;
        }
        Multiply(rest);
    }

    void ShiftLeft(int bits) {
        const int words = bits / 32;
        const int shift = bits % 32;
        assert(count_ + words + 1 <= kLimbs && "every scaled double fits");
        limbs_[count_] = 0;
        for (int i = count_; i >= 0; --i) {
            const uint32_t low = i > 0 && shift != 0 ? limbs_[i - 1] >> (32 - shift) : 0;
            limbs_[i + words] = (limbs_[i] << shift) | low;
        }
        for (int i = 0; i < words; ++i) {
            limbs_[i] = 0;
        }
        count_ += words + 1;
        Trim();
    }

    // Divides in place and returns the remainder.
    uint32_t Divide(uint32_t divisor) {
        uint64_t remainder = 0;
        for (int i = count_ - 1; i >= 0; --i) {
            const uint64_t part = (remainder << 32) | limbs_[i];
            limbs_[i] = static_cast<uint32_t>(part / divisor);
            remainder = part % divisor;
        }
        Trim();
        return static_cast<uint32_t>(remainder);
    }

private:
    void Trim() {
        while (count_ > 0 && limbs_[count_ - 1] == 0) {
            --count_;
        }
    }

    static constexpr int kLimbs = 82;
    uint32_t limbs_[kLimbs] = {};
    int count_ = 0;
};

// Decimal digits of every scaled double: 2^2548 is below 10^768.
constexpr int kMaxExactDigits = 768;

// Writes the decimal digits of n (not zero), most significant first, without
// leading zeros; returns how many.
int WriteDigits(Natural n, char* area) {
    constexpr uint32_t kChunk = 1000000000; // nine digits at a time
    uint32_t chunks[kMaxExactDigits / 9 + 1];
    int chunkCount = 0;
    while (!n.IsZero()) {
        chunks[chunkCount++] = n.Divide(kChunk);
    }
    int count = 0;
    for (int i = chunkCount - 1; i >= 0; --i) {
        char nine[9];
        uint32_t chunk = chunks[i];
        for (int k = 8; k >= 0; --k) {
            nine[k] = static_cast<char>('0' + chunk % 10);
            chunk /= 10;
        }
        int k = 0;
        if (i == chunkCount - 1) {
            while (nine[k] == '0') {
                ++k;
            }
        }
        for (; k < 9; ++k) {
            area[count++] = nine[k];
        }
    }
    return count;
}

// True when the digits after the first kept ones round the kept ones up: more
// than half of the last kept place, or exactly half with an odd last digit.
bool RoundsUp(const char* digits, int count, int kept) {
    if (count <= kept || digits[kept] < '5') {
        return false;
    }
    if (digits[kept] > '5') {
        return true;
    }
    for (int i = kept + 1; i < count; ++i) {
        if (digits[i] != '0') {
            return true;
        }
    }
    return (digits[kept - 1] - '0') % 2 != 0;
}

} // namespace

SignificantDigits RoundToSignificant(double value, int precision) {
    assert(precision >= 1 && precision <= kMaxSignificantDigits && "precision out of range");
    const uint64_t bits = std::bit_cast<uint64_t>(value) & ~(uint64_t{1} << 63);
    const int biased = static_cast<int>(bits >> 52);
    assert(bits != 0 && biased != 0x7FF && "finite and not zero");
    uint64_t significand = bits & ((uint64_t{1} << 52) - 1);
    int binaryExponent = -1074;
    if (biased != 0) {
        significand |= uint64_t{1} << 52;
        binaryExponent = biased - 1075;
    }
    // Fewer factors of five below the binary point for the same value.
    for (; binaryExponent < 0 && significand % 2 == 0; ++binaryExponent) {
        significand /= 2;
    }
    // value = n x 10^binaryExponent below the point, n itself above it.
    Natural n(significand);
    int tenExponent = 0;
    if (binaryExponent >= 0) {
        n.ShiftLeft(binaryExponent);
    } else {
        n.MultiplyByPowerOfFive(-binaryExponent);
        tenExponent = binaryExponent;
    }
    char exact[kMaxExactDigits];
    const int count = WriteDigits(n, exact);

    SignificantDigits result{};
    result.exponent = tenExponent + count - 1;
    result.count = count < precision ? count : precision;
    for (int i = 0; i < result.count; ++i) {
        result.digits[i] = exact[i];
    }
    if (RoundsUp(exact, count, result.count)) {
        int i = result.count - 1;
        for (; i >= 0 && result.digits[i] == '9'; --i) {
            result.digits[i] = '0';
        }
        if (i >= 0) {
            ++result.digits[i];
        } else {
            result.digits[0] = '1'; // 99...9 became 100...0: one place up
            ++result.exponent;
        }
    }
    while (result.count > 1 && result.digits[result.count - 1] == '0') {
        --result.count;
    }
    return result;
}
