// rg_label7, the label: text on its own painted window, with the LabelMessage event.
#pragma once

#include <windows.h>

#include <cstdint>

#include "components/ListenedControl.h"
#include "components/WinControl.h"
#include "native/VWndLabel.h"

namespace rg_tarn_MFCJieMian_base {

// A caption that takes no keys and is never a tab stop. Its window answers
// the private label message with the result of LabelMessage.
//
// The LabelMessage binding belongs to this object: copies share the window
// but start unbound. GUI thread only.
class rg_label7
    : public CTarnObjectClass<rg_label7,
                              CListenedControl<CVWnd_Label, ILabelEventListener, CTarnWinControl>> {
public:
    // A new holder with an uncreated label window, style 0x14000000 without a border.
    rg_label7();
    // Shares other's holder; LabelMessage unbound.
    rg_label7(const rg_label7& other) = default;
    rg_label7& operator=(const rg_label7& other) = default;
    // Detaches the listener; LabelMessage then releases its target as a member.
    ~rg_label7() override;

    static const ClassInfo& ClassRecord() { return Record("rg_tarn_MFCJieMian_base::rg_label7"); }

    // Creates the "TarnLabel" window.
    int32_t CreateNative(ControlCreateInfo& info) override;

    // ILabelEventListener.
    // Raises LabelMessage; its result (0 when unbound) answers the message.
    int32_t OnLabelMessage(int64_t first, int64_t second) override;

    // The properties below redraw a live label (a transparent one together
    // with what lies under it).
    // 0 left, 1 centred, 2 right.
    int32_t GetHAlign() const;
    void SetHAlign(int32_t alignment);
    // 0 top, 1 centred, 2 bottom; ignored with word wrap.
    int32_t GetVAlign() const;
    void SetVAlign(int32_t alignment);
    bool GetWordWrap() const;
    void SetWordWrap(bool wrap);
    // Text colour (0xFF000000: the system window-text colour).
    uint32_t GetTextColor() const;
    void SetTextColor(uint32_t colour);
    // Background colour (0xFF000000: the button face).
    uint32_t GetBackColor() const;
    void SetBackColor(uint32_t colour);
    // How the background picture is drawn.
    int32_t GetPictureMode() const;
    void SetPictureMode(int32_t mode);
    // The background picture, owned by the label from now on (null removes it).
    void SetPicture(HBITMAP picture);
    // A transparent label paints no background and lets what lies under it
    // show (WS_EX_TRANSPARENT).
    bool GetTransparent() const;
    void SetTransparent(bool transparent);

    // The native window object, or null.
    CVWnd_Label* GetLabelWindow() const { return ListenedWindow(); }

    // The label window received the private label message: the two message
    // parameters; the handler's result answers the message.
    TEventSlot<int64_t, int64_t> LabelMessage;
};

} // namespace rg_tarn_MFCJieMian_base
