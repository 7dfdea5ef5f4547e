#include "native/EditSpin.h"
#include "components/EditBox.h"
#include "native/VWndEdit.h"
#include "native/WindowProcFilters.h"
#include "tests/components_controls/ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using namespace rg_tarn_MFCJieMian_base;
using controls_test::ChildRecord;
using controls_test::HostWindow;
using test_support::EventRecorder;
using test_support::PumpMessagesUntilIdle;
using test_support::WindowText;

// An edit with a spin in one host.
struct SpinFixture {
    HostWindow host;
    rg_edit_box edit;
    bool created = false;

    SpinFixture(int64_t mode, int64_t spinMin, int64_t spinMax) {
        edit.SetSpinMode(mode);
        edit.SetSpinRange(spinMin, spinMax);
        ControlCreateInfo info = ChildRecord(host, 20, 20, 120, 30, 101);
        created = edit.CreateNative(info) == 1 && spin() != nullptr;
        PumpMessagesUntilIdle();
    }
    HWND hwnd() const { return edit.GetWindowHandle(); }
    HWND spin() const { return edit.GetEditWindow()->GetSpin().GetSafeHwnd(); }
    // Clicks the spin's upper (up) or lower (down) arrow with the mouse.
    void Click(bool up) {
        RECT rect{};
        GetClientRect(spin(), &rect);
        const LPARAM at = MAKELPARAM(rect.right / 2, up ? 2 : rect.bottom - 3);
        SendMessageW(spin(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(spin(), WM_LBUTTONUP, 0, at);
        PumpMessagesUntilIdle();
    }
};

TEST(EditSpin, AutomaticSpinStepsAndWrapsAround) {
    struct Case {
        int64_t spinMin, spinMax;
        const wchar_t* text;
        bool up;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {0, 100, L"100", true, L"0"},
        {0, 100, L"0", false, L"100"},
        {0, 100, L"41", true, L"42"},
        {0, 100, L"41", false, L"40"},
        {100, 0, L"100", true, L"0"}, // the ends are ordered
        {0, 100, L"abc", true, L"1"},
        {-40000, 40000, L"-40000", false, L"40000"},
        {INT_MIN, INT_MAX, L"2147483647", true, L"-2147483648"},
        {INT_MIN, INT_MAX, L"-2147483648", false, L"2147483647"},
        {INT64_MIN, INT64_MAX, L"2147483646", true, L"2147483647"},
    };
    for (const Case& c : cases) {
        SpinFixture fixture(1, c.spinMin, c.spinMax);
        ASSERT_TRUE(fixture.created);
        SetWindowTextW(fixture.hwnd(), c.text);
        fixture.Click(c.up);
        EXPECT_EQ(WindowText(fixture.hwnd()), c.shown) << c.text << (c.up ? " up" : " down");
        EXPECT_EQ(GetFocus(), fixture.hwnd()) << "the edit takes the focus";
        DWORD start = 9;
        DWORD end = 9;
        SendMessageW(fixture.hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, std::wstring(c.shown).size()) << "all selected";
    }
}

TEST(EditSpin, RangeKeepsThirtyTwoBits) {
    struct Case {
        int64_t spinMin, spinMax;
        int lower, upper;
    };
    const Case cases[] = {
        {0, 100, 0, 100},
        {-40000, 40000, -40000, 40000},
        {100000, -5, -5, 100000},
        {INT64_MIN, INT64_MAX, INT_MIN, INT_MAX},
    };
    for (const Case& c : cases) {
        SpinFixture fixture(1, c.spinMin, c.spinMax);
        ASSERT_TRUE(fixture.created);
        int lower = 0;
        int upper = 0;
        fixture.edit.GetEditWindow()->GetSpin().GetRange32(&lower, &upper);
        EXPECT_EQ(lower, c.lower);
        EXPECT_EQ(upper, c.upper);
    }
    // A live spin takes a new range at once.
    SpinFixture fixture(1, 0, 100);
    ASSERT_TRUE(fixture.created);
    fixture.edit.SetSpinRange(-70000, 70000);
    int lower = 0;
    int upper = 0;
    fixture.edit.GetEditWindow()->GetSpin().GetRange32(&lower, &upper);
    EXPECT_EQ(lower, -70000);
    EXPECT_EQ(upper, 70000);
}

int32_t RecordSpin(CTarnObject* target, CTarnObject* component, int32_t tag, int32_t direction) {
    EventRecorder::Of(target)->Record({"EditSpin", component, tag, {direction}, {}});
    return 0;
}

TEST(EditSpin, EventModeRaisesEditSpinAndLeavesTheText) {
    SpinFixture fixture(2, 0, 100);
    ASSERT_TRUE(fixture.created);
    EventRecorder recorder;
    fixture.edit.EditSpin.Bind(&RecordSpin, recorder.pointer, 3);
    SetWindowTextW(fixture.hwnd(), L"50");
    fixture.Click(true);
    EXPECT_TRUE(recorder.log.empty()) << "no listener yet";
    fixture.edit.AttachListener();
    fixture.Click(true);
    fixture.Click(false);
    ASSERT_EQ(recorder.log.size(), 2u);
    EXPECT_EQ(recorder.log[0].Value(0), 1);
    EXPECT_EQ(recorder.log[1].Value(0), -1);
    EXPECT_EQ(recorder.log[0].component, &fixture.edit);
    EXPECT_EQ(recorder.log[0].tag, 3);
    EXPECT_EQ(WindowText(fixture.hwnd()), L"50");

    // A disabled or hidden edit does not spin.
    EnableWindow(fixture.hwnd(), FALSE);
    EnableWindow(fixture.spin(), TRUE);
    fixture.Click(true);
    EnableWindow(fixture.hwnd(), TRUE);
    EXPECT_EQ(recorder.log.size(), 2u);
}

TEST(EditSpin, StandsBesideTheEditAndFollowsItsStateAndColour) {
    SpinFixture fixture(1, 0, 100);
    ASSERT_TRUE(fixture.created);
    const HWND edit = fixture.hwnd();
    const HWND spin = fixture.spin();
    const HWND host = fixture.host.GetSafeHwnd();
    EXPECT_EQ(GetParent(spin), host);
    EXPECT_EQ(GetDlgCtrlID(spin), 1101);

    struct Place {
        int x, y, width, height;
    };
    for (const Place place :
         {Place{20, 20, 120, 30}, Place{5, 60, 80, 40}, Place{100, 0, 50, 24}}) {
        MoveWindow(edit, place.x, place.y, place.width, place.height, TRUE);
        RECT editRect{};
        RECT spinRect{};
        GetWindowRect(edit, &editRect);
        GetWindowRect(spin, &spinRect);
        EXPECT_EQ(spinRect.left, editRect.right);
        EXPECT_EQ(spinRect.top, editRect.top);
        EXPECT_EQ(spinRect.right - spinRect.left, 18);
        EXPECT_EQ(spinRect.bottom - spinRect.top, editRect.bottom - editRect.top);
    }

    EnableWindow(edit, FALSE);
    EXPECT_FALSE(IsWindowEnabled(spin));
    EnableWindow(edit, TRUE);
    EXPECT_TRUE(IsWindowEnabled(spin));
    ShowWindow(edit, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(spin));
    ShowWindow(edit, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(spin));

    fixture.edit.SetBackColor(0x00FFFF);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SendMessageW(host, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(spin)),
              reinterpret_cast<LRESULT>(fixture.edit.GetEditWindow()->GetBackgroundBrush()));
    EXPECT_EQ(GetBkColor(dc), 0x00FFFFu);
    DeleteDC(dc);

    // The spin goes with the edit's window.
    DestroyWindow(edit);
    EXPECT_FALSE(IsWindow(spin));
}

// Counts one message on its way into a window.
class CountingFilter : public ITarnWindowProcFilter {
public:
    explicit CountingFilter(UINT message) : message_(message) {}
    int32_t FilterMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT*) override {
        count += message == message_ ? 1 : 0;
        return 0;
    }
    int count = 0;

private:
    UINT message_;
};

TEST(EditSpin, ZOrderExchangeEndsAfterOneRound) {
    SpinFixture fixture(1, 0, 100);
    ASSERT_TRUE(fixture.created);
    CountingFilter changed(WM_WINDOWPOSCHANGED);
    fixture.edit.GetEditWindow()->Filters.Add(&changed);
    for (int round = 1; round <= 3; ++round) {
        changed.count = 0;
        MoveWindow(fixture.hwnd(), 20 + round, 20, 120, 30, TRUE);
        PumpMessagesUntilIdle();
        EXPECT_GE(changed.count, 1);
        EXPECT_LE(changed.count, 3) << "round " << round;
        // The spin stands right above the edit.
        EXPECT_EQ(GetWindow(fixture.spin(), GW_HWNDNEXT), fixture.hwnd());
    }
    fixture.edit.GetEditWindow()->Filters.Remove(&changed);
}

TEST(EditSpin, NoSpinWithoutAModeOrOnAMultiLineEdit) {
    struct Case {
        int64_t mode;
        bool multiLine;
        bool spin;
    };
    const Case cases[] = {{0, false, false}, {1, false, true}, {2, false, true}, {1, true, false}};
    for (const Case& c : cases) {
        HostWindow host;
        rg_edit_box edit;
        edit.SetSpinMode(c.mode);
        edit.SetMultiLine(c.multiLine);
        ControlCreateInfo info = ChildRecord(host, 20, 20, 120, 30, 101);
        ASSERT_EQ(edit.CreateNative(info), 1);
        EXPECT_EQ(edit.GetEditWindow()->GetSpin().GetSafeHwnd() != nullptr, c.spin)
            << c.mode << "/" << c.multiLine;
    }
}

// An edit window object that notes, when it is deleted, whether a message of
// its spin was still running: then the spin's frame would return into freed
// memory.
struct SpinCanary {
    int deleted = 0;
    int spinBusyAtDeletion = 0;
};
SpinCanary g_spinCanary;

class CanaryEdit : public CVWnd_Edit {
public:
    ~CanaryEdit() override {
        ++g_spinCanary.deleted;
        g_spinCanary.spinBusyAtDeletion += GetSpin().GetDispatchDepth() > 0 ? 1 : 0;
    }
};

int32_t FreeOnSpin(CTarnObject*, CTarnObject* component, int32_t, int32_t) {
    FreeObject(component);
    return 0;
}

int32_t FreeOnChange(CTarnObject*, CTarnObject* component, int32_t) {
    FreeObject(component);
    return 0;
}

// A handler that frees the edit from inside its spin's message (an EditSpin
// handler, or EditChanged while the spin steps the text) destroys the windows
// at once, but the edit's window object, and the spin inside it, go only when
// the spin's message returns.
TEST(EditSpin, AnEditFreedFromInsideItsSpinsMessageGoesWhenTheMessageReturns) {
    const struct {
        const char* what;
        int64_t mode;
    } cases[] = {{"EditSpin", 2}, {"EditChanged during the automatic step", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HostWindow host;
        auto* edit = new rg_edit_box();
        edit->GetHolder()->SetNativeWindow(new CanaryEdit());
        edit->SetSpinMode(c.mode);
        EventRecorder recorder;
        if (c.mode == 2) {
            edit->EditSpin.Bind(&FreeOnSpin, recorder.pointer, 0);
        } else {
            edit->EditChanged.Bind(&FreeOnChange, recorder.pointer, 0);
        }
        ControlCreateInfo info = ChildRecord(host, 20, 20, 120, 30, 101);
        ASSERT_EQ(edit->CreateNative(info), 1);
        edit->AttachListener();
        const HWND editWindow = edit->GetWindowHandle();
        const HWND spin = edit->GetEditWindow()->GetSpin().GetSafeHwnd();
        ASSERT_NE(spin, nullptr);
        g_spinCanary = SpinCanary{};

        RECT rect{};
        GetClientRect(spin, &rect);
        SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.right / 2, 2));
        EXPECT_FALSE(IsWindow(editWindow));
        EXPECT_FALSE(IsWindow(spin));
        EXPECT_EQ(g_spinCanary.deleted, 1);
        EXPECT_EQ(g_spinCanary.spinBusyAtDeletion, 0);
        PumpMessagesUntilIdle();
    }
}

} // namespace
