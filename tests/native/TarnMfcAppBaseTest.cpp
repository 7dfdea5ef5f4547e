#include "native/TarnMfcAppBase.h"
#include "framework/Wnd.h"
#include "native/PrivateMessages.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScriptedTarnApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using test_support::ScriptedTarnApp;

const wchar_t* OfferTestClass() {
    static const bool registered = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QorvathOfferTest";
        return RegisterClassW(&wc) != 0;
    }();
    return registered ? L"QorvathOfferTest" : nullptr;
}

// A window that logs each pre-translation offer it gets ("name:message", with
// "?" when the offer did not come from the runtime itself) and answers with
// the marker when told to.
class OfferedWnd : public CWnd {
public:
    OfferedWnd(std::vector<std::wstring>* log, std::wstring name)
        : m_log(log), m_name(std::move(name)) {}

    bool answerMarker = false;
    LRESULT answer = 0;

    bool Create(HWND parent, DWORD style, bool marked) {
        if (!CreateEx(0, OfferTestClass(), m_name.c_str(), style, 0, 0, 200, 150, parent,
                      nullptr)) {
            return false;
        }
        if (marked) {
            SetWindowLongPtrW(GetSafeHwnd(), GWLP_USERDATA, tarn_msg::kWindowMarker);
        }
        return true;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == tarn_msg::kPreTranslate && tarn_msg::IsMarker(lParam)) {
            const bool trusted = tarn_msg::IsTrustedMessage(GetSafeHwnd(), message, wParam, lParam);
            const MSG* msg = reinterpret_cast<const MSG*>(wParam);
            m_log->push_back(m_name + (trusted ? L":" : L"?:") + std::to_wstring(msg->message));
            return answerMarker ? tarn_msg::kWindowMarker : answer;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    std::vector<std::wstring>* m_log;
    std::wstring m_name;
};

// top (marked, top-level) > middle (marked child) > inner (unmarked child);
// popup: an owned, marked pop-up of top.
struct OfferTree {
    std::vector<std::wstring> log;
    OfferedWnd top{&log, L"top"};
    OfferedWnd middle{&log, L"middle"};
    OfferedWnd inner{&log, L"inner"};
    OfferedWnd popup{&log, L"popup"};

    bool Create() {
        return top.Create(nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, true) &&
               middle.Create(top.GetSafeHwnd(), WS_CHILD | WS_VISIBLE, true) &&
               inner.Create(middle.GetSafeHwnd(), WS_CHILD | WS_VISIBLE, false) &&
               popup.Create(top.GetSafeHwnd(), WS_POPUP | WS_VISIBLE, true);
    }
    void Destroy() {
        popup.DestroyWindow();
        top.DestroyWindow();
    }
};

struct OfferCase {
    const char* name;
    UINT message;
    bool middleAnswers;
    bool topAnswers;
    bool expectConsumed;
    std::vector<std::wstring> expectLog;
};

// Each input message is posted to the innermost window and goes through the
// application's real loop.
TEST(TarnMfcAppBase, InputIsOfferedToMarkedAncestorsUpToTheTopLevelWindow) {
    const std::vector<OfferCase> cases = {
        {"key down consumed by the top-level window",
         WM_KEYDOWN,
         false,
         true,
         true,
         {L"middle:256", L"top:256"}},
        {"key down consumed by the first marked ancestor",
         WM_KEYDOWN,
         true,
         true,
         true,
         {L"middle:256"}},
        {"nobody answers", WM_KEYDOWN, false, false, false, {L"middle:256", L"top:256"}},
        {"last keyboard message", 0x109, false, true, true, {L"middle:265", L"top:265"}},
        {"first mouse message", WM_MOUSEMOVE, true, false, true, {L"middle:512"}},
        {"last mouse message", 0x20E, false, true, true, {L"middle:526", L"top:526"}},
        {"past the keyboard range", 0x10A, true, true, false, {}},
        {"past the mouse range", 0x20F, true, true, false, {}},
        {"below the keyboard range", 0xFF, true, true, false, {}},
        {"an application message", WM_APP, true, true, false, {}},
    };
    for (const OfferCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedTarnApp app;
        OfferTree tree;
        app.init = [&] { return tree.Create() ? TRUE : FALSE; };
        app.steps.push_back([&] {
            tree.middle.answerMarker = c.middleAnswers;
            tree.top.answerMarker = c.topAnswers;
            tree.inner.PostMessage(c.message, VK_F5, 0); // a key without a character
        });
        app.steps.push_back([&] { tree.Destroy(); });
        EXPECT_EQ(app.RunScript(), 0);
        EXPECT_EQ(tree.log, c.expectLog);
        EXPECT_EQ(app.consumed.size(), c.expectConsumed ? 1u : 0u);
    }
}

TEST(TarnMfcAppBase, OnlyTheMarkerAnswersAndOnlyMarkedWindowsAreAsked) {
    ScriptedTarnApp app;
    OfferTree tree;
    app.init = [&] { return tree.Create() ? TRUE : FALSE; };
    app.steps.push_back([&] {
        tree.middle.answer = 1; // an answer that is not the marker goes on outwards
        tree.top.answerMarker = true;
        // The unmarked inner window is never asked.
        tree.inner.PostMessage(WM_KEYUP, VK_SPACE, 0);
    });
    app.steps.push_back([&] {
        // The walk from a pop-up stops there: its owner is not its parent.
        tree.popup.PostMessage(WM_LBUTTONDOWN, 0, 0);
    });
    app.steps.push_back([&] {
        // Without its marker the top-level window is no longer asked.
        SetWindowLongPtrW(tree.top.GetSafeHwnd(), GWLP_USERDATA, 0);
        tree.middle.PostMessage(WM_CHAR, 'x', 0);
    });
    app.steps.push_back([&] { tree.Destroy(); });
    EXPECT_EQ(app.RunScript(), 0);
    const std::vector<std::wstring> expected = {L"middle:257", L"top:257", L"popup:513",
                                                L"middle:258"};
    EXPECT_EQ(tree.log, expected);
    ASSERT_EQ(app.consumed.size(), 1u);
    EXPECT_EQ(app.consumed[0].message, static_cast<UINT>(WM_KEYUP));
}

// The walk outwards ends before the first window of another thread: no other
// thread or process is ever offered the address of our message, nor made to
// answer before the message can go on.
TEST(TarnMfcAppBase, TheWalkEndsBeforeTheFirstWindowOfAnotherThread) {
    test_support::OtherThreadWindow foreign(tarn_msg::kPreTranslate, tarn_msg::kWindowMarker,
                                            WS_POPUP | WS_VISIBLE);
    SetWindowLongPtrW(foreign.hwnd(), GWLP_USERDATA, tarn_msg::kWindowMarker);
    std::vector<std::wstring> log;
    OfferedWnd child(&log, L"child");
    ASSERT_TRUE(child.Create(foreign.hwnd(), WS_CHILD | WS_VISIBLE, true));
    MSG msg = {child.GetSafeHwnd(), WM_KEYDOWN, VK_F5, 0};
    EXPECT_FALSE(CTarnMfcAppBase::OfferToMarkedWindows(&msg));
    EXPECT_EQ(log, std::vector<std::wstring>{L"child:256"});
    EXPECT_EQ(foreign.Count(), 0);
    child.DestroyWindow();
}

TEST(TarnMfcAppBase, IsTheExtendedApplicationWithSmartUpdate) {
    ScriptedTarnApp app;
    EXPECT_TRUE(app.IsKindOf("CWinAppEx"));
    EXPECT_STREQ(app.GetRuntimeClass()->m_lpszClassName, "CTarnMfcAppBase");
    EXPECT_TRUE(app.IsResourceSmartUpdate());
}

} // namespace
