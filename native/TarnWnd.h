// CTarnWndPart, the fields and message protocol every native window shares, and CTarnWnd, the base
// that applies them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "framework/Wnd.h"
#include "native/Listeners.h"
#include "native/WindowProcFilters.h"

class CToolTipCtrl;

// Steps 1 and 2 of every native window procedure, the envelope dialog's too:
// the private messages carrying the marker (pointers followed only for our
// own sends), then the filters. A value means the message is finished with
// that answer. A window without page state (page and flags null) reads as on
// no page (-1) and not visible in its own right (0), and ignores the setters.
// On WM_NCDESTROY the filter list is emptied whatever a filter does.
std::optional<LRESULT> AnswerMarkerAndFilters(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                              CTarnWindowProcFilters& filters, int32_t* page,
                                              uint32_t* flags);

// The part every native window of the runtime carries after its framework
// window fields: the listener it reports to, its page, its page flags and its
// window-procedure filters, with the first three steps of its window
// procedure (the private message protocol, the filters, the listener).
//
// A native window derives from CTarnWnd<framework class> below. Everything
// here runs on the window's GUI thread.
class CTarnWndPart {
public:
    CTarnWndPart() = default;
    CTarnWndPart(const CTarnWndPart&) = delete;
    CTarnWndPart& operator=(const CTarnWndPart&) = delete;

    // True while a component listens to this window.
    bool HasListener() const { return listener_ != nullptr; }

    // The window's page; -1 puts it on no page.
    int32_t Page = -1;
    // Bit 0: the component is visible in its own right.
    uint32_t PageFlags = 0;
    // The window-procedure filters of this window.
    CTarnWindowProcFilters Filters;

    // Which messages the listener sees in step 3: all of them, unless a
    // window reports some to it in its own way.
    virtual bool ListensTo(UINT message) const {
        (void)message;
        return true;
    }

protected:
    virtual ~CTarnWndPart() = default;

    // Steps 1 to 3 of the window procedure for the window of wnd: the private
    // messages carrying the marker, then the filters, then the listener (for
    // the messages it listens to, ListensTo). A
    // value means the message is finished with that answer. No value means go
    // on to the window's own processing with wParam and lParam, which the
    // listener may have changed.
    //
    // On WM_NCDESTROY the filter list is emptied whatever a filter or the
    // listener does with the message.
    std::optional<LRESULT> PreDispatch(CWnd& wnd, UINT message, WPARAM& wParam, LPARAM& lParam);

    // The listener as every window sees it. Only CTarnWnd's typed attach
    // writes it, so it always holds the window's own listener type.
    IBaseEventListener* BaseListener() const { return listener_; }
    void SetBaseListener(IBaseEventListener* listener) { listener_ = listener; }

private:
    IBaseEventListener* listener_ = nullptr;
};

// A framework window class (CWnd, CButton, CEdit, ...) with the shared part
// and the shared window procedure: PreDispatch, then HandleMessage, which a
// native window overrides with its own switch (step 4) and which defaults to
// the framework's processing.
//
// Listener is the interface the window reports to; its component attaches
// and detaches itself through the typed calls below, the only way to reach
// the listener.
template <typename Base, typename Listener = IBaseEventListener>
class CTarnWnd : public Base, public CTarnWndPart {
public:
    void AttachListener(Listener* listener) { SetBaseListener(listener); }
    // Clears the listener only while it is still listener: a copy of the
    // component may have attached itself since, and keeps the window.
    void DetachListener(const Listener* listener) {
        if (listener != nullptr && GetListener() == listener) {
            SetBaseListener(nullptr);
        }
    }
    Listener* GetListener() const { return static_cast<Listener*>(BaseListener()); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (const std::optional<LRESULT> answer = PreDispatch(*this, message, wParam, lParam)) {
            return *answer;
        }
        return HandleMessage(message, wParam, lParam);
    }

    // Step 4: the window's own processing of a message the earlier steps let
    // through. Overrides end with the base's HandleMessage for what they do
    // not handle.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        return Base::WindowProc(message, wParam, lParam);
    }
};

// The shared part of a framework window object, or null when the object is
// no native window of the runtime (or there is none).
CTarnWndPart* TarnPartOf(CWnd* wnd);
