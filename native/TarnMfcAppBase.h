// CTarnMfcAppBase: the application object's base that offers input messages to the runtime's marked
// windows.
#pragma once

#include "framework/WinApp.h"

// The application object of a runtime program. Besides the framework's own
// pre-translation it offers every keyboard and mouse message to the marked
// windows (containers and non-modal forms) on the way from the message's
// window out to its top-level window, so that forms can navigate with the
// keyboard and containers can show tool tips. Used on the GUI thread.
class CTarnMfcAppBase : public CRuntimeKind<"CTarnMfcAppBase", CWinAppEx> {
public:
    explicit CTarnMfcAppBase(BOOL resourceSmartUpdate = TRUE);

    // The framework's walk first; then, for a keyboard or mouse message
    // (tarn_msg::IsInputMessage), each window from the message's window
    // outwards that carries the window marker is asked with the
    // pre-translation message; the first that answers with the marker
    // consumes the message. The walk stops after the first window that is not
    // a child, and before the first window of another thread.
    BOOL PreTranslateMessage(MSG* msg) override;

    // The marked-window walk alone (the second step above).
    static BOOL OfferToMarkedWindows(MSG* msg);
};
