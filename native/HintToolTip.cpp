#include "native/HintToolTip.h"

std::unique_ptr<CToolTipCtrl> CreateHintToolTip(CWnd& parent, bool classic) {
    if (parent.GetSafeHwnd() == nullptr) {
        return nullptr;
    }
    auto tip = std::make_unique<CToolTipCtrl>();
    if (!tip->Create(&parent, 0) || tip->GetSafeHwnd() == nullptr) {
        return nullptr;
    }
    if (classic) {
        tip->SetWindowTheme(L"", L""); // empty theme names switch visual styles off
    }
    return tip;
}

bool SetHintTool(CToolTipCtrl& tip, HWND control, LPCWSTR text) {
    if (tip.GetSafeHwnd() == nullptr || control == nullptr) {
        return false;
    }
    // One tool per control: the old one goes, so a changed hint never
    // leaves its previous text behind as a second tool.
    tip.DelWindowTool(control);
    if (text == nullptr || *text == L'\0') {
        return false;
    }
    return tip.AddWindowTool(control, text) != FALSE;
}

bool IsRelayedToToolTip(UINT message) {
    return message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP && message != WM_LBUTTONDBLCLK &&
           message != WM_RBUTTONDBLCLK;
}

bool RelayToToolTip(CToolTipCtrl* tip, const MSG& msg) {
    if (tip == nullptr || tip->GetSafeHwnd() == nullptr || !IsRelayedToToolTip(msg.message) ||
        tip->GetToolCount() < 1) {
        return false;
    }
    MSG copy = msg; // the control gets the message as it came, whatever the tool tip does
    tip->RelayEvent(&copy);
    return true;
}
