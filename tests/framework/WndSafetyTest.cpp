#include "framework/Wnd.h"
#include "tests/framework/TestWindows.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/WindowQueries.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using framework_test::CreateTopLevel;
using framework_test::TestClassName;

int g_liveObjects = 0;
// What the last handler saw after asking for its object's deletion.
unsigned g_canarySeen = 0;
int g_depthSeen = 0;

// A heap window object whose destructor kills a canary, so that a use after
// deletion shows. WM_USER destroys the window and (wParam 1) asks for the
// object's deletion, then goes on reading the object; WM_USER + 1 does the
// same through a nested WM_USER.
class CanaryWnd : public CWnd {
public:
    static constexpr unsigned kAlive = 0xC0FFEE;
    static constexpr unsigned kDead = 0xDEAD;

    CanaryWnd() { ++g_liveObjects; }
    ~CanaryWnd() override {
        canary = kDead;
        --g_liveObjects;
    }

    volatile unsigned canary = kAlive;
    bool deleteInPostNcDestroy = false;
    // When set, every later message is answered here and never reaches the base.
    bool swallowEverything = false;
    int postNcDestroyCalls = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_USER) {
            DestroyWindow();
            if (wParam == 1) {
                DeleteAfterDispatch();
            }
            g_depthSeen = GetDispatchDepth();
            g_canarySeen = canary;
            return 5;
        }
        if (message == WM_USER + 1) {
            SendMessage(WM_USER, 1);
            g_canarySeen = canary;
            return 6;
        }
        if (swallowEverything) {
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {
        ++postNcDestroyCalls;
        if (deleteInPostNcDestroy) {
            DeleteAfterDispatch();
        }
    }
};

// An object deleted during one of its messages stays usable until the
// outermost message of that object returns, also when messages nest.
TEST(WndSafety, AnObjectDeletedInsideItsOwnMessageLivesUntilTheMessageReturns) {
    const struct {
        const char* what;
        UINT message;
        WPARAM wParam;
        bool deleteInPostNcDestroy;
        LRESULT answer;
        int depth;
    } cases[] = {
        {"deleted by the handler", WM_USER, 1, false, 5, 1},
        {"deleted by PostNcDestroy inside the message", WM_USER, 0, true, 5, 1},
        {"deleted by a nested message", WM_USER + 1, 0, false, 6, 2},
    };
    for (const auto& test : cases) {
        const int liveBefore = g_liveObjects;
        auto* wnd = new CanaryWnd();
        wnd->deleteInPostNcDestroy = test.deleteInPostNcDestroy;
        ASSERT_TRUE(CreateTopLevel(*wnd)) << test.what;
        HWND hwnd = wnd->GetSafeHwnd();
        g_canarySeen = 0;
        g_depthSeen = 0;
        EXPECT_EQ(SendMessageW(hwnd, test.message, test.wParam, 0), test.answer) << test.what;
        EXPECT_EQ(g_canarySeen, CanaryWnd::kAlive) << test.what;
        EXPECT_EQ(g_depthSeen, test.depth) << test.what;
        EXPECT_FALSE(IsWindow(hwnd)) << test.what;
        EXPECT_EQ(g_liveObjects, liveBefore) << test.what << ": deleted once the message returned";
    }

    // Outside any message the deletion is immediate.
    const int liveBefore = g_liveObjects;
    auto* idle = new CanaryWnd();
    idle->DeleteAfterDispatch();
    EXPECT_EQ(g_liveObjects, liveBefore);
}

// A part of a window object that has a window of its own (a control the
// object embeds): WM_USER and a notification reflected to it run onMessage,
// then read the owner's canary, as code returning from a handler would.
class PartWnd : public CWnd {
public:
    void (*onMessage)(CanaryWnd& owner) = nullptr;
    CanaryWnd* owner = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_USER) {
            Handle();
            return 7;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::optional<LRESULT> OnReflectedMessage(UINT message, WPARAM, LPARAM) override {
        if (message != WM_COMMAND) {
            return std::nullopt;
        }
        Handle();
        return 0;
    }

private:
    void Handle() {
        onMessage(*owner);
        g_canarySeen = owner->canary;
    }
};

// An object with a part whose window lives beside the object's own, inside
// another window (as an edit's spin does).
class OwningWnd : public CanaryWnd {
public:
    OwningWnd() {
        part.owner = this;
        part.SetDispatchOwner(this);
    }
    PartWnd part;
};

// An object deleted from inside a message of a window it owns, or from a
// notification reflected to that window's object, lives until that message
// returns: the part's frame never runs on in freed memory. Its windows go
// with it, the part's too, if nobody destroyed them before.
TEST(WndSafety, AnObjectDeletedInsideAMessageOfAWindowItOwnsLivesUntilItReturns) {
    const struct {
        const char* what;
        bool reflected;
        void (*onMessage)(CanaryWnd& owner);
    } cases[] = {
        {"the part's own message", false, [](CanaryWnd& owner) { owner.DeleteAfterDispatch(); }},
        {"a notification reflected to the part", true,
         [](CanaryWnd& owner) { owner.DeleteAfterDispatch(); }},
        {"the owner's window destroyed, then the owner deleted", true,
         [](CanaryWnd& owner) {
             owner.DestroyWindow();
             owner.DeleteAfterDispatch();
         }},
    };
    CWnd around; // reflects the part's notifications to the part's object
    ASSERT_TRUE(CreateTopLevel(around));
    for (const auto& test : cases) {
        const int liveBefore = g_liveObjects;
        auto* owner = new OwningWnd();
        ASSERT_TRUE(CreateTopLevel(*owner)) << test.what;
        ASSERT_TRUE(framework_test::CreateChild(owner->part, L"BUTTON", around, 3)) << test.what;
        owner->part.onMessage = test.onMessage;
        const HWND partWindow = owner->part.GetSafeHwnd();
        const HWND ownerWindow = owner->GetSafeHwnd();
        g_canarySeen = 0;
        if (test.reflected) {
            SendMessageW(around.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(3, BN_CLICKED),
                         reinterpret_cast<LPARAM>(partWindow));
        } else {
            SendMessageW(partWindow, WM_USER, 0, 0);
        }
        EXPECT_EQ(g_canarySeen, CanaryWnd::kAlive) << test.what;
        EXPECT_EQ(g_liveObjects, liveBefore) << test.what << ": deleted once the message returned";
        EXPECT_FALSE(IsWindow(partWindow)) << test.what;
        EXPECT_FALSE(IsWindow(ownerWindow)) << test.what;
    }
    around.DestroyWindow();
}

// Unbinding and the final hook run even when the window procedure answers
// every message itself, WM_NCDESTROY included.
TEST(WndSafety, FinalDestroyBookkeepingRunsWhenTheProcedureSwallowsEverything) {
    auto* wnd = new CanaryWnd();
    ASSERT_TRUE(CreateTopLevel(*wnd));
    HWND hwnd = wnd->GetSafeHwnd();
    wnd->swallowEverything = true;
    EXPECT_TRUE(DestroyWindow(hwnd));
    EXPECT_EQ(wnd->GetSafeHwnd(), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    EXPECT_EQ(wnd->postNcDestroyCalls, 1);
    wnd->DeleteAfterDispatch();
}

// A window object that asks for one class but whose creation makes a window
// of another: the binding hook never sees the window it waits for.
class MismatchedWnd : public CWnd {
public:
    // True when the creation reported success.
    bool CreateOther() {
        return CreateBound(L"QorvathNoSuchClass", [] {
                   return CreateWindowExW(0, TestClassName(), L"other", WS_OVERLAPPEDWINDOW, 0, 0,
                                          50, 50, nullptr, nullptr, GetModuleHandleW(nullptr),
                                          nullptr);
               }) != Creation::kFailed;
    }
    int messages = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        ++messages;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

int CountTestClassWindows() {
    return test_support::CountThreadWindows(TestClassName());
}

TEST(WndSafety, ACreationThatCouldNotBeBoundFailsAndLeavesNoWindow) {
    const int windowsBefore = CountTestClassWindows();
    MismatchedWnd wnd;
    EXPECT_FALSE(wnd.CreateOther());
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
    EXPECT_EQ(wnd.messages, 0) << "the creation messages were missed";
    EXPECT_EQ(CountTestClassWindows(), windowsBefore) << "the unbound window is not left behind";
}

} // namespace
