#include "native/BackgroundPicture.h"

#include "tests/support/GuiObjectCount.h"
#include "tests/support/MemoryBitmaps.h"
#include "tests/support/ScreenPixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using Canvas = test_support::MemoryCanvas;
using Kind = test_support::BitmapKind;
using test_support::SolidBitmap;

::testing::AssertionResult ColorAt(const Canvas& canvas, int x, int y, COLORREF expected) {
    const COLORREF actual = canvas.At(x, y);
    if (test_support::SameColour(actual, expected, 3)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is 0x" << std::hex
                                         << actual << ", expected 0x" << expected;
}

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

TEST(FitPictureRect, ShrinksLargePicturesKeepingTheirShapeAndCentresEveryPicture) {
    struct Case {
        int width, height;
        RECT target;
        RECT expected;
    };
    const Case cases[] = {
        {400, 200, {0, 0, 100, 100}, {0, 25, 100, 75}},    // wider: width-bound
        {200, 400, {0, 0, 100, 100}, {25, 0, 75, 100}},    // taller: height-bound
        {50, 50, {0, 0, 100, 100}, {25, 25, 75, 75}},      // smaller: natural size
        {100, 100, {0, 0, 100, 100}, {0, 0, 100, 100}},    // exact fit
        {150, 60, {0, 0, 100, 100}, {0, 30, 100, 70}},     // wider only
        {60, 150, {0, 0, 100, 100}, {30, 0, 70, 100}},     // taller only
        {400, 200, {10, 20, 110, 120}, {10, 45, 110, 95}}, // offset target
        {3, 1, {0, 0, 2, 2}, {0, 0, 2, 1}},    // 0.67 rounds to 1; the odd row goes below
        {0, 10, {0, 0, 10, 10}, {0, 0, 0, 0}}, // empty picture
        {10, 10, {5, 5, 5, 9}, {5, 5, 5, 5}},  // empty target
        {1 << 30, 1 << 30, {0, 0, 1 << 30, 1 << 30}, {0, 0, 1 << 30, 1 << 30}},
    };
    for (const Case& c : cases) {
        const RECT got = FitPictureRect(c.width, c.height, c.target);
        EXPECT_TRUE(EqualRect(&got, &c.expected))
            << c.width << "x" << c.height << " gave " << got.left << "," << got.top << ","
            << got.right << "," << got.bottom;
    }
}

TEST(DrawBackgroundPicture, EachModePlacesThePictureInsideTheTarget) {
    // A 24 x 12 canvas, target (2, 1)-(22, 11), an 8 x 4 picture.
    const RECT target = {2, 1, 22, 11};
    struct Probe {
        int x, y;
        bool picture;
    };
    struct Case {
        int mode;
        bool drawn;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {kPictureAtTopLeft, true, {{2, 1, true}, {9, 4, true}, {10, 1, false}, {2, 5, false}}},
        {kPictureTiled,
         true,
         {{2, 1, true},
          {10, 5, true},
          {21, 10, true},
          {1, 1, false},
          {22, 5, false},
          {5, 11, false}}},
        {kPictureFitted, true, {{8, 4, true}, {15, 7, true}, {7, 4, false}, {16, 8, false}}},
        {kPictureStretched, true, {{2, 1, true}, {21, 10, true}, {1, 5, false}, {22, 10, false}}},
        {4, false, {{2, 1, false}, {12, 6, false}}},
        {-1, false, {{2, 1, false}, {12, 6, false}}},
    };
    for (Kind kind : {Kind::kDib24, Kind::kDib32, Kind::kDdb32}) {
        HBITMAP picture = SolidBitmap(kind, 8, 4, kRed);
        ASSERT_NE(picture, nullptr);
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << "mode " << c.mode << " kind " << int(kind));
            Canvas canvas(24, 12, kBlue);
            EXPECT_EQ(DrawBackgroundPicture(c.mode, canvas.Dc(), picture, target, target), c.drawn);
            for (const Probe& p : c.probes) {
                EXPECT_TRUE(ColorAt(canvas, p.x, p.y, p.picture ? kRed : kBlue));
            }
        }
        DeleteObject(picture);
    }
}

TEST(DrawBackgroundPicture, FittedModeShrinksAWidePictureToTheMiddleRows) {
    HBITMAP picture = SolidBitmap(Kind::kDib24, 40, 20, kRed);
    Canvas canvas(10, 10, kBlue);
    const RECT target = {0, 0, 10, 10};
    ASSERT_TRUE(DrawBackgroundPicture(kPictureFitted, canvas.Dc(), picture, target, target));
    for (int y = 0; y < 10; ++y) {
        const bool inside = y >= 2 && y < 7; // 10 x 5, (10 - 5) / 2 = 2 rows above
        EXPECT_TRUE(ColorAt(canvas, 0, y, inside ? kRed : kBlue)) << "row " << y;
        EXPECT_TRUE(ColorAt(canvas, 9, y, inside ? kRed : kBlue)) << "row " << y;
    }
    DeleteObject(picture);
}

TEST(DrawBackgroundPicture, OnlyTheClipIsTouched) {
    HBITMAP picture = SolidBitmap(Kind::kDib32, 8, 4, kRed);
    const RECT target = {2, 1, 22, 11};
    const RECT clip = {10, 1, 14, 5};
    for (int mode : {kPictureTiled, kPictureStretched, kPictureFitted}) {
        SCOPED_TRACE(mode);
        Canvas canvas(24, 12, kBlue);
        ASSERT_TRUE(DrawBackgroundPicture(mode, canvas.Dc(), picture, target, clip));
        EXPECT_TRUE(ColorAt(canvas, 3, 2, kBlue));
        EXPECT_TRUE(ColorAt(canvas, 9, 4, kBlue));
        EXPECT_TRUE(ColorAt(canvas, 14, 4, kBlue));
        EXPECT_TRUE(ColorAt(canvas, 12, 5, kBlue));
    }
    Canvas canvas(24, 12, kBlue);
    const RECT elsewhere = {0, 0, 2, 1};
    EXPECT_FALSE(DrawBackgroundPicture(kPictureStretched, canvas.Dc(), picture, target, elsewhere));
    DeleteObject(picture);
}

TEST(DrawBackgroundPicture, PerPixelAlphaBlendsOnlyForThirtyTwoBitDibs) {
    // Half-transparent grey over blue: blended it stays blue-ish (128, 128,
    // 255); copied without alpha the premultiplied grey (128, 128, 128) shows.
    struct Case {
        Kind kind;
        int mode;
        COLORREF expected;
    };
    const Case cases[] = {
        {Kind::kDib32, kPictureAtTopLeft, RGB(128, 128, 255)},
        {Kind::kDib32, kPictureTiled, RGB(128, 128, 255)},
        {Kind::kDib32, kPictureStretched, RGB(128, 128, 255)},
        {Kind::kDib32, kPictureFitted, RGB(128, 128, 255)},
        {Kind::kDib24, kPictureAtTopLeft, RGB(128, 128, 128)},
        {Kind::kDib24, kPictureStretched, RGB(128, 128, 128)},
        {Kind::kDdb32, kPictureAtTopLeft, RGB(128, 128, 128)},
        {Kind::kDdb32, kPictureStretched, RGB(128, 128, 128)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "mode " << c.mode << " kind " << int(c.kind));
        HBITMAP picture = SolidBitmap(c.kind, 4, 4, RGB(255, 255, 255), 128);
        Canvas canvas(4, 4, kBlue);
        const RECT target = {0, 0, 4, 4};
        ASSERT_TRUE(DrawBackgroundPicture(c.mode, canvas.Dc(), picture, target, target));
        EXPECT_TRUE(ColorAt(canvas, 1, 1, c.expected));
        DeleteObject(picture);
    }
}

TEST(PaintContainerBackground, FillsTheUpdatedPartOfTheClientThenDrawsThePicture) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const RECT client = {0, 0, 20, 10};
    struct Case {
        const char* name;
        COLORREF backColor;
        bool transparent;
        RECT update;
        COLORREF inside;  // at (5, 5)
        COLORREF outside; // at (15, 5)
    };
    const Case cases[] = {
        {"system colour", kSystemBackColor, false, {0, 0, 10, 10}, face, kBlue},
        {"own colour", RGB(10, 200, 30), false, {0, 0, 10, 10}, RGB(10, 200, 30), kBlue},
        {"transparent", RGB(10, 200, 30), true, {0, 0, 10, 10}, kBlue, kBlue},
        {"update outside the client", RGB(10, 200, 30), false, {30, 0, 40, 10}, kBlue, kBlue},
        {"whole client",
         RGB(10, 200, 30),
         false,
         {-5, -5, 50, 50},
         RGB(10, 200, 30),
         RGB(10, 200, 30)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(24, 12, kBlue);
        PaintContainerBackground(canvas.Dc(), client, c.update, c.backColor, c.transparent, nullptr,
                                 kPictureStretched);
        EXPECT_TRUE(ColorAt(canvas, 5, 5, c.inside));
        EXPECT_TRUE(ColorAt(canvas, 15, 5, c.outside));
        EXPECT_TRUE(ColorAt(canvas, 22, 11, kBlue)) << "painted outside the client";
    }
    // A transparent container still shows its picture, over what lies below.
    HBITMAP picture = SolidBitmap(Kind::kDib24, 2, 2, kRed);
    Canvas canvas(24, 12, kBlue);
    PaintContainerBackground(canvas.Dc(), client, client, RGB(10, 200, 30), true, picture,
                             kPictureAtTopLeft);
    EXPECT_TRUE(ColorAt(canvas, 1, 1, kRed));
    EXPECT_TRUE(ColorAt(canvas, 5, 5, kBlue));
    DeleteObject(picture);
}

// Every path, the early returns included, gives back what it made.
TEST(PaintContainerBackground, AThousandPaintsLeaveNoGdiObjectBehind) {
    HBITMAP alpha = SolidBitmap(Kind::kDib32, 8, 4, kRed, 128);
    HBITMAP opaque = SolidBitmap(Kind::kDdb32, 8, 4, kRed);
    Canvas canvas(24, 12, kBlue);
    const RECT client = {0, 0, 24, 12};
    const auto paintRound = [&](int round) {
        const RECT update = {round % 24, 0, 24, 12};
        PaintContainerBackground(canvas.Dc(), client, update, RGB(round % 256, 0, 0), false,
                                 (round & 1) != 0 ? alpha : opaque, round % 6 - 1);
        PaintContainerBackground(canvas.Dc(), client, update, kSystemBackColor, round % 3 == 0,
                                 nullptr, kPictureTiled);
        DrawBackgroundPicture(round % 4, canvas.Dc(), alpha, client, RECT{50, 50, 60, 60});
    };
    test_support::ExpectRoundsLeaveNothing(1000, paintRound);
    DeleteObject(alpha);
    DeleteObject(opaque);
}

} // namespace
