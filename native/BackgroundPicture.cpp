#include "native/BackgroundPicture.h"

#include "framework/DeviceContext.h"
#include "framework/GdiObject.h"

#include <algorithm>
#include <cstdint>

namespace {

int Width(const RECT& rect) {
    return rect.right - rect.left;
}

int Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

bool Intersect(const RECT& a, const RECT& b, RECT* out) {
    return IntersectRect(out, &a, &b) != FALSE;
}

// Rounds a / b to the nearest integer, for non-negative a and positive b.
int RoundedQuotient(std::int64_t a, std::int64_t b) {
    return static_cast<int>((2 * a + b) / (2 * b));
}

int DisplayBitsPerPixel() {
    CClientDC screen(nullptr);
    return screen.GetDeviceCaps(BITSPIXEL) * screen.GetDeviceCaps(PLANES);
}

// The parts of a picture drawing that every mode shares: the bitmap selected
// into a memory context compatible with the target, and the blend.
class PictureSource {
public:
    PictureSource(HDC target, HBITMAP bitmap, const BITMAP& info)
        : m_memory(target), m_selected(m_memory, bitmap),
          m_perPixelAlpha(info.bmBitsPixel == 32 && info.bmBits != nullptr) {}

    bool IsReady() const { return m_memory.GetSafeHdc() != nullptr; }
    bool HasPerPixelAlpha() const { return m_perPixelAlpha; }

    // Copies the source rectangle (sx, sy, sw, sh) to (x, y, w, h) of dc.
    bool Blend(CDC& dc, int x, int y, int w, int h, int sx, int sy, int sw, int sh) {
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255,
                               static_cast<BYTE>(m_perPixelAlpha ? AC_SRC_ALPHA : 0)};
        return dc.AlphaBlend(x, y, w, h, m_memory.GetSafeHdc(), sx, sy, sw, sh, blend) != FALSE;
    }

    bool Copy(CDC& dc, int x, int y, int w, int h, int sw, int sh) {
        return dc.StretchBlt(x, y, w, h, m_memory.GetSafeHdc(), 0, 0, sw, sh, SRCCOPY) != FALSE;
    }

private:
    CMemoryDC m_memory;
    CSelectedObject m_selected; // deselected before m_memory is deleted
    bool m_perPixelAlpha;
};

// Draws the part of the picture placed at `placed` (natural size) that lies
// inside `visible`.
bool BlendNaturalSize(PictureSource& source, CDC& dc, const RECT& placed, const RECT& visible) {
    RECT part;
    if (!Intersect(placed, visible, &part)) {
        return false;
    }
    return source.Blend(dc, part.left, part.top, Width(part), Height(part), part.left - placed.left,
                        part.top - placed.top, Width(part), Height(part));
}

bool DrawStretched(PictureSource& source, CDC& dc, const RECT& placed, const RECT& visible,
                   int pictureWidth, int pictureHeight) {
    RECT unused;
    if (!Intersect(placed, visible, &unused)) {
        return false;
    }
    // The clip keeps the stretched picture inside the visible part; the
    // context's state comes back when the scope ends.
    const int saved = SaveDC(dc.GetSafeHdc());
    IntersectClipRect(dc.GetSafeHdc(), visible.left, visible.top, visible.right, visible.bottom);
    const bool halftone = DisplayBitsPerPixel() > 16;
    dc.SetStretchBltMode(halftone ? HALFTONE : COLORONCOLOR);
    if (halftone) {
        SetBrushOrgEx(dc.GetSafeHdc(), 0, 0, nullptr); // halftone needs its brush origin reset
    }
    const bool drawn = source.HasPerPixelAlpha()
                           ? source.Blend(dc, placed.left, placed.top, Width(placed),
                                          Height(placed), 0, 0, pictureWidth, pictureHeight)
                           : source.Copy(dc, placed.left, placed.top, Width(placed), Height(placed),
                                         pictureWidth, pictureHeight);
    RestoreDC(dc.GetSafeHdc(), saved);
    return drawn;
}

} // namespace

RECT FitPictureRect(int pictureWidth, int pictureHeight, const RECT& target) {
    const int targetWidth = Width(target);
    const int targetHeight = Height(target);
    if (pictureWidth <= 0 || pictureHeight <= 0 || targetWidth <= 0 || targetHeight <= 0) {
        return RECT{target.left, target.top, target.left, target.top};
    }
    const std::int64_t cappedWidth = std::min(targetWidth, pictureWidth);
    const std::int64_t cappedHeight = std::min(targetHeight, pictureHeight);
    int width = pictureWidth;
    int height = pictureHeight;
    // Scale by the smaller of cappedWidth / pictureWidth and cappedHeight /
    // pictureHeight, compared without division.
    if (cappedWidth * pictureHeight <= cappedHeight * pictureWidth) {
        width = static_cast<int>(cappedWidth);
        height = RoundedQuotient(pictureHeight * cappedWidth, pictureWidth);
    } else {
        height = static_cast<int>(cappedHeight);
        width = RoundedQuotient(pictureWidth * cappedHeight, pictureHeight);
    }
    const int left = target.left + (targetWidth - width) / 2;
    const int top = target.top + (targetHeight - height) / 2;
    return RECT{left, top, left + width, top + height};
}

bool DrawBackgroundPicture(int mode, HDC dc, HBITMAP bitmap, const RECT& target, const RECT& clip) {
    if (dc == nullptr || bitmap == nullptr || mode < kPictureAtTopLeft ||
        mode > kPictureStretched) {
        return false;
    }
    BITMAP info = {};
    if (GetObjectW(bitmap, sizeof(info), &info) == 0 || info.bmWidth <= 0 || info.bmHeight == 0) {
        return false;
    }
    const int pictureWidth = info.bmWidth;
    const int pictureHeight = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    RECT visible;
    if (!Intersect(target, clip, &visible)) {
        return false;
    }
    CDC targetDc(dc);
    PictureSource source(dc, bitmap, info);
    if (!source.IsReady()) {
        return false;
    }
    switch (mode) {
    case kPictureAtTopLeft: {
        const RECT placed = {target.left, target.top, target.left + pictureWidth,
                             target.top + pictureHeight};
        return BlendNaturalSize(source, targetDc, placed, visible);
    }
    case kPictureTiled: {
        // Tiles start at the target's corner; the first one drawn is the one
        // holding the visible part's corner.
        const int firstLeft =
            target.left + (visible.left - target.left) / pictureWidth * pictureWidth;
        const int firstTop =
            target.top + (visible.top - target.top) / pictureHeight * pictureHeight;
        bool drawn = false;
        for (int top = firstTop; top < visible.bottom; top += pictureHeight) {
            for (int left = firstLeft; left < visible.right; left += pictureWidth) {
                const RECT placed = {left, top, left + pictureWidth, top + pictureHeight};
                drawn = BlendNaturalSize(source, targetDc, placed, visible) || drawn;
            }
        }
        return drawn;
    }
    case kPictureFitted:
        return DrawStretched(source, targetDc, FitPictureRect(pictureWidth, pictureHeight, target),
                             visible, pictureWidth, pictureHeight);
    default:
        return DrawStretched(source, targetDc, target, visible, pictureWidth, pictureHeight);
    }
}

void PaintContainerBackground(HDC dc, const RECT& client, const RECT& updateBox, COLORREF backColor,
                              bool transparent, HBITMAP picture, int pictureMode) {
    RECT part;
    if (dc == nullptr || !Intersect(client, updateBox, &part)) {
        return;
    }
    CDC target(dc);
    if (!transparent) {
        if (backColor == kSystemBackColor) {
            target.FillRect(part, GetSysColorBrush(COLOR_BTNFACE)); // a system brush, not ours
        } else {
            CBrush brush;
            if (brush.CreateSolidBrush(backColor)) {
                target.FillRect(part, brush.GetHandle());
            }
        }
    }
    DrawBackgroundPicture(pictureMode, dc, picture, client, part);
}
