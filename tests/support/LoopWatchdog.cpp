#include "tests/support/LoopWatchdog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace test_support {

namespace {

// The timer callback carries only the timer's id; the running watchdogs of
// the thread are found through it.
thread_local std::vector<LoopWatchdog*> g_running;

} // namespace

LoopWatchdog::LoopWatchdog(DWORD deadlineMs)
    : deadlineMs_(deadlineMs), timer_(SetTimer(nullptr, 0, deadlineMs, &Tick)) {
    g_running.push_back(this);
}

LoopWatchdog::~LoopWatchdog() {
    Stop();
}

void LoopWatchdog::Stop() {
    if (timer_ != 0) {
        KillTimer(nullptr, timer_);
        timer_ = 0;
    }
    g_running.erase(std::remove(g_running.begin(), g_running.end(), this), g_running.end());
}

void CALLBACK LoopWatchdog::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto found = std::find_if(g_running.begin(), g_running.end(),
                              [id](const LoopWatchdog* w) { return w->timer_ == id; });
    if (found == g_running.end()) {
        return; // a stopped watchdog's tick that was queued already
    }
    LoopWatchdog* watchdog = *found;
    watchdog->timer_ = 0;
    watchdog->fired_ = true;
    ADD_FAILURE() << "the message loop was still running after " << watchdog->deadlineMs_ << " ms";
    PostQuitMessage(kExitCode);
}

} // namespace test_support
