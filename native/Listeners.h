// The listener interfaces through which native windows report to their components.
#pragma once

#include <windows.h>

#include <cstdint>

// The message record a native window hands to its component: the platform's
// message structure (window, message, first and second parameter are read;
// time and point are not). The component may change the two parameters, and
// the window then processes the changed message.
using TarnMessage = MSG;

// What every native window of the runtime reports to. Components implement it
// (or an interface derived from it) as a second base; a native window holds it
// in its Listener field and calls it only on the GUI thread.
class IBaseEventListener {
public:
    // Offered every message before the window's own processing; nonzero means
    // consumed: the window does nothing more with it and answers 0.
    virtual int32_t OnPreprocess(TarnMessage* message) = 0;

protected:
    ~IBaseEventListener() = default;
};

// What a button or group box window reports to.
class IButtonEventListener : public IBaseEventListener {
public:
    // The button was clicked: by the mouse, by Space, or by Enter as a form's
    // default button.
    virtual void OnButtonClicked() = 0;

protected:
    ~IButtonEventListener() = default;
};

// What a label window reports to.
class ILabelEventListener : public IBaseEventListener {
public:
    // The label received tarn_msg::kLabelMessage with these parameters; the
    // answer becomes the message's result.
    virtual int32_t OnLabelMessage(int64_t first, int64_t second) = 0;

protected:
    ~ILabelEventListener() = default;
};

// What an edit window reports to.
class IEditEventListener : public IBaseEventListener {
public:
    // The edit's text changed (not reported while the edit suppresses it).
    virtual void OnEditChanged() = 0;
    // The spin beside an edit in event mode was clicked: -1 down, +1 up. The
    // edit ignores the answer.
    virtual int32_t OnEditSpin(int32_t direction) = 0;

protected:
    ~IEditEventListener() = default;
};
