#include "components/EditBox.h"
#include "native/EditInput.h"
#include "native/VWndEdit.h"
#include "native/WindowProcFilters.h"
#include "tests/components_controls/ControlsTestSupport.h"
#include "tests/support/ScreenPixels.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

namespace {

using namespace rg_tarn_MFCJieMian_base;
using controls_test::ChildRecord;
using controls_test::HostWindow;
using controls_test::kEditChanged;
using controls_test::kGotFocus;
using controls_test::kLostFocus;
using test_support::EventRecorder;
using test_support::PumpMessagesUntilIdle;
using test_support::WindowPixel;
using test_support::WindowText;

void Type(HWND hwnd, const std::wstring& units) {
    for (wchar_t unit : units) {
        PostMessageW(hwnd, WM_CHAR, unit, 1);
    }
    PumpMessagesUntilIdle();
}

// Two edits in one host: the one under test and one to move the focus to.
struct EditFixture {
    HostWindow host;
    rg_edit_box edit;
    rg_edit_box sink;
    bool created = false;

    EditFixture() {
        ControlCreateInfo info = ChildRecord(host, 10, 10, 150, 26, 101);
        ControlCreateInfo sinkInfo = ChildRecord(host, 10, 60, 150, 26, 102);
        created = edit.CreateNative(info) == 1 && sink.CreateNative(sinkInfo) == 1;
        PumpMessagesUntilIdle();
    }
    HWND hwnd() const { return edit.GetWindowHandle(); }
    void FocusAndLeave() {
        SetFocus(hwnd());
        PumpMessagesUntilIdle();
        SetFocus(sink.GetWindowHandle());
        PumpMessagesUntilIdle();
    }
};

TEST(EditBox, CreationStyleFollowsMultiLineScrollBarsAndInputType) {
    struct Case {
        bool multiLine;
        int64_t scrollBars, inputType;
        uint32_t added;
    };
    const Case cases[] = {
        {false, 0, 0, 0x80},
        {false, 3, 0, 0x80}, // scroll bars are for multi-line edits only
        {false, 0, 1, 0x880},
        {false, 0, 2, 0xA0},
        {false, 0, 13, 0x80},
        {true, 0, 0, 0x1044},
        {true, 1, 0, 0x1044 | 0x80 | 0x00100000},
        {true, 2, 0, 0x1044 | 0x00200000},
        {true, 3, 2, 0x1044 | 0x80 | 0x00300000 | 0x20},
        {true, 4, 1, 0x1044 | 0x800},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EditCreationStyle(0x50010000, c.multiLine, c.scrollBars, c.inputType),
                  0x50010000u | c.added)
            << c.multiLine << "/" << c.scrollBars << "/" << c.inputType;
    }

    HostWindow host;
    rg_edit_box password;
    password.SetInputType(2);
    password.SetPasswordChar(u'#');
    password.SetMaxLength(5);
    ControlCreateInfo info = ChildRecord(host, 10, 10, 150, 26, 101);
    ASSERT_EQ(password.CreateNative(info), 1);
    const HWND hwnd = password.GetWindowHandle();
    EXPECT_EQ(SendMessageW(hwnd, EM_GETPASSWORDCHAR, 0, 0), L'#');
    EXPECT_EQ(SendMessageW(hwnd, EM_GETLIMITTEXT, 0, 0), 5);
    Type(hwnd, L"1234567");
    EXPECT_EQ(WindowText(hwnd), L"12345");
    password.SetInputType(1);
    EXPECT_NE(GetWindowLongPtrW(hwnd, GWL_STYLE) & ES_READONLY, 0);
    EXPECT_EQ(SendMessageW(hwnd, EM_GETPASSWORDCHAR, 0, 0), 0);
}

TEST(EditBox, NormalisesItsTextWhenItLosesTheFocus) {
    EditFixture fixture;
    ASSERT_TRUE(fixture.created);
    struct Case {
        int64_t type;
        const wchar_t* typed;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {5, L"300", L"255"},
        {5, L"-5", L""},
        {5, L"007", L"7"},
        {6, L"-99999", L"-32768"},
        {7, L"2147483648", L"2147483647"},
        {8, L"-0", L""},
        {9, L"1.23456789", L"1.23457"},
        {10, L"1.23456789", L"1.23456789"},
        {11, L"2024\u5E742\u670830\u65E5", L"2024\u5E742\u670829\u65E5"},
        {12, L"2/30/2023", L"2/28/2023"},
        {13, L"0xff", L"FF"},
        {0, L"007", L"007"},
        {3, L"--5", L"--5"},
        {4, L"1..2", L"1..2"},
    };
    for (const Case& c : cases) {
        fixture.edit.SetInputType(c.type);
        SetWindowTextW(fixture.hwnd(), c.typed);
        fixture.FocusAndLeave();
        EXPECT_EQ(WindowText(fixture.hwnd()), c.shown) << "type " << c.type;
    }

    // The caret goes back to where the selection started.
    fixture.edit.SetInputType(5);
    SetWindowTextW(fixture.hwnd(), L"0300");
    SetFocus(fixture.hwnd());
    SendMessageW(fixture.hwnd(), EM_SETSEL, 2, 4);
    SetFocus(fixture.sink.GetWindowHandle());
    PumpMessagesUntilIdle();
    EXPECT_EQ(WindowText(fixture.hwnd()), L"255");
    DWORD start = 9;
    DWORD end = 9;
    SendMessageW(fixture.hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 2u);
}

TEST(EditBox, FocusEventsArriveOnceAndAfterTheNormalisation) {
    EditFixture fixture;
    ASSERT_TRUE(fixture.created);
    EventRecorder recorder;
    fixture.edit.GotFocus.Bind(&EventRecorder::WithText<kGotFocus>, recorder.pointer, 0);
    fixture.edit.LostFocus.Bind(&EventRecorder::WithText<kLostFocus>, recorder.pointer, 0);
    fixture.edit.SetInputType(5);
    SetWindowTextW(fixture.hwnd(), L"300");

    fixture.FocusAndLeave();
    EXPECT_EQ(recorder.Count(kGotFocus), 0) << "no listener yet";
    EXPECT_EQ(WindowText(fixture.hwnd()), L"255") << "normalised without a listener too";

    fixture.edit.AttachListener();
    SetWindowTextW(fixture.hwnd(), L"999");
    fixture.FocusAndLeave();
    ASSERT_EQ(recorder.Count(kGotFocus), 1);
    ASSERT_EQ(recorder.Count(kLostFocus), 1);
    EXPECT_EQ(recorder.log[0].name, kGotFocus);
    EXPECT_EQ(recorder.log[1].name, kLostFocus);
    EXPECT_EQ(recorder.log[1].text, L"255") << "LostFocus sees the normalised text";
}

// Runs an action once, on its way in with the first message of its kind.
class OnceFilter : public ITarnWindowProcFilter {
public:
    OnceFilter(UINT message, std::function<void()> action)
        : message_(message), action_(std::move(action)) {}
    int32_t FilterMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT*) override {
        if (message == message_ && action_) {
            std::function<void()> action = std::move(action_);
            action_ = nullptr;
            action();
        }
        return 0;
    }

private:
    UINT message_;
    std::function<void()> action_;
};

// The edit keeps its focus messages from its listener by a rule of the window,
// not by taking the listener away for the call: a listener detached, or a
// component freed, while a focus message is on its way in stays gone.
TEST(EditBox, AListenerThatWentDuringAFocusMessageStaysGone) {
    const struct {
        const char* what;
        UINT message;
        bool freeTheListener; // else it is detached
    } cases[] = {
        {"detached on the focus", WM_SETFOCUS, false},
        {"detached on the loss of focus", WM_KILLFOCUS, false},
        {"freed on the focus", WM_SETFOCUS, true},
        {"freed on the loss of focus", WM_KILLFOCUS, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EditFixture fixture;
        ASSERT_TRUE(fixture.created);
        // A copy shares the window; it is the listener and may be freed.
        auto* listening = new rg_edit_box(fixture.edit);
        listening->AttachListener();
        OnceFilter filter(c.message, [&] {
            if (c.freeTheListener) {
                FreeObject(listening);
                listening = nullptr;
            } else {
                listening->DetachListener();
            }
        });
        CVWnd_Edit* window = fixture.edit.GetEditWindow();
        window->Filters.Add(&filter);
        fixture.FocusAndLeave();
        EXPECT_EQ(window->GetListener(), nullptr);
        EXPECT_EQ(fixture.edit.IsListenerAttached(), 0);
        window->Filters.Remove(&filter);
        FreeObject(listening);
    }
}

// An edit window that counts the characters its input type refuses.
class CountingEdit : public CVWnd_Edit {
public:
    std::u16string refused;

protected:
    void RefuseCharacter(char16_t unit) override {
        refused += unit;
        CVWnd_Edit::RefuseCharacter(unit);
    }
};

TEST(EditBox, InputFilterDropsRefusedCharactersWithABeep) {
    HostWindow host;
    struct Case {
        int64_t type;
        const wchar_t* typed;
        const wchar_t* text;
        const char16_t* refused;
    };
    const Case cases[] = {
        {3, L"a-1-", L"-1-", u"a"},
        {5, L"1a-2.", L"12", u"a-."},
        {9, L"-1.5e3", L"-1.53", u"e"},
        {13, L"0xfF", L"0xfF", u""},
        {0, L"any \u4E2D", L"any \u4E2D", u""},
        {7, L"12\b3", L"13", u""}, // control codes pass
    };
    int id = 200;
    for (const Case& c : cases) {
        CountingEdit edit;
        edit.InputType = c.type;
        ASSERT_TRUE(edit.CreateEdit(0, u"", WS_CHILD | WS_VISIBLE, 10, 10, 150, 26, &host, ++id));
        SetFocus(edit.GetSafeHwnd());
        Type(edit.GetSafeHwnd(), c.typed);
        EXPECT_EQ(WindowText(edit.GetSafeHwnd()), c.text) << "type " << c.type;
        EXPECT_EQ(edit.refused, c.refused) << "type " << c.type;
        edit.DestroyWindow();
    }
}

TEST(EditBox, EditChangedIsSuppressedWhileAsked) {
    EditFixture fixture;
    ASSERT_TRUE(fixture.created);
    EventRecorder recorder;
    fixture.edit.EditChanged.Bind(&EventRecorder::WithText<kEditChanged>, recorder.pointer, 0);
    fixture.edit.SetControlText(CWString(u"a"));
    EXPECT_EQ(recorder.Count(kEditChanged), 0) << "no listener yet";
    fixture.edit.AttachListener();

    struct Step {
        bool suppress;
        const char16_t* text;
        int count;
    };
    const Step steps[] = {
        {false, u"b", 1}, {true, u"c", 1}, {true, u"d", 1}, {false, u"e", 2}, {false, u"e", 3},
    };
    for (const Step& step : steps) {
        fixture.edit.SetSuppressChange(step.suppress);
        fixture.edit.SetControlText(CWString(step.text));
        EXPECT_EQ(recorder.Count(kEditChanged), step.count);
    }
    EXPECT_EQ(recorder.log.back().text, L"e");
    Type(fixture.hwnd(), L"x");
    EXPECT_EQ(recorder.Count(kEditChanged), 4) << "typing reports too";
}

TEST(EditBox, SingleLineEditKeepsItsMinimumHeightAndCentresItsText) {
    EditFixture fixture;
    ASSERT_TRUE(fixture.created);
    LOGFONTW description{};
    description.lfHeight = 16; // a cell height of 16 pixels
    wcscpy_s(description.lfFaceName, L"Tahoma");
    HFONT font = CreateFontIndirectW(&description);
    const HWND hwnd = fixture.hwnd();
    MoveWindow(hwnd, 10, 10, 150, 10, TRUE);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    PumpMessagesUntilIdle();

    const int32_t textHeight = static_cast<int32_t>(fixture.edit.GetEditWindow()->GetTextHeight());
    const int edge = GetSystemMetrics(SM_CYEDGE);
    EXPECT_EQ(textHeight, 16);
    RECT window{};
    GetWindowRect(hwnd, &window);
    EXPECT_EQ(window.bottom - window.top, EditMinimumHeight(textHeight, edge));
    if (textHeight == 16 && edge == 2) {
        EXPECT_EQ(window.bottom - window.top, 22);
    }

    struct Case {
        int height;
        int clientHeight;
    };
    // Taller: the client is one line high, centred. Lower than the line: the
    // client stays inside the window.
    const Case cases[] = {
        {40, textHeight}, {41, textHeight}, {12, 12 - 2 * edge}, {6, 6 - 2 * edge}};
    for (const Case& c : cases) {
        MoveWindow(hwnd, 10, 10, 150, c.height, TRUE);
        GetWindowRect(hwnd, &window);
        RECT client{};
        GetClientRect(hwnd, &client);
        MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
        EXPECT_EQ(client.bottom - client.top, c.clientHeight) << c.height;
        EXPECT_GE(client.top, window.top) << c.height;
        EXPECT_LE(client.bottom, window.bottom) << c.height;
        if (c.height > textHeight + 2 * edge) {
            EXPECT_NEAR(client.top - window.top, window.bottom - client.bottom, 1) << c.height;
        }
        // Outside the client but inside the window: the border.
        EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(window.left + 1, window.top)),
                  HTBORDER);
        if (client.bottom > client.top) {
            EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(client.left + 5, client.top)),
                      HTCLIENT);
        }
    }
    // The band between the border and the centred client shows the background colour.
    fixture.edit.SetBackColor(0x0000FF);
    MoveWindow(hwnd, 10, 10, 150, 40, TRUE);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(WindowPixel(hwnd, 20, edge + 2), RGB(255, 0, 0)) << "above the client";
    EXPECT_EQ(WindowPixel(hwnd, 20, 40 - edge - 3), RGB(255, 0, 0)) << "below the client";

    SendMessageW(hwnd, WM_SETFONT, 0, FALSE);
    DeleteObject(font);
}

TEST(EditBox, BackColourChangesOnlyWhenItDiffers) {
    EditFixture fixture;
    ASSERT_TRUE(fixture.created);
    CVWnd_Edit* wnd = fixture.edit.GetEditWindow();
    PumpMessagesUntilIdle();
    const HBRUSH white = wnd->GetBackgroundBrush();
    RECT update{};

    fixture.edit.SetBackColor(0xFFFFFF);
    EXPECT_FALSE(GetUpdateRect(fixture.hwnd(), &update, FALSE)) << "same colour: no redraw";
    EXPECT_EQ(wnd->GetBackgroundBrush(), white);

    fixture.edit.SetBackColor(0xC0C0C0);
    EXPECT_TRUE(GetUpdateRect(fixture.hwnd(), &update, FALSE));
    EXPECT_NE(wnd->GetBackgroundBrush(), white);
    EXPECT_EQ(GetObjectType(white), 0u) << "the replaced brush is deleted";
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SendMessageW(fixture.host.GetSafeHwnd(), WM_CTLCOLOREDIT,
                           reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(fixture.hwnd())),
              reinterpret_cast<LRESULT>(wnd->GetBackgroundBrush()));
    EXPECT_EQ(GetBkColor(dc), 0xC0C0C0u);
    fixture.edit.SetBackColor(0xFF000000);
    SendMessageW(fixture.host.GetSafeHwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(fixture.hwnd()));
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
    DeleteDC(dc);
}

// A host that counts the close requests its children send instead of closing.
class CloseCountingHost : public HostWindow {
public:
    int closes = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CLOSE) {
            ++closes;
            return 0;
        }
        return HostWindow::WindowProc(message, wParam, lParam);
    }
};

TEST(EditBox, MultiLineEditSwallowsEscapeSoTheFormStaysOpen) {
    CloseCountingHost host;
    CVWnd_Edit ours;
    ours.MultiLine = 1;
    ASSERT_TRUE(ours.CreateEdit(0, u"", WS_CHILD | WS_VISIBLE, 10, 10, 150, 60, &host, 301));
    CEdit plain; // the platform's multi-line edit, for comparison
    ASSERT_TRUE(plain.CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 10, 80, 150,
                               60, host.GetSafeHwnd(), reinterpret_cast<HMENU>(302)));
    struct Case {
        CWnd* edit;
        int closes;
    };
    const Case cases[] = {{&ours, 0}, {&plain, 1}};
    for (const Case& c : cases) {
        host.closes = 0;
        const HWND hwnd = c.edit->GetSafeHwnd();
        SetFocus(hwnd);
        // As the dialog navigation asks before it hands the key on.
        MSG key{hwnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {}};
        SendMessageW(hwnd, WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&key));
        SendMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        PumpMessagesUntilIdle();
        EXPECT_EQ(host.closes, c.closes) << (c.edit == &ours ? "ours" : "plain");
    }
}

// A spy in front of the platform's EDIT class procedure for the edits made
// while it lives: it sees what reaches the platform's own processing, below
// the framework and the native window.
class PlatformEditSpy {
public:
    PlatformEditSpy() {
        probe_ = CreateWindowExW(0, L"EDIT", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                 nullptr);
        original_ = reinterpret_cast<WNDPROC>(
            SetClassLongPtrW(probe_, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Spy)));
        characters_.clear();
    }
    ~PlatformEditSpy() {
        SetClassLongPtrW(probe_, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        DestroyWindow(probe_);
    }
    PlatformEditSpy(const PlatformEditSpy&) = delete;
    PlatformEditSpy& operator=(const PlatformEditSpy&) = delete;

    bool Installed() const { return probe_ != nullptr && original_ != nullptr; }
    static const std::wstring& Characters() { return characters_; }

private:
    static LRESULT CALLBACK Spy(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_CHAR) {
            characters_ += static_cast<wchar_t>(wParam);
        }
        return CallWindowProcW(original_, hwnd, message, wParam, lParam);
    }

    HWND probe_ = nullptr;
    static inline WNDPROC original_ = nullptr;
    static inline std::wstring characters_;
};

// A single-line edit has no use for line ends and Escape, and the platform's
// would beep for each: they stop after CharInput has seen them. A multi-line
// edit takes them as before.
TEST(EditBox, SingleLineEditKeepsLineEndsAndEscapeFromThePlatformAfterCharInput) {
    struct Case {
        bool multiLine;
        const wchar_t* platformSees;
        const wchar_t* text;
    };
    const Case cases[] = {
        {false, L"1234", L"1234"},
        {true,
         L"1\r2\n3\x1b"
         L"4",
         L"1\r\n2\r\n34"},
    };
    const std::wstring typed = L"1\r2\n3\x1b"
                               L"4";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.multiLine ? "multi-line" : "single-line");
        PlatformEditSpy spy;
        ASSERT_TRUE(spy.Installed());
        HostWindow host;
        rg_edit_box edit;
        edit.SetMultiLine(c.multiLine);
        EventRecorder recorder;
        edit.CharInput.Bind(&EventRecorder::WithText<controls_test::kCharInput, uint16_t>,
                            recorder.pointer, 0);
        ControlCreateInfo info = ChildRecord(host, 10, 10, 150, 60, 101);
        ASSERT_EQ(edit.CreateNative(info), 1);
        edit.AttachListener();
        SetFocus(edit.GetWindowHandle());
        Type(edit.GetWindowHandle(), typed);

        std::wstring heard;
        for (const test_support::RaisedEvent& raised : recorder.log) {
            heard += static_cast<wchar_t>(raised.Value(0));
        }
        EXPECT_EQ(heard, typed) << "CharInput hears every unit";
        EXPECT_EQ(PlatformEditSpy::Characters(), c.platformSees);
        EXPECT_EQ(WindowText(edit.GetWindowHandle()), c.text);
    }
}

} // namespace
