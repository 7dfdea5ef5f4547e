#include "framework/Button.h"
#include "framework/CommonControls.h"
#include "framework/Edit.h"
#include "framework/SpinButtonCtrl.h"
#include "framework/ToolTipCtrl.h"
#include "tests/framework/TestWindows.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

// The wrappers add behaviour, never state.
static_assert(sizeof(CButton) == sizeof(CWnd), "control wrappers hold no state");
static_assert(sizeof(CEdit) == sizeof(CWnd), "control wrappers hold no state");
static_assert(sizeof(CSpinButtonCtrl) == sizeof(CWnd), "control wrappers hold no state");
static_assert(sizeof(CToolTipCtrl) == sizeof(CWnd), "control wrappers hold no state");

namespace {

using framework_test::CreateChild;
using framework_test::CreateTopLevel;
using framework_test::RecordingWnd;

// Stands between this program and the platform's class registration by
// redirecting the program's import of InitCommonControlsEx: records the class
// sets asked for, and forwards them or refuses them. One at a time.
class RegistrationSpy {
public:
    using Register = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);

    RegistrationSpy() : slot_(FindImport("comctl32.dll", "InitCommonControlsEx")) {
        if (slot_ != nullptr) {
            real_ = reinterpret_cast<Register>(*slot_);
            active_ = this;
            Write(reinterpret_cast<void*>(&Forward));
        }
    }
    ~RegistrationSpy() {
        if (slot_ != nullptr) {
            Write(reinterpret_cast<void*>(real_));
            active_ = nullptr;
        }
    }
    RegistrationSpy(const RegistrationSpy&) = delete;
    RegistrationSpy& operator=(const RegistrationSpy&) = delete;

    bool Installed() const { return slot_ != nullptr; }

    std::vector<DWORD> asked;
    bool refuse = false;

private:
    static BOOL WINAPI Forward(const INITCOMMONCONTROLSEX* classes) {
        active_->asked.push_back(classes->dwICC);
        return active_->refuse ? FALSE : active_->real_(classes);
    }

    // The import address slot of function from module in this program, found
    // by the name table; null when the program does not import it by name.
    static void** FindImport(const char* module, const char* function) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        auto* entry =
            reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
        for (; imports.VirtualAddress != 0 && entry->Name != 0; ++entry) {
            if (_stricmp(reinterpret_cast<const char*>(base + entry->Name), module) != 0 ||
                entry->OriginalFirstThunk == 0) {
                continue;
            }
            auto* names =
                reinterpret_cast<const IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
            for (; names->u1.AddressOfData != 0; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                    continue;
                }
                const auto* byName =
                    reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) {
                    return reinterpret_cast<void**>(&slots->u1.Function);
                }
            }
        }
        return nullptr;
    }

    void Write(void* target) {
        DWORD protection = 0;
        VirtualProtect(slot_, sizeof(void*), PAGE_READWRITE, &protection);
        *slot_ = target;
        VirtualProtect(slot_, sizeof(void*), protection, &protection);
    }

    static inline RegistrationSpy* active_ = nullptr;
    void** slot_;
    Register real_ = nullptr;
};

TEST(CommonControls, ASetIsAskedForUntilItIsRegisteredAndThenNeverAgain) {
    RegistrationSpy spy;
    ASSERT_TRUE(spy.Installed()) << "the program imports InitCommonControlsEx by name";
    // Sets nothing else in this program registers, walked in order.
    constexpr DWORD kHotKey = ICC_HOTKEY_CLASS;
    constexpr DWORD kProgress = ICC_PROGRESS_CLASS;
    constexpr DWORD kDate = ICC_DATE_CLASSES;
    struct Step {
        DWORD set;
        bool platformRefuses;
        BOOL answer;
        DWORD asked; // 0: the platform is not asked
        const char* why;
    };
    const Step steps[] = {
        {kHotKey, true, FALSE, kHotKey, "refused: the failure is reported"},
        {kHotKey, true, FALSE, kHotKey, "a refused set is asked for again"},
        {kHotKey, false, TRUE, kHotKey, "registered at last"},
        {kHotKey, true, TRUE, 0, "a registered set is not asked for again"},
        {kHotKey | kProgress, false, TRUE, kHotKey | kProgress, "a wider set is asked for whole"},
        {kProgress, true, TRUE, 0, "each class of a registered wider set counts"},
        {kDate | kHotKey, true, FALSE, kDate | kHotKey, "one new class makes the set new"},
        {kHotKey, true, TRUE, 0, "a refused wider set forgets nothing registered before"},
        {kDate, true, FALSE, kDate, "nor remembers the class it failed to register"},
        {kDate, false, TRUE, kDate, "registered at last"},
        {kDate | kHotKey | kProgress, true, TRUE, 0, "all registered"},
    };
    for (const Step& step : steps) {
        spy.asked.clear();
        spy.refuse = step.platformRefuses;
        EXPECT_EQ(AfxInitCommonControls(step.set), step.answer) << step.why;
        const std::vector<DWORD> expected =
            step.asked != 0 ? std::vector<DWORD>{step.asked} : std::vector<DWORD>{};
        EXPECT_EQ(spy.asked, expected) << step.why;
    }
}

TEST(CommonControls, EachClassSetIsRegisteredAndAskedForAgainCheaply) {
    EXPECT_TRUE(AfxInitCommonControls(ICC_UPDOWN_CLASS));
    EXPECT_TRUE(AfxInitCommonControls(ICC_UPDOWN_CLASS));
    EXPECT_TRUE(AfxInitCommonControls(ICC_BAR_CLASSES));
    EXPECT_TRUE(AfxInitCommonControls(ICC_UPDOWN_CLASS | ICC_BAR_CLASSES));
    // The classes the framework's controls use are there to create windows of.
    for (const wchar_t* className : {UPDOWN_CLASSW, TOOLTIPS_CLASSW}) {
        WNDCLASSEXW info{};
        info.cbSize = sizeof(info);
        EXPECT_TRUE(GetClassInfoExW(nullptr, className, &info)) << className;
    }
}

TEST(ToolTipCtrl, CountsItsToolsAfterAddAndDelete) {
    RecordingWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&parent));
    EXPECT_EQ(GetWindow(tip.GetSafeHwnd(), GW_OWNER), parent.GetSafeHwnd());
    EXPECT_EQ(tip.GetToolCount(), 0);
    // Visual styles off; the platform's answer varies (some refuse empty names).
    tip.SetWindowTheme(L"", L"");

    CButton first;
    CEdit second;
    RecordingWnd third;
    ASSERT_TRUE(CreateChild(first, L"BUTTON", parent, 1));
    ASSERT_TRUE(CreateChild(second, L"EDIT", parent, 2));
    ASSERT_TRUE(CreateTopLevel(third, WS_POPUP)); // a tool without a parent
    struct Step {
        const char* name;
        bool add;
        CWnd* window;
        int count;
    };
    const Step steps[] = {
        {"add first", true, &first, 1},
        {"add second", true, &second, 2},
        {"add third", true, &third, 3},
        {"delete second", false, &second, 2},
        {"delete second again", false, &second, 2},
        {"delete third", false, &third, 1},
        {"add second back", true, &second, 2},
        {"delete first", false, &first, 1},
        {"delete second", false, &second, 0},
    };
    for (const Step& step : steps) {
        if (step.add) {
            EXPECT_TRUE(tip.AddTool(step.window, L"\u63D0\u793A")) << step.name;
        } else {
            tip.DelTool(step.window);
        }
        EXPECT_EQ(tip.GetToolCount(), step.count) << step.name;
    }
    CWnd windowless;
    EXPECT_FALSE(tip.AddTool(&windowless, L"x"));
    EXPECT_FALSE(tip.AddTool(nullptr, L"x"));
    EXPECT_EQ(tip.GetToolCount(), 0);

    // Relaying a mouse message of a tool is accepted whether or not it shows a tip.
    ASSERT_TRUE(tip.AddTool(&first, L"tip"));
    MSG msg = {first.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3), GetTickCount(), {50, 50}};
    tip.RelayEvent(&msg);
    tip.RelayEvent(nullptr);
    EXPECT_EQ(tip.GetToolCount(), 1);
}

TEST(SpinButtonCtrl, ReportsBackARangeSetWithTheSixteenBitMessage) {
    RecordingWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    CSpinButtonCtrl spin;
    const RECT rect = {10, 10, 28, 40};
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, rect, &parent, 1001));
    EXPECT_TRUE(spin.IsKindOf("CSpinButtonCtrl"));
    struct Case {
        short lower;
        short upper;
    };
    const Case cases[] = {{0, 100}, {-5, 100}, {100, 0}, {-32767, 32767}, {7, 7}, {-20, -10}};
    for (const Case& c : cases) {
        spin.SetRange(c.lower, c.upper);
        int lower = 12345;
        int upper = 12345;
        spin.GetRange32(&lower, &upper);
        EXPECT_EQ(lower, c.lower) << c.lower << ".." << c.upper;
        EXPECT_EQ(upper, c.upper) << c.lower << ".." << c.upper;
        EXPECT_EQ(
            static_cast<DWORD>(spin.SendMessage(UDM_GETRANGE)),
            static_cast<DWORD>(MAKELONG(static_cast<WORD>(c.upper), static_cast<WORD>(c.lower))));
    }
}

TEST(SpinButtonCtrl, PositionsStayInsideTheThirtyTwoBitRange) {
    RecordingWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    CSpinButtonCtrl spin;
    const RECT rect = {10, 10, 28, 40};
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, rect, &parent, 1002));
    spin.SetRange32(-100000, 100000);
    struct Case {
        int set;
        int expected;
    };
    const Case cases[] = {{0, 0}, {99999, 99999}, {100001, 100000}, {-100001, -100000}};
    for (const Case& c : cases) {
        spin.SetPos32(c.set);
        EXPECT_EQ(spin.GetPos32(), c.expected) << c.set;
    }
    CSpinButtonCtrl windowless;
    BOOL error = FALSE;
    windowless.GetPos32(&error);
    EXPECT_TRUE(error);
    int lower = 1;
    int upper = 2;
    windowless.GetRange32(&lower, &upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 0);
}

TEST(Edit, LimitPasswordCharacterAndSelection) {
    RecordingWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    CEdit edit;
    const RECT rect = {10, 10, 200, 35};
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, &parent, 3));

    edit.SetLimitText(5);
    EXPECT_EQ(edit.GetLimitText(), 5u);
    edit.ReplaceSel(L"1234567");
    EXPECT_EQ(edit.GetWindowText(), L"12345") << "typing stops at the limit";
    edit.SetLimitText(0);
    EXPECT_GT(edit.GetLimitText(), 65535u) << "0 asks for the control's largest limit";

    edit.SetPasswordChar(L'*');
    EXPECT_EQ(edit.GetPasswordChar(), L'*');
    edit.SetPasswordChar(L'\u25CF');
    EXPECT_EQ(edit.GetPasswordChar(), L'\u25CF');
    edit.SetPasswordChar(0);
    EXPECT_EQ(edit.GetPasswordChar(), 0);

    edit.SetWindowText(L"0123456789");
    struct Case {
        int start;
        int end;
        int expectedStart;
        int expectedEnd;
    };
    const Case cases[] = {
        {2, 5, 2, 5}, {0, -1, 0, 10}, {7, 3, 3, 7}, {4, 4, 4, 4}, {8, 100, 8, 10},
    };
    for (const Case& c : cases) {
        edit.SetSel(c.start, c.end);
        int start = -7;
        int end = -7;
        edit.GetSel(&start, &end);
        EXPECT_EQ(start, c.expectedStart) << c.start << "," << c.end;
        EXPECT_EQ(end, c.expectedEnd) << c.start << "," << c.end;
    }
    edit.SetSel(2, 5, TRUE);
    edit.ReplaceSel(L"\u6247\u533A");
    EXPECT_EQ(edit.GetWindowText(), L"01\u6247\u533A56789");
    edit.ScrollCaret();
}

TEST(Button, CheckStateAndClicks) {
    RecordingWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    CButton box;
    const RECT rect = {10, 10, 150, 35};
    ASSERT_TRUE(
        box.Create(L"\u590D\u9009", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, rect, &parent, 20));
    EXPECT_EQ(box.GetWindowText(), L"\u590D\u9009");
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
    box.SetCheck(BST_CHECKED);
    EXPECT_EQ(box.GetCheck(), BST_CHECKED);
    EXPECT_NE(box.GetState() & BST_CHECKED, 0u);
    const int commandsBefore = parent.Count(WM_COMMAND);
    box.Click();
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED) << "a click toggles an automatic check box";
    EXPECT_EQ(parent.Count(WM_COMMAND), commandsBefore + 1);

    CButton windowless;
    EXPECT_EQ(windowless.GetCheck(), 0);
    windowless.SetCheck(BST_CHECKED);
    windowless.Click();
    EXPECT_EQ(windowless.GetState(), 0u);
}

} // namespace
