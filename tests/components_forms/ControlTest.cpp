#include "components/FontDescription.h"
#include "components/WinControl.h"
#include "native/KeyCode.h"
#include "native/PrivateMessages.h"
#include "runtime/ObjectStream.h"
#include "runtime/TextArray.h"
#include "tests/components_forms/TestControl.h"
#include "tests/support/EventRecorder.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/KeyInput.h"
#include "tests/support/WindowQueries.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

using components_test::CTestControl;
using rg_tarn_MFCJieMian_base::ControlCreateInfo;
using rg_tarn_MFCJieMian_base::CTarnWinControl;
using rg_tarn_MFCJieMian_base::TMouseEvent;

using native_test::CTestNativeWnd;
using native_test::g_liveTestWindows;

using test_support::EventRecorder;
using test_support::RaisedEvent;

// The handler of every event here: target.Calls() lists each call as its tag followed by its
// arguments.
constexpr char kEvent[] = "event";
template <typename... Args> constexpr auto Record = &EventRecorder::Handler<kEvent, Args...>;

using test_support::HeldKeys;

// Top-level windows of the runtime's default class on this thread.
int CountThreadWindows() {
    return test_support::CountThreadWindows(L"TarnWindow");
}

struct LiveControl : testing::Test {
    void SetUp() override {
        ASSERT_EQ(control.CreateInParent(nullptr, 20, 20, 240, 160, 7), 1);
        hwnd = control.GetWindowHandle();
        test_support::PumpMessagesUntilIdle();
    }
    void TearDown() override { test_support::PumpMessagesUntilIdle(); }

    CTestControl control;
    EventRecorder target;
    HWND hwnd = nullptr;
};

using MouseEvents = LiveControl;

TEST_F(MouseEvents, ButtonsAndMovesFromRealMessages) {
    TMouseEvent* const slots[] = {&control.LeftButtonDown,  &control.LeftButtonUp,
                                  &control.LeftDoubleClick, &control.RightButtonDown,
                                  &control.RightButtonUp,   &control.MiddleButtonDown,
                                  &control.MiddleButtonUp,  &control.MouseMove};
    for (int index = 0; index < 8; ++index) {
        slots[index]->Bind(Record<int32_t, int32_t, uint32_t>, target.pointer, index);
    }
    const struct {
        UINT message;
        WPARAM keys;
        bool alt;
        int x, y;
        int64_t tag;
        int64_t modifiers;
    } cases[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, false, 5, 6, 0, 0x2000},
        {WM_LBUTTONUP, MK_SHIFT, true, 7, 8, 1, 0xC000},
        {WM_LBUTTONDBLCLK, 0, false, -3, 4, 2, 0},
        {WM_RBUTTONDOWN, MK_CONTROL | MK_SHIFT, false, 10, -20, 3, 0xA000},
        {WM_RBUTTONUP, 0, true, 0, 0, 4, 0x4000},
        {WM_MBUTTONDOWN, 0, false, 32767, -32768, 5, 0},
        {WM_MBUTTONUP, MK_CONTROL, true, 1, 1, 6, 0x6000},
        {WM_MOUSEMOVE, 0, false, 100, 50, 7, 0},
    };
    for (const auto& test : cases) {
        target.log.clear();
        {
            HeldKeys alt = test.alt ? HeldKeys{VK_MENU} : HeldKeys{};
            SendMessageW(hwnd, test.message, test.keys, MAKELPARAM(test.x, test.y));
        }
        ASSERT_EQ(target.Calls().size(), 1u) << std::hex << test.message;
        EXPECT_EQ(target.Calls()[0],
                  (std::vector<int64_t>{test.tag, test.x, test.y, test.modifiers}))
            << std::hex << test.message;
    }
    // The right double click raises nothing; a consumed message stops there.
    target.log.clear();
    SendMessageW(hwnd, WM_RBUTTONDBLCLK, 0, 0);
    EXPECT_TRUE(target.Calls().empty());
    target.answer = 1;
    const int before = control.Native()->Count(WM_LBUTTONDOWN);
    SendMessageW(hwnd, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(control.Native()->Count(WM_LBUTTONDOWN), before);
}

TEST_F(MouseEvents, WheelNotchesTruncateTowardZero) {
    control.MouseWheel.Bind(Record<int32_t, uint32_t>, target.pointer, 0);
    const struct {
        short delta;
        WPARAM keys;
        int64_t notches;
        int64_t modifiers;
    } cases[] = {{-240, 0, -2, 0},           {60, 0, 0, 0},   {119, 0, 0, 0},
                 {120, MK_SHIFT, 1, 0x8000}, {-119, 0, 0, 0}, {360, MK_CONTROL, 3, 0x2000}};
    for (const auto& test : cases) {
        target.log.clear();
        SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(test.keys, test.delta), MAKELPARAM(30, 30));
        ASSERT_EQ(target.Calls().size(), 1u);
        EXPECT_EQ(target.Calls()[0], (std::vector<int64_t>{0, test.notches, test.modifiers}))
            << test.delta;
    }
}

using KeyEvents = LiveControl;

TEST_F(KeyEvents, KeyDownAndUpCarryNormalisedCodesAndModifiers) {
    control.KeyDown.Bind(Record<uint32_t, uint32_t>, target.pointer, 1);
    control.KeyUp.Bind(Record<uint32_t, uint32_t>, target.pointer, 2);
    const struct {
        UINT message;
        WPARAM key;
        std::vector<int> held;
        std::vector<int64_t> call;
    } cases[] = {
        {WM_KEYDOWN, VK_NUMPAD7, {}, {1, 0x37, 0}},
        {WM_KEYDOWN, VK_DIVIDE, {}, {1, 0xBF, 0}},
        {WM_KEYDOWN, 0x07, {}, {1, 0, 0}},
        {WM_KEYDOWN, VK_CONTROL, {VK_CONTROL}, {1, 0x11, 0}},
        {WM_KEYDOWN, VK_SHIFT, {VK_SHIFT}, {1, 0x10, 0}},
        {WM_KEYDOWN, VK_SHIFT, {VK_SHIFT, VK_CONTROL}, {1, 0x10, 0xA000}},
        {WM_SYSKEYDOWN, 'A', {VK_MENU, VK_CONTROL}, {1, 'A', 0x6000}},
        {WM_KEYUP, VK_F5, {VK_SHIFT}, {2, VK_F5, 0x8000}},
        {WM_SYSKEYUP, VK_RETURN, {VK_MENU}, {2, VK_RETURN, 0x4000}},
    };
    for (const auto& test : cases) {
        target.log.clear();
        BYTE saved[256];
        GetKeyboardState(saved);
        BYTE state[256];
        memcpy(state, saved, sizeof(state));
        for (int key : test.held) {
            state[key] = 0x80;
        }
        SetKeyboardState(state);
        SendMessageW(hwnd, test.message, test.key, 1);
        SetKeyboardState(saved);
        ASSERT_EQ(target.Calls().size(), 1u) << std::hex << test.key;
        EXPECT_EQ(target.Calls()[0], test.call) << std::hex << test.key;
    }
}

TEST_F(KeyEvents, CharInputReplacesAndDropsCharacters) {
    CTestControl edit;
    edit.className = L"EDIT";
    ASSERT_EQ(edit.CreateInParent(nullptr, 0, 0, 200, 30, 0), 1);
    edit.CharInput.Bind(Record<uint16_t>, target.pointer, 0);
    HWND editWindow = edit.GetWindowHandle();

    const struct {
        int32_t answer;
        wchar_t typed;
        const wchar_t* text;
    } steps[] = {
        {0x41, L'a', L"A"}, {0, L'b', L"Ab"}, {-1, L'c', L"Ab"}, {0x4E2D, L'd', L"Ab\x4E2D"}};
    for (const auto& step : steps) {
        target.answer = step.answer;
        SendMessageW(editWindow, WM_CHAR, step.typed, 1);
        EXPECT_EQ(edit.Native()->GetWindowText(), std::wstring(step.text)) << step.answer;
    }
    EXPECT_EQ(target.Calls().size(), 4u);
    EXPECT_EQ(target.Calls()[2], (std::vector<int64_t>{0, L'c'}));
}

using MessageDispatch = LiveControl;

// A MessageReceived handler that takes everything silences every other event
// and the window's own processing, yet the window still goes down properly.
TEST_F(MessageDispatch, MessageReceivedConsumingEverything) {
    control.MessageReceived.Bind(Record<HWND, uint32_t, uint64_t, int64_t, TarnMessage*>,
                                 target.pointer, 4);
    control.LeftButtonDown.Bind(Record<int32_t, int32_t, uint32_t>, target.pointer, 0);
    control.GotFocus.Bind(Record<>, target.pointer, 11);
    target.answer = 1;
    CTestNativeWnd* native = control.Native();
    const size_t reached = native->reachedStep4.size();
    SendMessageW(hwnd, WM_LBUTTONDOWN, 0, MAKELPARAM(3, 4));
    SendMessageW(hwnd, WM_SETFOCUS, 0, 0);
    ASSERT_EQ(target.Calls().size(), 2u);
    EXPECT_EQ(target.Calls()[0][0], 4);
    EXPECT_EQ(target.Calls()[0][2], WM_LBUTTONDOWN);
    EXPECT_EQ(target.Calls()[0][4], MAKELPARAM(3, 4));
    EXPECT_EQ(target.Calls()[1][2], WM_SETFOCUS);
    EXPECT_EQ(native->reachedStep4.size(), reached);

    struct Stray : ITarnWindowProcFilter {
        int32_t FilterMessage(HWND, UINT, WPARAM, LPARAM, LRESULT*) override { return 0; }
    } stray;
    tarn_msg::SendTrustedMessage(hwnd, tarn_msg::kAddFilter, reinterpret_cast<WPARAM>(&stray));
    ASSERT_EQ(native->Filters.GetCount(), 1);
    EXPECT_TRUE(DestroyWindow(hwnd));
    EXPECT_EQ(control.GetWindowHandle(), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    EXPECT_EQ(native->Filters.GetCount(), 0);
    EXPECT_EQ(native->finalDestroys, 1);
}

HDROP MakeDrop(const std::vector<std::wstring>& names) {
    size_t units = 1;
    for (const std::wstring& name : names) {
        units += name.size() + 1;
    }
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + units * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(drop + 1);
    for (const std::wstring& name : names) {
        memcpy(text, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
        text += name.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

std::vector<std::wstring> g_dropped;

int32_t KeepDropped(CTarnObject*, CTarnObject*, int32_t, rg_tarn_base::rg_WenBenShuZuLei* names) {
    g_dropped.clear();
    for (int64_t index = 0; index < names->GetCount(); ++index) {
        g_dropped.emplace_back(reinterpret_cast<const wchar_t*>(names->GetAt(index)));
    }
    return 0;
}

// Names are read whole, also beyond the classic path limit.
TEST_F(MessageDispatch, DroppedFilesArriveWholeInOneEvent) {
    const std::wstring longName = L"C:\\" + std::wstring(400, L'x') + L".bin";
    const std::vector<std::wstring> names = {L"C:\\one.txt", longName, L"D:\\\x6587\x4EF6.aba"};
    DragAcceptFiles(hwnd, TRUE); // only a window that takes drops gets them
    control.FilesDropped.Bind(&KeepDropped, target.pointer, 0);
    SendMessageW(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(names)), 0);
    EXPECT_EQ(g_dropped, names);
    EXPECT_EQ(g_dropped[1].size(), 407u);

    // Without a handler the drop is still finished (released).
    control.FilesDropped.Release();
    g_dropped.clear();
    SendMessageW(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({L"C:\\a"})), 0);
    EXPECT_TRUE(g_dropped.empty());
}

// A global block of flags: a drop header (offset of the names, their kind of
// units) and the bytes behind it.
HGLOBAL MakeBlock(UINT flags, DWORD offset, BOOL wide, const std::vector<unsigned char>& bytes) {
    HGLOBAL memory = GlobalAlloc(flags | GMEM_ZEROINIT, sizeof(DROPFILES) + bytes.size());
    auto* block = static_cast<unsigned char*>(GlobalLock(memory));
    DROPFILES header{};
    header.pFiles = offset;
    header.fWide = wide;
    memcpy(block, &header, sizeof(header));
    if (!bytes.empty()) {
        memcpy(block + sizeof(DROPFILES), bytes.data(), bytes.size());
    }
    GlobalUnlock(memory);
    return memory;
}

std::vector<unsigned char> WideUnits(const std::wstring& units) {
    std::vector<unsigned char> bytes(units.size() * sizeof(wchar_t));
    memcpy(bytes.data(), units.data(), bytes.size());
    return bytes;
}

// A drop is read, and finished (freed), only on a window that takes drops and
// only when its handle is a global block holding a whole drop list. Any other
// handle, a guess or a block of another kind, is ignored and left as it was:
// the tool must never free what another part of it owns.
TEST_F(MessageDispatch, OnlyAWholeDropListOnAWindowThatTakesDropsIsReadAndFreed) {
    constexpr DWORD kHeader = sizeof(DROPFILES);
    const std::vector<unsigned char> wide = WideUnits(std::wstring(L"C:\\a\0D:\\b\0\0", 11));
    const std::vector<unsigned char> unended = WideUnits(std::wstring(L"C:\\a\0D:\\b", 9));
    const struct {
        const char* what;
        bool takesDrops;
        UINT flags;
        DWORD offset;
        BOOL wide;
        std::vector<unsigned char> bytes;
        size_t names; // read and freed when nonzero
    } cases[] = {
        {"wide list", true, GHND, kHeader, TRUE, wide, 2},
        {"narrow list", true, GHND, kHeader, FALSE, {'C', ':', 'a', 0, 0}, 1},
        {"fixed block", true, GMEM_FIXED, kHeader, TRUE, wide, 2},
        {"window takes no drops", false, GHND, kHeader, TRUE, wide, 0},
        {"names start inside the header", true, GHND, 4, TRUE, wide, 0},
        {"names start past the block", true, GHND, 4096, TRUE, wide, 0},
        {"no empty name ends the list", true, GHND, kHeader, TRUE, unended, 0},
        {"a name runs to the end", true, GHND, kHeader, FALSE, {'x', 'y', 'z'}, 0},
        {"just a header", true, GHND, kHeader, TRUE, {}, 0},
    };
    control.FilesDropped.Bind(&KeepDropped, target.pointer, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetWindowLongPtrW(hwnd, GWL_EXSTYLE, c.takesDrops ? WS_EX_ACCEPTFILES : 0);
        HGLOBAL block = MakeBlock(c.flags, c.offset, c.wide, c.bytes);
        const SIZE_T size = GlobalSize(block);
        ASSERT_GT(size, 0u);
        g_dropped.clear();
        SendMessageW(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
        EXPECT_EQ(g_dropped.size(), c.names);
        if (c.names == 0) {
            EXPECT_EQ(GlobalSize(block), size) << "left allocated";
            GlobalFree(block);
        } else if (c.flags != GMEM_FIXED) {
            // A handle freed is no handle; a fixed block's address may be
            // handed out again at once.
            EXPECT_EQ(GlobalSize(block), 0u) << "finished";
        }
    }

    // Blocks smaller than a header, and guessed handles that are no blocks.
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, WS_EX_ACCEPTFILES);
    HGLOBAL small = GlobalAlloc(GHND, 8);
    g_dropped.clear();
    for (const ULONG_PTR guess :
         {reinterpret_cast<ULONG_PTR>(small), ULONG_PTR{0x10}, ULONG_PTR{0x12345678},
          ULONG_PTR{0x7FFF12340000}, ~ULONG_PTR{0}, reinterpret_cast<ULONG_PTR>(&control)}) {
        SendMessageW(hwnd, WM_DROPFILES, static_cast<WPARAM>(guess), 0);
    }
    EXPECT_TRUE(g_dropped.empty());
    EXPECT_EQ(GlobalSize(small), 8u);
    GlobalFree(small);
}

// A handler frees the component (and so the last holder reference) inside a
// message of the component's own window: the window goes at once, the native
// window object only after the message returns, and nothing touches freed memory.
TEST(ComponentLifetime, AComponentFreedInsideItsOwnWindowsMessage) {
    const int liveBefore = g_liveTestWindows;
    auto* control = new CTestControl();
    ASSERT_EQ(control->CreateInParent(nullptr, 0, 0, 100, 100, 0), 1);
    HWND hwnd = control->GetWindowHandle();
    static CTestNativeWnd* native;
    static unsigned canaryAfterFree;
    static bool windowGoneInHandler;
    native = control->Native();
    EventRecorder target;
    target.during = [](EventRecorder&, const RaisedEvent& event) {
        CTarnObject* component = event.component;
        HWND window = native->GetSafeHwnd();
        ::FreeObject(component);
        windowGoneInHandler = !IsWindow(window);
        canaryAfterFree = native->canary;
    };
    control->LeftButtonDown.Bind(Record<int32_t, int32_t, uint32_t>, target.pointer, 0);
    SendMessageW(hwnd, WM_LBUTTONDOWN, 0, 0);
    EXPECT_TRUE(windowGoneInHandler);
    EXPECT_EQ(canaryAfterFree, CTestNativeWnd::kAlive) << "the native object outlives its message";
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(g_liveTestWindows, liveBefore) << "and is deleted when the message returns";
}

TEST(ComponentLifetime, AHolderSharedByTwoComponentsGoesWithTheLastOne) {
    const int windowsBefore = CountThreadWindows();
    auto* first = new CTestControl();
    ASSERT_EQ(first->CreateInParent(nullptr, 0, 0, 100, 100, 0), 1);
    HWND hwnd = first->GetWindowHandle();
    auto* second = new CTestControl();
    CMfcWndObject* ownHolder = second->GetHolder();
    ownHolder->AddRef();
    EXPECT_TRUE(second->CopyFrom(*first));
    EXPECT_EQ(ownHolder->GetRefCount(), 1) << "the old holder was released";
    ownHolder->Release();
    EXPECT_EQ(second->GetHolder(), first->GetHolder());
    EXPECT_EQ(first->GetHolder()->GetRefCount(), 2);
    EXPECT_EQ(CountThreadWindows(), windowsBefore + 1);

    ::FreeObject(first);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(second->GetWindowHandle(), hwnd);
    ::FreeObject(second);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CountThreadWindows(), windowsBefore);
}

TEST(ControlProtocol, EqualityCopiesResetAndStreams) {
    CTestControl a;
    a.ObjectText = CWString(u"name");
    CTestControl b(a);
    EXPECT_TRUE(a.IsEqual(b));
    b.ObjectText = CWString(u"other");
    EXPECT_FALSE(a.IsEqual(b)) << "shared holder, different texts";
    CTestControl c;
    c.ObjectText = CWString(u"name");
    EXPECT_FALSE(a.IsEqual(c)) << "equal texts, different holders";

    EventRecorder target;
    b.KeyDown.Bind(Record<uint32_t, uint32_t>, target.pointer, 0);
    auto* clone = static_cast<CTarnWinControl*>(b.Clone());
    EXPECT_TRUE(clone->IsEqual(b));
    EXPECT_FALSE(clone->KeyDown.IsBound()) << "bindings are never copied";
    EXPECT_EQ(target.pointer->GetRefCount(), 2);
    ::FreeObject(clone);

    CMfcWndObject* shared = a.GetHolder();
    b.Reset();
    EXPECT_NE(b.GetHolder(), shared);
    EXPECT_NE(b.GetHolder(), nullptr);
    EXPECT_TRUE(b.ObjectText.IsEmpty());
    EXPECT_EQ(shared->GetRefCount(), 1);

    a.GetHolder()->PendingText = CWString(u"window text is not streamed");
    CTarnMemoryStream stream;
    a.SaveTo(stream);
    CTestControl loaded;
    loaded.LoadFrom(stream);
    EXPECT_EQ(std::u16string(loaded.ObjectText.GetText()), u"name");
    EXPECT_TRUE(loaded.GetHolder()->PendingText.IsEmpty());
    EXPECT_FALSE(a.CopyFrom(CWString(u"text"))) << "not a component";
}

TEST(ControlText, PendingBeforeCreationLiveAfter) {
    CTestControl control;
    control.SetControlText(CWString(u"before"));
    EXPECT_EQ(std::u16string(control.GetControlText().GetText()), u"before");
    ASSERT_EQ(control.CreateInParent(nullptr, 0, 0, 100, 40, 0), 1);
    EXPECT_EQ(control.Native()->GetWindowText(), L"before")
        << "the pending text is the window text";
    control.SetControlText(CWString(u"after \x4E2D"));
    EXPECT_EQ(std::u16string(control.GetControlText().GetText()), u"after \x4E2D");
    EXPECT_EQ(std::u16string(control.GetHolder()->PendingText.GetText()), u"before");
    SetWindowTextW(control.GetWindowHandle(), L"typed");
    EXPECT_EQ(std::u16string(control.GetControlText().GetText()), u"typed");
}

// A component without a holder answers as one without a window.
TEST(ControlText, AComponentWithoutAHolderHasNoWindow) {
    CTarnWinControl bare;
    bare.SetControlText(CWString(u"lost"));
    EXPECT_TRUE(bare.GetControlText().IsEmpty());
    bare.SetFontDescription(CWString(u", 12"));
    bare.SetHintText(CWString(u"hint"));
    EXPECT_EQ(bare.CreateInParent(nullptr, 0, 0, 10, 10, 0), 0);
    EXPECT_EQ(bare.GetWindowHandle(), nullptr);
    ControlCreateInfo info;
    bare.PrepareCreate(info);
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(info.text), L"");
    EXPECT_EQ(info.font, nullptr);
    TarnMessage message{nullptr, WM_LBUTTONDOWN, 0, 0, 0, {0, 0}};
    EXPECT_EQ(bare.PreprocessMessage(&message), 0);
    bare.Reset();
    EXPECT_EQ(bare.GetHolder(), nullptr);
}

TEST(ControlCreation, CreatedIsRaisedOnlyInsideAnOwner) {
    CTestControl parent;
    EventRecorder target;
    CTestControl orphan;
    orphan.Created.Bind(Record<CTarnWinControl*, int32_t>, target.pointer, 0);
    // The parent has no window yet: the child becomes a top-level window.
    ASSERT_EQ(orphan.CreateInParent(&parent, 0, 0, 50, 20, 101), 1);
    EXPECT_EQ(GetParent(orphan.GetWindowHandle()), nullptr);
    EXPECT_EQ(GetWindowLongW(orphan.GetWindowHandle(), GWL_STYLE) & WS_CHILD, 0);
    EXPECT_TRUE(target.Calls().empty());

    ASSERT_EQ(parent.CreateInParent(nullptr, 0, 0, 300, 200, 0), 1);
    CTestControl child;
    child.Created.Bind(Record<CTarnWinControl*, int32_t>, target.pointer, 5);
    ASSERT_EQ(child.CreateInParent(&parent, 10, 10, 50, 20, 102), 1);
    EXPECT_EQ(GetParent(child.GetWindowHandle()), parent.GetWindowHandle());
    ASSERT_EQ(target.Calls().size(), 1u);
    EXPECT_EQ(target.Calls()[0],
              (std::vector<int64_t>{
                  5, reinterpret_cast<int64_t>(static_cast<CTarnWinControl*>(&parent)), 102}));
    EXPECT_EQ(child.CreateInParent(&parent, 10, 10, 50, 20, 102), 0) << "created already";
    EXPECT_EQ(target.Calls().size(), 1u);
}

TEST(ControlCreation, AfterCreateFixesTabStopBorderAndVisibility) {
    CTestControl edit;
    edit.className = L"EDIT";
    ASSERT_EQ(edit.CreateInParent(nullptr, 0, 0, 100, 24, 0), 1);
    const auto editStyle = static_cast<DWORD>(GetWindowLongW(edit.GetWindowHandle(), GWL_STYLE));
    EXPECT_NE(editStyle & WS_TABSTOP, 0u) << "the edit wants characters";
    EXPECT_EQ(edit.Native()->PageFlags & 1u, 1u) << "visible";
    EXPECT_EQ(SendMessageW(edit.GetWindowHandle(), WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(edit.GetHolder()->GetFont()));
    LOGFONTW font{};
    GetObjectW(edit.GetHolder()->GetFont(), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -static_cast<LONG>(ScreenLogPixelsY() * 9 / 72))
        << "the default 9-point font";

    // A window that gives itself a border while it is created loses it again.
    CTestControl plain;
    plain.GetHolder()->Style = WS_POPUP; // not visible
    EventRecorder target;
    plain.MessageReceived.Bind(
        [](CTarnObject*, CTarnObject*, int32_t, HWND window, uint32_t message, uint64_t, int64_t,
           TarnMessage*) -> int32_t {
            if (message == WM_CREATE) {
                SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) | WS_BORDER);
            }
            return 0;
        },
        target.pointer, 0);
    ASSERT_EQ(plain.CreateInParent(nullptr, 0, 0, 60, 20, 0), 1);
    const auto plainStyle = static_cast<DWORD>(GetWindowLongW(plain.GetWindowHandle(), GWL_STYLE));
    EXPECT_EQ(plainStyle & WS_BORDER, 0u);
    EXPECT_EQ(plainStyle & WS_TABSTOP, 0u) << "it takes no keys";
    EXPECT_EQ(plain.Native()->PageFlags & 1u, 0u) << "hidden";
}

TEST(ControlFont, DescriptionsBecomeLogicalFonts) {
    const LOGFONTW base = DescriptionBaseFont();
    const int32_t dpi = 96;
    const struct {
        const char16_t* description;
        LONG height;
        LONG weight;
        BYTE italic, underline, strikeOut;
        LONG angle;
        const wchar_t* face; // null: the base face
    } cases[] = {
        {u", 12, 0, 0, 0, 0, 0", -16, 400, 0, 0, 0, base.lfEscapement, nullptr},
        {u"Arial, 0", base.lfHeight, base.lfWeight, 0, 0, 0, base.lfEscapement, L"Arial"},
        {u", -12", -16, base.lfWeight, 0, 0, 0, base.lfEscapement, nullptr},
        {u", 9, 1 ,1,1,1, -450", -12, 700, 1, 1, 1, 3150, nullptr},
        {u",,1.0,,,,3600", base.lfHeight, 400, 0, 0, 0, 0, nullptr},
        {u",,,,,,", base.lfHeight, 400, 0, 0, 0, base.lfEscapement, nullptr},
        {u", -2147483648", base.lfHeight, base.lfWeight, 0, 0, 0, base.lfEscapement, nullptr},
        {u", 2147483647", base.lfHeight, base.lfWeight, 0, 0, 0, base.lfEscapement, nullptr},
        {u"\x3000 Tahoma \x3000, 10", -13, base.lfWeight, 0, 0, 0, base.lfEscapement, L"Tahoma"},
        {u"", base.lfHeight, base.lfWeight, 0, 0, 0, base.lfEscapement, nullptr},
    };
    for (const auto& test : cases) {
        LOGFONTW font = base;
        ApplyFontDescription(test.description, dpi, font);
        const auto* what = reinterpret_cast<const wchar_t*>(test.description);
        EXPECT_EQ(font.lfHeight, test.height) << what;
        EXPECT_EQ(font.lfWeight, test.weight) << what;
        EXPECT_EQ(font.lfItalic, test.italic) << what;
        EXPECT_EQ(font.lfUnderline, test.underline) << what;
        EXPECT_EQ(font.lfStrikeOut, test.strikeOut) << what;
        EXPECT_EQ(font.lfEscapement, test.angle) << what;
        EXPECT_EQ(font.lfOrientation, test.angle) << what;
        EXPECT_EQ(std::wstring(font.lfFaceName),
                  std::wstring(test.face ? test.face : base.lfFaceName))
            << what;
    }
    LOGFONTW font = base;
    std::u16string longFace(40, u'F');
    ApplyFontDescription(longFace.c_str(), dpi, font);
    EXPECT_EQ(std::wstring(font.lfFaceName), std::wstring(31, L'F'));
    EXPECT_EQ(base.lfQuality, PROOF_QUALITY);
    EXPECT_EQ(base.lfCharSet, DEFAULT_CHARSET);
}

TEST(ControlFont, ANewFontReplacesTheOldOneOnTheLiveWindow) {
    CTestControl control;
    control.SetFontDescription(CWString(u", 12"));
    HFONT pending = control.GetHolder()->GetFont();
    ASSERT_NE(pending, nullptr);
    control.className = L"STATIC";
    ASSERT_EQ(control.CreateInParent(nullptr, 0, 0, 100, 30, 0), 1);
    EXPECT_EQ(control.Native()->GetFont(), pending) << "the font set before creation is used";
    control.SetFontDescription(CWString(u"Tahoma, 20, 1"));
    HFONT live = control.GetHolder()->GetFont();
    EXPECT_NE(live, pending);
    EXPECT_EQ(control.Native()->GetFont(), live);
    EXPECT_EQ(GetObjectType(pending), 0u) << "the old font is deleted";
    LOGFONTW font{};
    GetObjectW(live, sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -static_cast<LONG>(ScreenLogPixelsY() * 20.0 / 72.0 + 0.5));
    EXPECT_EQ(font.lfWeight, 700);
}

TEST(ControlMessageBox, FocusGoesBackWhereItWas) {
    CTestControl edit;
    edit.className = L"EDIT";
    ASSERT_EQ(edit.CreateInParent(nullptr, 0, 0, 100, 24, 0), 1);
    SetForegroundWindow(edit.GetWindowHandle());
    SetFocus(edit.GetWindowHandle());
    ASSERT_EQ(GetFocus(), edit.GetWindowHandle());
    // The box is dismissed from a timer that fires inside its modal loop.
    test_support::MessageBoxCloser closer({L"Caption"});
    EXPECT_EQ(edit.ShowMessageBox(CWString(u"Message"), CWString(u"Caption")), IDOK);
    EXPECT_EQ(closer.FirstText(), L"Message");
    EXPECT_EQ(GetFocus(), edit.GetWindowHandle());
}

} // namespace
