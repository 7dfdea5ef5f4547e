// VisualStylesScope: version 6 of the common controls for the windows a test makes.
#pragma once

#include <windows.h>

namespace test_support {

// While the scope is open, the platform controls this thread creates are the
// themed ones of version 6 of the common controls, as in a program whose
// manifest asks for them (the test programs have no manifest). Windows made
// in the scope stay themed after it closes. One scope at a time per thread.
class VisualStylesScope {
public:
    VisualStylesScope();
    ~VisualStylesScope();
    VisualStylesScope(const VisualStylesScope&) = delete;
    VisualStylesScope& operator=(const VisualStylesScope&) = delete;

    // False when the activation context could not be made or entered.
    bool Active() const { return cookie_ != 0; }

private:
    HANDLE context_ = INVALID_HANDLE_VALUE;
    ULONG_PTR cookie_ = 0;
};

} // namespace test_support
