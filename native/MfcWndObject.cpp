#include "native/MfcWndObject.h"

#include "framework/Wnd.h"

CMfcWndObject::CMfcWndObject(CWnd* nativeWindow) : nativeWindow_(nativeWindow) {}

CMfcWndObject::~CMfcWndObject() {
    if (font_ != nullptr) {
        DeleteObject(font_);
        font_ = nullptr;
    }
    if (nativeWindow_ != nullptr) {
        // A window still bound here (a holder ended without its final
        // release) is unbound and destroyed by the object's deletion.
        nativeWindow_->DeleteAfterDispatch();
        nativeWindow_ = nullptr;
    }
}

const LightClassInfo& CMfcWndObject::ClassRecord() {
    static const LightClassInfo info = MakeLightClassInfo("CMfcWndObject");
    return info;
}

const LightClassInfo& CMfcWndObject::GetClassInfo() const {
    return ClassRecord();
}

bool CMfcWndObject::IsKindOf(const LightClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CRefObject::IsKindOf(info);
}

void CMfcWndObject::OnFinalRelease() {
    if (HasWindow()) {
        nativeWindow_->DestroyWindow();
    }
    if (ForgetNativeWindow != 0) {
        nativeWindow_ = nullptr;
    }
}

HWND CMfcWndObject::GetWindowHandle() const {
    return nativeWindow_ != nullptr ? nativeWindow_->GetSafeHwnd() : nullptr;
}

void CMfcWndObject::SetNativeWindow(CWnd* nativeWindow) {
    CWnd* old = nativeWindow_;
    nativeWindow_ = nativeWindow;
    if (old != nullptr && old != nativeWindow) {
        if (old->GetSafeHwnd() != nullptr) {
            old->DestroyWindow();
        }
        old->DeleteAfterDispatch();
    }
}

void CMfcWndObject::SetFont(HFONT font) {
    if (font == nullptr || font == font_) {
        return;
    }
    HFONT old = font_;
    font_ = font;
    if (HasWindow()) {
        nativeWindow_->SetFont(font, TRUE);
    }
    if (old != nullptr) {
        DeleteObject(old);
    }
}
