// rg_FenZuKuang2, the group box: a container drawn as the platform's group-box button.
#pragma once

#include <cstdint>

#include "components/ListenedControl.h"
#include "components/WinContainer.h"
#include "native/VWndButton.h"

namespace rg_tarn_MFCJieMian_base {

// A framed caption around other controls. The user program creates children
// in it, which become child windows of the group box's window. It has no
// design size and raises no events of its own: a click on it does nothing.
// GUI thread only.
class rg_FenZuKuang2
    : public CTarnObjectClass<
          rg_FenZuKuang2, CListenedControl<CVWnd_Button, IButtonEventListener, CTarnWinContainer>> {
public:
    // A new holder with an uncreated button window, style 0x14002007.
    rg_FenZuKuang2();
    // Shares other's holder.
    rg_FenZuKuang2(const rg_FenZuKuang2& other) = default;
    rg_FenZuKuang2& operator=(const rg_FenZuKuang2& other) = default;
    // Detaches the listener, then the container destruction.
    ~rg_FenZuKuang2() override;

    static const ClassInfo& ClassRecord() {
        return Record("rg_tarn_MFCJieMian_base::rg_FenZuKuang2");
    }

    // Creates the group-box "BUTTON" window.
    int32_t CreateNative(ControlCreateInfo& info) override;

    // IButtonEventListener.
    // A group box has no click event.
    void OnButtonClicked() override {}

    // Caption colour; a live group box is redrawn with erasing.
    uint32_t GetTextColor() const;
    void SetTextColor(uint32_t colour);
    // Colour behind the caption (0xFF000000: the button face); redrawn likewise.
    uint32_t GetBackColor() const;
    void SetBackColor(uint32_t colour);
    // The caption alignment style bits: 0x100 left, 0x200 right, 0x300
    // centred (0: the platform's default, left); applied to a live group box too.
    void SetCaptionAlignment(uint32_t alignment);

    // The native window object, or null.
    CVWnd_Button* GetButtonWindow() const { return ListenedWindow(); }
};

} // namespace rg_tarn_MFCJieMian_base
