#include "native/HintToolTip.h"

#include "tests/native/ContainerTestWindows.h"
#include "tests/support/GuiTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using container_test::CreatePlainChild;

// A window with a hint tool tip and two child controls.
class HintFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_parent.CreateEx(0, container_test::PlainClassName(), L"hints",
                                      WS_POPUP | WS_VISIBLE, 50, 50, 200, 100, nullptr, nullptr));
        m_first = CreatePlainChild(m_parent.GetSafeHwnd(), L"BUTTON", WS_VISIBLE, 1);
        m_second = CreatePlainChild(m_parent.GetSafeHwnd(), L"EDIT", WS_VISIBLE, 2);
        ASSERT_NE(m_second, nullptr);
        m_tip = CreateHintToolTip(m_parent, true);
        ASSERT_NE(m_tip, nullptr);
    }

    // The text the tool tip holds for a control's tool; empty without one.
    std::wstring ToolText(HWND control) const {
        wchar_t text[INFOTIPSIZE] = {};
        TOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = m_parent.GetSafeHwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = text;
        if (!m_tip->SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) {
            return {};
        }
        tool.lpszText = text;
        m_tip->SendMessage(TTM_GETTEXTW, INFOTIPSIZE, reinterpret_cast<LPARAM>(&tool));
        return text;
    }

    CWnd m_parent;
    HWND m_first = nullptr;
    HWND m_second = nullptr;
    std::unique_ptr<CToolTipCtrl> m_tip;
};

TEST_F(HintFixture, TheToolTipIsAPlainPopUpOwnedByItsWindow) {
    EXPECT_EQ(GetWindow(m_tip->GetSafeHwnd(), GW_OWNER), m_parent.GetSafeHwnd());
    EXPECT_EQ(m_tip->GetStyle() & (TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON), 0u);
    EXPECT_EQ(m_tip->GetToolCount(), 0);
    CWnd windowless;
    EXPECT_EQ(CreateHintToolTip(windowless, true), nullptr);
}

TEST_F(HintFixture, EachControlIsOneToolWhoseTextIsReplacedOrRemoved) {
    struct Step {
        bool first; // the first control, else the second
        const wchar_t* text;
        bool hasTool;
        int count;
        const wchar_t* firstText;
        const wchar_t* secondText;
    };
    const Step steps[] = {
        {true, L"first", true, 1, L"first", L""},
        {false, L"\u7B2C\u4E8C", true, 2, L"first", L"\u7B2C\u4E8C"},
        {true, L"changed", true, 2, L"changed", L"\u7B2C\u4E8C"},
        {true, L"changed", true, 2, L"changed", L"\u7B2C\u4E8C"},
        {true, L"", false, 1, L"", L"\u7B2C\u4E8C"},
        {true, L"", false, 1, L"", L"\u7B2C\u4E8C"},
        {false, nullptr, false, 0, L"", L""},
        {false, L"back", true, 1, L"", L"back"},
    };
    int index = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(index++);
        EXPECT_EQ(SetHintTool(*m_tip, step.first ? m_first : m_second, step.text), step.hasTool);
        EXPECT_EQ(m_tip->GetToolCount(), step.count);
        EXPECT_EQ(ToolText(m_first), step.firstText);
        EXPECT_EQ(ToolText(m_second), step.secondText);
    }
    EXPECT_FALSE(SetHintTool(*m_tip, nullptr, L"nobody"));
    CToolTipCtrl windowless;
    EXPECT_FALSE(SetHintTool(windowless, m_first, L"no tool tip"));
}

// Records the relay requests that reach a tool tip window, then hands every
// message on to the tool tip's own procedure.
struct RelayRecorder {
    static inline std::vector<MSG> relayed;
    static inline WNDPROC next = nullptr;

    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == TTM_RELAYEVENT && lParam != 0) {
            relayed.push_back(*reinterpret_cast<const MSG*>(lParam));
        }
        return CallWindowProcW(next, hwnd, message, wParam, lParam);
    }
};

TEST_F(HintFixture, MouseMessagesButNoDoubleClicksAreRelayedUnchanged) {
    HWND tipWindow = m_tip->GetSafeHwnd();
    RelayRecorder::relayed.clear();
    RelayRecorder::next = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        tipWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RelayRecorder::Proc)));

    MSG move = {m_first, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 6), 0, {60, 60}};
    EXPECT_FALSE(RelayToToolTip(m_tip.get(), move)) << "a tool tip without tools";
    SetHintTool(*m_tip, m_first, L"hint");

    struct Case {
        UINT message;
        bool relayed;
    };
    const Case cases[] = {
        {WM_MOUSEMOVE, true},      {WM_LBUTTONDOWN, true}, {WM_LBUTTONUP, true},
        {WM_LBUTTONDBLCLK, false}, {WM_RBUTTONDOWN, true}, {WM_RBUTTONUP, true},
        {WM_RBUTTONDBLCLK, false}, {WM_MBUTTONDOWN, true}, {WM_MBUTTONUP, true},
        {WM_MBUTTONDBLCLK, false}, {WM_MOUSEWHEEL, false}, {WM_NCMOUSEMOVE, false},
        {WM_KEYDOWN, false},       {WM_SETCURSOR, false},  {WM_MOUSEHOVER, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        RelayRecorder::relayed.clear();
        MSG msg = {m_first, c.message, MK_LBUTTON, MAKELPARAM(5, 6), 1234, {60, 60}};
        const MSG before = msg;
        EXPECT_EQ(IsRelayedToToolTip(c.message), c.relayed);
        EXPECT_EQ(RelayToToolTip(m_tip.get(), msg), c.relayed);
        ASSERT_EQ(RelayRecorder::relayed.size(), c.relayed ? 1u : 0u);
        if (c.relayed) {
            EXPECT_EQ(RelayRecorder::relayed[0].hwnd, m_first);
            EXPECT_EQ(RelayRecorder::relayed[0].message, c.message);
            EXPECT_EQ(RelayRecorder::relayed[0].lParam, before.lParam);
        }
        EXPECT_EQ(memcmp(&msg, &before, sizeof(MSG)), 0) << "the control's message changed";
    }
    EXPECT_FALSE(RelayToToolTip(nullptr, move));
    SetWindowLongPtrW(tipWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RelayRecorder::next));
}

} // namespace
