#include "components/Button.h"
#include "components/ControlCreation.h"
#include "components/EditBox.h"
#include "components/GroupBox.h"
#include "components/Label.h"
#include "components/LayoutContainer.h"
#include "components/WinForm.h"
#include "framework/ToolTipCtrl.h"
#include "native/VWndContainer.h"
#include "native/VWndWinForm.h"
#include "tests/components_controls/ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace rg_tarn_MFCJieMian_base;
using test_support::EventRecorder;
using test_support::PumpMessagesUntilIdle;

// The edit box whose text the click handler reads.
rg_edit_box* g_readAtClick = nullptr;

int32_t ReadEditAtClick(CTarnObject* target, CTarnObject* component, int32_t tag) {
    EventRecorder::Of(target)->Record(
        {"Clicked", component, tag, {}, EventRecorder::ComponentText(g_readAtClick)});
    return 0;
}

int32_t RecordCreated(CTarnObject* target, CTarnObject* component, int32_t tag,
                      CTarnWinControl* owner, int32_t id) {
    EventRecorder::Of(target)->Record(
        {"Created", component, tag, {reinterpret_cast<intptr_t>(owner), id}, {}});
    return 0;
}

// A group box with a label, an edit box and a button inside a layout
// container, made the way the converter's window makes its controls.
TEST(ControlsInContainer, AGroupWithLabelEditAndButtonWorksInsideALayoutContainer) {
    rg_ZuJianBuJuQi container;
    ControlCreateInfo top = controls_test::TopLevelRecord(0, 0, 420, 260);
    ASSERT_EQ(container.CreateNative(top), 1);
    SetForegroundWindow(container.GetWindowHandle());

    EventRecorder recorder;
    rg_FenZuKuang2 group;
    group.SetControlText(CWString(u"ABA\u5730\u5740\u8F6C\u78C1\u9053"));
    group.SetCaptionAlignment(0x300);
    group.SetFontDescription(CWString(u", 12, 0, 0, 0, 0, 0"));
    group.SetTextColor(0xFF0000);
    group.Created.Bind(&RecordCreated, recorder.pointer, 1);
    ASSERT_EQ(group.CreateInParent(&container, 10, 10, 400, 200, 101), 1);

    rg_label7 label;
    label.SetControlText(CWString(u"SPT"));
    label.SetHAlign(1);
    label.SetFontDescription(CWString(u", 12, 0, 0, 0, 0, 0"));
    label.Created.Bind(&RecordCreated, recorder.pointer, 2);
    ASSERT_EQ(label.CreateInParent(&group, 13, 45, 96, 32, 102), 1);

    rg_edit_box edit;
    edit.SetInputType(5);
    edit.SetTextAlignment(1);
    ASSERT_EQ(edit.CreateInParent(&group, 13, 77, 96, 32, 103), 1);

    rg_button1 button;
    button.SetControlText(CWString(u"Go"));
    g_readAtClick = &edit;
    button.Clicked.Bind(&ReadEditAtClick, recorder.pointer, 0);
    ASSERT_EQ(button.CreateInParent(&group, 134, 77, 96, 32, 104), 1);
    button.AttachListener();
    PumpMessagesUntilIdle();

    // Each control is a child of the group box and reported its creation to its owner.
    for (CTarnWinControl* control :
         {static_cast<CTarnWinControl*>(&label), static_cast<CTarnWinControl*>(&edit),
          static_cast<CTarnWinControl*>(&button)}) {
        EXPECT_EQ(GetParent(control->GetWindowHandle()), group.GetWindowHandle());
    }
    EXPECT_EQ(GetParent(group.GetWindowHandle()), container.GetWindowHandle());
    ASSERT_EQ(recorder.Count("Created"), 2);
    EXPECT_EQ(recorder.log[0].Value(0), reinterpret_cast<intptr_t>(&container));
    EXPECT_EQ(recorder.log[0].Value(1), 101);
    EXPECT_EQ(recorder.log[1].Value(0), reinterpret_cast<intptr_t>(&group));
    EXPECT_EQ(recorder.log[1].Value(1), 102);
    EXPECT_EQ(GetWindowLongPtrW(edit.GetWindowHandle(), GWL_STYLE) & ES_CENTER, ES_CENTER);

    // A hint on the edit box goes to the container's tool tip.
    edit.SetHintText(CWString(u"SPT"));
    CToolTipCtrl* tip = container.GetContainerWindow()->ToolTip.get();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->GetToolCount(), 1);

    // The user types into the edit and presses the button with the mouse: the
    // edit loses the focus to the button first, so the click sees the
    // normalised text.
    SetFocus(edit.GetWindowHandle());
    for (wchar_t unit : std::wstring(L"3x00")) {
        PostMessageW(edit.GetWindowHandle(), WM_CHAR, unit, 1);
    }
    PumpMessagesUntilIdle();
    EXPECT_EQ(edit.GetControlText().GetText(), std::u16string(u"300"));
    const HWND buttonHwnd = button.GetWindowHandle();
    PostMessageW(buttonHwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(buttonHwnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    PumpMessagesUntilIdle();
    ASSERT_EQ(recorder.Count("Clicked"), 1);
    EXPECT_EQ(recorder.log.back().text, L"255");
    EXPECT_EQ(GetFocus(), buttonHwnd);

    container.GetNativeWindow()->DestroyWindow();
    EXPECT_FALSE(IsWindow(buttonHwnd));
}

TEST(ControlsInContainer, ADefaultPushButtonBecomesTheDefaultOfItsForm) {
    CTarnWinForm form;
    ControlCreateInfo top = controls_test::TopLevelRecord(
        ControlCreateInfo::kDefaultSize, ControlCreateInfo::kDefaultSize, 420, 300);
    ASSERT_EQ(form.CreateNative(top), 1);
    CVWnd_WinForm* window = form.GetFormWindow();
    rg_FenZuKuang2 group;
    ASSERT_EQ(group.CreateInParent(&form, 10, 10, 380, 220, 101), 1);
    rg_edit_box edit;
    ASSERT_EQ(edit.CreateInParent(&group, 10, 30, 100, 26, 102), 1);

    rg_button1 plain;
    ASSERT_EQ(plain.CreateInParent(&group, 10, 80, 80, 30, 103), 1);
    EXPECT_EQ(window->DefaultButtonId, 0) << "a plain push button changes nothing";

    rg_button1 chosen;
    EventRecorder recorder;
    chosen.Clicked.Bind(&EventRecorder::WithText<controls_test::kClicked>, recorder.pointer, 0);
    ReplaceStyleBits(chosen, 0xF, BS_DEFPUSHBUTTON);
    ASSERT_EQ(chosen.CreateInParent(&group, 100, 80, 80, 30, 104), 1);
    chosen.AttachListener();
    EXPECT_EQ(window->DefaultButtonId, 104);

    // Enter typed in the edit box presses the default button.
    SetForegroundWindow(form.GetWindowHandle());
    SetFocus(edit.GetWindowHandle());
    MSG enter{edit.GetWindowHandle(), WM_KEYDOWN, VK_RETURN, 0x001C0001, 0, {}};
    EXPECT_TRUE(window->PreTranslateKeyboard(&enter));
    PumpMessagesUntilIdle();
    EXPECT_EQ(recorder.Count(controls_test::kClicked), 1);

    window->DestroyWindow();
}

// The default button and the hint each find their window by type, walking
// outwards from the control past every window of another kind: the default
// id goes to the nearest form, the hint to the nearest container's tool tip.
TEST(ControlsInContainer, DefaultButtonAndHintFindTheNearestFormAndContainerByType) {
    CTarnWinForm outer;
    ControlCreateInfo top = controls_test::TopLevelRecord(
        ControlCreateInfo::kDefaultSize, ControlCreateInfo::kDefaultSize, 520, 400);
    ASSERT_EQ(outer.CreateNative(top), 1);
    rg_ZuJianBuJuQi panel;
    ASSERT_EQ(panel.CreateInParent(&outer, 0, 0, 500, 360, 101), 1);
    rg_FenZuKuang2 group;
    ASSERT_EQ(group.CreateInParent(&panel, 10, 10, 480, 330, 102), 1);
    CTarnWinForm inner;
    ASSERT_EQ(inner.CreateInParent(&group, 10, 150, 300, 160, 103), 1);
    rg_FenZuKuang2 innerGroup;
    ASSERT_EQ(innerGroup.CreateInParent(&inner, 5, 5, 280, 140, 104), 1);

    struct Case {
        CTarnWinControl* parent;
        int32_t id;
        CTarnWinForm* form;             // whose default id becomes id
        rg_ZuJianBuJuQi* hintContainer; // whose tool tip shows the hint
    };
    const Case cases[] = {
        {&group, 110, &outer, &panel},      // past a group box to the panel, then the form
        {&panel, 111, &outer, &panel},      // straight inside the panel
        {&innerGroup, 112, &inner, &inner}, // the inner form is both
        {&inner, 113, &inner, &inner},
    };
    std::vector<std::unique_ptr<rg_button1>> buttons;
    int row = 0;
    for (const Case& c : cases) {
        const int32_t outerBefore = outer.GetFormWindow()->DefaultButtonId;
        const int32_t innerBefore = inner.GetFormWindow()->DefaultButtonId;
        buttons.push_back(std::make_unique<rg_button1>());
        rg_button1& button = *buttons.back();
        ReplaceStyleBits(button, 0xF, BS_DEFPUSHBUTTON);
        ASSERT_EQ(button.CreateInParent(c.parent, 10, 30, 80, 30, c.id), 1) << "row " << row;
        CTarnWinForm& other = c.form == &outer ? inner : outer;
        EXPECT_EQ(c.form->GetFormWindow()->DefaultButtonId, c.id) << "row " << row;
        EXPECT_EQ(other.GetFormWindow()->DefaultButtonId,
                  &other == &outer ? outerBefore : innerBefore)
            << "row " << row;

        button.SetHintText(CWString(u"hint"));
        for (rg_ZuJianBuJuQi* container : {static_cast<rg_ZuJianBuJuQi*>(&outer), &panel,
                                           static_cast<rg_ZuJianBuJuQi*>(&inner)}) {
            CToolTipCtrl* tip = container->GetContainerWindow()->ToolTip.get();
            const int tools = tip != nullptr ? tip->GetToolCount() : 0;
            const int expected = container == c.hintContainer ? 1 : 0;
            // Each row adds one tool to its own container; count the rows so far.
            int earlier = 0;
            for (int k = 0; k < row; ++k) {
                earlier += cases[k].hintContainer == container ? 1 : 0;
            }
            EXPECT_EQ(tools, earlier + expected) << "row " << row;
        }
        ++row;
    }
    outer.GetFormWindow()->DestroyWindow();
}

} // namespace
