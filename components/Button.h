// rg_AnNiuJiChuLei, the base of buttons with their Clicked event, and the push button rg_button1.
#pragma once

#include <cstdint>

#include "components/ListenedControl.h"
#include "components/WinControl.h"
#include "native/VWndButton.h"

namespace rg_tarn_MFCJieMian_base {

// A control that raises Clicked when its window reports a click. It makes no
// holder and no window of its own; rg_button1 does.
//
// The Clicked binding belongs to this object: copies share the window but
// start unbound. GUI thread only; the slot guards itself.
class rg_AnNiuJiChuLei
    : public CTarnObjectClass<
          rg_AnNiuJiChuLei, CListenedControl<CVWnd_Button, IButtonEventListener, CTarnWinControl>> {
public:
    rg_AnNiuJiChuLei() = default;
    // The control's copy: the shared holder and object text; Clicked unbound.
    rg_AnNiuJiChuLei(const rg_AnNiuJiChuLei& other) = default;
    rg_AnNiuJiChuLei& operator=(const rg_AnNiuJiChuLei& other) = default;
    // Marks the destruction begun; Clicked then releases its target as a member.
    ~rg_AnNiuJiChuLei() override;

    static const ClassInfo& ClassRecord() {
        return Record("rg_tarn_MFCJieMian_base::rg_AnNiuJiChuLei");
    }

    // IButtonEventListener.
    // Raises Clicked.
    void OnButtonClicked() override;

    // The button was clicked (mouse, Space, or Enter on a default button).
    TNotifyEvent Clicked;
};

// A push button on the platform's button control. Created with the tab stop
// and multi-line text; the style bits 0x100, 0x200 and 0x300 align its text
// left, right or centred, and the type bits 1 make it the default button of
// its form.
class rg_button1 : public CTarnObjectClass<rg_button1, rg_AnNiuJiChuLei> {
public:
    // A new holder with an uncreated button window, style 0x14012000.
    rg_button1();
    // Shares other's holder; Clicked unbound.
    rg_button1(const rg_button1& other) = default;
    rg_button1& operator=(const rg_button1& other) = default;
    // Detaches the listener, then the base destruction.
    ~rg_button1() override;

    static const ClassInfo& ClassRecord() { return Record("rg_tarn_MFCJieMian_base::rg_button1"); }

    // Creates the "BUTTON" window; a default push button (type bits 1) makes
    // its id the DefaultButtonId of the nearest form window around it.
    int32_t CreateNative(ControlCreateInfo& info) override;

    // Text colour; redraws a live button.
    uint32_t GetTextColor() const;
    void SetTextColor(uint32_t colour);
    // Colour behind the text (0xFF000000: the button face); redraws a live button.
    uint32_t GetBackColor() const;
    void SetBackColor(uint32_t colour);
    // The text alignment style bits: 0x100 left, 0x200 right, 0x300 centred
    // (0: the platform's default); applied to a live button too.
    void SetTextAlignment(uint32_t alignment);

    // The native window object, or null.
    CVWnd_Button* GetButtonWindow() const { return ListenedWindow(); }
};

} // namespace rg_tarn_MFCJieMian_base
