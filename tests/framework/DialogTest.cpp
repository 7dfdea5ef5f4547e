#include "framework/Dialog.h"
#include "framework/DialogTemplate.h"
#include "framework/Edit.h"
#include "tests/framework/ScriptedApp.h"
#include "tests/framework/TestWindows.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using framework_test::CreateTopLevel;
using framework_test::RecordingWnd;
using framework_test::ScriptedApp;

// The words that follow the fixed header: menu, class, caption.
std::vector<WORD> TrailingWords(const CDialogTemplate& dialogTemplate) {
    const auto* words = reinterpret_cast<const WORD*>(dialogTemplate.Get());
    const size_t header = sizeof(DLGTEMPLATE) / sizeof(WORD);
    return {words + header, words + dialogTemplate.GetSize() / sizeof(WORD)};
}

TEST(DialogTemplate, HoldsTheGivenStylePositionSizeAndCaptionWithoutControls) {
    static_assert(sizeof(DLGTEMPLATE) == 18, "the packed platform layout");
    const CDialogTemplate dialogTemplate(WS_POPUP | WS_CAPTION | DS_MODALFRAME, WS_EX_TOOLWINDOW, 5,
                                         -6, 200, 100, L"\u9519\u8BEF");
    const DLGTEMPLATE* header = dialogTemplate.Get();
    EXPECT_EQ(header->style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | DS_MODALFRAME));
    EXPECT_EQ(header->dwExtendedStyle, static_cast<DWORD>(WS_EX_TOOLWINDOW));
    EXPECT_EQ(header->cdit, 0);
    EXPECT_EQ(header->x, 5);
    EXPECT_EQ(header->y, -6);
    EXPECT_EQ(header->cx, 200);
    EXPECT_EQ(header->cy, 100);
    const std::vector<WORD> expected = {0, 0, 0x9519, 0x8BEF, 0};
    EXPECT_EQ(TrailingWords(dialogTemplate), expected);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(header) % sizeof(DWORD), 0u);
}

TEST(DialogTemplate, ClampsCoordinatesDropsFontBitsAndEndsTheCaptionAtItsFirstZero) {
    struct Case {
        int value;
        short stored;
    };
    const Case cases[] = {{0, 0},           {32767, 32767},   {32768, 32767},
                          {-32768, -32768}, {-40000, -32768}, {INT32_MAX, 32767}};
    for (const Case& c : cases) {
        const CDialogTemplate dialogTemplate(WS_POPUP, 0, c.value, c.value, c.value, c.value);
        EXPECT_EQ(dialogTemplate.Get()->x, c.stored) << c.value;
        EXPECT_EQ(dialogTemplate.Get()->cy, c.stored) << c.value;
    }
    const CDialogTemplate withFont(WS_POPUP | DS_SHELLFONT | DS_CENTER, 0, 0, 0, 10, 10,
                                   std::wstring_view(L"ab\0cd", 5));
    EXPECT_EQ(withFont.Get()->style, static_cast<DWORD>(WS_POPUP | DS_CENTER));
    const std::vector<WORD> expected = {0, 0, L'a', L'b', 0};
    EXPECT_EQ(TrailingWords(withFont), expected);
    const CDialogTemplate noCaption(WS_POPUP, 0, 0, 0, 0, 0);
    EXPECT_EQ(TrailingWords(noCaption), (std::vector<WORD>{0, 0, 0}));
}

CDialogTemplate PlainTemplate() {
    return CDialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 10, 10, 120, 60,
                           L"\u5BF9\u8BDD");
}

// A dialog whose steps are scripted by the test.
class ScriptedDialog : public CDialog {
public:
    using CDialog::CDialog;

    std::function<BOOL(ScriptedDialog&)> onInit;
    std::function<void(ScriptedDialog&, UINT_PTR)> onTimer;
    std::function<BOOL(ScriptedDialog&, MSG*)> onPreTranslate;
    int initCalls = 0;
    int cancelCalls = 0;
    HWND ownWindow = nullptr;

    BOOL PreTranslateMessage(MSG* msg) override {
        return onPreTranslate ? onPreTranslate(*this, msg) : FALSE;
    }

protected:
    BOOL OnInitDialog() override {
        ++initCalls;
        ownWindow = GetSafeHwnd();
        return onInit ? onInit(*this) : TRUE;
    }
    void OnCancel() override {
        ++cancelCalls;
        CDialog::OnCancel();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && onTimer) {
            onTimer(*this, wParam);
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

TEST(ModalDialog, EndsWithTheTimersCodeAndDisablesItsOwnerMeanwhile) {
    RecordingWnd owner;
    ASSERT_TRUE(CreateTopLevel(owner));
    ScriptedDialog dialog(PlainTemplate(), owner.GetSafeHwnd());
    bool ownerEnabledDuringRun = true;
    bool dialogVisible = false;
    dialog.onInit = [](ScriptedDialog& self) {
        SetTimer(self.GetSafeHwnd(), 1, 30, nullptr);
        return TRUE;
    };
    dialog.onTimer = [&](ScriptedDialog& self, UINT_PTR) {
        KillTimer(self.GetSafeHwnd(), 1);
        ownerEnabledDuringRun = owner.IsWindowEnabled() != FALSE;
        dialogVisible = self.IsWindowVisible() != FALSE;
        self.EndDialog(42);
    };
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(dialog.initCalls, 1);
    EXPECT_FALSE(ownerEnabledDuringRun);
    EXPECT_TRUE(dialogVisible) << "a modal dialog is shown even without WS_VISIBLE";
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(IsWindow(dialog.ownWindow));
    EXPECT_EQ(GetWindow(dialog.ownWindow, GW_OWNER), nullptr);

    // The same object runs again; an owner disabled before stays disabled.
    owner.EnableWindow(FALSE);
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(dialog.initCalls, 2);
    EXPECT_FALSE(owner.IsWindowEnabled());
    owner.EnableWindow(TRUE);
}

TEST(ModalDialog, IsOwnedByTheTopLevelWindowOfItsOwnerAndNeverByTheDesktop) {
    RecordingWnd frame;
    ASSERT_TRUE(CreateTopLevel(frame));
    RecordingWnd child;
    ASSERT_TRUE(framework_test::CreateChild(child, L"EDIT", frame, 1));
    struct Case {
        HWND given;
        HWND owner;
    };
    const Case cases[] = {{child.GetSafeHwnd(), frame.GetSafeHwnd()},
                          {GetDesktopWindow(), nullptr}};
    for (const Case& c : cases) {
        ScriptedDialog dialog(PlainTemplate(), c.given);
        HWND ownerDuringRun = nullptr;
        bool desktopEnabled = false;
        bool frameEnabled = true;
        dialog.onInit = [&](ScriptedDialog& self) {
            ownerDuringRun = GetWindow(self.GetSafeHwnd(), GW_OWNER);
            desktopEnabled = IsWindowEnabled(GetDesktopWindow()) != FALSE;
            frameEnabled = frame.IsWindowEnabled() != FALSE;
            self.EndDialog(1);
            return TRUE;
        };
        EXPECT_EQ(dialog.DoModal(), 1);
        EXPECT_EQ(ownerDuringRun, c.owner);
        EXPECT_TRUE(desktopEnabled);
        EXPECT_EQ(frameEnabled, c.owner == nullptr);
        EXPECT_TRUE(frame.IsWindowEnabled());
        EXPECT_TRUE(IsWindowEnabled(GetDesktopWindow()));
    }
}

// An edit inside the dialog that logs the key messages offered to it.
class LoggingEdit : public CEdit {
public:
    std::vector<std::string>* log = nullptr;
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN) {
            log->push_back("edit");
        }
        return FALSE;
    }
};

TEST(ModalDialog, KeyMessagesReachThePreTranslationOfTheDialogAndItsWindows) {
    for (const bool withApp : {false, true}) {
        std::optional<ScriptedApp> app;
        if (withApp) {
            app.emplace();
        }
        std::vector<std::string> log;
        LoggingEdit edit;
        edit.log = &log;
        ScriptedDialog dialog(PlainTemplate(), nullptr);
        dialog.onInit = [&](ScriptedDialog& self) {
            const RECT rect = {5, 5, 80, 25};
            edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, &self, 100);
            edit.PostMessage(WM_KEYDOWN, VK_F5, 0);
            return TRUE;
        };
        dialog.onPreTranslate = [&](ScriptedDialog& self, MSG* msg) {
            if (msg->message != WM_KEYDOWN) {
                return FALSE;
            }
            log.push_back("dialog");
            self.EndDialog(msg->wParam == VK_F5 ? 7 : 8);
            return TRUE;
        };
        EXPECT_EQ(dialog.DoModal(), 7) << (withApp ? "with" : "without") << " an application";
        EXPECT_EQ(log, (std::vector<std::string>{"edit", "dialog"}));
    }
}

TEST(ModalDialog, EscapeTheCloseBoxAndTheOkCommandEndTheRun) {
    struct Case {
        const char* name;
        std::function<void(ScriptedDialog&)> action;
        INT_PTR result;
        int cancelCalls;
    };
    const Case cases[] = {
        {"escape", [](ScriptedDialog& d) { d.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0); }, IDCANCEL, 1},
        {"close", [](ScriptedDialog& d) { d.PostMessage(WM_CLOSE); }, IDCANCEL, 1},
        {"ok", [](ScriptedDialog& d) { d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)); },
         IDOK, 0},
        {"destroyed", [](ScriptedDialog& d) { d.PostMessage(WM_APP); }, -1, 0},
    };
    for (const Case& c : cases) {
        ScriptedDialog dialog(PlainTemplate(), nullptr);
        dialog.onInit = [&c](ScriptedDialog& self) {
            c.action(self);
            return TRUE;
        };
        dialog.onPreTranslate = [](ScriptedDialog& self, MSG* msg) {
            if (msg->message == WM_APP) {
                self.DestroyWindow(); // gone without EndDialog
                return TRUE;
            }
            return FALSE;
        };
        EXPECT_EQ(dialog.DoModal(), c.result) << c.name;
        EXPECT_EQ(dialog.cancelCalls, c.cancelCalls) << c.name;
        int code = 0;
        EXPECT_FALSE(test_support::TakeQuitMessage(&code)) << c.name;
    }
}

// A dialog that opts out of the run's dialog navigation and showing.
class SelfNavigatingDialog : public ScriptedDialog {
public:
    using ScriptedDialog::ScriptedDialog;
    bool navigation = true;
    bool showOnRun = true;

protected:
    bool UsesDialogNavigation() const override { return navigation; }
    bool ShowsWhenRunStarts() const override { return showOnRun; }
};

TEST(ModalDialog, HooksLeaveNavigationAndShowingToTheDialog) {
    struct Case {
        const char* name;
        bool navigation;
        bool showOnRun;
        INT_PTR result; // Escape ends the run only through the platform's navigation
        bool visible;
    };
    const Case cases[] = {
        {"the platform navigates and shows", true, true, IDCANCEL, true},
        {"the dialog navigates itself", false, true, 5, true},
        {"the dialog stays hidden", true, false, IDCANCEL, false},
    };
    for (const Case& c : cases) {
        CDialogTemplate hidden(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 10, 10, 120, 60);
        SelfNavigatingDialog dialog(hidden, nullptr);
        dialog.navigation = c.navigation;
        dialog.showOnRun = c.showOnRun;
        bool visible = false;
        dialog.onInit = [](ScriptedDialog& self) {
            self.PostMessage(WM_APP + 1);
            self.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
            self.PostMessage(WM_APP + 2);
            return TRUE;
        };
        dialog.onPreTranslate = [&visible](ScriptedDialog& self, MSG* msg) {
            if (msg->message == WM_APP + 1) {
                visible = self.IsWindowVisible() != FALSE;
                return TRUE;
            }
            if (msg->message == WM_APP + 2) {
                self.EndDialog(5);
                return TRUE;
            }
            return FALSE;
        };
        EXPECT_EQ(dialog.DoModal(), c.result) << c.name;
        EXPECT_EQ(visible, c.visible) << c.name;
    }
}

TEST(ModalDialog, EndingDuringInitialisationSkipsTheLoop) {
    ScriptedApp app;
    ScriptedDialog dialog(PlainTemplate(), nullptr);
    dialog.onInit = [](ScriptedDialog& self) {
        self.EndDialog(3);
        return TRUE;
    };
    EXPECT_EQ(dialog.DoModal(), 3);
    EXPECT_TRUE(app.log.empty()) << "the loop ran idle work";
    EXPECT_FALSE(IsWindow(dialog.ownWindow));
}

TEST(ModalDialog, IdleWorkGoesOnDuringTheRun) {
    ScriptedApp app;
    ScriptedDialog dialog(PlainTemplate(), nullptr);
    app.idle = [&](LONG count) {
        if (count == 2) {
            dialog.EndDialog(5);
            return FALSE;
        }
        return TRUE;
    };
    EXPECT_EQ(dialog.DoModal(), 5);
    ASSERT_GE(app.log.size(), 3u);
    EXPECT_EQ(app.log.back(), "idle 2");
}

TEST(ModalDialog, IsTheMainWindowDuringTheRunWhenThereIsNone) {
    ScriptedApp app;
    ScriptedDialog dialog(PlainTemplate(), nullptr);
    CWnd* mainDuringRun = nullptr;
    dialog.onInit = [&](ScriptedDialog& self) {
        mainDuringRun = AfxGetMainWnd();
        self.PostMessage(WM_CLOSE);
        return TRUE;
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(mainDuringRun, &dialog);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    int code = 0;
    EXPECT_FALSE(test_support::TakeQuitMessage(&code)) << "the dialog's end ended the application";

    // Destroyed during the run, it stands down as main window just the same.
    dialog.onInit = [](ScriptedDialog& self) {
        self.PostMessage(WM_APP);
        return TRUE;
    };
    dialog.onPreTranslate = [](ScriptedDialog& self, MSG* msg) {
        if (msg->message == WM_APP) {
            self.DestroyWindow();
        }
        return FALSE;
    };
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_FALSE(test_support::TakeQuitMessage(&code));

    // An existing main window stays the main window and owns the dialog.
    RecordingWnd main;
    ASSERT_TRUE(CreateTopLevel(main));
    app.SetMainWnd(&main);
    HWND ownerDuringRun = nullptr;
    dialog.onInit = [&](ScriptedDialog& self) {
        mainDuringRun = AfxGetMainWnd();
        ownerDuringRun = GetWindow(self.GetSafeHwnd(), GW_OWNER);
        self.EndDialog(1);
        return TRUE;
    };
    SetActiveWindow(nullptr);
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ(mainDuringRun, &main);
    EXPECT_EQ(ownerDuringRun, main.GetSafeHwnd());
    EXPECT_EQ(AfxGetMainWnd(), &main);
    app.SetMainWnd(nullptr);
}

TEST(ModalDialog, TheQuitMessageEndsTheRunAndIsPostedAgain) {
    ScriptedDialog dialog(PlainTemplate(), nullptr);
    dialog.onInit = [](ScriptedDialog&) {
        PostQuitMessage(3);
        return TRUE;
    };
    EXPECT_EQ(dialog.DoModal(), -1);
    int code = 0;
    EXPECT_TRUE(test_support::TakeQuitMessage(&code));
    EXPECT_EQ(code, 3);
}

TEST(ModalDialog, RefusesToRunWithoutTemplateOrTwiceAtOnce) {
    CDialog empty;
    EXPECT_EQ(empty.DoModal(), -1);

    ScriptedDialog dialog(PlainTemplate(), nullptr);
    INT_PTR nested = 0;
    dialog.onInit = [&](ScriptedDialog& self) {
        nested = self.DoModal();
        self.EndDialog(9);
        return TRUE;
    };
    EXPECT_EQ(dialog.DoModal(), 9);
    EXPECT_EQ(nested, -1);
    EXPECT_EQ(dialog.initCalls, 1);

    // A template set later runs.
    CDialog later;
    later.InitModalIndirect(PlainTemplate(), nullptr);
    later.EndDialog(4); // before the run: forgotten when the run starts
    PostMessageW(nullptr, WM_NULL, 0, 0);
    dialog.onInit = [](ScriptedDialog& self) {
        self.EndDialog(11);
        return TRUE;
    };
    EXPECT_EQ(dialog.DoModal(), 11);
}

} // namespace
