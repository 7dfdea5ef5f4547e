#include "components/FontDescription.h"

#include <cstdlib>

#include "runtime/IntegerText.h"
#include "runtime/StringArray.h"

namespace {

constexpr int kMaxFaceUnits = 31;

bool IsOne(const char16_t* piece) {
    return piece[0] == u'1' && piece[1] == 0;
}

} // namespace

LOGFONTW DescriptionBaseFont() {
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = 0;
    return font;
}

void ApplyFontDescription(const char16_t* description, int32_t logPixelsY, LOGFONTW& font) {
    CMStringArray pieces;
    const int64_t count = SplitText(description, pieces, u",");
    const auto piece = [&pieces](int64_t index) -> const char16_t* {
        const char16_t* text = pieces.GetAt(index);
        return text != nullptr ? text : u"";
    };

    if (count > 0 && piece(0)[0] != 0) {
        const char16_t* face = piece(0);
        int units = 0;
        for (; units < kMaxFaceUnits && face[units] != 0; ++units) {
            font.lfFaceName[units] = static_cast<wchar_t>(face[units]);
        }
        font.lfFaceName[units] = 0;
    }
    if (count > 1 && piece(1)[0] != 0) {
        // In 64 bits, so that the smallest integer has an absolute value too;
        // a height beyond 32 bits keeps the height.
        const int64_t points = std::llabs(static_cast<int64_t>(TextToInt32(piece(1))));
        const double pixels =
            static_cast<double>(logPixelsY) * static_cast<double>(points) / 72.0 + 0.5;
        if (pixels >= 1.0 && pixels < 2147483648.0) {
            font.lfHeight = -static_cast<LONG>(static_cast<int64_t>(pixels));
        }
    }
    if (count > 2) {
        font.lfWeight = IsOne(piece(2)) ? FW_BOLD : FW_NORMAL;
    }
    if (count > 3) {
        font.lfItalic = IsOne(piece(3)) ? 1 : 0;
    }
    if (count > 4) {
        font.lfUnderline = IsOne(piece(4)) ? 1 : 0;
    }
    if (count > 5) {
        font.lfStrikeOut = IsOne(piece(5)) ? 1 : 0;
    }
    if (count > 6 && piece(6)[0] != 0) {
        int32_t angle = TextToInt32(piece(6)) % 3600;
        if (angle < 0) {
            angle += 3600;
        }
        font.lfEscapement = angle;
        font.lfOrientation = angle;
    }
}

int32_t ScreenLogPixelsY() {
    // The screen's dots per inch are the system's, fixed for the life of the
    // process whatever its DPI awareness: the screen context is asked once,
    // not for every control and font that is made.
    static const int32_t dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen != nullptr) {
            ReleaseDC(nullptr, screen);
        }
        return value;
    }();
    return dpi;
}

HFONT MakeDefaultControlFont() {
    LOGFONTW font{};
    if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font) == 0) {
        return nullptr;
    }
    font.lfHeight = -static_cast<LONG>(static_cast<double>(ScreenLogPixelsY()) * 9.0 / 72.0);
    return CreateFontIndirectW(&font);
}
