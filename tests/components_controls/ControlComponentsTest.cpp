#include "components/Button.h"
#include "components/ControlCreation.h"
#include "components/EditBox.h"
#include "components/GroupBox.h"
#include "components/Label.h"
#include "native/VWndButton.h"
#include "native/VWndEdit.h"
#include "native/VWndLabel.h"
#include "tests/components_controls/ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

using namespace rg_tarn_MFCJieMian_base;
using controls_test::ChildRecord;
using controls_test::HostWindow;

// Each component kind made fresh, for the tables below.
struct Kind {
    const char* name;
    std::function<CTarnWinControl*()> make;
    uint32_t style;
    uint32_t exStyle;
    const wchar_t* windowClass;
};

const Kind kKinds[] = {
    {"rg_tarn_MFCJieMian_base::rg_button1", [] { return new rg_button1(); }, 0x14012000, 0,
     L"Button"},
    {"rg_tarn_MFCJieMian_base::rg_FenZuKuang2", [] { return new rg_FenZuKuang2(); }, 0x14002007, 0,
     L"Button"},
    {"rg_tarn_MFCJieMian_base::rg_label7", [] { return new rg_label7(); }, 0x14000000, 0,
     L"TarnLabel"},
    {"rg_tarn_MFCJieMian_base::rg_edit_box", [] { return new rg_edit_box(); }, 0x14010000, 0x200,
     L"Edit"},
};

struct Freed {
    void operator()(CTarnObject* object) const { ::FreeObject(object); }
};
using Owned = std::unique_ptr<CTarnWinControl, Freed>;

TEST(ControlComponents, NewComponentsCarryTheirHolderStylesAndClassNames) {
    for (const Kind& kind : kKinds) {
        Owned control(kind.make());
        ASSERT_NE(control->GetHolder(), nullptr) << kind.name;
        EXPECT_EQ(control->GetHolder()->Style, kind.style) << kind.name;
        EXPECT_EQ(control->GetHolder()->ExStyle, kind.exStyle) << kind.name;
        EXPECT_STREQ(control->GetClassInfo().name, kind.name);
        EXPECT_TRUE(control->IsKindOf(CTarnWinControl::ClassRecord())) << kind.name;
        EXPECT_FALSE(control->HasNativeWindow()) << kind.name;
        EXPECT_EQ(control->IsListenerAttached(), 0) << kind.name;

        // The class record's factory, CreateNew and Clone give the same class;
        // a clone shares the window holder, a new one has its own.
        Owned made(static_cast<CTarnWinControl*>(control->GetClassInfo().create()));
        Owned fresh(static_cast<CTarnWinControl*>(control->CreateNew()));
        Owned clone(static_cast<CTarnWinControl*>(control->Clone()));
        EXPECT_STREQ(made->GetClassInfo().name, kind.name);
        EXPECT_STREQ(fresh->GetClassInfo().name, kind.name);
        EXPECT_NE(fresh->GetHolder(), control->GetHolder()) << kind.name;
        EXPECT_EQ(clone->GetHolder(), control->GetHolder()) << kind.name;
        EXPECT_TRUE(clone->IsEqual(*control)) << kind.name;
        EXPECT_FALSE(fresh->IsEqual(*control)) << kind.name;
    }

    rg_AnNiuJiChuLei base;
    EXPECT_EQ(base.GetHolder(), nullptr);
    ControlCreateInfo info;
    EXPECT_EQ(base.CreateNative(info), 0);
    EXPECT_EQ(base.IsListenerAttached(), 0);
    EXPECT_STREQ(base.GetClassInfo().name, "rg_tarn_MFCJieMian_base::rg_AnNiuJiChuLei");
}

TEST(ControlComponents, KindTestsFollowTheClassTree) {
    rg_button1 button;
    rg_AnNiuJiChuLei base;
    rg_FenZuKuang2 group;
    rg_label7 label;
    rg_edit_box edit;
    struct Case {
        const CTarnObject* object;
        const ClassInfo& info;
        bool kind;
    };
    const Case cases[] = {
        {&button, rg_button1::ClassRecord(), true},
        {&button, rg_AnNiuJiChuLei::ClassRecord(), true},
        {&button, CTarnWinControl::ClassRecord(), true},
        {&base, rg_button1::ClassRecord(), false},
        {&group, CTarnWinContainer::ClassRecord(), true},
        {&group, rg_AnNiuJiChuLei::ClassRecord(), false},
        {&label, rg_edit_box::ClassRecord(), false},
        {&edit, rg_label7::ClassRecord(), false},
        {&edit, CTarnObject::ClassRecord(), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.object->IsKindOf(c.info), c.kind)
            << c.object->GetClassInfo().name << " of " << c.info.name;
    }
    // Copying needs a kind of the own class; a refused copy changes nothing.
    EXPECT_FALSE(button.CopyFrom(base));
    EXPECT_FALSE(label.CopyFrom(edit));
    EXPECT_FALSE(group.CopyFrom(button));
    EXPECT_NE(label.GetHolder(), edit.GetHolder());
    rg_button1 other;
    EXPECT_TRUE(other.CopyFrom(button));
    EXPECT_EQ(other.GetHolder(), button.GetHolder());
    EXPECT_TRUE(base.CopyFrom(button)); // a button is a kind of the base
    EXPECT_EQ(base.GetHolder(), button.GetHolder());
}

TEST(ControlComponents, CreationMakesTheWindowOnceWithItsClassAndStyle) {
    HostWindow host;
    for (const Kind& kind : kKinds) {
        Owned control(kind.make());
        control->SetControlText(CWString(u"abc"));
        ControlCreateInfo info = ChildRecord(host, 10, 10, 120, 40, 150);
        info.page = 3;
        ASSERT_EQ(control->CreateNative(info), 1) << kind.name;
        const HWND hwnd = control->GetWindowHandle();
        ASSERT_NE(hwnd, nullptr) << kind.name;
        wchar_t className[64] = {};
        GetClassNameW(hwnd, className, 64);
        EXPECT_EQ(std::wstring(className), kind.windowClass) << kind.name;
        EXPECT_EQ(GetParent(hwnd), host.GetSafeHwnd()) << kind.name;
        EXPECT_EQ(GetDlgCtrlID(hwnd), 150) << kind.name;
        EXPECT_EQ(control->GetControlText().GetText(), std::u16string(u"abc")) << kind.name;
        const auto style = static_cast<uint32_t>(GetWindowLongPtrW(hwnd, GWL_STYLE));
        EXPECT_EQ(style & 0xFFFF0000, (kind.style | WS_CHILD) & 0xFFFF0000) << kind.name;
        EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE,
                  static_cast<LONG_PTR>(kind.exStyle & WS_EX_CLIENTEDGE))
            << kind.name;
        EXPECT_EQ(TarnPartOf(control->GetNativeWindow())->Page, 3) << kind.name;

        // A second creation while the window exists changes nothing but the page.
        ControlCreateInfo again = ChildRecord(host, 50, 50, 10, 10, 151);
        again.page = 4;
        EXPECT_EQ(control->CreateNative(again), 0) << kind.name;
        EXPECT_EQ(control->GetWindowHandle(), hwnd) << kind.name;
        EXPECT_EQ(TarnPartOf(control->GetNativeWindow())->Page, 4) << kind.name;
    }
}

// A copy shares its original's window and may take the window's listener
// over; whoever detaches then clears the listener only while it is its own.
TEST(ControlComponents, DetachingLeavesAListenerThatAnotherCopyAttached) {
    HostWindow host;
    for (const Kind& kind : kKinds) {
        Owned original(kind.make());
        ControlCreateInfo info = ChildRecord(host, 10, 10, 120, 40, 150);
        ASSERT_EQ(original->CreateNative(info), 1) << kind.name;
        original->AttachListener();
        Owned copy(static_cast<CTarnWinControl*>(original->Clone()));
        const CTarnWndPart* window = TarnPartOf(original->GetNativeWindow());
        ASSERT_NE(window, nullptr) << kind.name;
        struct Step {
            CTarnWinControl* control;
            bool attach;
            bool listening;
        };
        const Step steps[] = {
            {copy.get(), true, true},       {original.get(), false, true},
            {original.get(), false, true},  {copy.get(), false, false},
            {original.get(), true, true},   {copy.get(), false, true},
            {original.get(), false, false}, {copy.get(), false, false},
        };
        int row = 0;
        for (const Step& step : steps) {
            if (step.attach) {
                step.control->AttachListener();
            } else {
                step.control->DetachListener();
            }
            EXPECT_EQ(window->HasListener(), step.listening) << kind.name << " row " << row;
            EXPECT_EQ(original->IsListenerAttached(), step.listening ? 1 : 0)
                << kind.name << " row " << row;
            ++row;
        }
        original->GetNativeWindow()->DestroyWindow();
    }
}

TEST(ControlComponents, LabelIsNeverATabStop) {
    HostWindow host;
    rg_label7 label;
    label.GetHolder()->Style |= WS_TABSTOP;
    ControlCreateInfo info = ChildRecord(host, 0, 0, 80, 20, 160);
    ASSERT_EQ(label.CreateNative(info), 1);
    EXPECT_EQ(GetWindowLongPtrW(label.GetWindowHandle(), GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(SendMessageW(label.GetWindowHandle(), WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST(ControlComponents, FailedCreationLeavesTheComponentCreatableAgain) {
    for (const Kind& kind : kKinds) {
        Owned control(kind.make());
        // A parent object whose window is gone: a child window cannot be made.
        HostWindow gone;
        ControlCreateInfo info = ChildRecord(gone, 0, 0, 10, 10, 170);
        gone.DestroyWindow();
        EXPECT_EQ(control->CreateNative(info), 0) << kind.name;
        EXPECT_FALSE(control->HasNativeWindow()) << kind.name;

        HostWindow live;
        ControlCreateInfo retry = ChildRecord(live, 0, 0, 10, 10, 171);
        EXPECT_EQ(control->CreateNative(retry), 1) << kind.name;
        EXPECT_TRUE(control->HasNativeWindow()) << kind.name;
    }
}

} // namespace
