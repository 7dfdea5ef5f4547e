#include "components/Button.h"

#include "components/ControlCreation.h"
#include "native/VWndButton.h"
#include "native/VWndWinForm.h"

namespace rg_tarn_MFCJieMian_base {

namespace {

constexpr uint32_t kButtonStyle = WS_TABSTOP | BS_MULTILINE; // 0x00012000
constexpr uint32_t kAlignmentBits = BS_CENTER;               // 0x300: left 0x100, right 0x200

} // namespace

// rg_AnNiuJiChuLei

rg_AnNiuJiChuLei::~rg_AnNiuJiChuLei() {
    flags |= kFlagDestroying;
}

void rg_AnNiuJiChuLei::OnButtonClicked() {
    Clicked.Raise(this);
}

// rg_button1

rg_button1::rg_button1() {
    AdoptHolder(new CMfcWndObject(new CVWnd_Button()));
    GetHolder()->Style |= kButtonStyle;
}

rg_button1::~rg_button1() {
    flags |= kFlagDestroying;
    DetachListener();
}

int32_t rg_button1::CreateNative(ControlCreateInfo& info) {
    return CreateControlWindow(*this, GetButtonWindow(), info, [&](CVWnd_Button& wnd) {
        if (!wnd.CreateButton(info.exStyle, info.text, info.style, info.x, info.y, info.width,
                              info.height, info.parentWindow, info.id)) {
            return false;
        }
        if ((info.style & 0xF) == BS_DEFPUSHBUTTON) {
            CVWnd_WinForm::SetDefaultButtonAround(info.parentWindow, info.id);
        }
        return true;
    });
}

uint32_t rg_button1::GetTextColor() const {
    return WindowProperty(&CVWnd_Button::TextColor, 0u);
}

void rg_button1::SetTextColor(uint32_t colour) {
    if (ChangeWindowProperty(&CVWnd_Button::TextColor, colour)) {
        InvalidateControl(*this, true);
    }
}

uint32_t rg_button1::GetBackColor() const {
    return WindowProperty(&CVWnd_Button::BackColor, kSystemDefaultColor);
}

void rg_button1::SetBackColor(uint32_t colour) {
    if (ChangeWindowProperty(&CVWnd_Button::BackColor, colour)) {
        InvalidateControl(*this, true);
    }
}

void rg_button1::SetTextAlignment(uint32_t alignment) {
    ReplaceStyleBits(*this, kAlignmentBits, alignment);
}

} // namespace rg_tarn_MFCJieMian_base
