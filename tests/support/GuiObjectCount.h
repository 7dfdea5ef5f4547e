// Counting the GDI objects and USER windows of this process, for leak checks in GUI tests.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

namespace test_support {

// The number of GDI objects this process holds now, or -1 when they cannot be
// counted. Under Wine GetGuiResources answers 0, so the count is read from the
// process's GDI handle table (the one the PEB points to); where that table is
// not mapped, GetGuiResources answers. Only differences between two counts
// mean anything: the table also lists the system's stock objects.
long CountGdiObjects();

// The number of windows of this process: top-level, child and message-only
// windows of every thread, without the input method's default windows that
// the system makes and removes along with a thread's windows.
int CountUserWindows();

// The counts at the moment of construction; Gdi() and Windows() answer how
// many objects were added since (negative when some were freed). The system
// makes some objects once, on the first use of a kind of object or window:
// take the baseline after one round of the work being measured.
class GuiObjectBaseline {
public:
    GuiObjectBaseline() : m_gdi(CountGdiObjects()), m_windows(CountUserWindows()) {}

    // False when GDI objects cannot be counted on this system.
    bool CanCountGdi() const { return m_gdi >= 0; }
    long Gdi() const { return CountGdiObjects() - m_gdi; }
    int Windows() const { return CountUserWindows() - m_windows; }

private:
    long m_gdi;
    int m_windows;
};

// A leak check: the counts when it is made, compared later. A check that
// cannot count would pass for nothing, so NothingLeft() fails whenever GDI
// objects cannot be counted here, before it compares anything.
class GuiLeakCheck {
public:
    GuiLeakCheck() = default;
    // Pumps this thread's messages until idle (windows being destroyed go),
    // then answers whether both counts are back where they were.
    ::testing::AssertionResult NothingLeft() const;

private:
    GuiObjectBaseline baseline_;
};

// The leak loop: runs round(0) .. round(warmUps - 1) first, so that the
// system's one-time objects exist, then round(0) .. round(rounds - 1), and
// expects no GDI object or window to be left over from those. Stops at the
// first fatal failure inside a round.
void ExpectRoundsLeaveNothing(int rounds, const std::function<void(int round)>& round,
                              int warmUps = 1);

} // namespace test_support
