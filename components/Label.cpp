#include "components/Label.h"

#include "components/ControlCreation.h"
#include "native/VWndLabel.h"

namespace rg_tarn_MFCJieMian_base {

namespace {

// Redraws the label window whose drawing property was just set; nothing
// without a window.
void Redraw(CVWnd_Label* wnd) {
    if (wnd != nullptr) {
        wnd->Refresh();
    }
}

} // namespace

rg_label7::rg_label7() {
    AdoptHolder(new CMfcWndObject(new CVWnd_Label()));
    GetHolder()->Style &= ~static_cast<uint32_t>(WS_BORDER);
}

rg_label7::~rg_label7() {
    flags |= kFlagDestroying;
    DetachListener();
}

int32_t rg_label7::CreateNative(ControlCreateInfo& info) {
    return CreateControlWindow(*this, GetLabelWindow(), info, [&](CVWnd_Label& wnd) {
        return wnd.CreateLabel(info.exStyle, info.text, info.style, info.x, info.y, info.width,
                               info.height, info.parentWindow, info.id);
    });
}

int32_t rg_label7::OnLabelMessage(int64_t first, int64_t second) {
    return LabelMessage.Raise(this, first, second);
}

int32_t rg_label7::GetHAlign() const {
    return WindowProperty(&CVWnd_Label::HAlign, 0);
}

void rg_label7::SetHAlign(int32_t alignment) {
    Redraw(SetWindowProperty(&CVWnd_Label::HAlign, alignment));
}

int32_t rg_label7::GetVAlign() const {
    return WindowProperty(&CVWnd_Label::VAlign, 1);
}

void rg_label7::SetVAlign(int32_t alignment) {
    Redraw(SetWindowProperty(&CVWnd_Label::VAlign, alignment));
}

bool rg_label7::GetWordWrap() const {
    return WindowProperty(&CVWnd_Label::WordWrap, 0) != 0;
}

void rg_label7::SetWordWrap(bool wrap) {
    Redraw(SetWindowProperty(&CVWnd_Label::WordWrap, wrap ? 1 : 0));
}

uint32_t rg_label7::GetTextColor() const {
    return WindowProperty(&CVWnd_Label::TextColor, kSystemDefaultColor);
}

void rg_label7::SetTextColor(uint32_t colour) {
    Redraw(SetWindowProperty(&CVWnd_Label::TextColor, colour));
}

uint32_t rg_label7::GetBackColor() const {
    return WindowProperty(&CVWnd_Label::BackColor, kSystemDefaultColor);
}

void rg_label7::SetBackColor(uint32_t colour) {
    Redraw(SetWindowProperty(&CVWnd_Label::BackColor, colour));
}

int32_t rg_label7::GetPictureMode() const {
    return WindowProperty(&CVWnd_Label::PictureMode, 0);
}

void rg_label7::SetPictureMode(int32_t mode) {
    Redraw(SetWindowProperty(&CVWnd_Label::PictureMode, mode));
}

void rg_label7::SetPicture(HBITMAP picture) {
    if (CVWnd_Label* wnd = GetLabelWindow()) {
        wnd->SetPicture(picture);
        wnd->Refresh();
    } else if (picture != nullptr) {
        ::DeleteObject(picture); // owned from the call on
    }
}

bool rg_label7::GetTransparent() const {
    return WindowProperty(&CVWnd_Label::Transparent, 0) != 0;
}

void rg_label7::SetTransparent(bool transparent) {
    if (CVWnd_Label* wnd = GetLabelWindow()) {
        wnd->Transparent = transparent ? 1 : 0;
        if (wnd->GetSafeHwnd() != nullptr) {
            wnd->ModifyStyleEx(transparent ? 0 : WS_EX_TRANSPARENT,
                               transparent ? WS_EX_TRANSPARENT : 0);
        }
        wnd->Refresh();
    }
}

} // namespace rg_tarn_MFCJieMian_base
