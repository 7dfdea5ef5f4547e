#include "components/LayoutContainer.h"

#include "components/ControlCreation.h"

#include "native/PrivateMessages.h"
#include "native/VWndContainer.h"
#include "native/WindowClass.h"
#include "runtime/WideText.h"

namespace rg_tarn_MFCJieMian_base {

namespace {

// Bit 1 of flags: the component's destruction has begun.
constexpr uint64_t kDestroying = 2;

} // namespace

rg_ZuJianBuJuQi::rg_ZuJianBuJuQi() {
    AdoptHolder(new CMfcWndObject(new CVWnd_Container()));
}

rg_ZuJianBuJuQi::~rg_ZuJianBuJuQi() {
    flags |= kDestroying;
    // A window that outlives this component (its holder is shared) must not
    // report to it any more.
    DetachListener();
}

void rg_ZuJianBuJuQi::PrepareCreate(ControlCreateInfo& info) {
    CTarnWinContainer::PrepareCreate(info);
    // Before the window exists, so that its creation message reaches us.
    if (IsListenerAttached() == 0) {
        AttachListener();
    }
}

int32_t rg_ZuJianBuJuQi::CreateNative(ControlCreateInfo& info) {
    CVWnd_Container* window = GetContainerWindow();
    if (window == nullptr) {
        return 0;
    }
    window->Page = info.page;
    if (HasNativeWindow()) {
        return 0;
    }
    PrepareCreate(info);
    AdjustCreate(info);
    info.style &= ~static_cast<uint32_t>(WS_TABSTOP);
    if (window->Transparent != 0) {
        info.exStyle |= WS_EX_TRANSPARENT;
    }
    if (RegisterTarnWindowClass(kTarnContainerClass) == nullptr) {
        return 0;
    }
    HWND parent = info.parentWindow != nullptr ? info.parentWindow->GetSafeHwnd() : nullptr;
    // The id is a child window's identifier; for a top-level window the same
    // parameter would name a menu.
    HMENU id = (info.style & WS_CHILD) != 0 ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(info.id))
                                            : nullptr;
    // The children are created inside this call, by OnWindowCreate.
    if (!window->CreateEx(info.exStyle, kTarnContainerClass, ToWide(info.text), info.style, info.x,
                          info.y, info.width, info.height, parent, id, nullptr)) {
        return 0;
    }
    // A handler inside the creation may have destroyed the window again.
    if (HWND created = window->GetSafeHwnd(); created != nullptr) {
        SetWindowLongPtrW(created, GWLP_USERDATA, tarn_msg::kWindowMarker);
    }
    if (HasNativeWindow()) {
        AfterCreate(window, info);
    }
    return 1;
}

void rg_ZuJianBuJuQi::OnWindowCreate() {
    OnNativeCreated();
    ContainerCreated.Raise(this);
}

void rg_ZuJianBuJuQi::OnWindowDestroy() {
    ContainerDestroying.Raise(this);
}

void rg_ZuJianBuJuQi::OnWindowFinalDestroy() {
    ContainerDestroyed.Raise(this);
}

void rg_ZuJianBuJuQi::OnWindowSize() {
    SizeChanged.Raise(this);
}

void rg_ZuJianBuJuQi::OnWindowShow(int32_t shown) {
    if (shown != 0) {
        Shown.Raise(this);
    } else {
        Hidden.Raise(this);
    }
}

void rg_ZuJianBuJuQi::OnWindowMove() {
    Moved.Raise(this);
}

int32_t rg_ZuJianBuJuQi::OnWindowCommand(uint32_t id) {
    return MenuCommand.Raise(this, id) != 0 ? 1 : 0;
}

} // namespace rg_tarn_MFCJieMian_base
