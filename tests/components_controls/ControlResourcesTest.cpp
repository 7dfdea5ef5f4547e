#include "components/Button.h"
#include "components/EditBox.h"
#include "components/GroupBox.h"
#include "components/Label.h"
#include "tests/components_controls/ControlsTestSupport.h"
#include "tests/support/GuiObjectCount.h"

#include <gtest/gtest.h>

namespace {

using namespace rg_tarn_MFCJieMian_base;
using controls_test::ChildRecord;
using controls_test::HostWindow;
using test_support::PumpMessagesUntilIdle;

// One of each control, created in host (the edit with a spin), shown and painted.
struct ControlSet {
    rg_button1 button;
    rg_FenZuKuang2 group;
    rg_label7 label;
    rg_edit_box edit;

    explicit ControlSet(CWnd& host) {
        button.SetControlText(CWString(u"OK"));
        group.SetControlText(CWString(u"Group"));
        label.SetControlText(CWString(u"Label"));
        edit.SetSpinMode(1);
        ControlCreateInfo infos[] = {
            ChildRecord(host, 10, 10, 80, 30, 101), ChildRecord(host, 10, 50, 200, 80, 102),
            ChildRecord(host, 220, 10, 80, 30, 103), ChildRecord(host, 220, 50, 80, 30, 104)};
        created = button.CreateNative(infos[0]) + group.CreateNative(infos[1]) +
                      label.CreateNative(infos[2]) + edit.CreateNative(infos[3]) ==
                  4;
        UpdateWindow(host.GetSafeHwnd());
    }
    bool created = false;
};

TEST(ControlResources, ColourChangesAndRecreationsLeaveNoObjectsBehind) {
    HostWindow host;
    {
        ControlSet warmUp(host); // class registrations and system caches
        ASSERT_TRUE(warmUp.created);
        PumpMessagesUntilIdle();
    }
    PumpMessagesUntilIdle();
    const test_support::GuiLeakCheck check;
    {
        ControlSet set(host);
        ASSERT_TRUE(set.created);
        for (uint32_t i = 0; i < 1000; ++i) {
            const uint32_t colour = (i % 3 == 0) ? 0xFF000000 : 0x010203 * (i % 80);
            set.edit.SetBackColor(colour);
            set.edit.SetTextColor(colour ^ 0xFFFFFF);
            set.label.SetBackColor(colour);
            set.label.SetTextColor(colour ^ 0xFFFFFF);
            set.button.SetTextColor(colour);
            set.button.SetBackColor(colour);
            set.group.SetTextColor(colour);
            set.group.SetBackColor(colour);
            if (i % 50 == 0) {
                set.label.SetFontDescription(CWString(u", 11, 1, 0, 0, 0, 0"));
                UpdateWindow(host.GetSafeHwnd());
            }
        }
        PumpMessagesUntilIdle();
    }
    for (int round = 0; round < 250; ++round) {
        ControlSet set(host);
        ASSERT_TRUE(set.created) << round;
    }
    EXPECT_TRUE(check.NothingLeft());
}

} // namespace
