// The converter's main window seen from another process, as a user meets it:
// its place and size, its eighteen controls, both conversions, the message
// box of missing input, the keyboard, and how it ends.
#include "tests/app_program/MainWindowPrograms.h"
#include "tests/support/ScreenPixels.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using main_window_test::StartedWindow;

constexpr DWORD kFormStyle = 0x16CA0000;   // visible, clip siblings and children, caption,
                                           // system menu, dialog frame, minimise box
constexpr DWORD kGroupStyle = 0x54002307;  // group box, multi-line, caption centred
constexpr DWORD kLabelStyle = 0x54000000;  // child, visible, clip siblings
constexpr DWORD kButtonStyle = 0x54012000; // push button, tab stop, multi-line
constexpr DWORD kEditStyle = 0x54010081;   // tab stop, centred, scrolls horizontally

struct ControlCase {
    int id;
    int parentId; // 0: the main window
    const wchar_t* className;
    const wchar_t* text;
    RECT place; // in the parent's client area: left, top, right, bottom
    DWORD style;
    DWORD exStyle;
};

// clang-format off
const ControlCase kControls[] = {
    {101, 0, L"Button", L"ABA地址转磁道", {10, 218, 602, 346}, kGroupStyle, WS_EX_CONTROLPARENT},
    {102, 101, L"TarnLabel", L"所在磁道", {256, 45, 352, 77}, kLabelStyle, 0},
    {103, 101, L"TarnLabel", L"偏移扇区地址", {371, 45, 467, 77}, kLabelStyle, 0},
    {104, 101, L"TarnLabel", L"SPT", {134, 45, 230, 77}, kLabelStyle, 0},
    {105, 101, L"TarnLabel", L"ABA地址", {13, 45, 109, 77}, kLabelStyle, 0},
    {106, 101, L"Button", L"ABA转换磁道", {480, 77, 576, 109}, kButtonStyle, 0},
    {107, 101, L"Edit", L"", {371, 77, 467, 109}, kEditStyle, WS_EX_CLIENTEDGE},
    {108, 101, L"Edit", L"", {256, 77, 352, 109}, kEditStyle, WS_EX_CLIENTEDGE},
    {109, 101, L"Edit", L"", {134, 77, 230, 109}, kEditStyle, WS_EX_CLIENTEDGE},
    {110, 101, L"Edit", L"", {13, 77, 109, 109}, kEditStyle, WS_EX_CLIENTEDGE},
    {111, 0, L"Button", L"磁道转ABA地址", {10, 45, 602, 173}, kGroupStyle, WS_EX_CONTROLPARENT},
    {112, 111, L"TarnLabel", L"SPT", {134, 38, 230, 70}, kLabelStyle, 0},
    {113, 111, L"TarnLabel", L"磁道", {13, 38, 109, 70}, kLabelStyle, 0},
    {114, 111, L"Edit", L"", {13, 77, 109, 109}, kEditStyle, WS_EX_CLIENTEDGE},
    {115, 111, L"Edit", L"", {134, 75, 230, 107}, kEditStyle, WS_EX_CLIENTEDGE},
    {116, 111, L"Edit", L"", {256, 75, 352, 107}, kEditStyle, WS_EX_CLIENTEDGE},
    {117, 111, L"Button", L"磁道转ABA", {365, 75, 461, 107}, kButtonStyle, 0},
    {118, 111, L"TarnLabel", L"ABA地址", {256, 38, 352, 70}, kLabelStyle, 0},
};
// clang-format on

class MainWindow : public testing::TestWithParam<std::wstring> {
protected:
    void SetUp() override {
        window_ = std::make_unique<StartedWindow>(GetParam());
        ASSERT_NE(window_->form(), nullptr) << "no main window of class TarnWinForm";
    }

    void SetText(int id, const wchar_t* text) {
        SendMessageW(window_->Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    std::wstring Text(int id) { return launch::WindowText(window_->Control(id)); }

    // The colour the screen shows at a point of a control's client area.
    COLORREF ScreenColor(HWND control, int x, int y) {
        return test_support::ScreenPixel(control, x, y);
    }

    std::unique_ptr<StartedWindow> window_;
};

TEST_P(MainWindow, IsCentredWithItsCaptionSizeAndStyle) {
    HWND form = window_->form();
    const std::wstring caption = launch::WindowText(form);
    const std::wstring head = L"Qorvath" + std::wstring(20, L' ') + L"Brindlemoor-";
    ASSERT_EQ(caption.substr(0, head.size()), head);
    const std::wstring phone = caption.substr(head.size());
    EXPECT_FALSE(phone.empty());
    EXPECT_EQ(phone.find_first_not_of(L"0123456789-"), std::wstring::npos) << "a phone number";

    RECT client;
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, 618);
    EXPECT_EQ(client.bottom, 382);
    RECT frame;
    GetWindowRect(form, &frame);
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2);
    EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2);

    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(form, GWL_STYLE)), kFormStyle);
    EXPECT_EQ(GetWindowLongW(form, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, WS_EX_CONTROLPARENT);
}

TEST_P(MainWindow, HasItsEighteenControlsInPlace) {
    for (const ControlCase& c : kControls) {
        SCOPED_TRACE(c.id);
        HWND control = window_->Control(c.id);
        ASSERT_NE(control, nullptr);
        HWND parent = GetParent(control);
        EXPECT_EQ(parent, c.parentId == 0 ? window_->form() : window_->Control(c.parentId));
        EXPECT_EQ(_wcsicmp(launch::ClassNameOf(control).c_str(), c.className), 0)
            << launch::ClassNameOf(control);
        EXPECT_EQ(launch::WindowText(control), c.text);
        RECT place;
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, c.place.left);
        EXPECT_EQ(place.top, c.place.top);
        EXPECT_EQ(place.right, c.place.right);
        EXPECT_EQ(place.bottom, c.place.bottom);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE)), c.style);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE)), c.exStyle);
    }
    // Only these eighteen live in the window.
    EXPECT_EQ(test_support::WindowAndDescendants(window_->form()).size(), 1u + 18u);
}

TEST_P(MainWindow, FiveControlsHaveHints) {
    // The tool tip is a pop-up of the program owned by the main window.
    const std::vector<HWND> tips = test_support::ProcessWindows(window_->program().processId(),
                                                                L"tooltips_class32", nullptr, true);
    ASSERT_FALSE(tips.empty());
    const HWND tip = tips.front();
    EXPECT_EQ(GetWindow(tip, GW_OWNER), window_->form());
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 5); // 105, 109, 110, 114, 115
}

TEST_P(MainWindow, ShowsOutputBoxesInSilverAndInputBoxesInWhite) {
    struct ColorCase {
        int id;
        COLORREF color;
    };
    const ColorCase cases[] = {
        {107, 0xC0C0C0}, {108, 0xC0C0C0}, {116, 0xC0C0C0}, {109, 0xFFFFFF},
        {110, 0xFFFFFF}, {114, 0xFFFFFF}, {115, 0xFFFFFF},
    };
    for (const ColorCase& c : cases) {
        SCOPED_TRACE(c.id);
        HWND edit = window_->Control(c.id);
        RECT client;
        GetClientRect(edit, &client);
        EXPECT_EQ(ScreenColor(edit, client.right / 2, client.bottom / 2), c.color);
    }
    // The labels and the window itself are in the button face colour.
    EXPECT_EQ(ScreenColor(window_->Control(104), 2, 2), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ScreenColor(window_->form(), 5, 5), GetSysColor(COLOR_BTNFACE));
}

struct ConversionCase {
    const char* what;
    int button;
    std::vector<std::pair<int, const wchar_t*>> inputs;
    std::vector<std::pair<int, const wchar_t*>> outputs; // "keep": left as it was
};

// clang-format off
const ConversionCase kConversions[] = {
    {"ABA to track", 106, {{110, L"1000"}, {109, L"63"}}, {{108, L"241"}, {107, L"55"}}},
    {"full-width digits", 106, {{110, L"１０００"}, {109, L"６３"}}, {{108, L"241"}, {107, L"55"}}},
    {"ABA beyond track 1", 106, {{110, L"20000"}, {109, L"63"}}, {{108, L"-61"}, {107, L"29"}}},
    {"ABA beyond 32 bits", 106, {{110, L"99999999999"}, {109, L"1"}}, {{108, L"-99999999743"}, {107, L"0"}}},
    {"ABA of track 1 reads back", 106, {{110, L"4294967295"}, {109, L"16843009"}}, {{108, L"1"}, {107, L"0"}}},
    {"saturated ABA", 106, {{110, L"99999999999999999999"}, {109, L"1"}}, {{108, L"-9223372036854775551"}, {107, L"0"}}},
    {"no ABA changes nothing", 106, {{110, L""}, {109, L"63"}}, {{108, L"keep"}, {107, L"keep"}}},
    {"SPT 0 changes nothing", 106, {{110, L"1000"}, {109, L"0"}}, {{108, L"keep"}, {107, L"keep"}}},
    {"track to ABA", 117, {{115, L"63"}, {114, L"241"}}, {{116, L"945"}}},
    {"track above the base", 117, {{115, L"10"}, {114, L"300"}}, {{116, L"-440"}}},
    {"64-bit ABA", 117, {{115, L"2147483647"}, {114, L"1"}}, {{116, L"547608329985"}}},
    {"groups are independent", 117, {{115, L"63"}, {114, L"241"}, {109, L"7"}, {110, L"5"}}, {{116, L"945"}}},
};
// clang-format on

TEST_P(MainWindow, ButtonsConvertBetweenTheBoxesOfTheirGroup) {
    for (const ConversionCase& c : kConversions) {
        SCOPED_TRACE(c.what);
        for (const auto& [id, text] : c.outputs) {
            SetText(id, L"keep");
        }
        for (const auto& [id, text] : c.inputs) {
            SetText(id, text);
        }
        SendMessageW(window_->Control(c.button), BM_CLICK, 0, 0);
        for (const auto& [id, text] : c.outputs) {
            EXPECT_EQ(Text(id), text) << "box " << id;
        }
    }
}

TEST_P(MainWindow, SpaceOnAFocusedButtonConverts) {
    SetText(110, L"1000");
    SetText(109, L"63");
    HWND button = window_->Control(106);
    window_->PressKey(button, VK_SPACE);
    test_support::WaitUntil([&] { return Text(108) == L"241"; });
    EXPECT_EQ(Text(108), L"241");
    EXPECT_EQ(Text(107), L"55");
}

TEST_P(MainWindow, MissingInputIsReportedInABoxOwnedByTheWindow) {
    SetText(115, L"63");
    SetText(114, L"");
    SetText(116, L"945");
    HWND button = window_->Control(117);
    PostMessageW(button, BM_CLICK, 0, 0); // the box keeps the click from returning
    HWND box = window_->WaitForWindow(L"#32770", L"错误提示");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), window_->form());
    EXPECT_EQ(launch::WindowText(GetDlgItem(box, 0xFFFF)), L"请输入spt数值及另外两个中的一个数值");
    int buttons = 0;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (_wcsicmp(launch::ClassNameOf(child).c_str(), L"Button") == 0 &&
            IsWindowVisible(child)) {
            ++buttons;
        }
    }
    EXPECT_EQ(buttons, 1);
    ASSERT_NE(GetDlgItem(box, IDOK), nullptr);
    EXPECT_EQ(Text(116), L"945") << "the ABA box keeps its text";

    // Clicked as a user clicks it; a posted WM_COMMAND naming the button
    // would be a forged click, which the tool drops.
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(test_support::WaitUntil([&] { return !IsWindow(box); })) << "the box closes";
    test_support::WaitUntil([&] { return window_->Focus() == button; });
    EXPECT_EQ(window_->Focus(), button) << "the focus goes back to the button";
}

TEST_P(MainWindow, TabVisitsButtonsAndEditBoxesInCreationOrder) {
    const std::vector<int> cycle = {106, 107, 108, 109, 110, 114, 115, 116, 117};
    HWND focus = window_->Focus();
    std::vector<int> visited;
    for (int i = 0; i < 11; ++i) {
        window_->PressKey(focus != nullptr ? focus : window_->form(), VK_TAB);
        focus = window_->WaitForFocusToLeave(focus);
        ASSERT_NE(focus, nullptr);
        visited.push_back(GetDlgCtrlID(focus));
    }
    // Wherever the focus started, each Tab moves it one step along the cycle.
    size_t at = 0;
    while (at < cycle.size() && cycle[at] != visited[0]) {
        ++at;
    }
    ASSERT_LT(at, cycle.size()) << "focus on control " << visited[0];
    for (size_t i = 0; i < visited.size(); ++i) {
        EXPECT_EQ(visited[i], cycle[(at + i) % cycle.size()]) << "Tab " << i + 1;
    }
}

struct EndingCase {
    const char* what;
    void (*end)(StartedWindow& window);
};

const EndingCase kEndings[] = {
    {"Escape in an edit box",
     [](StartedWindow& window) { window.PressKey(window.Control(110), VK_ESCAPE); }},
    {"Escape on a button",
     [](StartedWindow& window) { window.PressKey(window.Control(117), VK_ESCAPE); }},
    {"the close box", [](StartedWindow& window) { launch::CloseAsUser(window.form()); }},
};

TEST_P(MainWindow, EscapeAndTheCloseBoxEndTheProgramWithExitCodeZero) {
    window_.reset();
    for (const EndingCase& c : kEndings) {
        SCOPED_TRACE(c.what);
        StartedWindow window(GetParam());
        ASSERT_NE(window.form(), nullptr);
        c.end(window);
        const auto code = window.program().WaitForExit(10000);
        ASSERT_TRUE(code.has_value()) << "still running";
        EXPECT_EQ(*code, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Programs, MainWindow, testing::ValuesIn(main_window_test::Programs()),
                         main_window_test::ProgramName);

} // namespace
