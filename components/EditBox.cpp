#include "components/EditBox.h"

#include "components/ControlCreation.h"
#include "native/EditInput.h"
#include "native/VWndEdit.h"

namespace rg_tarn_MFCJieMian_base {

namespace {

constexpr uint32_t kAlignmentBits = ES_CENTER | ES_RIGHT; // 0x3

} // namespace

rg_edit_box::rg_edit_box() {
    AdoptHolder(new CMfcWndObject(new CVWnd_Edit()));
    GetHolder()->Style |= WS_TABSTOP;
    GetHolder()->ExStyle = WS_EX_CLIENTEDGE;
}

rg_edit_box::~rg_edit_box() {
    flags |= kFlagDestroying;
    DetachListener();
}

int32_t rg_edit_box::CreateNative(ControlCreateInfo& info) {
    return CreateControlWindow(*this, GetEditWindow(), info, [&](CVWnd_Edit& wnd) {
        return wnd.CreateEdit(info.exStyle, info.text, info.style, info.x, info.y, info.width,
                              info.height, info.parentWindow, info.id);
    });
}

void rg_edit_box::OnEditChanged() {
    EditChanged.Raise(this);
}

int32_t rg_edit_box::OnEditSpin(int32_t direction) {
    return EditSpin.Raise(this, direction);
}

uint32_t rg_edit_box::GetTextColor() const {
    return WindowProperty(&CVWnd_Edit::TextColor, 0u);
}

void rg_edit_box::SetTextColor(uint32_t colour) {
    if (ChangeWindowProperty(&CVWnd_Edit::TextColor, colour)) {
        InvalidateControl(*this, true);
    }
}

uint32_t rg_edit_box::GetBackColor() const {
    const CVWnd_Edit* wnd = GetEditWindow();
    return wnd != nullptr ? wnd->GetBackColor() : 0xFFFFFF;
}

void rg_edit_box::SetBackColor(uint32_t colour) {
    if (CVWnd_Edit* wnd = GetEditWindow()) {
        wnd->SetBackColor(colour);
    }
}

int32_t rg_edit_box::GetMaxLength() const {
    const CVWnd_Edit* wnd = GetEditWindow();
    return wnd != nullptr ? wnd->MaxLength : 0;
}

void rg_edit_box::SetMaxLength(int32_t units) {
    if (CVWnd_Edit* wnd = GetEditWindow()) {
        wnd->MaxLength = units;
        if (wnd->GetSafeHwnd() != nullptr) {
            wnd->SetLimitText(static_cast<UINT>(units > 0 ? units : 0));
        }
    }
}

bool rg_edit_box::GetMultiLine() const {
    return WindowProperty(&CVWnd_Edit::MultiLine, 0) != 0;
}

void rg_edit_box::SetMultiLine(bool multiLine) {
    SetWindowProperty(&CVWnd_Edit::MultiLine, multiLine ? 1 : 0);
}

int64_t rg_edit_box::GetScrollBars() const {
    return WindowProperty(&CVWnd_Edit::ScrollBars, 0);
}

void rg_edit_box::SetScrollBars(int64_t scrollBars) {
    SetWindowProperty(&CVWnd_Edit::ScrollBars, scrollBars);
}

int64_t rg_edit_box::GetInputType() const {
    return WindowProperty(&CVWnd_Edit::InputType, 0);
}

void rg_edit_box::SetInputType(int64_t inputType) {
    CVWnd_Edit* wnd = GetEditWindow();
    if (wnd == nullptr) {
        return;
    }
    wnd->InputType = inputType;
    if (wnd->GetSafeHwnd() == nullptr) {
        return;
    }
    const bool readOnly = inputType == static_cast<int64_t>(EditInputType::kReadOnly);
    const bool password = inputType == static_cast<int64_t>(EditInputType::kPassword);
    wnd->SendMessage(EM_SETREADONLY, readOnly ? TRUE : FALSE);
    wnd->SetPasswordChar(password ? static_cast<wchar_t>(wnd->PasswordChar) : L'\0');
    wnd->Invalidate(TRUE);
}

char16_t rg_edit_box::GetPasswordChar() const {
    return WindowProperty(&CVWnd_Edit::PasswordChar, u'*');
}

void rg_edit_box::SetPasswordChar(char16_t unit) {
    CVWnd_Edit* wnd = GetEditWindow();
    if (wnd == nullptr) {
        return;
    }
    wnd->PasswordChar = unit;
    if (wnd->GetSafeHwnd() != nullptr &&
        wnd->InputType == static_cast<int64_t>(EditInputType::kPassword)) {
        wnd->SetPasswordChar(static_cast<wchar_t>(unit));
        wnd->Invalidate(TRUE);
    }
}

int64_t rg_edit_box::GetSpinMode() const {
    return WindowProperty(&CVWnd_Edit::SpinMode, 0);
}

void rg_edit_box::SetSpinMode(int64_t mode) {
    SetWindowProperty(&CVWnd_Edit::SpinMode, mode);
}

int64_t rg_edit_box::GetSpinMin() const {
    return WindowProperty(&CVWnd_Edit::SpinMin, 0);
}

int64_t rg_edit_box::GetSpinMax() const {
    return WindowProperty(&CVWnd_Edit::SpinMax, 100);
}

void rg_edit_box::SetSpinRange(int64_t spinMin, int64_t spinMax) {
    CVWnd_Edit* wnd = GetEditWindow();
    if (wnd == nullptr) {
        return;
    }
    wnd->SpinMin = spinMin;
    wnd->SpinMax = spinMax;
    if (wnd->GetSpin().GetSafeHwnd() != nullptr) {
        const SpinRange range = SpinRangeOf(spinMin, spinMax);
        wnd->GetSpin().SetRange32(range.lower, range.upper);
    }
}

bool rg_edit_box::GetSuppressChange() const {
    return WindowProperty(&CVWnd_Edit::SuppressChange, 0) != 0;
}

void rg_edit_box::SetSuppressChange(bool suppress) {
    SetWindowProperty(&CVWnd_Edit::SuppressChange, suppress ? 1 : 0);
}

void rg_edit_box::SetTextAlignment(int32_t alignment) {
    const uint32_t bits = alignment == 1 ? ES_CENTER : alignment == 2 ? ES_RIGHT : ES_LEFT;
    ReplaceStyleBits(*this, kAlignmentBits, bits);
}

} // namespace rg_tarn_MFCJieMian_base
