#include "components/LayoutContainer.h"

#include "native/PrivateMessages.h"
#include "native/VWndContainer.h"
#include "tests/components_forms/TestControl.h"
#include "tests/support/EventRecorder.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using components_test::CTestControl;
using rg_tarn_MFCJieMian_base::ControlCreateInfo;
using rg_tarn_MFCJieMian_base::CTarnWinControl;
using rg_tarn_MFCJieMian_base::rg_ZuJianBuJuQi;

constexpr int32_t kDefault = ControlCreateInfo::kDefaultSize;

using test_support::EventRecorder;
using test_support::RaisedEvent;

constexpr char kCreated[] = "ContainerCreated";
constexpr char kDestroying[] = "ContainerDestroying";
constexpr char kDestroyed[] = "ContainerDestroyed";
constexpr char kMoved[] = "Moved";
constexpr char kSizeChanged[] = "SizeChanged";
constexpr char kShown[] = "Shown";
constexpr char kHidden[] = "Hidden";

// A menu command is logged with its id, as "MenuCommand 12".
int32_t NoteMenuCommand(CTarnObject* target, CTarnObject* component, int32_t tag, uint32_t id) {
    return EventRecorder::Of(target)->Record(
        {"MenuCommand " + std::to_string(id), component, tag, {id}, {}});
}

// Binds all eight container events of container to journal.
void Watch(EventRecorder& journal, rg_ZuJianBuJuQi& container) {
    container.ContainerCreated.Bind(&EventRecorder::Handler<kCreated>, journal.pointer, 0);
    container.ContainerDestroying.Bind(&EventRecorder::Handler<kDestroying>, journal.pointer, 0);
    container.ContainerDestroyed.Bind(&EventRecorder::Handler<kDestroyed>, journal.pointer, 0);
    container.Moved.Bind(&EventRecorder::Handler<kMoved>, journal.pointer, 0);
    container.SizeChanged.Bind(&EventRecorder::Handler<kSizeChanged>, journal.pointer, 0);
    container.Shown.Bind(&EventRecorder::Handler<kShown>, journal.pointer, 0);
    container.Hidden.Bind(&EventRecorder::Handler<kHidden>, journal.pointer, 0);
    container.MenuCommand.Bind(&NoteMenuCommand, journal.pointer, 0);
}

using Entries = std::vector<std::string>;

// A layout container designed with a client size, which makes two children
// while its window is being created and notes what it saw then.
class DesignedLayout : public rg_ZuJianBuJuQi {
public:
    DesignedLayout(int32_t width = 618, int32_t height = 382) : width_(width), height_(height) {}

    int32_t GetDesignClientWidth() override { return width_; }
    int32_t GetDesignClientHeight() override { return height_; }
    void OnNativeCreated() override {
        markerDuringCreation = GetWindowLongPtrW(GetWindowHandle(), GWLP_USERDATA);
        if (!makeChildren) {
            return;
        }
        first.CreateInParent(this, 10, 10, 80, 24, 101);
        second.CreateInParent(this, 10, 40, 80, 24, 102);
    }

    bool makeChildren = false;
    LONG_PTR markerDuringCreation = -1;
    CTestControl first;
    CTestControl second;

private:
    int32_t width_;
    int32_t height_;
};

// The window rectangle that the platform gives a client area of the design
// size with this window's own styles.
SIZE PlatformWindowSize(HWND hwnd, int width, int height, BOOL menu) {
    RECT rect = {0, 0, width, height};
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), menu,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

SIZE WindowSize(HWND hwnd) {
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

TEST(LayoutContainerSize, ADefaultSizeIsTheWindowAroundTheDesignClient) {
    rg_ZuJianBuJuQi host;
    ASSERT_EQ(host.CreateInParent(nullptr, 0, 0, 800, 600, 0), 1);
    // A record whose menu object holds no menu.
    rg_ZuJianBuJuQi notAMenu;
    struct Case {
        const char* name;
        uint32_t style;
        bool child;
        int32_t width, height;
        bool design;              // the window is the design client plus its frame
        int32_t expectW, expectH; // otherwise
        CTarnObject* menu = nullptr;
    };
    const Case cases[] = {
        {"framed top-level", WS_OVERLAPPEDWINDOW | WS_VISIBLE, false, kDefault, kDefault, true},
        {"plain pop-up", WS_POPUP | WS_VISIBLE, false, kDefault, 100, true},
        {"bordered child", WS_BORDER | WS_VISIBLE, true, 50, kDefault, true},
        {"captioned child", WS_CAPTION | WS_VISIBLE, true, kDefault, kDefault, true},
        {"explicit size", WS_OVERLAPPEDWINDOW | WS_VISIBLE, false, 300, 200, false, 300, 200},
        {"menu object without a menu", WS_OVERLAPPEDWINDOW | WS_VISIBLE, false, kDefault, kDefault,
         true, 0, 0, &notAMenu},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DesignedLayout layout;
        layout.GetHolder()->Style = c.style;
        ControlCreateInfo info;
        if (c.child) {
            info.parentWindow = host.GetNativeWindow();
            info.owner = &host;
        }
        info.width = c.width;
        info.height = c.height;
        info.menu = c.menu;
        ASSERT_EQ(layout.CreateNative(info), 1);
        HWND hwnd = layout.GetWindowHandle();
        const SIZE expected =
            c.design ? PlatformWindowSize(hwnd, 618, 382, FALSE) : SIZE{c.expectW, c.expectH};
        EXPECT_EQ(WindowSize(hwnd).cx, expected.cx);
        EXPECT_EQ(WindowSize(hwnd).cy, expected.cy);
        EXPECT_EQ(layout.GetCreationWidth(), expected.cx);
        EXPECT_EQ(layout.GetCreationHeight(), expected.cy);
        RECT client = {};
        GetClientRect(hwnd, &client);
        if (c.design) {
            EXPECT_EQ(client.right, 618);
            EXPECT_EQ(client.bottom, 382);
        }
    }
    // Without a design size a default request gives 0 x 0.
    rg_ZuJianBuJuQi plain;
    ASSERT_EQ(plain.CreateInParent(&host, 0, 0, kDefault, 40, 1), 1);
    EXPECT_EQ(WindowSize(plain.GetWindowHandle()).cx, 0);
    EXPECT_EQ(plain.GetCreationWidth(), 0);
    EXPECT_EQ(plain.GetCreationHeight(), 0);
}

TEST(LayoutContainerWindow, StylesClassAndMarker) {
    rg_ZuJianBuJuQi host;
    ASSERT_EQ(host.CreateInParent(nullptr, 0, 0, 400, 300, 0), 1);
    struct Case {
        const char* name;
        uint32_t holderStyle;
        bool child;
        bool transparent;
        uint32_t styleSet, styleClear, exSet, exClear;
    };
    const Case cases[] = {
        {"top-level", WS_OVERLAPPEDWINDOW | WS_VISIBLE, false, false, WS_CAPTION,
         WS_CHILD | WS_TABSTOP, WS_EX_CONTROLPARENT, WS_EX_TRANSPARENT},
        {"child asking for a tab stop", WS_VISIBLE | WS_TABSTOP, true, false, WS_CHILD,
         WS_TABSTOP | WS_POPUP, WS_EX_CONTROLPARENT, WS_EX_TRANSPARENT},
        {"transparent child", WS_VISIBLE, true, true, WS_CHILD, WS_TABSTOP,
         WS_EX_CONTROLPARENT | WS_EX_TRANSPARENT, 0},
        {"pop-up with a parent", WS_POPUP | WS_VISIBLE, true, false, WS_POPUP, WS_CHILD,
         WS_EX_CONTROLPARENT, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rg_ZuJianBuJuQi layout;
        layout.GetHolder()->Style = c.holderStyle;
        layout.GetContainerWindow()->Transparent = c.transparent ? 1 : 0;
        ASSERT_EQ(layout.CreateInParent(c.child ? &host : nullptr, 5, 5, 120, 80, 42), 1);
        HWND hwnd = layout.GetWindowHandle();
        const auto style = static_cast<uint32_t>(GetWindowLongPtrW(hwnd, GWL_STYLE));
        const auto exStyle = static_cast<uint32_t>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
        EXPECT_EQ(style & c.styleSet, c.styleSet) << std::hex << style;
        EXPECT_EQ(style & c.styleClear, 0u) << std::hex << style;
        EXPECT_EQ(exStyle & c.exSet, c.exSet) << std::hex << exStyle;
        EXPECT_EQ(exStyle & c.exClear, 0u) << std::hex << exStyle;
        wchar_t className[32] = {};
        GetClassNameW(hwnd, className, 32);
        EXPECT_STREQ(className, L"TarnContainer");
        EXPECT_EQ(GetClassLongPtrW(hwnd, GCL_STYLE), 0x000B);
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND)),
                  GetStockObject(NULL_BRUSH));
        EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_USERDATA), tarn_msg::kWindowMarker);
        if (c.child && (c.holderStyle & WS_POPUP) == 0) {
            EXPECT_EQ(GetDlgCtrlID(hwnd), 42);
            EXPECT_EQ(GetParent(hwnd), host.GetWindowHandle());
        }
        EXPECT_EQ(SendMessageW(hwnd, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    }
}

TEST(LayoutContainerWindow, PrivateMessagesAreAnsweredWithTheMarkerAndThePageIsKept) {
    rg_ZuJianBuJuQi layout;
    ControlCreateInfo info;
    info.width = 100;
    info.height = 100;
    info.page = 3;
    ASSERT_EQ(layout.CreateNative(info), 1);
    HWND hwnd = layout.GetWindowHandle();
    int32_t value = -7;
    EXPECT_EQ(
        tarn_msg::SendTrustedMessage(hwnd, tarn_msg::kReadPage, reinterpret_cast<WPARAM>(&value)),
        tarn_msg::kWindowMarker);
    EXPECT_EQ(value, 3);
    EXPECT_EQ(tarn_msg::SendTrustedMessage(hwnd, tarn_msg::kReadPageFlag,
                                           reinterpret_cast<WPARAM>(&value)),
              tarn_msg::kWindowMarker);
    EXPECT_EQ(value, 1) << "AfterCreate recorded the visible window";
    EXPECT_EQ(SendMessageW(hwnd, tarn_msg::kSetPage, 9, tarn_msg::kWindowMarker),
              tarn_msg::kWindowMarker);
    EXPECT_EQ(SendMessageW(hwnd, tarn_msg::kSetPage, 9, 0), 0) << "no marker, no answer";

    // Creating again fails but still stores the record's page.
    info.page = 5;
    EXPECT_EQ(layout.CreateNative(info), 0);
    EXPECT_EQ(layout.GetWindowHandle(), hwnd);
    tarn_msg::SendTrustedMessage(hwnd, tarn_msg::kReadPage, reinterpret_cast<WPARAM>(&value));
    EXPECT_EQ(value, 5);
}

TEST(LayoutContainerCreation, ChildrenAreMadeInsideTheContainersCreation) {
    EventRecorder journal;
    DesignedLayout layout;
    layout.makeChildren = true;
    Watch(journal, layout);
    struct ChildJournal {
        static int32_t Created(CTarnObject* target, CTarnObject* component, int32_t tag,
                               CTarnWinControl*, int32_t id) {
            EventRecorder::Of(target)->Record(
                {"child " + std::to_string(tag) + " id " + std::to_string(id), component, tag});
            return 0;
        }
    };
    layout.first.Created.Bind(&ChildJournal::Created, journal.pointer, 1);
    layout.second.Created.Bind(&ChildJournal::Created, journal.pointer, 2);

    layout.GetHolder()->Style = WS_POPUP; // hidden: no show, size or move events
    ASSERT_EQ(layout.CreateInParent(nullptr, 0, 0, kDefault, kDefault, 0), 1);
    HWND hwnd = layout.GetWindowHandle();
    // The platform's own size and move messages follow the creation message.
    EXPECT_EQ(journal.TakeNames(), (Entries{"child 1 id 101", "child 2 id 102", "ContainerCreated",
                                            "SizeChanged", "Moved"}));
    EXPECT_EQ(layout.markerDuringCreation, 0) << "the marker is set after the creation returns";
    EXPECT_EQ(GetParent(layout.first.GetWindowHandle()), hwnd);
    EXPECT_EQ(GetParent(layout.second.GetWindowHandle()), hwnd);
    EXPECT_EQ(GetDlgCtrlID(layout.second.GetWindowHandle()), 102);

    // A second creation neither makes a window nor raises ContainerCreated.
    ControlCreateInfo again;
    EXPECT_EQ(layout.CreateNative(again), 0);
    EXPECT_TRUE(journal.TakeNames().empty());
}

TEST(LayoutContainerEvents, WhatHappensToTheWindowInOrder) {
    EventRecorder journal;
    auto* layout = new rg_ZuJianBuJuQi();
    Watch(journal, *layout);
    layout->GetHolder()->Style = WS_POPUP; // created hidden
    ASSERT_EQ(layout->CreateInParent(nullptr, 10, 10, 100, 80, 0), 1);
    HWND hwnd = layout->GetWindowHandle();
    EXPECT_EQ(journal.TakeNames(), (Entries{"ContainerCreated", "SizeChanged", "Moved"}));

    struct Step {
        const char* name;
        void (*act)(HWND);
        Entries expected;
        LRESULT answer = 0;
    };
    const Step steps[] = {
        {"show", [](HWND w) { ShowWindow(w, SW_SHOWNA); }, {"Shown"}},
        {"move",
         [](HWND w) { SetWindowPos(w, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER); },
         {"Moved"}},
        {"resize",
         [](HWND w) { SetWindowPos(w, nullptr, 0, 0, 150, 90, SWP_NOMOVE | SWP_NOZORDER); },
         {"SizeChanged"}},
        {"hide", [](HWND w) { ShowWindow(w, SW_HIDE); }, {"Hidden"}},
        {"menu command",
         [](HWND w) { SendMessageW(w, WM_COMMAND, MAKEWPARAM(7, 0), 0); },
         {"MenuCommand 7"}},
        {"accelerator",
         [](HWND w) { SendMessageW(w, WM_COMMAND, MAKEWPARAM(0xFFFF, 1), 0); },
         {"MenuCommand 65535"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act(hwnd);
        test_support::PumpMessagesUntilIdle();
        EXPECT_EQ(journal.TakeNames(), step.expected);
    }
    // A control's notification is no menu command.
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(3, BN_CLICKED), reinterpret_cast<LPARAM>(hwnd));
    EXPECT_TRUE(journal.TakeNames().empty());
    // The listener tells whether the handler took the command.
    journal.answer = 0;
    EXPECT_EQ(layout->OnWindowCommand(12), 0);
    journal.answer = 5;
    EXPECT_EQ(layout->OnWindowCommand(12), 1);
    layout->MenuCommand.Release();
    EXPECT_EQ(layout->OnWindowCommand(12), 0) << "no handler: the routing goes on";
    journal.TakeNames();

    // A handler of ContainerDestroying frees the container: the window goes,
    // nothing is raised for the freed component any more.
    journal.during = [](EventRecorder&, const RaisedEvent& event) {
        if (event.name == kDestroying) {
            ::FreeObject(event.component);
        }
    };
    DestroyWindow(hwnd);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(journal.TakeNames(), (Entries{"ContainerDestroying"}));
}

TEST(LayoutContainerEvents, DestroyingTheWindowThenRecreatingIt) {
    EventRecorder journal;
    rg_ZuJianBuJuQi layout;
    layout.GetHolder()->Style = WS_POPUP;
    Watch(journal, layout);
    ASSERT_EQ(layout.CreateInParent(nullptr, 0, 0, 60, 60, 0), 1);
    journal.TakeNames();
    layout.GetNativeWindow()->DestroyWindow();
    EXPECT_EQ(journal.TakeNames(), (Entries{"ContainerDestroying", "ContainerDestroyed"}));
    EXPECT_FALSE(layout.HasNativeWindow());
    // The native window object lives on in the holder and makes a new window.
    ASSERT_EQ(layout.CreateInParent(nullptr, 0, 0, 60, 60, 0), 1);
    EXPECT_EQ(journal.TakeNames(), (Entries{"ContainerCreated", "SizeChanged", "Moved"}));
    EXPECT_EQ(GetWindowLongPtrW(layout.GetWindowHandle(), GWLP_USERDATA), tarn_msg::kWindowMarker);
}

TEST(LayoutContainerProtocol, CopiesShareTheWindowButNotItsEvents) {
    EventRecorder originalJournal;
    EventRecorder copyJournal;
    rg_ZuJianBuJuQi original;
    Watch(originalJournal, original);
    ASSERT_EQ(original.CreateInParent(nullptr, 0, 0, 60, 60, 0), 1);
    HWND hwnd = original.GetWindowHandle();
    originalJournal.TakeNames();

    rg_ZuJianBuJuQi copy;
    EXPECT_TRUE(copy.CopyFrom(original));
    EXPECT_EQ(copy.GetWindowHandle(), hwnd);
    EXPECT_TRUE(copy.IsEqual(original));
    EXPECT_FALSE(copy.ContainerCreated.IsBound()) << "bindings are not copied";
    EXPECT_FALSE(copy.MenuCommand.IsBound()) << "bindings are not copied";
    EXPECT_EQ(copy.IsListenerAttached(), 1) << "the original still listens";

    // The window reports to the component that created it, not to the copy.
    Watch(copyJournal, copy);
    SetWindowPos(hwnd, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(originalJournal.TakeNames(), (Entries{"Moved"}));
    EXPECT_TRUE(copyJournal.TakeNames().empty());

    // Not a layout container: refused and unchanged.
    CTestControl control;
    EXPECT_FALSE(copy.CopyFrom(control));
    EXPECT_EQ(copy.GetWindowHandle(), hwnd);

    auto* clone = static_cast<rg_ZuJianBuJuQi*>(original.Clone());
    EXPECT_EQ(clone->GetWindowHandle(), hwnd);
    EXPECT_EQ(clone->GetHolder()->GetRefCount(), original.GetHolder()->GetRefCount());
    ::FreeObject(clone);

    // Reset gives a fresh holder with an uncreated window.
    copy.Reset();
    EXPECT_FALSE(copy.HasNativeWindow());
    EXPECT_NE(copy.GetContainerWindow(), nullptr);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_STREQ(copy.GetClassInfo().name, "rg_tarn_MFCJieMian_base::rg_ZuJianBuJuQi");
}

// When the component goes first, the window that a copy keeps alive no
// longer reports to it.
TEST(LayoutContainerProtocol, AWindowOutlivingItsComponentStopsReporting) {
    EventRecorder journal;
    auto* first = new rg_ZuJianBuJuQi();
    Watch(journal, *first);
    ASSERT_EQ(first->CreateInParent(nullptr, 0, 0, 60, 60, 0), 1);
    journal.TakeNames();
    rg_ZuJianBuJuQi keeper;
    keeper.CopyFrom(*first);
    HWND hwnd = first->GetWindowHandle();
    ::FreeObject(first);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(keeper.IsListenerAttached(), 0);
    SetWindowPos(hwnd, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(journal.TakeNames().empty());
}

} // namespace
