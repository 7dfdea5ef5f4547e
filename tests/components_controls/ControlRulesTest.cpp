#include "native/EditSpin.h"
#include "native/VWndEdit.h"
#include "native/VWndLabel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr int32_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();
constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();

TEST(SpinRules, StepsAndWrapsAtTheEndsOfTheRange) {
    struct Case {
        int32_t value, lower, upper, delta, expected;
    };
    const Case cases[] = {
        {100, 0, 100, +1, 0},
        {0, 0, 100, -1, 100},
        {50, 0, 100, +1, 51},
        {50, 0, 100, -1, 49},
        {99, 0, 100, +3, 100}, // any positive delta is one step up
        {1, 0, 100, -7, 0},
        {200, 0, 100, -1, 100}, // a value outside the range enters it at an end
        {-7, 0, 100, +1, 0},
        {0, 0, 0, +1, 0},
        {0, 0, 0, -1, 0},
        {kMax32, kMin32, kMax32, +1, kMin32},
        {kMin32, kMin32, kMax32, -1, kMax32},
        {kMax32 - 1, kMin32, kMax32, +1, kMax32},
        {kMin32 + 1, kMin32, kMax32, -1, kMin32},
        {kMax32, 0, kMax32, +1, 0},
        {kMin32, kMin32, 0, -1, 0},
        {kMin32, -10, 10, +1, -10},
        {kMax32, -10, 10, -1, 10},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SpinStepValue(c.value, c.lower, c.upper, c.delta), c.expected)
            << c.value << " in [" << c.lower << ", " << c.upper << "] by " << c.delta;
    }
}

TEST(SpinRules, RangeIsOrderedAndClampedToThirtyTwoBits) {
    struct Case {
        int64_t spinMin, spinMax;
        int32_t lower, upper;
    };
    const Case cases[] = {
        {0, 100, 0, 100},
        {100, 0, 0, 100},
        {-40000, 40000, -40000, 40000}, // beyond what a 16-bit range could hold
        {70000, -70000, -70000, 70000},
        {kMin64, kMax64, kMin32, kMax32},
        {int64_t{kMax32} + 1, int64_t{kMax32} + 5, kMax32, kMax32},
        {5, 5, 5, 5},
    };
    for (const Case& c : cases) {
        const SpinRange range = SpinRangeOf(c.spinMin, c.spinMax);
        EXPECT_EQ(range.lower, c.lower) << c.spinMin << ".." << c.spinMax;
        EXPECT_EQ(range.upper, c.upper) << c.spinMin << ".." << c.spinMax;
    }
}

TEST(LabelRules, DrawTextFormatFollowsAlignmentAndWrapping) {
    struct Case {
        int32_t hAlign, vAlign;
        bool wordWrap;
        uint32_t format;
    };
    const Case cases[] = {
        {1, 1, false, 0x125},  {1, 1, true, 0x115},  {0, 1, false, 0x124}, {0, 0, false, 0x120},
        {2, 2, false, 0x12A},  {2, 0, false, 0x122}, {0, 2, true, 0x114},  {2, 1, true, 0x116},
        {7, -3, false, 0x120}, {-1, 9, true, 0x114},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LabelDrawTextFormat(c.hAlign, c.vAlign, c.wordWrap), c.format)
            << c.hAlign << "/" << c.vAlign << "/" << c.wordWrap;
    }
}

TEST(EditRules, SingleLineHeightAndCentring) {
    EXPECT_EQ(EditMinimumHeight(16, 2), 22);
    EXPECT_EQ(EditMinimumHeight(12, 1), 16);
    EXPECT_EQ(EditMinimumHeight(0, 2), 6);

    struct Case {
        int32_t top, bottom, textHeight, newTop, newBottom;
    };
    const Case cases[] = {
        {0, 30, 16, 7, 23},   {0, 31, 16, 7, 23}, {4, 20, 16, 4, 20},
        {10, 50, 20, 20, 40}, {0, 12, 16, 0, 12}, // a line higher than the space: kept inside
        {0, 15, 16, 0, 15},   {3, 3, 16, 3, 3},   {0, 30, 0, 15, 15},
    };
    for (const Case& c : cases) {
        int32_t top = c.top;
        int32_t bottom = c.bottom;
        CentreEditClient(top, bottom, c.textHeight);
        EXPECT_EQ(top, c.newTop) << c.top << ".." << c.bottom << " / " << c.textHeight;
        EXPECT_EQ(bottom, c.newBottom) << c.top << ".." << c.bottom << " / " << c.textHeight;
        EXPECT_GE(top, c.top);
        EXPECT_LE(bottom, std::max(c.bottom, c.top));
    }
}

} // namespace
