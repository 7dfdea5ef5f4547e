#include "native/FontTextHeight.h"

#include <cwchar>

#include "framework/DeviceContext.h"

namespace {

struct MeasuredFont {
    LOGFONTW font{};
    int32_t height = 0;
};

constexpr int kKept = 4;
MeasuredFont g_measured[kKept] = {};
int g_measuredCount = 0;
int g_nextSlot = 0; // the oldest entry once the list is full

bool SameDescription(const LOGFONTW& a, const LOGFONTW& b) {
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
           a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight &&
           a.lfItalic == b.lfItalic && a.lfUnderline == b.lfUnderline &&
           a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
           a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
           std::wcsncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

int32_t Measure(HFONT font) {
    CClientDC screen(nullptr);
    CSelectedObject selected(screen, font);
    TEXTMETRICW metrics{};
    return screen.GetTextMetrics(&metrics) ? static_cast<int32_t>(metrics.tmHeight) : 0;
}

} // namespace

int32_t FontTextHeight(HFONT font) {
    LOGFONTW description{};
    if (font == nullptr || GetObjectW(font, sizeof(description), &description) == 0) {
        return font != nullptr ? Measure(font) : 0;
    }
    for (int i = 0; i < g_measuredCount; ++i) {
        if (SameDescription(g_measured[i].font, description)) {
            return g_measured[i].height;
        }
    }
    const int32_t height = Measure(font);
    if (height > 0) {
        g_measured[g_nextSlot] = {description, height};
        g_nextSlot = (g_nextSlot + 1) % kKept;
        g_measuredCount = g_measuredCount < kKept ? g_measuredCount + 1 : kKept;
    }
    return height;
}
