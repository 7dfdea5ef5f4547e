// CMessageLoop: the one loop that takes this thread's messages, for the application and modal
// dialogs.
#pragma once

#include <windows.h>

// Takes this thread's queued messages and hands each to the hooks, then to
// translation and dispatch, doing idle work while the queue is empty.
//
// Order of one round: while KeepRunning holds, an empty queue with idle work
// wanted calls OnIdle with 0, 1, 2, ... (one call a round) until it answers
// false; otherwise the loop waits for the next message, offers it to
// PreTranslate (true consumes it: no translation and no dispatch) and then
// asks IsIdleMessage whether it restarts idle work from count 0. So
// KeepRunning is asked before every idle call and after every message, which
// lets a loop end as soon as the work that ends it is done.
//
// The quit message ends the loop and is not dispatched; its code is in the
// result. A loop runs on the thread whose messages it takes.
class CMessageLoop {
public:
    enum class End {
        kQuit,    // the quit message arrived; quitCode holds its code
        kStopped, // KeepRunning answered false
        kFailed,  // the queue could not be read
    };
    struct Result {
        End end;
        int quitCode;
    };

    CMessageLoop() = default;
    virtual ~CMessageLoop() = default;
    CMessageLoop(const CMessageLoop&) = delete;
    CMessageLoop& operator=(const CMessageLoop&) = delete;

    Result Run();

protected:
    // Whether the loop goes on. The base answers true: only the quit message ends it.
    virtual bool KeepRunning() { return true; }
    // True consumes msg before translation and dispatch.
    virtual bool PreTranslate(MSG* msg) = 0;
    // Idle work with the count of calls since the queue last emptied after
    // an idle message; true wants another call.
    virtual bool OnIdle(LONG count) = 0;
    // Whether msg, once handled, restarts idle work from count 0.
    virtual bool IsIdleMessage(const MSG* msg) = 0;
};
