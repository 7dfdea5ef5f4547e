#include "native/FocusFirstChild.h"

#include "tests/native/ContainerTestWindows.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// One child of the window under test: its class, style, and the index of
// the child it is created in (-1: the window itself).
struct Child {
    const wchar_t* className;
    DWORD style;
    int parent = -1;
};

struct Layout {
    const char* name;
    std::vector<Child> children;
    int expected; // index of the child that gets the focus
};

constexpr DWORD kShown = WS_VISIBLE;

TEST(FocusFirstChild, GoesToTheFirstKeyTakerThenTheFirstTabStopThenTheFirstChild) {
    const Layout layouts[] = {
        {"an edit after a label", {{L"STATIC", kShown}, {L"EDIT", kShown}}, 1},
        {"a key taker wins over an earlier tab stop",
         {{L"BUTTON", kShown | WS_TABSTOP}, {L"STATIC", kShown}, {L"EDIT", kShown}},
         2},
        {"no key taker: the first tab stop",
         {{L"STATIC", kShown}, {L"BUTTON", kShown | WS_TABSTOP}, {L"BUTTON", kShown | WS_TABSTOP}},
         1},
        {"neither: the first child", {{L"STATIC", kShown}, {L"BUTTON", kShown}}, 0},
        {"hidden and disabled edits are passed over",
         {{L"EDIT", 0}, {L"EDIT", kShown | WS_DISABLED}, {L"EDIT", kShown}},
         2},
        {"depth first: a child's children before its next sibling",
         {{L"STATIC", kShown}, {L"EDIT", kShown, 0}, {L"EDIT", kShown}},
         1},
        {"nothing inside a hidden child",
         {{L"STATIC", 0}, {L"EDIT", kShown, 0}, {L"BUTTON", kShown | WS_TABSTOP}},
         2},
        {"nothing inside a disabled child",
         {{L"STATIC", kShown}, {L"STATIC", kShown | WS_DISABLED}, {L"EDIT", kShown, 1}},
         0},
        {"a tab stop deep inside", {{L"STATIC", kShown}, {L"BUTTON", kShown | WS_TABSTOP, 0}}, 1},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        CWnd window;
        ASSERT_TRUE(window.CreateEx(0, container_test::PlainClassName(), L"focus",
                                    WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
        std::vector<HWND> made;
        for (const Child& child : layout.children) {
            HWND parent = child.parent < 0 ? window.GetSafeHwnd() : made[child.parent];
            made.push_back(container_test::CreatePlainChild(parent, child.className, child.style,
                                                            static_cast<int>(made.size()) + 1));
            ASSERT_NE(made.back(), nullptr);
        }
        EXPECT_EQ(FocusFirstChild(window.GetSafeHwnd()), made[layout.expected]);
        EXPECT_EQ(GetFocus(), made[layout.expected]);
    }
}

TEST(FocusFirstChild, AHiddenOrChildlessWindowGivesItsFirstChildOrNothing) {
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, container_test::PlainClassName(), L"focus",
                                WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
    HWND edit = container_test::CreatePlainChild(window.GetSafeHwnd(), L"EDIT", kShown, 1);
    // A hidden panel with a label and an edit: its first child is chosen,
    // without a search.
    HWND panel = container_test::CreatePlainChild(window.GetSafeHwnd(), L"STATIC", 0, 2);
    HWND label = container_test::CreatePlainChild(panel, L"STATIC", kShown, 3);
    container_test::CreatePlainChild(panel, L"EDIT", kShown, 4);
    EXPECT_EQ(FocusFirstChild(panel), label);

    SetFocus(edit);
    HWND childless = container_test::CreatePlainChild(window.GetSafeHwnd(), L"STATIC", kShown, 5);
    EXPECT_EQ(FocusFirstChild(childless), nullptr);
    EXPECT_EQ(GetFocus(), edit) << "the focus moved although there was nowhere to go";
    EXPECT_EQ(FocusFirstChild(nullptr), nullptr);
}

} // namespace
