#include "components/Menu.h"
#include "components/WinForm.h"
#include "native/PrivateMessages.h"
#include "native/RefTarnMenu.h"
#include "native/VWndWinForm.h"
#include "native/WindowProcFilters.h"
#include "tests/components_forms/FormTestSupport.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScriptedTarnApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using form_test::BindFormEvents;
using form_test::CreateTopLevel;
using form_test::KeyboardChildren;
using form_test::PostKeyDown;
using form_test::SetModifiers;
using form_test::TestForm;
using rg_tarn_MFCJieMian_base::ControlCreateInfo;
using rg_tarn_MFCJieMian_base::rg_CaiChanLei;
using test_support::EventRecorder;
using test_support::ScriptedTarnApp;

// A form with the keyboard children, run by the application's real loop.
struct KeyboardSession {
    ScriptedTarnApp app;
    TestForm form;
    EventRecorder log;
    KeyboardChildren children;

    KeyboardSession() {
        BindFormEvents(form, log);
        form.designWidth = 300;
        form.designHeight = 120;
        form.onCreated = [this](TestForm& self) { children.Create(*self.GetFormWindow()); };
        app.init = [this] {
            if (CreateTopLevel(form) != 1) {
                return FALSE;
            }
            SetForegroundWindow(form.Hwnd());
            return TRUE;
        };
    }
    void Then(std::function<void()> step) { app.steps.push_back(std::move(step)); }
    // Runs the steps and closes the form at the end.
    int Run() {
        Then([this] {
            SetModifiers(false, false);
            if (form.HasNativeWindow()) {
                form.GetFormWindow()->DestroyWindow();
            }
        });
        return app.RunScript();
    }
    HWND Focus(CWnd& child) {
        ::SetFocus(child.GetSafeHwnd());
        return child.GetSafeHwnd();
    }
    bool Consumed(UINT message, WPARAM wParam) const {
        for (const MSG& msg : app.consumed) {
            if (msg.message == message && msg.wParam == wParam) {
                return true;
            }
        }
        return false;
    }
};

struct EscapeCase {
    const char* name;
    uint64_t escapeCloses;
    bool shift;
    bool multiLine;
    bool expectClosed;
};

TEST(FormKeyboard, EscapeClosesThroughTheCloseSequence) {
    const std::vector<EscapeCase> cases = {
        {"escape closes", 1, false, false, true},
        {"shift and escape does not", 1, true, false, false},
        {"escape with EscapeCloses off", 0, false, false, false},
        {"escape in a multi-line edit goes to the edit", 1, false, true, false},
    };
    for (const EscapeCase& c : cases) {
        SCOPED_TRACE(c.name);
        KeyboardSession session;
        session.form.Window().EscapeCloses = c.escapeCloses;
        CEdit multiLine;
        session.Then([&] {
            HWND target = session.Focus(session.children.firstEdit);
            if (c.multiLine) {
                ASSERT_TRUE(multiLine.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_TABSTOP,
                                             RECT{10, 80, 150, 110}, session.form.GetFormWindow(),
                                             105));
                target = session.Focus(multiLine);
            }
            SetModifiers(c.shift, false);
            PostKeyDown(target, VK_ESCAPE);
        });
        bool closed = false;
        session.Then([&] {
            SetModifiers(false, false);
            closed = !session.form.HasNativeWindow();
        });
        EXPECT_EQ(session.Run(), 0);
        EXPECT_EQ(closed, c.expectClosed);
        EXPECT_EQ(session.log.Count("closing"), c.expectClosed ? 1 : 0);
        if (c.multiLine) {
            EXPECT_FALSE(session.Consumed(WM_KEYDOWN, VK_ESCAPE));
        }
    }
}

TEST(FormKeyboard, EscapeRefusedByTheClosingHandlerKeepsTheForm) {
    KeyboardSession session;
    session.log.answers["closing"] = 1;
    session.Then([&] { PostKeyDown(session.Focus(session.children.secondEdit), VK_ESCAPE); });
    bool open = false;
    session.Then([&] { open = session.form.HasNativeWindow(); });
    EXPECT_EQ(session.Run(), 0);
    EXPECT_TRUE(open);
    EXPECT_EQ(session.log.Count("closing"), 1);
    EXPECT_EQ(session.log.Count("query close"), 0);
}

TEST(FormKeyboard, EnterClicksOnlyTheDefaultPushButton) {
    const struct {
        const char* name;
        int32_t defaultId;
        int expectDefaultClicks;
        int expectOtherClicks;
        bool expectConsumed;
    } cases[] = {
        {"no default id: Enter is not translated", 0, 0, 0, false},
        {"a default push button is clicked", 104, 1, 0, true},
        {"a button without the default style is swallowed", 102, 0, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeyboardSession session;
        session.form.Window().DefaultButtonId = c.defaultId;
        session.Then([&] { PostKeyDown(session.Focus(session.children.firstEdit), VK_RETURN); });
        EXPECT_EQ(session.Run(), 0);
        EXPECT_EQ(session.children.defaultButton.clicks, c.expectDefaultClicks);
        EXPECT_EQ(session.children.firstButton.clicks, c.expectOtherClicks);
        EXPECT_EQ(session.Consumed(WM_KEYDOWN, VK_RETURN), c.expectConsumed);
        if (!c.expectConsumed) {
            EXPECT_EQ(session.children.firstEdit.keysDown, std::vector<WPARAM>{VK_RETURN})
                << "the key reaches the focused edit";
        }
    }
}

TEST(FormKeyboard, TabAndShiftTabVisitEveryTabStopAndWrap) {
    KeyboardSession session;
    KeyboardChildren& ch = session.children;
    // From the focus, the key, and where the focus goes.
    const struct {
        CWnd* from;
        bool shift;
        CWnd* to;
    } moves[] = {
        {&ch.firstEdit, false, &ch.firstButton},    {&ch.firstButton, false, &ch.secondEdit},
        {&ch.secondEdit, false, &ch.defaultButton}, {&ch.defaultButton, false, &ch.firstEdit},
        {&ch.firstEdit, true, &ch.defaultButton},   {&ch.defaultButton, true, &ch.secondEdit},
        {&ch.secondEdit, true, &ch.firstButton},    {&ch.firstButton, true, &ch.firstEdit},
    };
    std::vector<HWND> reached;
    std::vector<HWND> expected;
    for (const auto& move : moves) {
        session.Then([&session, move] {
            session.Focus(*move.from);
            SetModifiers(move.shift, false);
            PostKeyDown(move.from->GetSafeHwnd(), VK_TAB);
        });
        session.Then([&reached, &expected, move] {
            SetModifiers(false, false);
            reached.push_back(GetFocus());
            expected.push_back(move.to->GetSafeHwnd());
        });
    }
    EXPECT_EQ(session.Run(), 0);
    ASSERT_EQ(reached.size(), std::size(moves));
    for (size_t i = 0; i < reached.size(); ++i) {
        EXPECT_EQ(reached[i], expected[i]) << "move " << i;
    }
    EXPECT_TRUE(ch.firstEdit.keysDown.empty()) << "Tab was typed into an edit";
    EXPECT_TRUE(ch.secondEdit.keysDown.empty()) << "Tab was typed into an edit";
}

TEST(FormKeyboard, EditKeysAreLeftToTheEdit) {
    KeyboardSession session;
    session.Then([&] {
        session.children.firstEdit.SetWindowText(L"hello");
        session.Focus(session.children.firstEdit);
        session.children.firstEdit.SetSel(5, 5);
        SetModifiers(false, true);
        PostKeyDown(session.children.firstEdit.GetSafeHwnd(), 'A');
    });
    HWND button = nullptr;
    session.Then([&] {
        // The same keys on a button go to the form's navigation.
        button = session.Focus(session.children.firstButton);
        PostKeyDown(button, 'A');
    });
    EXPECT_EQ(session.Run(), 0);
    EXPECT_EQ(session.children.firstEdit.keysDown, std::vector<WPARAM>{'A'});
    int consumedA = 0;
    for (const MSG& msg : session.app.consumed) {
        if (msg.message == WM_KEYDOWN && msg.wParam == 'A') {
            ++consumedA;
            EXPECT_EQ(msg.hwnd, button);
        }
    }
    EXPECT_EQ(consumedA, 1);
}

TEST(FormKeyboard, MenuFormTranslatesItsAccelerators) {
    auto* shared = new CRefTarnMenu();
    HMENU handle = CreateMenu();
    AppendMenuW(handle, MF_STRING, 501, L"&Go");
    shared->SetMenuHandle(handle);
    ACCEL accel[] = {{FVIRTKEY | FCONTROL, 'M', 501}, {FVIRTKEY, VK_F5, 502}};
    shared->SetAcceleratorTable(CreateAcceleratorTableW(accel, 2));
    rg_CaiChanLei menu;
    menu.SetMenu(shared);
    shared->Release();

    KeyboardSession session;
    session.app.init = [&] {
        ControlCreateInfo info = form_test::TopLevelRecord();
        info.menu = &menu;
        if (session.form.CreateNative(info) != 1) {
            return FALSE;
        }
        SetForegroundWindow(session.form.Hwnd());
        return TRUE;
    };
    session.log.answers["menu 501"] = 1;
    session.Then([&] {
        SetModifiers(false, true);
        PostKeyDown(session.Focus(session.children.firstEdit), 'M');
    });
    session.Then([&] {
        SetModifiers(false, false);
        PostKeyDown(session.Focus(session.children.firstButton), VK_F5);
    });
    session.Then([&] { PostKeyDown(session.children.firstButton.GetSafeHwnd(), 'M'); });
    EXPECT_EQ(session.Run(), 0);
    EXPECT_EQ(session.log.Count("menu 501"), 1);
    EXPECT_EQ(session.log.Count("menu 502"), 1);
    EXPECT_TRUE(session.children.firstEdit.keysDown.empty()) << "Ctrl+M reached the edit";
    EXPECT_TRUE(IsMenu(handle));
}

// Records (and swallows) the caption drag a form posts to itself.
class DragRecorder : public ITarnWindowProcFilter {
public:
    std::vector<LPARAM> points;
    int32_t FilterMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT* result) override {
        if (message == WM_NCLBUTTONDOWN && wParam == HTCAPTION) {
            points.push_back(lParam);
            *result = 0;
            return 1;
        }
        return 0;
    }
};

TEST(FormKeyboard, DragByClientStartsACaptionDragFromTheClientArea) {
    KeyboardSession session;
    session.form.Window().DragByClient = 1;
    DragRecorder recorder;
    HWND formHwnd = nullptr;
    session.Then([&] {
        formHwnd = session.form.Hwnd();
        tarn_msg::SendTrustedMessage(session.form.Hwnd(), tarn_msg::kAddFilter,
                                     reinterpret_cast<WPARAM>(&recorder));
        // A queued click on the client area.
        PostMessageW(session.form.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    });
    session.Then([&] {
        // A click on an edit is the edit's.
        PostMessageW(session.children.firstEdit.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(5, 5));
    });
    EXPECT_EQ(session.Run(), 0);
    ASSERT_EQ(recorder.points.size(), 1u);
    std::vector<MSG> clicks;
    for (const MSG& msg : session.app.consumed) {
        if (msg.message == WM_LBUTTONDOWN && msg.hwnd == formHwnd) {
            clicks.push_back(msg);
        }
    }
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(recorder.points[0], MAKELPARAM(clicks[0].pt.x, clicks[0].pt.y))
        << "the drag starts at the click's screen point";
}

TEST(FormKeyboard, FilterMessageMaySwallowInputAndF1WithoutHelpFileGoesOn) {
    KeyboardSession session;
    session.form.filter = [](const MSG& msg) {
        return msg.message == WM_KEYDOWN && msg.wParam == 'Q' ? 0 : 1;
    };
    session.form.Window().HelpFile = CWString(u"no such help file.hlp");
    session.Then([&] {
        HWND edit = session.Focus(session.children.firstEdit);
        PostKeyDown(edit, 'Q');
        PostKeyDown(edit, VK_F1);
    });
    EXPECT_EQ(session.Run(), 0);
    EXPECT_EQ(session.children.firstEdit.keysDown, std::vector<WPARAM>{VK_F1});
    EXPECT_TRUE(session.Consumed(WM_KEYDOWN, 'Q'));
    EXPECT_FALSE(session.form.Window().IsHelpOpened());
}

// A container that says which page it shows, and children on pages.
class PagedWnd : public CWnd {
public:
    int32_t page = -1;    // -1: answers no page
    int32_t ownFlag = -1; // -1: does not answer
    bool currentPageAnswer = false;
    int32_t currentPage = 0;
    int currentPageAsks = 0; // trusted or not

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        currentPageAsks += message == tarn_msg::kReadCurrentPage ? 1 : 0;
        if (tarn_msg::IsMarker(lParam) && wParam != 0 &&
            tarn_msg::IsTrustedMessage(GetSafeHwnd(), message, wParam, lParam)) {
            auto* out = reinterpret_cast<int32_t*>(wParam);
            if (message == tarn_msg::kReadCurrentPage && currentPageAnswer) {
                *out = currentPage;
                return tarn_msg::kWindowMarker;
            }
            if (message == tarn_msg::kReadPage && page >= 0) {
                *out = page;
                return tarn_msg::kWindowMarker;
            }
            if (message == tarn_msg::kReadPageFlag && ownFlag >= 0) {
                *out = ownFlag;
                return tarn_msg::kWindowMarker;
            }
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(FormKeyboard, PageSwitchingShowsTheChildrenOfTheCurrentPage) {
    TestForm form;
    ASSERT_EQ(CreateTopLevel(form), 1);
    PagedWnd container;
    container.currentPageAnswer = true;
    ASSERT_TRUE(container.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100,
                                   form.Hwnd(), nullptr));
    struct Child {
        int32_t page;
        int32_t ownFlag;
        bool visibleOnPage0;
        bool visibleOnPage1;
    };
    const Child plan[] = {
        {0, 1, true, false},  {1, 1, false, true},  {1, 0, false, false},
        {0, -1, true, false}, {-1, -1, true, true}, // on no page: never touched
    };
    std::vector<std::unique_ptr<PagedWnd>> children;
    for (const Child& c : plan) {
        auto child = std::make_unique<PagedWnd>();
        child->page = c.page;
        child->ownFlag = c.ownFlag;
        ASSERT_TRUE(child->CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20,
                                    container.GetSafeHwnd(), nullptr));
        children.push_back(std::move(child));
    }
    for (int32_t page : {0, 1}) {
        container.currentPage = page;
        EXPECT_EQ(SendMessageW(form.Hwnd(), tarn_msg::kShowPage,
                               reinterpret_cast<WPARAM>(container.GetSafeHwnd()),
                               tarn_msg::kWindowMarker),
                  tarn_msg::kWindowMarker);
        for (size_t i = 0; i < children.size(); ++i) {
            const bool expect = page == 0 ? plan[i].visibleOnPage0 : plan[i].visibleOnPage1;
            EXPECT_EQ(children[i]->IsWindowVisible() != FALSE, expect)
                << "page " << page << " child " << i;
        }
    }
    // A container that does not say its page changes nothing.
    container.currentPageAnswer = false;
    children[2]->ShowWindow(SW_SHOW);
    EXPECT_EQ(SendMessageW(form.Hwnd(), tarn_msg::kShowPage,
                           reinterpret_cast<WPARAM>(container.GetSafeHwnd()),
                           tarn_msg::kWindowMarker),
              tarn_msg::kWindowMarker);
    EXPECT_TRUE(children[2]->IsWindowVisible());
    form.GetFormWindow()->DestroyWindow();
}

// Any program may name any window in a page switch: only a container inside
// the form, on this thread, is asked for its page. Another form's container
// keeps its children as they are, and a window of another thread, which
// might never answer, is never asked.
TEST(FormKeyboard, PageSwitchingAsksOnlyContainersInsideTheFormOnItsThread) {
    TestForm form;
    TestForm other;
    ASSERT_EQ(CreateTopLevel(form), 1);
    ASSERT_EQ(CreateTopLevel(other), 1);
    PagedWnd outside;
    outside.currentPageAnswer = true;
    outside.currentPage = 1;
    ASSERT_TRUE(outside.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100,
                                 other.Hwnd(), nullptr));
    PagedWnd onPage0;
    onPage0.page = 0;
    ASSERT_TRUE(onPage0.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20,
                                 outside.GetSafeHwnd(), nullptr));

    test_support::OtherThreadWindow foreign(tarn_msg::kReadCurrentPage);
    for (const HWND named : {outside.GetSafeHwnd(), foreign.hwnd(), form.Hwnd(), other.Hwnd()}) {
        EXPECT_EQ(SendMessageW(form.Hwnd(), tarn_msg::kShowPage, reinterpret_cast<WPARAM>(named),
                               tarn_msg::kWindowMarker),
                  tarn_msg::kWindowMarker);
        PostMessageW(form.Hwnd(), tarn_msg::kShowPage, reinterpret_cast<WPARAM>(named),
                     tarn_msg::kWindowMarker);
    }
    test_support::PumpMessagesUntilIdle();
    EXPECT_EQ(outside.currentPageAsks, 0);
    EXPECT_TRUE(onPage0.IsWindowVisible()) << "another form's page is not switched";
    EXPECT_EQ(foreign.Count(), 0);
    form.GetFormWindow()->DestroyWindow();
    other.GetFormWindow()->DestroyWindow();
}

} // namespace
