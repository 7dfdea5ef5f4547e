// Small tools for UTF-16 units: counting, comparing and bounded writing.
#pragma once

#include <cstdint>
#include <string>

// The number of units before the terminator of a non-null text.
inline int64_t UnitCount(const char16_t* text) {
    return static_cast<int64_t>(std::char_traits<char16_t>::length(text));
}

// True when two non-null texts hold the same units up to and including the
// first terminator.
inline bool UnitsEqual(const char16_t* a, const char16_t* b) {
    for (;; ++a, ++b) {
        if (*a != *b) {
            return false;
        }
        if (*a == 0) {
            return true;
        }
    }
}

// Collects a result of units: writes those that fit within capacity into out
// (out may be null to only measure) and counts them all. Writes no terminator.
class UnitWriter {
public:
    UnitWriter(char16_t* out, int64_t capacity)
        : out_(out), capacity_(out == nullptr ? 0 : capacity) {}

    void Put(char16_t unit) {
        if (count_ < capacity_) {
            out_[count_] = unit;
        }
        ++count_;
    }
    // Units put so far, written or not.
    int64_t Count() const { return count_; }

private:
    char16_t* out_;
    int64_t capacity_;
    int64_t count_ = 0;
};
