#include "components/Label.h"

#include <type_traits>

#include "components/ControlCreation.h"
#include "native/VWndLabel.h"

namespace rg_tarn_MFCJieMian_base {

namespace {

// A drawing property of the label window, or fallback without a window.
template <typename T>
T ReadLabel(const rg_label7& label, T CVWnd_Label::*property, std::type_identity_t<T> fallback) {
    const CVWnd_Label* wnd = label.GetLabelWindow();
    return wnd != nullptr ? wnd->*property : fallback;
}

// Sets a drawing property and redraws; nothing without a window.
template <typename T>
void WriteLabel(rg_label7& label, T CVWnd_Label::*property, std::type_identity_t<T> value) {
    if (CVWnd_Label* wnd = label.GetLabelWindow()) {
        wnd->*property = value;
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

void rg_label7::AttachListener() {
    if (CVWnd_Label* wnd = GetLabelWindow()) {
        wnd->AttachListener(this);
    }
}

void rg_label7::DetachListener() {
    if (auto* wnd = GetLabelWindow()) {
        wnd->DetachListener(this);
    }
}

int32_t rg_label7::IsListenerAttached() {
    const auto* wnd = GetLabelWindow();
    return wnd != nullptr && wnd->HasListener() ? 1 : 0;
}

int32_t rg_label7::OnPreprocess(TarnMessage* message) {
    return PreprocessMessage(message);
}

int32_t rg_label7::OnLabelMessage(int64_t first, int64_t second) {
    return LabelMessage.Raise(this, first, second);
}

int32_t rg_label7::GetHAlign() const {
    return ReadLabel(*this, &CVWnd_Label::HAlign, 0);
}

void rg_label7::SetHAlign(int32_t alignment) {
    WriteLabel(*this, &CVWnd_Label::HAlign, alignment);
}

int32_t rg_label7::GetVAlign() const {
    return ReadLabel(*this, &CVWnd_Label::VAlign, 1);
}

void rg_label7::SetVAlign(int32_t alignment) {
    WriteLabel(*this, &CVWnd_Label::VAlign, alignment);
}

bool rg_label7::GetWordWrap() const {
    return ReadLabel(*this, &CVWnd_Label::WordWrap, 0) != 0;
}

void rg_label7::SetWordWrap(bool wrap) {
    WriteLabel(*this, &CVWnd_Label::WordWrap, wrap ? 1 : 0);
}

uint32_t rg_label7::GetTextColor() const {
    return ReadLabel(*this, &CVWnd_Label::TextColor, kSystemDefaultColor);
}

void rg_label7::SetTextColor(uint32_t colour) {
    WriteLabel(*this, &CVWnd_Label::TextColor, colour);
}

uint32_t rg_label7::GetBackColor() const {
    return ReadLabel(*this, &CVWnd_Label::BackColor, kSystemDefaultColor);
}

void rg_label7::SetBackColor(uint32_t colour) {
    WriteLabel(*this, &CVWnd_Label::BackColor, colour);
}

int32_t rg_label7::GetPictureMode() const {
    return ReadLabel(*this, &CVWnd_Label::PictureMode, 0);
}

void rg_label7::SetPictureMode(int32_t mode) {
    WriteLabel(*this, &CVWnd_Label::PictureMode, mode);
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
    return ReadLabel(*this, &CVWnd_Label::Transparent, 0) != 0;
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

CVWnd_Label* rg_label7::GetLabelWindow() const {
    return NativeWindowAs<CVWnd_Label>(*this);
}

} // namespace rg_tarn_MFCJieMian_base
