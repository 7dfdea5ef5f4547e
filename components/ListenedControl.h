// CListenedControl: a control that listens to its own native window.
#pragma once

#include <cstdint>
#include <type_traits>

#include "components/ControlCreation.h"
#include "native/Listeners.h"

namespace rg_tarn_MFCJieMian_base {

// The listening half of a control whose native window is a Native that
// reports to a Listener: the control is that listener, and attaching,
// detaching, asking, the preprocessing of the window's messages and the
// reading and setting of the window's properties are the same for every such
// control, so they are written here once.
//
// Native must be complete where the control is constructed or copied, so a
// control's header includes its window's header. A control without a window
// of class Native (none yet, or a copy of another class's holder) attaches
// nothing and reports no listener. Detaching leaves a listener alone that
// another copy attached since.
//
// A class derives from CTarnObjectClass<Derived, CListenedControl<...>>: this
// template is no runtime class of its own and passes IsKindOf to Base.
template <class Native, class Listener, class Base>
class CListenedControl : public Base, public Listener {
public:
    using Base::Base;

    void AttachListener() override {
        if (Native* native = ListenedWindow()) {
            native->AttachListener(this);
        }
    }

    void DetachListener() override {
        if (Native* native = ListenedWindow()) {
            native->DetachListener(this);
        }
    }

    int32_t IsListenerAttached() override {
        const Native* native = ListenedWindow();
        return native != nullptr && native->HasListener() ? 1 : 0;
    }

    // The window offers each message to the control's preprocessing first.
    int32_t OnPreprocess(TarnMessage* message) override { return this->PreprocessMessage(message); }

protected:
    // The control's window as a Native, or null.
    Native* ListenedWindow() const { return NativeWindowAs<Native>(*this); }

    // A property of the window, or fallback without a window.
    template <typename T>
    T WindowProperty(T Native::*property, std::type_identity_t<T> fallback) const {
        const Native* native = ListenedWindow();
        return native != nullptr ? native->*property : fallback;
    }

    // Sets a property of the window and returns the window for what follows
    // (a redraw); without a window nothing is set and the answer is null.
    template <typename T>
    Native* SetWindowProperty(T Native::*property, std::type_identity_t<T> value) {
        Native* native = ListenedWindow();
        if (native != nullptr) {
            native->*property = value;
        }
        return native;
    }

    // Sets a property of the window when it differs: true when it changed,
    // false without a window or with the value already in place.
    template <typename T>
    bool ChangeWindowProperty(T Native::*property, std::type_identity_t<T> value) {
        Native* native = ListenedWindow();
        if (native == nullptr || native->*property == value) {
            return false;
        }
        native->*property = value;
        return true;
    }
};

} // namespace rg_tarn_MFCJieMian_base
