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
