#include "components/WinContainer.h"
#include "native/KeyCode.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using rg_tarn_MFCJieMian_base::ControlCreateInfo;
using rg_tarn_MFCJieMian_base::CTarnWinContainer;

TEST(KeyNames, TheTableNamesExactlyTheListedCodes) {
    int named = 0;
    for (uint32_t key = 0; key < 256; ++key) {
        named += GetKeyName(key)[0] != 0 ? 1 : 0;
    }
    EXPECT_EQ(named, 256 - 79);
    const struct {
        uint32_t key;
        std::u16string name;
    } names[] = {{0x01, u"LButton"},   {0x07, u""}, {0x0D, u"Enter"}, {0x30, u"0"},
                 {0x5A, u"Z"},         {0x5E, u""}, {0x60, u""},      {0x6A, u"PadMul"},
                 {0x87, u"F24"},       {0x88, u""}, {0xDC, u"\\"},    {0xE8, u""},
                 {0xFE, u"OEM_CLEAR"}, {0xFF, u""}, {0x1FF, u""}};
    for (const auto& entry : names) {
        EXPECT_EQ(std::u16string(GetKeyName(entry.key)), entry.name) << std::hex << entry.key;
    }
}

TEST(KeyCodes, NumberPadModifiersAndUnnamedKeys) {
    const struct {
        uint64_t wParam;
        bool ctrl, shift, alt;
        uint32_t code;
    } cases[] = {
        {0x67, false, false, false, 0x37},  // pad 7 is the digit 7
        {0x60, false, false, false, 0x30},  // pad 0
        {0x6F, false, false, false, 0xBF},  // pad divide
        {0x6D, false, false, false, 0xBD},  // pad minus
        {0x6E, false, false, false, 0xBE},  // pad decimal point
        {0x07, true, true, true, 0},        // no name: 0 whatever is held
        {0x11, true, false, false, 0x11},   // Ctrl alone carries no bit
        {0x10, false, true, false, 0x10},   // Shift alone
        {0x10, true, true, false, 0xA010},  // Shift while Ctrl is held
        {0x12, false, false, true, 0x12},   // Alt alone
        {0x12, true, false, true, 0x6012},  // Alt with Ctrl held
        {0x41, true, true, true, 0xE041},   // Ctrl+Shift+Alt+A
        {0x141, false, false, false, 0x41}, // only the low byte counts
        {0x6B, false, true, false, 0x806B}, // pad plus keeps its own code
    };
    for (const auto& test : cases) {
        EXPECT_EQ(NormalizeKeyCode(test.wParam, test.ctrl, test.shift, test.alt), test.code)
            << std::hex << test.wParam;
    }
}

// A container that reports a design client size.
class DesignedContainer : public CTarnWinContainer {
public:
    DesignedContainer(int32_t width, int32_t height) : width_(width), height_(height) {}
    int32_t GetDesignClientWidth() override { return width_; }
    int32_t GetDesignClientHeight() override { return height_; }

private:
    int32_t width_;
    int32_t height_;
};

TEST(ContainerDefaultSize, TheWindowSizeAroundTheDesignClientSize) {
    constexpr int32_t kDefault = ControlCreateInfo::kDefaultSize;
    constexpr DWORD kFramed = WS_OVERLAPPEDWINDOW;
    RECT framed{0, 0, 618, 382};
    ASSERT_TRUE(AdjustWindowRectEx(&framed, kFramed, FALSE, WS_EX_CONTROLPARENT));
    const struct {
        const char* what;
        int32_t designWidth, designHeight;
        uint32_t style;
        int32_t width, height;
        int32_t expectedWidth, expectedHeight;
    } cases[] = {
        {"framed default", 618, 382, kFramed, kDefault, 100, framed.right - framed.left,
         framed.bottom - framed.top},
        {"either dimension asks", 618, 382, kFramed, 100, kDefault, framed.right - framed.left,
         framed.bottom - framed.top},
        {"no frame", 618, 382, WS_POPUP, kDefault, kDefault, 618, 382},
        {"no design size", 0, 0, kFramed, kDefault, kDefault, 0, 0},
        {"half a design size", 618, 0, kFramed, kDefault, kDefault, 0, 0},
        {"explicit size kept", 618, 382, kFramed, 300, 200, 300, 200},
    };
    for (const auto& test : cases) {
        DesignedContainer container(test.designWidth, test.designHeight);
        ControlCreateInfo info;
        info.width = test.width;
        info.height = test.height;
        container.PrepareCreate(info); // no holder: style and ex style from nothing
        EXPECT_EQ(info.exStyle, static_cast<uint32_t>(WS_EX_CONTROLPARENT)) << test.what;
        info.style = test.style;
        container.AdjustCreate(info);
        EXPECT_EQ(info.width, test.expectedWidth) << test.what;
        EXPECT_EQ(info.height, test.expectedHeight) << test.what;
        EXPECT_EQ(container.GetCreationWidth(), test.expectedWidth) << test.what;
        EXPECT_EQ(container.GetCreationHeight(), test.expectedHeight) << test.what;
    }
    EXPECT_GT(framed.right - framed.left, 618);
}

TEST(ContainerProtocol, CopiesShareTheHolderButNotTheCreationSize) {
    CTarnWinContainer plain;
    ControlCreateInfo info;
    info.width = 5;
    info.height = 6;
    plain.AdjustCreate(info);
    plain.ObjectText = CWString(u"box");
    auto* copy = static_cast<CTarnWinContainer*>(plain.Clone());
    EXPECT_TRUE(copy->IsEqual(plain));
    EXPECT_EQ(copy->GetCreationWidth(), 0);
    EXPECT_TRUE(copy->IsKindOf(rg_tarn_MFCJieMian_base::CTarnWinControl::ClassRecord()));
    rg_tarn_MFCJieMian_base::CTarnWinControl control;
    EXPECT_FALSE(copy->CopyFrom(control)) << "a plain control is no container";
    EXPECT_TRUE(control.CopyFrom(*copy));
    EXPECT_FALSE(control.IsEqual(*copy)) << "different classes";
    ::FreeObject(copy);
    EXPECT_EQ(plain.CreateNative(info), 0) << "the plain container has no window class";
}

} // namespace
