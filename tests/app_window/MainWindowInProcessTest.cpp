// The converter's main window and program object inside the test process: creation, the
// object protocol, clicks through the real message loop, destruction and object counts.
#include <gtest/gtest.h>

#include <string>

#include "app/MainWindow.h"
#include "app/StartupClass.h"
#include "framework/WinApp.h"
#include "native/AppInstance.h"
#include "runtime/ObjectStream.h"
#include "runtime/WideText.h"
#include "tests/support/GuiObjectCount.h"
#include "tests/support/GuiTestSupport.h"

namespace {

using rg_tarn_app::rg_my_main_window;
using rg_tarn_app::rg_startup_class;
using rg_tarn_MFCJieMian_base::ControlCreateInfo;
using test_support::PumpMessagesUntilIdle;

std::u16string Text(const rg_tarn_MFCJieMian_base::CTarnWinControl& control) {
    return std::u16string(control.GetControlText().GetText());
}

void Type(rg_tarn_MFCJieMian_base::CTarnWinControl& edit, const char16_t* text) {
    edit.SetControlText(CWString(text));
}

// Clicks a button; its notification reaches the handler before this returns.
void Click(rg_tarn_MFCJieMian_base::CTarnWinControl& button) {
    SendMessageW(button.GetWindowHandle(), BM_CLICK, 0, 0);
}

// Clicks a button and lets everything the click caused happen.
void Press(rg_tarn_MFCJieMian_base::CTarnWinControl& button) {
    Click(button);
    PumpMessagesUntilIdle();
}

// A main window created as the program creates it, shown and idle.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ControlCreateInfo info;
        info.x = info.y = info.width = info.height = ControlCreateInfo::kDefaultSize;
        ASSERT_EQ(window.CreateNative(info), 1);
        PumpMessagesUntilIdle();
    }
    void TearDown() override {
        if (HWND box = test_support::FindMessageBox(L"错误提示", 0)) {
            test_support::DismissMessageBox(box);
        }
    }

    rg_my_main_window window;
};

TEST_F(MainWindowTest, IsDesignedAt618By382WithItsCaptionAndEighteenControls) {
    HWND hwnd = window.GetWindowHandle();
    RECT client = {};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 618);
    EXPECT_EQ(client.bottom, 382);
    const std::u16string caption = Text(window);
    EXPECT_EQ(caption.substr(0, 27), u"Qorvath" + std::u16string(20, u' ')) << "20 blanks";
    EXPECT_EQ(caption.find(u"Brindlemoor-"), 27u);

    const rg_tarn_MFCJieMian_base::CTarnWinControl* members[] = {&window.rg_group_aba_to_track,
                                                                 &window.rg_label_track,
                                                                 &window.rg_label_offset,
                                                                 &window.rg_label_spt,
                                                                 &window.rg_label_aba,
                                                                 &window.rg_button_aba_to_track,
                                                                 &window.rg_edit_offset,
                                                                 &window.rg_edit_track,
                                                                 &window.rg_edit_spt,
                                                                 &window.rg_edit_aba,
                                                                 &window.rg_group_track_to_aba,
                                                                 &window.rg_label_spt2,
                                                                 &window.rg_label_track2,
                                                                 &window.rg_edit_track2,
                                                                 &window.rg_edit_spt2,
                                                                 &window.rg_edit_aba2,
                                                                 &window.rg_button_track_to_aba,
                                                                 &window.rg_label_aba2};
    for (int i = 0; i < 18; ++i) {
        HWND child = members[i]->GetWindowHandle();
        ASSERT_NE(child, nullptr) << i;
        EXPECT_EQ(GetDlgCtrlID(child), 101 + i);
    }
    EXPECT_EQ(GetParent(window.rg_group_track_to_aba.GetWindowHandle()), hwnd);
    EXPECT_EQ(GetParent(window.rg_edit_aba2.GetWindowHandle()),
              window.rg_group_track_to_aba.GetWindowHandle());
}

TEST_F(MainWindowTest, EachButtonConvertsItsOwnGroupOnly) {
    struct Case {
        const char16_t* aba;
        const char16_t* spt;
        const char16_t* track;
        const char16_t* offset;
    };
    const Case aba_to_track[] = {
        {u"1000", u"63", u"241", u"55"},
        {u"\uFF11\uFF10\uFF10\uFF10", u"63", u"241", u"55"}, // full-width digits
        {u"99999999999", u"1", u"-99999999743", u"0"},       // ABA beyond 32 bits
        {u"4294967295", u"16843009", u"1", u"0"},            // the ABA track 1 prints below
        {u"", u"63", u"1", u"0"},                            // nothing: the last result stays
        {u"99999999999999999999", u"1", u"-9223372036854775551", u"0"}, // saturated ABA
    };
    for (const Case& c : aba_to_track) {
        Type(window.rg_edit_aba, c.aba);
        Type(window.rg_edit_spt, c.spt);
        Press(window.rg_button_aba_to_track);
        EXPECT_EQ(Text(window.rg_edit_track), c.track);
        EXPECT_EQ(Text(window.rg_edit_offset), c.offset);
    }
    EXPECT_EQ(Text(window.rg_edit_aba2), u"") << "the other group is untouched";

    Type(window.rg_edit_spt2, u"16843009");
    Type(window.rg_edit_track2, u"1");
    Press(window.rg_button_track_to_aba);
    EXPECT_EQ(Text(window.rg_edit_aba2), u"4294967295") << "exact in 64 bits";
    Type(window.rg_edit_track2, u"300");
    Type(window.rg_edit_spt2, u"10");
    Press(window.rg_button_track_to_aba);
    EXPECT_EQ(Text(window.rg_edit_aba2), u"-440");
    EXPECT_EQ(Text(window.rg_edit_track), u"-9223372036854775551");
}

TEST_F(MainWindowTest, ClicksReachNoHandlerOnceDestructionBegan) {
    Type(window.rg_edit_aba, u"1000");
    Type(window.rg_edit_spt, u"63");
    CTarnEventObjectPointer* pointer = window.rg_event_pointer;
    pointer->AddRef();
    pointer->Detach(); // what the destructor does first
    Press(window.rg_button_aba_to_track);
    EXPECT_EQ(Text(window.rg_edit_track), u"") << "a detached pointer calls nothing";
    EXPECT_EQ(pointer->GetTarget(), nullptr);
    pointer->Release();
    // The window's own destructor detaches again; that must stay harmless.
    window.rg_event_pointer = new CTarnEventObjectPointer(&window);
}

TEST_F(MainWindowTest, ObjectProtocolComparesByIdentityAndCopiesOnlyMainWindows) {
    rg_my_main_window other;
    EXPECT_TRUE(window.IsEqual(window));
    EXPECT_FALSE(window.IsEqual(other)) << "two main windows never compare equal";
    CWString text(u"not a window");
    EXPECT_FALSE(other.CopyFrom(text));
    EXPECT_FALSE(other.HasNativeWindow());

    EXPECT_TRUE(other.CopyFrom(window));
    EXPECT_EQ(other.GetWindowHandle(), window.GetWindowHandle()) << "copies share the window";
    EXPECT_EQ(other.rg_edit_aba.GetWindowHandle(), window.rg_edit_aba.GetWindowHandle());
    EXPECT_TRUE(other.IsKindOf(rg_tarn_MFCJieMian_base::CTarnWinForm::ClassRecord()));
    EXPECT_FALSE(other.IsKindOf(rg_startup_class::ClassRecord()));
    other.Reset();
    EXPECT_FALSE(other.HasNativeWindow()) << "a reset window has a fresh, uncreated holder";
    EXPECT_NE(window.GetWindowHandle(), nullptr);

    CTarnMemoryStream saved;
    window.ObjectText = CWString(u"saved");
    window.rg_label_aba.ObjectText = CWString(u"label");
    window.SaveTo(saved);
    CTarnMemoryStream stream(saved.GetData(), saved.GetSize());
    other.LoadFrom(stream);
    EXPECT_EQ(std::u16string(other.ObjectText.GetText()), u"saved");
    EXPECT_EQ(std::u16string(other.rg_label_aba.ObjectText.GetText()), u"label");
}

TEST_F(MainWindowTest, AThousandConversionsLeaveTheObjectCountsUnchanged) {
    Type(window.rg_edit_aba, u"1000");
    Type(window.rg_edit_spt, u"63");
    Type(window.rg_edit_spt2, u"63");
    Type(window.rg_edit_track2, u"255");
    Press(window.rg_button_aba_to_track);
    Press(window.rg_button_track_to_aba);
    test_support::ExpectRoundsLeaveNothing(500, [&](int) {
        Click(window.rg_button_aba_to_track);
        Click(window.rg_button_track_to_aba);
    });
    EXPECT_EQ(Text(window.rg_edit_aba2), u"63");
}

TEST(MainWindowLifetime, MadeAndDestroyedAgainLeavesNoObjectsBehind) {
    test_support::ExpectRoundsLeaveNothing(20, [](int) {
        rg_my_main_window window;
        ControlCreateInfo info;
        info.x = info.y = info.width = info.height = ControlCreateInfo::kDefaultSize;
        ASSERT_EQ(window.CreateNative(info), 1);
        PumpMessagesUntilIdle();
    });
}

TEST(StartupClass, RunBodyCreatesTheMainWindowAsTheApplicationsMainWindow) {
    CTarnAppInstance instance;
    CWinAppEx app;
    auto* program = static_cast<rg_startup_class*>(rg_startup_class::ClassRecord().create());
    EXPECT_EQ(instance.GetCurrentProgram(), program);
    EXPECT_TRUE(program->IsKindOf(rg_tarn_base::rg_ChuangKouChengXuLei::ClassRecord()));
    EXPECT_TRUE(program->IsKindOf(CTarnUserApp::ClassRecord()));
    EXPECT_FALSE(program->IsKindOf(rg_my_main_window::ClassRecord()));

    EXPECT_EQ(rg_tarn_app::RunStartupBody(*program), 1);
    HWND hwnd = program->main_window.GetWindowHandle();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(app.GetMainWnd(), program->main_window.GetNativeWindow());
    RECT frame = {};
    GetWindowRect(hwnd, &frame);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_LE(std::abs((frame.left + frame.right) - screenWidth), 1) << "centred";
    EXPECT_LE(std::abs((frame.top + frame.bottom) - screenHeight), 1);

    program->Reset();
    EXPECT_EQ(instance.GetCurrentProgram(), program) << "Reset's temporary does not stay";
    instance.FreeCurrentProgram();
    EXPECT_FALSE(IsWindow(hwnd)) << "freeing the program object destroys its window";
    EXPECT_EQ(instance.GetCurrentProgram(), nullptr);
    PumpMessagesUntilIdle();
}

} // namespace
