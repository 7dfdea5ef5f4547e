#include "components/Label.h"

#include "components/ControlCreation.h"
#include "native/VWndLabel.h"

namespace rg_tarn_MFCJieMian_base {

namespace {

CTarnObject* CreateLabel() {
    return new rg_label7();
}

} // namespace

rg_label7::rg_label7() {
    AdoptHolder(new CMfcWndObject(new CVWnd_Label()));
    GetHolder()->Style &= ~static_cast<uint32_t>(WS_BORDER);
}

rg_label7& rg_label7::operator=(const rg_label7& other) {
    CTarnWinControl::operator=(other);
    return *this;
}

rg_label7::~rg_label7() {
    flags |= kFlagDestroying;
    DetachListener();
}

const ClassInfo& rg_label7::ClassRecord() {
    static const ClassInfo info = MakeClassInfo(&CreateLabel, "rg_tarn_MFCJieMian_base::rg_label7");
    return info;
}

const ClassInfo& rg_label7::GetClassInfo() const {
    return ClassRecord();
}

rg_label7* rg_label7::CreateNew() const {
    return new rg_label7();
}

rg_label7* rg_label7::Clone() const {
    auto* copy = CreateNew();
    copy->CopyContent(*this);
    return copy;
}

bool rg_label7::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(ClassRecord())) {
        return false;
    }
    CopyContent(static_cast<const rg_label7&>(other));
    return true;
}

bool rg_label7::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnWinControl::IsKindOf(info);
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
    const CVWnd_Label* wnd = GetLabelWindow();
    return wnd != nullptr ? wnd->HAlign : 0;
}

void rg_label7::SetHAlign(int32_t alignment) {
    if (CVWnd_Label* wnd = GetLabelWindow()) {
        wnd->HAlign = alignment;
        wnd->Refresh();
    }
}

int32_t rg_label7::GetVAlign() const {
    const CVWnd_Label* wnd = GetLabelWindow();
    return wnd != nullptr ? wnd->VAlign : 1;
}

void rg_label7::SetVAlign(int32_t alignment) {
    if (CVWnd_Label* wnd = GetLabelWindow()) {
        wnd->VAlign = alignment;
        wnd->Refresh();
    }
}

bool rg_label7::GetWordWrap() const {
    const CVWnd_Label* wnd = GetLabelWindow();
    return wnd != nullptr && wnd->WordWrap != 0;
}

void rg_label7::SetWordWrap(bool wrap) {
    if (CVWnd_Label* wnd = GetLabelWindow()) {
        wnd->WordWrap = wrap ? 1 : 0;
        wnd->Refresh();
    }
}

uint32_t rg_label7::GetTextColor() const {
    const CVWnd_Label* wnd = GetLabelWindow();
    return wnd != nullptr ? wnd->TextColor : kSystemDefaultColor;
}

void rg_label7::SetTextColor(uint32_t colour) {
    if (CVWnd_Label* wnd = GetLabelWindow()) {
        wnd->TextColor = colour;
        wnd->Refresh();
    }
}

uint32_t rg_label7::GetBackColor() const {
    const CVWnd_Label* wnd = GetLabelWindow();
    return wnd != nullptr ? wnd->BackColor : kSystemDefaultColor;
}

void rg_label7::SetBackColor(uint32_t colour) {
    if (CVWnd_Label* wnd = GetLabelWindow()) {
        wnd->BackColor = colour;
        wnd->Refresh();
    }
}

int32_t rg_label7::GetPictureMode() const {
    const CVWnd_Label* wnd = GetLabelWindow();
    return wnd != nullptr ? wnd->PictureMode : 0;
}

void rg_label7::SetPictureMode(int32_t mode) {
    if (CVWnd_Label* wnd = GetLabelWindow()) {
        wnd->PictureMode = mode;
        wnd->Refresh();
    }
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
    const CVWnd_Label* wnd = GetLabelWindow();
    return wnd != nullptr && wnd->Transparent != 0;
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
