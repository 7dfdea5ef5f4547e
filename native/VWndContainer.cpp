#include "native/VWndContainer.h"

#include "framework/DeviceContext.h"
#include "native/FocusFirstChild.h"
#include "native/HintToolTip.h"
#include "native/PrivateMessages.h"
#include "native/TransparentRefresh.h"

CToolTipCtrl* CVWnd_Container::ObtainToolTip() {
    if (GetSafeHwnd() == nullptr) {
        return nullptr;
    }
    if (ToolTip == nullptr) {
        ToolTip = CreateHintToolTip(*this, ClassicToolTip != 0);
    }
    if (ToolTip == nullptr || ToolTip->GetSafeHwnd() == nullptr) {
        return nullptr;
    }
    // It goes with this object, so its messages hold this object too.
    ToolTip->SetDispatchOwner(this);
    return ToolTip.get();
}

bool CVWnd_Container::SetHintOf(const CWnd& control, LPCWSTR text) {
    for (HWND parent = ::GetParent(control.GetSafeHwnd()); parent != nullptr;
         parent = ::GetParent(parent)) {
        CWnd* parentObject = CWnd::FromHandlePermanent(parent);
        if (parentObject == nullptr) {
            return false;
        }
        if (parentObject->IsKindOf(&runtimeClass)) {
            CToolTipCtrl* toolTip = static_cast<CVWnd_Container*>(parentObject)->ObtainToolTip();
            return toolTip != nullptr && SetHintTool(*toolTip, control.GetSafeHwnd(), text);
        }
    }
    return false;
}

BOOL CVWnd_Container::DestroyWindow() {
    if (m_destroying) {
        // The destruction in progress finishes what the caller asked for;
        // destroying again from inside it would send the window's last
        // messages twice.
        return TRUE;
    }
    return CTarnWnd<CWnd, IContainerEventListener>::DestroyWindow();
}

LRESULT CVWnd_Container::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Each listener call may destroy the window or free the component (the
    // object itself stays until the outermost message returns): the window
    // and the listener are asked for again after every call.
    switch (message) {
    case WM_CREATE:
        return OnCreate(wParam, lParam);
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_MOVE:
    case WM_SIZE:
    case WM_SETFOCUS:
    case WM_SHOWWINDOW:
        return FollowAfterDefault(message, wParam, lParam);
    case WM_GETDLGCODE:
        return DLGC_STATIC; // a static element: the dialog navigation gives it no keys
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT:
        // Themed controls ask for what lies behind them this way.
        PaintBackground(reinterpret_cast<HDC>(wParam));
        return 0;
    case tarn_msg::kPreTranslate:
        if (!tarn_msg::IsMarker(lParam)) {
            break;
        }
        // The queued message is read only when our own pre-translation sent
        // it; the container never consumes it.
        if (wParam != 0 && tarn_msg::IsTrustedMessage(GetSafeHwnd(), message, wParam, lParam)) {
            RelayToToolTip(ToolTip.get(), *reinterpret_cast<const MSG*>(wParam));
        }
        return 0;
    default:
        break;
    }
    return CTarnWnd<CWnd, IContainerEventListener>::HandleMessage(message, wParam, lParam);
}

LRESULT CVWnd_Container::OnCreate(WPARAM wParam, LPARAM lParam) {
    if (CTarnWnd<CWnd, IContainerEventListener>::HandleMessage(WM_CREATE, wParam, lParam) == -1) {
        return -1;
    }
    if (IContainerEventListener* listener = GetListener()) {
        listener->OnWindowCreate();
    }
    return 0;
}

void CVWnd_Container::OnDestroy() {
    m_destroying = true;
    if (IContainerEventListener* listener = GetListener()) {
        listener->OnWindowDestroy();
    }
    if (ToolTip != nullptr) {
        // This may run inside one of the tool tip's own messages.
        ToolTip->DestroyWindow();
        ToolTip.release()->DeleteAfterDispatch();
    }
}

LRESULT CVWnd_Container::FollowAfterDefault(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result =
        CTarnWnd<CWnd, IContainerEventListener>::HandleMessage(message, wParam, lParam);
    if (message == WM_SETFOCUS) {
        if (GetSafeHwnd() != nullptr) {
            FocusFirstChild(GetSafeHwnd());
        }
        return result;
    }
    if (message == WM_MOVE && Transparent != 0 && GetSafeHwnd() != nullptr) {
        RefreshUnderTransparentWindow(GetSafeHwnd());
        Invalidate(FALSE);
    }
    if (IContainerEventListener* listener = GetListener()) {
        if (message == WM_MOVE) {
            listener->OnWindowMove();
        } else if (message == WM_SIZE) {
            listener->OnWindowSize();
        } else {
            listener->OnWindowShow(wParam != 0 ? 1 : 0);
        }
    }
    return result;
}

void CVWnd_Container::OnPaint() {
    CPaintDC dc(*this);
    PaintBackground(dc.GetSafeHdc());
}

void CVWnd_Container::PaintBackground(HDC dc) {
    RECT client = {};
    RECT updateBox = {};
    if (dc == nullptr || !GetClientRect(&client) || GetClipBox(dc, &updateBox) == ERROR) {
        return;
    }
    PaintContainerBackground(dc, client, updateBox, BackColor, Transparent != 0,
                             Picture.GetHandle(), PictureMode);
}

std::optional<LRESULT> CVWnd_Container::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) {
        if (IContainerEventListener* listener = GetListener();
            listener != nullptr && listener->OnWindowCommand(LOWORD(wParam)) != 0) {
            return LRESULT{0};
        }
    }
    return CTarnWnd<CWnd, IContainerEventListener>::OnCommand(wParam, lParam);
}

void CVWnd_Container::PostNcDestroy() {
    m_destroying = false;
    if (IContainerEventListener* listener = GetListener()) {
        listener->OnWindowFinalDestroy();
    }
}
