#include "components/GroupBox.h"

#include "components/ControlCreation.h"
#include "native/VWndButton.h"

namespace rg_tarn_MFCJieMian_base {

namespace {

constexpr uint32_t kGroupBoxStyle = BS_GROUPBOX | BS_MULTILINE; // 0x2007
constexpr uint32_t kAlignmentBits = BS_CENTER;                  // 0x300

} // namespace

rg_FenZuKuang2::rg_FenZuKuang2() {
    AdoptHolder(new CMfcWndObject(new CVWnd_Button()));
    GetHolder()->Style |= kGroupBoxStyle;
}

rg_FenZuKuang2::~rg_FenZuKuang2() {
    flags |= kFlagDestroying;
    DetachListener();
}

int32_t rg_FenZuKuang2::CreateNative(ControlCreateInfo& info) {
    return CreateControlWindow(*this, GetButtonWindow(), info, [&](CVWnd_Button& wnd) {
        return wnd.CreateButton(info.exStyle, info.text, info.style, info.x, info.y, info.width,
                                info.height, info.parentWindow, info.id);
    });
}

uint32_t rg_FenZuKuang2::GetTextColor() const {
    return WindowProperty(&CVWnd_Button::TextColor, 0u);
}

void rg_FenZuKuang2::SetTextColor(uint32_t colour) {
    if (SetWindowProperty(&CVWnd_Button::TextColor, colour)) {
        InvalidateControl(*this, true);
    }
}

uint32_t rg_FenZuKuang2::GetBackColor() const {
    return WindowProperty(&CVWnd_Button::BackColor, kSystemDefaultColor);
}

void rg_FenZuKuang2::SetBackColor(uint32_t colour) {
    if (SetWindowProperty(&CVWnd_Button::BackColor, colour)) {
        InvalidateControl(*this, true);
    }
}

void rg_FenZuKuang2::SetCaptionAlignment(uint32_t alignment) {
    ReplaceStyleBits(*this, kAlignmentBits, alignment);
}

} // namespace rg_tarn_MFCJieMian_base
