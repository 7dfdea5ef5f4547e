#include "framework/MessageLoop.h"

CMessageLoop::Result CMessageLoop::Run() {
    LONG idleCount = 0;
    bool wantsIdle = true;
    MSG msg = {};
    while (KeepRunning()) {
        if (wantsIdle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            wantsIdle = OnIdle(idleCount++);
            continue;
        }
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            return {End::kQuit, static_cast<int>(msg.wParam)};
        }
        if (got == -1) {
            // Only an invalid window filter makes GetMessage fail, and there is none.
            return {End::kFailed, -1};
        }
        if (!PreTranslate(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (IsIdleMessage(&msg)) {
            wantsIdle = true;
            idleCount = 0;
        }
    }
    return {End::kStopped, 0};
}
