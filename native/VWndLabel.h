// CVWnd_Label, the owner-painted window of a label, and the text format it draws with.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/DeviceContext.h"
#include "framework/GdiObject.h"
#include "framework/Wnd.h"
#include "native/Listeners.h"
#include "native/SystemColor.h"
#include "native/TarnWnd.h"

// The window class of labels.
inline constexpr const wchar_t* kLabelWindowClass = L"TarnLabel";

// The DrawText format of a label: left (0), centred (1) or right (2) without
// clipping, then either word-broken lines (wordWrap; vAlign is ignored) or a
// single line at the top (0), middle (1) or bottom (2).
uint32_t LabelDrawTextFormat(int32_t hAlign, int32_t vAlign, bool wordWrap);

// A window of the runtime's own class "TarnLabel" that paints its background
// colour, its picture and its text, and takes no keys.
//
// Ownership: the object owns its copy of the font it was given and its
// picture. While it has no font of its own it draws with the stock GUI font,
// which belongs to the system and is never stored or deleted here. The
// component's holder owns the object. GUI thread only.
class CVWnd_Label : public CRuntimeKind<"CVWnd_Label", CTarnWnd<CWnd, ILabelEventListener>> {
public:
    CVWnd_Label() = default;

    // Creates the label window (registering "TarnLabel" on first use). The
    // tab-stop bit is dropped and a transparent label gets WS_EX_TRANSPARENT.
    // False when the object has a window already or the platform refuses.
    bool CreateLabel(uint32_t exStyle, const char16_t* text, uint32_t style, int32_t x, int32_t y,
                     int32_t width, int32_t height, CWnd* parent, int32_t id);

    // Redraws the label after a change of its look: a transparent label
    // first has what lies under it redrawn. Nothing without a window.
    void Refresh();

    // The label's own font, or null while it has none.
    HFONT GetOwnFont() const { return font_.GetHandle(); }
    // Takes ownership of picture (null removes it); the previous one is deleted.
    void SetPicture(HBITMAP picture);
    HBITMAP GetPicture() const { return picture_.GetHandle(); }

    // Text colour; kSystemDefaultColor is the system window-text colour.
    uint32_t TextColor = kSystemDefaultColor;
    // Background colour; kSystemDefaultColor is the button face.
    uint32_t BackColor = kSystemDefaultColor;
    // 0 left, 1 centred, 2 right.
    int32_t HAlign = 0;
    // 0 top, 1 centred, 2 bottom; ignored with WordWrap.
    int32_t VAlign = 1;
    // Nonzero breaks the text into lines.
    uint64_t WordWrap = 0;
    // How the picture is drawn (0 at its size, 1 tiled, 2 fitted, 3 stretched).
    int32_t PictureMode = 0;
    // Nonzero: no background fill, and Refresh repaints what lies under the
    // label first. Read at every paint; a label created with it gets
    // WS_EX_TRANSPARENT, which the component changes with it later.
    uint64_t Transparent = 0;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Paints into dc the part of the client area inside clip.
    void Paint(CDC& dc, const RECT& clip);
    // Copies the font's description into the label's own font.
    void TakeFont(HFONT font, bool redraw);

    CFont font_;      // owned; empty until the window is given a font
    CBitmap picture_; // owned
};
