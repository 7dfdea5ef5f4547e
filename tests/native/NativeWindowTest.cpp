#include "native/MfcWndObject.h"
#include "native/PrivateMessages.h"
#include "native/TarnWnd.h"
#include "native/WindowClass.h"
#include "native/WindowProcFilters.h"
#include "tests/native/TestNativeWindow.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

using native_test::CTestNativeWnd;
using native_test::g_liveTestWindows;

constexpr LPARAM kMarker = tarn_msg::kWindowMarker;

// A filter that runs a callback, logs its name and consumes what it is told to.
class LoggingFilter : public ITarnWindowProcFilter {
public:
    LoggingFilter(char name, std::vector<char>* log) : name_(name), log_(log) {}

    int32_t FilterMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT* result) override {
        log_->push_back(name_);
        if (onMessage) {
            onMessage();
        }
        if (message == consumes) {
            *result = answer;
            return 1;
        }
        return 0;
    }

    UINT consumes = 0;
    LRESULT answer = 0;
    std::function<void()> onMessage;

private:
    char name_;
    std::vector<char>* log_;
};

HWND kSomeWindow = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));

TEST(WindowProcFilters, AddRemoveAndDispatchFollowTheListRules) {
    std::vector<char> log;
    LoggingFilter a('a', &log), b('b', &log), c('c', &log);
    CTarnWindowProcFilters filters;

    filters.Add(&a);
    filters.Add(&b);
    filters.Add(&a); // listed already: still one node
    filters.Add(nullptr);
    EXPECT_EQ(filters.GetCount(), 2);
    EXPECT_EQ(filters.Remove(&c), 0);
    filters.Add(&c);

    LRESULT result = 0;
    EXPECT_EQ(filters.Dispatch(kSomeWindow, WM_USER, 0, 0, &result), 0);
    EXPECT_EQ(log, (std::vector<char>{'c', 'b', 'a'})) << "most recently added first";

    log.clear();
    b.consumes = WM_USER;
    b.answer = 77;
    EXPECT_EQ(filters.Dispatch(kSomeWindow, WM_USER, 0, 0, &result), 1);
    EXPECT_EQ(result, 77);
    EXPECT_EQ(log, (std::vector<char>{'c', 'b'})) << "the walk stops at the consumer";

    log.clear();
    EXPECT_EQ(filters.Dispatch(nullptr, WM_USER, 0, 0, &result), 0);
    EXPECT_TRUE(log.empty()) << "no window, no filter asked";

    EXPECT_EQ(filters.Remove(&b), 1);
    EXPECT_EQ(filters.Remove(&b), 0);
    EXPECT_EQ(filters.Remove(nullptr), 1);
    EXPECT_EQ(filters.GetCount(), 0);
}

// A filter may take itself, the next filter or all of them out while the
// list is being walked; the walk goes on over live nodes only.
TEST(WindowProcFilters, FiltersRemovedDuringTheWalkAreNotAskedAndNotTouched) {
    struct Case {
        const char* what;
        int remover;           // index of the filter that removes
        int removed;           // index it removes; -1 = all (Remove(null))
        std::vector<char> log; // asked in this order
        int64_t left;
    };
    // Listed order after adding a, b, c: c, b, a.
    const Case cases[] = {
        {"itself", 1, 1, {'c', 'b', 'a'}, 2},
        {"the next one", 1, 0, {'c', 'b'}, 2},
        {"one already asked", 1, 2, {'c', 'b', 'a'}, 2},
        {"all of them", 2, -1, {'c'}, 0},
    };
    for (const Case& test : cases) {
        std::vector<char> log;
        LoggingFilter filters[] = {{'a', &log}, {'b', &log}, {'c', &log}};
        CTarnWindowProcFilters list;
        for (LoggingFilter& filter : filters) {
            list.Add(&filter);
        }
        filters[test.remover].onMessage = [&] {
            list.Remove(test.removed < 0 ? nullptr : &filters[test.removed]);
        };
        LRESULT result = 0;
        EXPECT_EQ(list.Dispatch(kSomeWindow, WM_USER, 0, 0, &result), 0) << test.what;
        EXPECT_EQ(log, test.log) << test.what;
        EXPECT_EQ(list.GetCount(), test.left) << test.what;
        log.clear();
        list.Dispatch(kSomeWindow, WM_USER, 0, 0, &result);
        EXPECT_EQ(static_cast<int64_t>(log.size()), test.left) << test.what << ", second walk";
    }
}

// A listener that records what it was offered and may consume, change the
// parameters or destroy the window.
class RecordingListener : public IBaseEventListener {
public:
    int32_t OnPreprocess(TarnMessage* message) override {
        offered.push_back(message->message);
        if (onMessage) {
            return onMessage(message);
        }
        return 0;
    }
    std::vector<UINT> offered;
    std::function<int32_t(TarnMessage*)> onMessage;
};

struct NativeWindowFixture : testing::Test {
    void SetUp() override {
        wnd = new CTestNativeWnd();
        ASSERT_TRUE(wnd->Create(L"native", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 120));
        hwnd = wnd->GetSafeHwnd();
    }
    void TearDown() override {
        if (wnd != nullptr) {
            wnd->DestroyWindow();
            wnd->DeleteAfterDispatch();
        }
        test_support::PumpMessagesUntilIdle();
    }
    CTestNativeWnd* wnd = nullptr;
    HWND hwnd = nullptr;
};

using PrivateMessages = NativeWindowFixture;

TEST_F(PrivateMessages, MarkedMessagesSetAndReadPageAndPageFlags) {
    int32_t value = 99;
    EXPECT_EQ(wnd->Page, -1);
    EXPECT_EQ(
        tarn_msg::SendTrustedMessage(hwnd, tarn_msg::kReadPage, reinterpret_cast<WPARAM>(&value)),
        kMarker);
    EXPECT_EQ(value, -1) << "a new window is on no page";

    struct Step {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT answer;
        int32_t page;
        uint32_t pageFlags;
    };
    const Step steps[] = {
        {tarn_msg::kSetPageFlag, 1, kMarker, kMarker, -1, 1},
        {tarn_msg::kSetPageFlag, 0, 0, 0, -1, 1}, // no marker: not the protocol
        {tarn_msg::kSetPage, 3, kMarker, kMarker, 3, 1},
        {tarn_msg::kSetPage, static_cast<WPARAM>(-2), kMarker, kMarker, -2, 1},
        {tarn_msg::kSetPageFlag, 0, kMarker, kMarker, -2, 0},
        {tarn_msg::kSetPage, 7, kMarker + 1, 0, -2, 0},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(SendMessageW(hwnd, step.message, step.wParam, step.lParam), step.answer)
            << std::hex << step.message;
        EXPECT_EQ(wnd->Page, step.page) << std::hex << step.message;
        EXPECT_EQ(wnd->PageFlags, step.pageFlags) << std::hex << step.message;
    }

    SendMessageW(hwnd, tarn_msg::kSetPageFlag, 1, kMarker);
    SendMessageW(hwnd, tarn_msg::kSetPage, 3, kMarker);
    int32_t flag = -5;
    EXPECT_EQ(tarn_msg::SendTrustedMessage(hwnd, tarn_msg::kReadPageFlag,
                                           reinterpret_cast<WPARAM>(&flag)),
              kMarker);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(
        tarn_msg::SendTrustedMessage(hwnd, tarn_msg::kReadPage, reinterpret_cast<WPARAM>(&value)),
        kMarker);
    EXPECT_EQ(value, 3);
    // Without the marker, or with a null pointer, the protocol does not answer.
    flag = -5;
    EXPECT_EQ(tarn_msg::SendTrustedMessage(hwnd, tarn_msg::kReadPageFlag,
                                           reinterpret_cast<WPARAM>(&flag), 0),
              0);
    EXPECT_EQ(flag, -5);
    EXPECT_EQ(tarn_msg::SendTrustedMessage(hwnd, tarn_msg::kReadPage, 0), 0);
}

// Pointers in private messages are followed only for the runtime's own sends
// on the window's thread: a plain send, a post or a send from another thread
// with the public marker writes nothing.
TEST_F(PrivateMessages, PointerMessagesFromOtherSendersAreIgnored) {
    SendMessageW(hwnd, tarn_msg::kSetPage, 5, kMarker);
    int32_t value = -100;
    const WPARAM pointer = reinterpret_cast<WPARAM>(&value);

    EXPECT_EQ(SendMessageW(hwnd, tarn_msg::kReadPage, pointer, kMarker), 0) << "plain send";
    EXPECT_EQ(value, -100);

    LRESULT fromThread = -1;
    // The other thread's send is delivered while this thread looks at its queue.
    test_support::AnswerSendsDuring(
        [&] { fromThread = SendMessageW(hwnd, tarn_msg::kReadPage, pointer, kMarker); });
    EXPECT_EQ(fromThread, 0) << "sent from another thread";
    EXPECT_EQ(value, -100);

    ASSERT_TRUE(PostMessageW(hwnd, tarn_msg::kReadPage, pointer, kMarker));
    test_support::PumpMessagesUntilIdle();
    EXPECT_EQ(value, -100) << "posted";

    // A filter cannot be slipped in from outside either.
    std::vector<char> log;
    LoggingFilter intruder('x', &log);
    EXPECT_EQ(
        SendMessageW(hwnd, tarn_msg::kAddFilter, reinterpret_cast<WPARAM>(&intruder), kMarker), 0);
    EXPECT_EQ(wnd->Filters.GetCount(), 0);

    EXPECT_EQ(tarn_msg::SendTrustedMessage(hwnd, tarn_msg::kReadPage, pointer), kMarker);
    EXPECT_EQ(value, 5) << "our own send";
}

using NativeWindowProc = NativeWindowFixture;

TEST_F(NativeWindowProc, FiltersComeFirstThenTheListenerThenTheWindow) {
    std::vector<char> log;
    LoggingFilter filter('f', &log);
    filter.consumes = WM_USER + 1;
    filter.answer = 41;
    EXPECT_EQ(
        tarn_msg::SendTrustedMessage(hwnd, tarn_msg::kAddFilter, reinterpret_cast<WPARAM>(&filter)),
        kMarker);
    RecordingListener listener;
    wnd->AttachListener(&listener);
    listener.onMessage = [](TarnMessage* message) -> int32_t {
        if (message->message == WM_USER + 2) {
            return 1;
        }
        if (message->message == WM_CHAR) {
            message->wParam = 'Z'; // the window sees the changed message
        }
        return 0;
    };

    EXPECT_EQ(SendMessageW(hwnd, WM_USER + 1, 0, 0), 41);
    EXPECT_EQ(listener.offered.size(), 0u) << "a consumed message goes no further";
    EXPECT_EQ(SendMessageW(hwnd, WM_USER + 2, 0, 0), 0);
    EXPECT_EQ(wnd->Count(WM_USER + 2), 0) << "the listener consumed it";
    SendMessageW(hwnd, WM_CHAR, 'a', 0);
    EXPECT_EQ(wnd->lastChar, static_cast<WPARAM>('Z'));
    EXPECT_EQ(log.size(), 3u);

    EXPECT_EQ(tarn_msg::SendTrustedMessage(hwnd, tarn_msg::kRemoveFilter,
                                           reinterpret_cast<WPARAM>(&filter)),
              kMarker);
    EXPECT_EQ(SendMessageW(hwnd, WM_USER + 1, 0, 0), 0);
    EXPECT_EQ(wnd->Count(WM_USER + 1), 1);
    wnd->DetachListener(&listener);
}

TEST_F(NativeWindowProc, AListenerThatDestroysTheWindowEndsTheMessage) {
    RecordingListener listener;
    wnd->AttachListener(&listener);
    listener.onMessage = [this](TarnMessage* message) -> int32_t {
        if (message->message == WM_USER + 5) {
            wnd->DestroyWindow();
        }
        return 0;
    };
    EXPECT_EQ(SendMessageW(hwnd, WM_USER + 5, 0, 0), 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(wnd->Count(WM_USER + 5), 0);
    EXPECT_EQ(wnd->finalDestroys, 1);
    EXPECT_EQ(wnd->GetSafeHwnd(), nullptr);
}

// The last message's bookkeeping runs even when a filter and the listener
// take every message: the handle leaves the map, the filters are emptied and
// the final-destroy hook runs.
TEST_F(NativeWindowProc, FinalDestroyBookkeepingRunsWhenEverythingIsConsumed) {
    std::vector<char> log;
    LoggingFilter everything('e', &log);
    RecordingListener listener;
    listener.onMessage = [](TarnMessage*) -> int32_t { return 1; };
    wnd->AttachListener(&listener);
    tarn_msg::SendTrustedMessage(hwnd, tarn_msg::kAddFilter, reinterpret_cast<WPARAM>(&everything));
    everything.consumes = WM_NCDESTROY;

    const size_t before = wnd->reachedStep4.size();
    EXPECT_TRUE(DestroyWindow(hwnd));
    EXPECT_EQ(wnd->GetSafeHwnd(), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    EXPECT_EQ(wnd->Filters.GetCount(), 0);
    EXPECT_EQ(wnd->finalDestroys, 1);
    EXPECT_EQ(wnd->reachedStep4.size(), before) << "nothing reached the window's own processing";
    wnd->DetachListener(&listener);
}

TEST(NativeHolder, FinalReleaseDestroysTheWindowThroughTheObject) {
    const int liveBefore = g_liveTestWindows;
    {
        auto* holder = new CMfcWndObject(new CTestNativeWnd());
        EXPECT_EQ(holder->Style, 0x14000000u);
        EXPECT_FALSE(holder->HasWindow());
        holder->Release(); // never created: no window call, the object goes
        EXPECT_EQ(g_liveTestWindows, liveBefore);
    }
    auto* native = new CTestNativeWnd();
    auto* holder = new CMfcWndObject(native);
    ASSERT_TRUE(native->Create(L"held", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100));
    HWND hwnd = native->GetSafeHwnd();
    holder->AddRef();
    EXPECT_FALSE(holder->Release());
    EXPECT_TRUE(IsWindow(hwnd)) << "a reference is left";

    // The window's messages reach the object up to the last one.
    std::vector<UINT> seen;
    struct Spy : IBaseEventListener {
        std::vector<UINT>* seen;
        int32_t OnPreprocess(TarnMessage* message) override {
            seen->push_back(message->message);
            return 0;
        }
    } spy;
    spy.seen = &seen;
    native->AttachListener(&spy);
    EXPECT_TRUE(holder->Release());
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_DESTROY)), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_NCDESTROY)), seen.end());
    EXPECT_EQ(g_liveTestWindows, liveBefore);
}

TEST(NativeHolder, ForgettingTheNativeWindowLeavesTheObjectToItsOtherOwner) {
    CTestNativeWnd native;
    auto* holder = new CMfcWndObject(&native);
    ASSERT_TRUE(native.Create(L"kept", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100));
    HWND hwnd = native.GetSafeHwnd();
    holder->ForgetNativeWindow = 1;
    holder->Release();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(native.canary, CTestNativeWnd::kAlive);
    EXPECT_EQ(native.finalDestroys, 1);
}

HFONT MakeFont(int height) {
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
}

TEST(NativeHolder, AReplacedFontIsDeletedOnlyAfterTheWindowHasTheNewOne) {
    auto* native = new CTestNativeWnd();
    auto* holder = new CMfcWndObject(native);
    ASSERT_TRUE(
        native->Create(L"font", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, 0, 0, L"STATIC"));
    HFONT first = MakeFont(-12);
    HFONT second = MakeFont(-20);
    holder->SetFont(first);
    EXPECT_EQ(native->GetFont(), first);
    holder->SetFont(second);
    EXPECT_EQ(native->GetFont(), second);
    EXPECT_EQ(GetObjectType(first), 0u) << "the old font is deleted";
    EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_FONT));
    holder->Release();
    EXPECT_EQ(GetObjectType(second), 0u) << "the holder's font goes with it";
}

TEST(WindowClassRegistration, OneClassPerNameWithTheRuntimeDefaults) {
    EXPECT_STREQ(RegisterTarnWindowClass(nullptr), L"TarnWindow");
    EXPECT_STREQ(RegisterTarnWindowClass(L""), L"TarnWindow");
    EXPECT_STREQ(RegisterTarnWindowClass(L"TarnTestClass"), L"TarnTestClass");
    EXPECT_STREQ(RegisterTarnWindowClass(L"TarnTestClass"), L"TarnTestClass");
    WNDCLASSEXW info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"TarnTestClass", &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
    EXPECT_EQ(info.hbrBackground, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(info.hIcon, nullptr);
}

} // namespace
