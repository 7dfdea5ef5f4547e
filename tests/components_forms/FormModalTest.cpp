#include "components/Menu.h"
#include "components/WinForm.h"
#include "framework/WinApp.h"
#include "native/PrivateMessages.h"
#include "native/RefTarnMenu.h"
#include "native/TarnEnvelopeDialog.h"
#include "native/VWndWinForm.h"
#include "tests/components_forms/FormTestSupport.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScreenPixels.h"
#include "tests/support/ScriptedTarnApp.h"
#include "tests/support/WindowQueries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using form_test::BindFormEvents;
using form_test::ChangeLimits;
using form_test::KeyboardChildren;
using form_test::PostKeyDown;
using form_test::SetModifiers;
using form_test::TestForm;
using form_test::TopLevelRecord;
using rg_tarn_MFCJieMian_base::ControlCreateInfo;
using rg_tarn_MFCJieMian_base::rg_CaiChanLei;
using test_support::EventRecorder;
using test_support::ScriptedTarnApp;

// A modal form run from the first step of the application's loop; the
// steps after it run inside the modal run.
struct ModalSession {
    ScriptedTarnApp app;
    TestForm form;
    EventRecorder log;
    KeyboardChildren children;
    ControlCreateInfo info = TopLevelRecord();
    int32_t created = -1;
    HWND envelope = nullptr;
    std::vector<std::function<void()>> during;

    ModalSession() {
        BindFormEvents(form, log);
        form.designWidth = 300;
        form.designHeight = 120;
        form.onCreated = [this](TestForm& self) { children.Create(*self.GetFormWindow()); };
        info.modal = 1;
    }
    void During(std::function<void()> step) { during.push_back(std::move(step)); }
    // Set: the run starts inside the handling of a message that another
    // thread sent, as when another program drives the tool.
    bool insideAnotherThreadsMessage = false;
    // Runs the form modally with the steps given to During inside the run;
    // a last step ends a run that is still going (command 3 with 99).
    int Run() {
        app.steps.push_back([this] {
            for (auto& step : during) {
                app.steps.push_back(step);
            }
            app.steps.push_back([this] {
                SetModifiers(false, false);
                if (form.GetFormWindow()->GetEnvelope() != nullptr) {
                    PostMessageW(form.GetFormWindow()->GetEnvelope(), tarn_msg::kEnvelopeCommand, 3,
                                 99);
                }
            });
            if (insideAnotherThreadsMessage) {
                StartFromAnotherThread();
            } else {
                created = form.CreateNative(info);
            }
        });
        return app.RunScript();
    }
    // A window of this thread whose WM_APP, which another thread sends, runs the form.
    class Starter : public CWnd {
    public:
        std::function<void()> start;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_APP) {
                start();
                return 1;
            }
            return CWnd::WindowProc(message, wParam, lParam);
        }
    };
    Starter starter;

    void StartFromAnotherThread() {
        starter.start = [this] { created = form.CreateNative(info); };
        starter.CreateEx(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr);
        const HWND hwnd = starter.GetSafeHwnd();
        // The send is taken in here, and the whole run happens inside it.
        test_support::AnswerSendsDuring([hwnd] { SendMessageW(hwnd, WM_APP, 0, 0); });
    }

    // The envelope's window, noted in a step during the run.
    void NoteEnvelope() {
        During([this] { envelope = form.GetFormWindow()->GetEnvelope(); });
    }
};

struct EndCase {
    const char* name;
    std::function<void(ModalSession&)> end;
    int32_t closingAnswer;
    int32_t expectResult;
};

TEST(FormModal, EndCodes) {
    const std::vector<EndCase> cases = {
        {"Escape ends with -1",
         [](ModalSession& s) { PostKeyDown(s.children.firstEdit.GetSafeHwnd(), VK_ESCAPE); }, 0,
         -1},
        {"Escape refused by the closing handler",
         [](ModalSession& s) { PostKeyDown(s.children.firstEdit.GetSafeHwnd(), VK_ESCAPE); }, 1,
         99},
        {"the close box ends with -1",
         [](ModalSession& s) { PostMessageW(s.envelope, WM_CLOSE, 0, 0); }, 0, -1},
        {"an end code from the form",
         [](ModalSession& s) { PostMessageW(s.envelope, tarn_msg::kEnvelopeCommand, 3, 7); }, 0, 7},
        {"the form window destroyed",
         [](ModalSession& s) { s.form.GetFormWindow()->DestroyWindow(); }, 0, -1},
        {"shift and Escape does not end it",
         [](ModalSession& s) {
             SetModifiers(true, false);
             PostKeyDown(s.children.firstEdit.GetSafeHwnd(), VK_ESCAPE);
         },
         0, 99},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.name);
        ModalSession session;
        session.log.answers["closing"] = c.closingAnswer;
        session.NoteEnvelope();
        session.During([&] {
            ::SetFocus(session.children.firstEdit.GetSafeHwnd());
            c.end(session);
        });
        EXPECT_EQ(session.Run(), 0);
        EXPECT_EQ(session.created, 1);
        EXPECT_EQ(session.info.modalResult, c.expectResult);
        EXPECT_FALSE(session.form.HasNativeWindow()) << "the window outlived the run";
        EXPECT_FALSE(IsWindow(session.envelope));
        EXPECT_EQ(session.log.Count("query close"), 0);
    }
}

TEST(FormModal, TheEnvelopeFramesTheFormAndIsTheMainWindowDuringTheRun) {
    ModalSession session;
    session.form.SetControlText(CWString(u"Modal"));
    session.form.Window().DefaultButtonId = 104;
    session.NoteEnvelope();
    HWND mainDuring = nullptr;
    RECT formClient = {};
    DWORD formStyle = 0;
    LONG_PTR formUserData = -1;
    std::wstring envelopeText;
    bool envelopeVisible = false;
    session.During([&] {
        mainDuring = AfxGetMainWnd() != nullptr ? AfxGetMainWnd()->GetSafeHwnd() : nullptr;
        GetClientRect(session.form.Hwnd(), &formClient);
        formStyle = static_cast<DWORD>(GetWindowLongPtrW(session.form.Hwnd(), GWL_STYLE));
        formUserData = GetWindowLongPtrW(session.form.Hwnd(), GWLP_USERDATA);
        envelopeText = test_support::WindowText(session.envelope);
        envelopeVisible = IsWindowVisible(session.envelope) != FALSE;
        EXPECT_EQ(GetParent(session.form.Hwnd()), session.envelope);
        EXPECT_EQ(GetDlgCtrlID(session.form.Hwnd()), 0xFFFF);
        EXPECT_EQ(SendMessageW(session.form.Hwnd(), DM_GETDEFID, 0, 0), 0x534B0000 | 104);
        // A text set on the form goes to the envelope.
        SetWindowTextW(session.form.Hwnd(), L"Renamed");
    });
    std::wstring renamed;
    session.During([&] {
        renamed = test_support::WindowText(session.envelope);
        // Enter clicks the default button inside the modal form too.
        ::SetFocus(session.children.firstEdit.GetSafeHwnd());
        PostKeyDown(session.children.firstEdit.GetSafeHwnd(), VK_RETURN);
    });
    EXPECT_EQ(session.Run(), 0);
    ASSERT_NE(session.envelope, nullptr);
    EXPECT_EQ(mainDuring, session.envelope);
    EXPECT_EQ(AfxGetMainWnd(), nullptr) << "the envelope stayed the main window";
    EXPECT_EQ(formClient.right, 300);
    EXPECT_EQ(formClient.bottom, 120);
    EXPECT_EQ(formStyle & (WS_CHILD | WS_VISIBLE), static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(formUserData, 0) << "an enveloped form carries no marker";
    EXPECT_EQ(envelopeText, L"Modal");
    EXPECT_TRUE(envelopeVisible);
    EXPECT_EQ(renamed, L"Renamed");
    EXPECT_EQ(session.children.defaultButton.clicks, 1);
    EXPECT_EQ(session.log.Count("modal shown"), 1);
    EXPECT_EQ(session.info.modalResult, 99);
}

// A modal run started inside the handling of another program's message
// still hands its caption to its envelope (a send the form trusts) and takes
// Enter on its default button.
TEST(FormModal, ARunInsideAnotherThreadsMessageStillTakesItsCaptionAndEnter) {
    ModalSession session;
    session.insideAnotherThreadsMessage = true;
    session.form.Window().DefaultButtonId = 104;
    session.NoteEnvelope();
    session.During([&] { SetWindowTextW(session.form.Hwnd(), L"Renamed"); });
    std::wstring renamed;
    session.During([&] {
        renamed = test_support::WindowText(session.envelope);
        ::SetFocus(session.children.firstEdit.GetSafeHwnd());
        PostKeyDown(session.children.firstEdit.GetSafeHwnd(), VK_RETURN);
    });
    EXPECT_EQ(session.Run(), 0);
    EXPECT_EQ(session.created, 1);
    EXPECT_EQ(renamed, L"Renamed");
    EXPECT_EQ(session.children.defaultButton.clicks, 1);
    EXPECT_EQ(session.info.modalResult, 99);
    session.starter.DestroyWindow();
}

TEST(FormModal, TheEnvelopeAnswersTheMarkerProtocolWithoutState) {
    ModalSession session;
    session.NoteEnvelope();
    std::vector<LRESULT> answers;
    int32_t page = 5;
    int32_t flag = 5;
    session.During([&] {
        const HWND env = session.envelope;
        answers.push_back(SendMessageW(env, tarn_msg::kSetPage, 3, tarn_msg::kWindowMarker));
        answers.push_back(SendMessageW(env, tarn_msg::kSetPageFlag, 1, tarn_msg::kWindowMarker));
        answers.push_back(tarn_msg::SendTrustedMessage(env, tarn_msg::kReadPage,
                                                       reinterpret_cast<WPARAM>(&page)));
        answers.push_back(tarn_msg::SendTrustedMessage(env, tarn_msg::kReadPageFlag,
                                                       reinterpret_cast<WPARAM>(&flag)));
        // A pointer from a sender that cannot vouch for it is not followed.
        int32_t untouched = 5;
        answers.push_back(SendMessageW(env, tarn_msg::kReadPage,
                                       reinterpret_cast<WPARAM>(&untouched),
                                       tarn_msg::kWindowMarker));
        EXPECT_EQ(untouched, 5);
    });
    EXPECT_EQ(session.Run(), 0);
    const std::vector<LRESULT> expected = {tarn_msg::kWindowMarker, tarn_msg::kWindowMarker,
                                           tarn_msg::kWindowMarker, tarn_msg::kWindowMarker, 0};
    EXPECT_EQ(answers, expected);
    EXPECT_EQ(page, -1);
    EXPECT_EQ(flag, 0);
}

TEST(FormModal, AFormThatHidesItselfStaysHiddenAndFocusComesBack) {
    ModalSession session;
    CEdit outside;
    session.app.init = [&] {
        return outside.CreateEx(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 30, nullptr,
                                nullptr)
                   ? TRUE
                   : FALSE;
    };
    session.log.actions["modal shown"] = [&] { session.form.GetFormWindow()->ShowWindow(SW_HIDE); };
    session.app.steps.push_back([&] { ::SetFocus(outside.GetSafeHwnd()); });
    session.NoteEnvelope();
    bool visible = true;
    session.During([&] { visible = IsWindowVisible(session.envelope) != FALSE; });
    HWND focusAfter = nullptr;
    EXPECT_EQ(session.Run(), 0);
    focusAfter = GetFocus();
    EXPECT_FALSE(visible);
    EXPECT_EQ(session.info.modalResult, 99);
    EXPECT_EQ(focusAfter, outside.GetSafeHwnd());
    outside.DestroyWindow();
}

// The envelope shows the form's menu and the form keeps it (with its
// accelerators) for the run; the menu outlives the envelope.
TEST(FormModal, TheEnvelopeShowsTheMenuAndGivesItBack) {
    auto* shared = new CRefTarnMenu();
    HMENU handle = CreateMenu();
    AppendMenuW(handle, MF_STRING, 601, L"&Run");
    shared->SetMenuHandle(handle);
    ACCEL accel = {FVIRTKEY, VK_F6, 601};
    shared->SetAcceleratorTable(CreateAcceleratorTableW(&accel, 1));
    rg_CaiChanLei menu;
    menu.SetMenu(shared);
    shared->Release();

    ModalSession session;
    session.info.menu = &menu;
    session.NoteEnvelope();
    HMENU shown = nullptr;
    session.During([&] {
        shown = GetMenu(session.envelope);
        PostKeyDown(session.children.firstEdit.GetSafeHwnd(), VK_F6);
    });
    EXPECT_EQ(session.Run(), 0);
    EXPECT_EQ(shown, handle);
    EXPECT_EQ(session.log.Count("menu 601"), 1);
    EXPECT_TRUE(IsMenu(handle)) << "the menu went with the envelope";
    EXPECT_EQ(session.form.GetFormWindow()->GetMenu(), shared);
}

TEST(FormModal, FixedDialogFrameForcesTheFrameProperties) {
    ModalSession session;
    session.info.fixedDialogFrame = 1;
    session.form.Window().BorderStyle = 1;
    session.form.Window().MaxButton = 1;
    session.NoteEnvelope();
    DWORD style = 0;
    session.During(
        [&] { style = static_cast<DWORD>(GetWindowLongPtrW(session.envelope, GWL_STYLE)); });
    EXPECT_EQ(session.Run(), 0);
    EXPECT_EQ(session.form.Window().BorderStyle, 2);
    EXPECT_EQ(session.form.Window().MaxButton, 0u);
    EXPECT_EQ(session.form.Window().MinButton, 0u);
    EXPECT_EQ(style & WS_THICKFRAME, 0u);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), static_cast<DWORD>(WS_CAPTION | WS_SYSMENU));
}

// What the window carrying a form's frame answers to the frame messages.
struct FrameAnswers {
    std::vector<std::string> events;
    // The smallest tracking size the limits handler was handed, and the one
    // the window answered after the handler raised it.
    POINT limitsSeen = {};
    POINT minTrack = {};
    // Per AlwaysActiveCaption 0 and 1: the title bar still looks active
    // after a non-client deactivation.
    bool captionKeptActive[2] = {};
};

COLORREF TitleBarMiddle(HWND frame) {
    TITLEBARINFO bar = {};
    bar.cbSize = sizeof(bar);
    RECT window = {};
    if (!GetTitleBarInfo(frame, &bar) || !GetWindowRect(frame, &window)) {
        return CLR_INVALID;
    }
    return test_support::WindowPixel(frame,
                                     (bar.rcTitleBar.left + bar.rcTitleBar.right) / 2 - window.left,
                                     (bar.rcTitleBar.top + bar.rcTitleBar.bottom) / 2 - window.top);
}

FrameAnswers AskFrame(HWND frame, TestForm& form, EventRecorder& log) {
    FrameAnswers answers;
    log.log.clear();
    SendMessageW(frame, WM_MENUSELECT, MAKEWPARAM(501, MF_STRING), 1);
    SendMessageW(frame, WM_MENUSELECT, MAKEWPARAM(3, MF_POPUP), 1);
    ChangeLimits(log, [&](rg_tarn_MFCJieMian_base::rg_ChuangKouWeiZhiXianZhiXinXi& limits) {
        answers.limitsSeen = {limits.MinTrackSize.width, limits.MinTrackSize.height};
        limits.MinTrackSize = {400, 300};
    });
    log.answers["limits"] = 1;
    MINMAXINFO info = {};
    info.ptMinTrackSize = {50, 50};
    info.ptMaxTrackSize = {2000, 1500};
    SendMessageW(frame, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    answers.minTrack = info.ptMinTrackSize;
    answers.events = log.Names();
    for (uint64_t always : {0u, 1u}) {
        form.Window().AlwaysActiveCaption = always;
        SendMessageW(frame, WM_NCACTIVATE, TRUE, 0);
        const COLORREF active = TitleBarMiddle(frame);
        SendMessageW(frame, WM_NCACTIVATE, FALSE, 0);
        answers.captionKeptActive[always] =
            active != CLR_INVALID && TitleBarMiddle(frame) == active;
        SendMessageW(frame, WM_NCACTIVATE, TRUE, 0);
    }
    form.Window().AlwaysActiveCaption = 0;
    ChangeLimits(log, nullptr);
    return answers;
}

// The form answers the frame messages for whichever window carries its
// frame: its own as a top-level form, the envelope's in a modal run, where
// the form's own window is a child whose size limits stay the platform's.
TEST(FormFrame, TheFrameAnswersAlikeForATopLevelFormAndAnEnvelope) {
    FrameAnswers topLevel;
    {
        TestForm form;
        EventRecorder log;
        BindFormEvents(form, log);
        form.designWidth = 400;
        form.designHeight = 120;
        ASSERT_EQ(form_test::CreateTopLevel(form), 1);
        test_support::PumpMessagesUntilIdle();
        topLevel = AskFrame(form.Hwnd(), form, log);
        form.GetFormWindow()->DestroyWindow();
    }
    ModalSession session;
    session.form.designWidth = 400;
    session.NoteEnvelope();
    FrameAnswers enveloped;
    MINMAXINFO childInfo = {};
    std::vector<std::string> childEvents;
    session.During([&] {
        enveloped = AskFrame(session.envelope, session.form, session.log);
        session.log.log.clear();
        childInfo.ptMinTrackSize = {50, 50};
        SendMessageW(session.form.Hwnd(), WM_GETMINMAXINFO, 0,
                     reinterpret_cast<LPARAM>(&childInfo));
        childEvents = session.log.Names();
    });
    EXPECT_EQ(session.Run(), 0);

    const std::vector<std::string> expectedEvents = {"select 501", "select 0", "limits"};
    for (const FrameAnswers* answers : {&topLevel, &enveloped}) {
        SCOPED_TRACE(answers == &topLevel ? "top-level form" : "envelope");
        EXPECT_EQ(answers->events, expectedEvents);
        EXPECT_EQ(answers->limitsSeen.x, 1) << "the smallest tracking size starts at 1 x 1";
        EXPECT_EQ(answers->limitsSeen.y, 1);
        EXPECT_EQ(answers->minTrack.x, 400);
        EXPECT_EQ(answers->minTrack.y, 300);
        EXPECT_FALSE(answers->captionKeptActive[0]) << "a plain caption shows the deactivation";
        EXPECT_TRUE(answers->captionKeptActive[1]) << "an always-active caption stays active";
    }
    EXPECT_TRUE(childEvents.empty()) << "the enveloped form's own window reports no limits";
    EXPECT_EQ(childInfo.ptMinTrackSize.x, 50);
    EXPECT_EQ(childInfo.ptMinTrackSize.y, 50);
}

} // namespace
