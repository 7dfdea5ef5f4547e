#include "framework/Wnd.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/SpinButtonCtrl.h"
#include "tests/framework/TestWindows.h"
#include "tests/support/GuiTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

static_assert(!std::is_copy_constructible_v<CWnd>, "window objects must not be copied");
static_assert(!std::is_copy_assignable_v<CWnd>, "window objects must not be copied");

namespace {

using framework_test::CreateChild;
using framework_test::CreateTopLevel;
using framework_test::RecordingWnd;

// The creation messages reach the object, in order, for an own class and for
// system controls, and the controls keep working through their own procedure.
TEST(WndBinding, CreationMessagesReachTheObjectForOwnAndSystemClasses) {
    RecordingWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    EXPECT_TRUE(parent.boundAtNcCreate);
    EXPECT_EQ(parent.Count(WM_NCCREATE), 1);
    EXPECT_EQ(parent.Count(WM_CREATE), 1);

    const wchar_t* const classes[] = {framework_test::TestClassName(), L"BUTTON", L"EDIT", L"edit",
                                      L"STATIC"};
    UINT id = 100;
    for (const wchar_t* className : classes) {
        RecordingWnd child;
        ASSERT_TRUE(CreateChild(child, className, parent, ++id)) << className;
        ASSERT_FALSE(child.messages.empty()) << className;
        EXPECT_EQ(child.messages.front(), static_cast<UINT>(WM_NCCREATE)) << className;
        EXPECT_TRUE(child.boundAtNcCreate) << className;
        EXPECT_EQ(child.Count(WM_CREATE), 1) << className;
        EXPECT_EQ(CWnd::FromHandlePermanent(child.GetSafeHwnd()), &child) << className;

        // The original procedure does the control's work.
        ASSERT_TRUE(child.SetWindowText(L"\u8F6C\u6362 ABA"));
        EXPECT_EQ(child.GetWindowText(), L"\u8F6C\u6362 ABA") << className;
        EXPECT_EQ(child.GetDlgCtrlID(), static_cast<int>(id)) << className;
        EXPECT_EQ(child.GetParent(), parent.GetSafeHwnd()) << className;
    }
}

// Raised by WM_CREATE of a window that creates another object's window, and
// a plain platform window, while it is itself being created.
class NestingWnd : public RecordingWnd {
public:
    CEdit inner;
    HWND plain = nullptr;
    bool innerCreated = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CREATE) {
            const RECT rect = {0, 0, 50, 20};
            innerCreated = inner.Create(WS_CHILD | WS_VISIBLE, rect, this, 7) != FALSE;
            plain = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, GetSafeHwnd(),
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
        }
        return RecordingWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(WndBinding, NestedCreationBindsEachObjectToItsOwnWindowOnly) {
    NestingWnd outer;
    ASSERT_TRUE(CreateTopLevel(outer));
    EXPECT_TRUE(outer.innerCreated);
    EXPECT_EQ(CWnd::FromHandlePermanent(outer.GetSafeHwnd()), &outer);
    EXPECT_EQ(CWnd::FromHandlePermanent(outer.inner.GetSafeHwnd()), &outer.inner);
    EXPECT_EQ(outer.inner.GetParent(), outer.GetSafeHwnd());
    ASSERT_NE(outer.plain, nullptr);
    // A window made without the framework has no object, even when it is
    // made while a framework window is being created.
    EXPECT_EQ(CWnd::FromHandlePermanent(outer.plain), nullptr);
}

// Counts its destructions and records what PostNcDestroy saw, then deletes itself.
struct DestroyReport {
    int postNcDestroyCalls = 0;
    int destructions = 0;
    bool handleLeftMap = false;
    bool handleCleared = false;
    bool sawNcDestroy = false;
};

class SelfDeletingWnd : public CWnd {
public:
    explicit SelfDeletingWnd(DestroyReport* report) : m_report(report) {}
    ~SelfDeletingWnd() override { ++m_report->destructions; }

    HWND created = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NCCREATE) {
            created = GetSafeHwnd();
        }
        if (message == WM_NCDESTROY) {
            m_report->sawNcDestroy = FromHandlePermanent(GetSafeHwnd()) == this;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {
        ++m_report->postNcDestroyCalls;
        m_report->handleLeftMap = FromHandlePermanent(created) == nullptr;
        m_report->handleCleared = GetSafeHwnd() == nullptr;
        DeleteAfterDispatch();
    }

private:
    DestroyReport* m_report;
};

TEST(WndDestruction, PostNcDestroyRunsAfterTheHandleLeftTheMapAndMayDeleteTheObject) {
    DestroyReport report;
    auto* wnd = new SelfDeletingWnd(&report);
    ASSERT_TRUE(CreateTopLevel(*wnd));
    HWND hwnd = wnd->GetSafeHwnd();
    ASSERT_TRUE(wnd->DestroyWindow());
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(report.sawNcDestroy);
    EXPECT_EQ(report.postNcDestroyCalls, 1);
    EXPECT_TRUE(report.handleLeftMap);
    EXPECT_TRUE(report.handleCleared);
    EXPECT_EQ(report.destructions, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST(WndDestruction, DestroyingAChildWithItsParentFinishesEveryObject) {
    DestroyReport parentReport;
    DestroyReport childReport;
    auto* parent = new SelfDeletingWnd(&parentReport);
    ASSERT_TRUE(CreateTopLevel(*parent));
    auto* child = new SelfDeletingWnd(&childReport);
    ASSERT_TRUE(CreateChild(*child, L"BUTTON", *parent, 5));
    parent->DestroyWindow();
    EXPECT_EQ(parentReport.destructions, 1);
    EXPECT_EQ(childReport.destructions, 1);
    EXPECT_TRUE(childReport.handleLeftMap);
}

TEST(WndDestruction, DestroyingTheObjectDestroysItsWindow) {
    HWND hwnd = nullptr;
    HWND childHwnd = nullptr;
    {
        RecordingWnd wnd;
        ASSERT_TRUE(CreateTopLevel(wnd));
        CEdit child;
        ASSERT_TRUE(CreateChild(child, L"EDIT", wnd, 3));
        hwnd = wnd.GetSafeHwnd();
        childHwnd = child.GetSafeHwnd();
    }
    EXPECT_FALSE(IsWindow(childHwnd));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(childHwnd), nullptr);
}

TEST(WndBinding, UnsubclassLeavesTheWindowWorkingAndLetsAnotherObjectBindIt) {
    RecordingWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    RecordingWnd first;
    ASSERT_TRUE(CreateChild(first, L"EDIT", parent, 9));
    HWND hwnd = first.UnsubclassWindow();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(first.GetSafeHwnd(), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);

    const size_t seen = first.messages.size();
    SetWindowTextW(hwnd, L"abc");
    EXPECT_EQ(first.messages.size(), seen) << "an unbound object still got messages";
    wchar_t text[8] = {};
    GetWindowTextW(hwnd, text, 8);
    EXPECT_STREQ(text, L"abc");

    RecordingWnd second;
    ASSERT_TRUE(second.SubclassWindow(hwnd));
    EXPECT_FALSE(first.SubclassWindow(hwnd)) << "a window has one object at a time";
    second.SetWindowText(L"xyz");
    EXPECT_EQ(second.Count(WM_SETTEXT), 1);
    EXPECT_EQ(second.GetWindowText(), L"xyz");
    EXPECT_FALSE(second.SubclassWindow(parent.GetSafeHwnd())) << "the object is bound already";
}

class FailingCreateWnd : public CWnd {
public:
    int postNcDestroyCalls = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CREATE) {
            return -1;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { ++postNcDestroyCalls; }
};

TEST(WndBinding, FailedCreationLeavesTheObjectUnboundAndReusable) {
    FailingCreateWnd refused;
    EXPECT_FALSE(CreateTopLevel(refused));
    EXPECT_EQ(refused.GetSafeHwnd(), nullptr);
    EXPECT_EQ(refused.postNcDestroyCalls, 1);

    RecordingWnd unknownClass;
    EXPECT_FALSE(unknownClass.CreateEx(0, L"NoSuchClassHere", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                       nullptr));
    EXPECT_EQ(unknownClass.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(unknownClass.messages.empty());
    // The same object can then make a window, but only one at a time.
    ASSERT_TRUE(CreateTopLevel(unknownClass));
    HWND first = unknownClass.GetSafeHwnd();
    EXPECT_FALSE(CreateTopLevel(unknownClass));
    EXPECT_EQ(unknownClass.GetSafeHwnd(), first);
}

// Runtime class records: a layer's classes are told apart by name.
class ContainerWnd : public CWnd {
public:
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    static const CRuntimeClass runtimeClass;
};
constinit const CRuntimeClass ContainerWnd::runtimeClass{"CVWnd_Container", &CWnd::runtimeClass};

class FormWnd : public ContainerWnd {
public:
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    static const CRuntimeClass runtimeClass;
};
constinit const CRuntimeClass FormWnd::runtimeClass{"CVWnd_WinForm", &ContainerWnd::runtimeClass};

// Declares no record of its own: it answers as its base.
class PlainFormWnd : public FormWnd {};

TEST(RuntimeClass, KindTestsFollowTheBaseChainByRecordAndByName) {
    const CWnd wnd;
    const CButton button;
    const CEdit edit;
    const ContainerWnd container;
    const FormWnd form;
    const PlainFormWnd plainForm;
    struct Case {
        const CObject* object;
        const char* name;
        bool expected;
    };
    const Case cases[] = {
        {&wnd, "CWnd", true},
        {&wnd, "CObject", true},
        {&wnd, "CButton", false},
        {&button, "CButton", true},
        {&button, "CWnd", true},
        {&button, "CEdit", false},
        {&edit, "CEdit", true},
        {&container, "CVWnd_Container", true},
        {&container, "CVWnd_WinForm", false},
        {&form, "CVWnd_Container", true},
        {&form, "CVWnd_WinForm", true},
        {&form, "CVWnd_OcxControl", false},
        {&plainForm, "CVWnd_WinForm", true},
        {&form, "cvwnd_winform", false},
        {&form, "CVWnd_WinFor", false},
        {&form, "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.object->IsKindOf(c.name), c.expected)
            << c.object->GetRuntimeClass()->m_lpszClassName << " as " << c.name;
    }
    EXPECT_TRUE(form.IsKindOf(&ContainerWnd::runtimeClass));
    EXPECT_TRUE(plainForm.IsKindOf(&CWnd::runtimeClass));
    EXPECT_FALSE(container.IsKindOf(&FormWnd::runtimeClass));
    EXPECT_FALSE(button.IsKindOf(&CEdit::runtimeClass));
    EXPECT_FALSE(button.IsKindOf(static_cast<const CRuntimeClass*>(nullptr)));
    EXPECT_STREQ(plainForm.GetRuntimeClass()->m_lpszClassName, "CVWnd_WinForm");
}

// A button that handles its reflected click, or lets it go on to the parent.
class ReflectingButton : public CButton {
public:
    bool handleClicks = true;
    std::vector<WORD> reflectedCodes;

protected:
    std::optional<LRESULT> OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_COMMAND || reinterpret_cast<HWND>(lParam) != GetSafeHwnd()) {
            return std::nullopt;
        }
        reflectedCodes.push_back(HIWORD(wParam));
        return handleClicks ? std::optional<LRESULT>(0) : std::nullopt;
    }
};

// A parent that records which commands its base processing left unhandled.
class CommandParent : public RecordingWnd {
public:
    std::vector<WPARAM> unhandledCommands;

protected:
    std::optional<LRESULT> OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (const std::optional<LRESULT> answer = CWnd::OnCommand(wParam, lParam)) {
            return answer;
        }
        unhandledCommands.push_back(wParam);
        return std::nullopt;
    }
};

TEST(WndReflection, AClickArrivesAtTheButtonAndEndsThereWhenHandled) {
    CommandParent parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    ReflectingButton button;
    const RECT rect = {10, 10, 110, 40};
    ASSERT_TRUE(button.Create(L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, rect, &parent, 42));
    test_support::PumpMessagesUntilIdle(200);

    button.Click();
    ASSERT_EQ(button.reflectedCodes.size(), 1u);
    EXPECT_EQ(button.reflectedCodes[0], BN_CLICKED);
    EXPECT_TRUE(parent.unhandledCommands.empty());

    // Unhandled, the notification goes on to the parent's own processing.
    button.handleClicks = false;
    button.Click();
    ASSERT_EQ(button.reflectedCodes.size(), 2u);
    ASSERT_EQ(parent.unhandledCommands.size(), 1u);
    EXPECT_EQ(parent.unhandledCommands[0], MAKEWPARAM(42, BN_CLICKED));

    // Menu and accelerator commands have no control to reflect to.
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(42, 0), 0);
    EXPECT_EQ(button.reflectedCodes.size(), 2u);
    EXPECT_EQ(parent.unhandledCommands.size(), 2u);
}

// An edit that answers its reflected colour requests with its own brush.
class ColouredEdit : public CEdit {
public:
    HBRUSH brush = CreateSolidBrush(RGB(10, 200, 30));
    std::vector<UINT> colourRequests;
    ~ColouredEdit() override { DeleteObject(brush); }

protected:
    std::optional<LRESULT> OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC) {
            colourRequests.push_back(message);
            SetTextColor(reinterpret_cast<HDC>(wParam), RGB(200, 0, 0));
            return reinterpret_cast<LRESULT>(brush);
        }
        return CEdit::OnReflectedMessage(message, wParam, lParam);
    }
};

TEST(WndReflection, AColourRequestIsAnsweredWithTheEditsBrush) {
    RecordingWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    ColouredEdit edit;
    const RECT rect = {10, 10, 150, 40};
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, rect, &parent, 1));
    CEdit plain;
    const RECT plainRect = {10, 50, 150, 80};
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE, plainRect, &parent, 2));

    HDC dc = GetDC(edit.GetSafeHwnd());
    const auto answer = parent.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(edit.GetSafeHwnd()));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(answer), edit.brush);
    EXPECT_EQ(GetTextColor(dc), RGB(200, 0, 0));
    // A control that does not answer leaves the request to the parent's default.
    const auto plainAnswer = parent.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                reinterpret_cast<LPARAM>(plain.GetSafeHwnd()));
    EXPECT_NE(reinterpret_cast<HBRUSH>(plainAnswer), edit.brush);
    ReleaseDC(edit.GetSafeHwnd(), dc);

    // The platform's own requests take the same way when the edit paints.
    edit.colourRequests.clear();
    edit.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    EXPECT_GE(std::count(edit.colourRequests.begin(), edit.colourRequests.end(),
                         static_cast<UINT>(WM_CTLCOLOREDIT)),
              1);
    // A read-only edit asks with the static colour request.
    edit.SendMessage(EM_SETREADONLY, TRUE);
    edit.colourRequests.clear();
    edit.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    EXPECT_GE(std::count(edit.colourRequests.begin(), edit.colourRequests.end(),
                         static_cast<UINT>(WM_CTLCOLORSTATIC)),
              1);
}

// A window that answers every reflected colour request with its own brush.
class ColouredControl : public CWnd {
public:
    HBRUSH brush = CreateSolidBrush(RGB(40, 50, 60));
    std::vector<UINT> colourRequests;
    ~ColouredControl() override { DeleteObject(brush); }

protected:
    std::optional<LRESULT> OnReflectedMessage(UINT message, WPARAM, LPARAM) override {
        colourRequests.push_back(message);
        return reinterpret_cast<LRESULT>(brush);
    }
};

TEST(WndReflection, EveryControlColourRequestReachesTheControl) {
    RecordingWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    ColouredControl control;
    const RECT rect = {10, 10, 150, 100};
    ASSERT_TRUE(control.CreateEx(0, L"LISTBOX", nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL, rect,
                                 &parent, 1));
    HDC dc = GetDC(control.GetSafeHwnd());
    const UINT requests[] = {WM_CTLCOLORBTN, WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX,
                             WM_CTLCOLORSCROLLBAR, WM_CTLCOLORSTATIC};
    for (const UINT request : requests) {
        const auto answer = parent.SendMessage(request, reinterpret_cast<WPARAM>(dc),
                                               reinterpret_cast<LPARAM>(control.GetSafeHwnd()));
        EXPECT_EQ(reinterpret_cast<HBRUSH>(answer), control.brush) << "message " << request;
    }
    ReleaseDC(control.GetSafeHwnd(), dc);
    const std::vector<UINT> expected(std::begin(requests), std::end(requests));
    EXPECT_EQ(control.colourRequests, expected);

    // Requests about the dialog or message box themselves are no control's.
    control.colourRequests.clear();
    parent.SendMessage(WM_CTLCOLORDLG, 0, reinterpret_cast<LPARAM>(control.GetSafeHwnd()));
    EXPECT_TRUE(control.colourRequests.empty());

    // The list box's own request when it paints takes the same way.
    control.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    EXPECT_GE(std::count(control.colourRequests.begin(), control.colourRequests.end(),
                         static_cast<UINT>(WM_CTLCOLORLISTBOX)),
              1);
}

// An up-down control that decides on its own position changes.
class GuardedSpin : public CSpinButtonCtrl {
public:
    bool refuse = true;
    std::vector<int> deltas;

protected:
    std::optional<LRESULT> OnReflectedMessage(UINT message, WPARAM, LPARAM lParam) override {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (message != WM_NOTIFY || header->code != UDN_DELTAPOS) {
            return std::nullopt;
        }
        deltas.push_back(reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta);
        return refuse ? 1 : 0;
    }
};

TEST(WndReflection, ANotificationsAnswerComesFromTheControlObject) {
    RecordingWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    GuardedSpin spin;
    const RECT rect = {10, 10, 28, 40};
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS, rect, &parent, 4));
    spin.SetRange32(0, 10);
    spin.SetPos32(5);

    spin.SendMessage(WM_KEYDOWN, VK_UP, 0);
    ASSERT_EQ(spin.deltas.size(), 1u);
    EXPECT_EQ(spin.deltas[0], 1);
    EXPECT_EQ(spin.GetPos32(), 5) << "the refusal (answer 1) did not reach the control";

    spin.refuse = false;
    spin.SendMessage(WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(spin.GetPos32(), 6);
    spin.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    ASSERT_EQ(spin.deltas.size(), 3u);
    EXPECT_EQ(spin.deltas[2], -1);
    EXPECT_EQ(spin.GetPos32(), 5);
}

TEST(WndHelpers, StyleChangesReportWhetherAnythingChanged) {
    RecordingWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    EXPECT_TRUE(wnd.ModifyStyle(0, WS_CLIPCHILDREN, SWP_FRAMECHANGED));
    EXPECT_NE(wnd.GetStyle() & WS_CLIPCHILDREN, 0u);
    EXPECT_FALSE(wnd.ModifyStyle(0, WS_CLIPCHILDREN))
        << "adding a bit already there changes nothing";
    EXPECT_TRUE(wnd.ModifyStyle(WS_CLIPCHILDREN, 0));
    EXPECT_EQ(wnd.GetStyle() & WS_CLIPCHILDREN, 0u);
    EXPECT_TRUE(wnd.ModifyStyleEx(0, WS_EX_TOOLWINDOW, SWP_FRAMECHANGED));
    EXPECT_NE(wnd.GetExStyle() & WS_EX_TOOLWINDOW, 0u);
    EXPECT_FALSE(wnd.ModifyStyleEx(WS_EX_CONTEXTHELP, 0));
    // Position flags never move the window.
    RECT before = {};
    RECT after = {};
    wnd.GetWindowRect(&before);
    wnd.ModifyStyle(WS_THICKFRAME, 0, SWP_FRAMECHANGED);
    wnd.GetWindowRect(&after);
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
}

TEST(WndHelpers, AnObjectWithoutAWindowAnswersZeroAndDoesNothing) {
    CWnd wnd;
    RECT rect = {1, 2, 3, 4};
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
    EXPECT_EQ(wnd.GetStyle(), 0u);
    EXPECT_FALSE(wnd.ModifyStyle(0, WS_VISIBLE, SWP_FRAMECHANGED));
    EXPECT_FALSE(wnd.SetWindowText(L"x"));
    EXPECT_EQ(wnd.GetWindowText(), L"");
    EXPECT_EQ(wnd.GetParent(), nullptr);
    EXPECT_FALSE(wnd.ShowWindow(SW_SHOW));
    EXPECT_FALSE(wnd.IsWindowVisible());
    EXPECT_FALSE(wnd.EnableWindow(TRUE));
    EXPECT_EQ(wnd.SetFocus(), nullptr);
    EXPECT_FALSE(wnd.Invalidate());
    EXPECT_FALSE(wnd.GetClientRect(&rect));
    EXPECT_EQ(wnd.SendMessage(WM_GETTEXTLENGTH), 0);
    EXPECT_FALSE(wnd.PostMessage(WM_NULL));
    EXPECT_FALSE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.UnsubclassWindow(), nullptr);
    EXPECT_EQ(wnd.GetFont(), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(nullptr), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(GetDesktopWindow()), nullptr);
}

TEST(WndHelpers, TextFontEnableAndShowReachTheWindow) {
    RecordingWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    CEdit edit;
    ASSERT_TRUE(CreateChild(edit, L"EDIT", parent, 12));
    const std::wstring longText(600, L'\u6570');
    edit.SendMessage(EM_SETLIMITTEXT, 0);
    ASSERT_TRUE(edit.SetWindowText(longText.c_str()));
    EXPECT_EQ(edit.GetWindowText(), longText);

    auto* font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    edit.SetFont(font);
    EXPECT_EQ(edit.GetFont(), font);

    edit.EnableWindow(FALSE);
    EXPECT_FALSE(edit.IsWindowEnabled());
    edit.EnableWindow(TRUE);
    EXPECT_TRUE(edit.IsWindowEnabled());
    edit.ShowWindow(SW_HIDE);
    EXPECT_FALSE(edit.IsWindowVisible());
    EXPECT_EQ(edit.GetStyle() & WS_VISIBLE, 0u);
}

} // namespace
