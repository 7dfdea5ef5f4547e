// The deadline of a test's message loop: past it the test fails and the loop is told to end.
#pragma once

#include <windows.h>

namespace test_support {

// A thread timer, started when constructed and stopped when destroyed or
// stopped. When the deadline passes first, it fails the running test and posts
// the quit message with kExitCode, so a loop that would never end fails the
// test instead of hanging until the runner's limit. It fires at most once and
// only while a loop of its thread takes messages. The scripted applications
// of the framework and of the runtime both keep their loops under one.
class LoopWatchdog {
public:
    static constexpr int kExitCode = 77;
    static constexpr DWORD kDeadlineMs = 15000;

    explicit LoopWatchdog(DWORD deadlineMs = kDeadlineMs);
    ~LoopWatchdog();
    LoopWatchdog(const LoopWatchdog&) = delete;
    LoopWatchdog& operator=(const LoopWatchdog&) = delete;

    void Stop();
    bool Fired() const { return fired_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    DWORD deadlineMs_;
    UINT_PTR timer_ = 0;
    bool fired_ = false;
};

} // namespace test_support
