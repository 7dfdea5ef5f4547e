// CVWnd_Button, the native window of push buttons and group boxes.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/Button.h"
#include "framework/GdiObject.h"
#include "native/Listeners.h"
#include "native/SystemColor.h"
#include "native/TarnWnd.h"

class CDC;

// The platform's button control as a native window of the runtime: it reports
// clicks to its component's IButtonEventListener and answers the colour
// requests its parent reflects back to it.
//
// A group box whose TextColor is not the system default draws its caption
// in that colour with visual styles on too (GroupBoxCaption.h).
//
// Ownership: the object owns its background brush (a solid brush of the
// system button-face colour, made at construction and remade when the
// system colours change). The component's holder owns the object. GUI thread only.
class CVWnd_Button : public CRuntimeKind<"CVWnd_Button", CTarnWnd<CButton, IButtonEventListener>> {
public:
    CVWnd_Button();

    // Creates the "BUTTON" window. False when the object has a window already
    // or the platform refuses.
    bool CreateButton(uint32_t exStyle, const char16_t* text, uint32_t style, int32_t x, int32_t y,
                      int32_t width, int32_t height, CWnd* parent, int32_t id);

    // The background brush handed to the platform for painting.
    HBRUSH GetBackgroundBrush() const { return backgroundBrush_.GetHandle(); }

    // Colour of the text; applied at the next paint.
    uint32_t TextColor = 0;
    // Colour behind the text; kSystemDefaultColor is the button face.
    uint32_t BackColor = kSystemDefaultColor;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::optional<LRESULT> OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // A group box with a caption colour of its own under visual styles,
    // which the theme's painting would ignore.
    bool DrawsOwnCaption() const;
    // A push button (default or not) drawn by the theme.
    bool IsThemedPushButton() const;

    CBrush backgroundBrush_;
};
