#include "native/FormStyles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr DWORD kHolder = WS_VISIBLE | WS_CLIPSIBLINGS; // the holder's default style
constexpr DWORD kControlParent = WS_EX_CONTROLPARENT;

struct CreationCase {
    const char* name;
    FormFrameOptions options;
    bool textEmpty;
    DWORD expectStyle;   // in addition to the holder's style and clip children
    DWORD expectExStyle; // in addition to the control-parent bit
    bool expectDefaultCaption;
};

TEST(FormStyles, CreationStylesFollowBorderControlBoxBoxesAndStartState) {
    constexpr DWORD kCaption = WS_CAPTION;
    constexpr DWORD kSysMenuBorder = WS_SYSMENU | WS_BORDER;
    constexpr DWORD kFrame = WS_DLGFRAME;
    constexpr DWORD kMin = WS_MINIMIZEBOX;
    constexpr DWORD kMax = WS_MAXIMIZEBOX;
    const std::vector<CreationCase> cases = {
        {"defaults, empty text", {}, true, kCaption | kSysMenuBorder | kFrame | kMin, 0, true},
        {"defaults with a text", {}, false, kCaption | kSysMenuBorder | kFrame | kMin, 0, false},
        {"no control box, empty text", {2, false, false, true, 0}, true, kFrame | kMin, 0, false},
        {"no control box with a text",
         {2, false, false, true, 0},
         false,
         kCaption | kFrame | kMin,
         0,
         false},
        {"no border, text and control box", {0, true, false, false, 0}, false, 0, 0, false},
        {"no border, empty text, control box", {0, true, false, false, 0}, true, 0, 0, true},
        {"sizable",
         {1, true, false, false, 0},
         false,
         kCaption | kSysMenuBorder | kFrame | WS_THICKFRAME,
         0,
         false},
        {"sizable tool window",
         {3, true, false, false, 0},
         false,
         kCaption | kSysMenuBorder | kFrame | WS_THICKFRAME,
         WS_EX_TOOLWINDOW,
         false},
        {"fixed tool window",
         {4, true, false, false, 0},
         false,
         kCaption | kSysMenuBorder | kFrame,
         WS_EX_TOOLWINDOW,
         false},
        {"sizable sunken",
         {5, false, false, false, 0},
         false,
         kCaption | kFrame | WS_THICKFRAME,
         WS_EX_CLIENTEDGE,
         false},
        {"fixed sunken", {6, false, false, false, 0}, true, kFrame, WS_EX_CLIENTEDGE, false},
        {"unknown border style 9", {9, false, false, false, 0}, false, kCaption | kFrame, 0, false},
        {"negative border style", {-1, false, false, false, 0}, true, kFrame, 0, false},
        {"both boxes without border", {0, false, true, true, 0}, true, kMax | kMin, 0, false},
        {"centred adds nothing", {2, false, false, false, 1}, true, kFrame, 0, false},
        {"minimized", {2, false, false, false, 2}, true, kFrame | WS_MINIMIZE, 0, false},
        {"maximized", {2, false, true, false, 3}, true, kFrame | kMax | WS_MAXIMIZE, 0, false},
        {"start state out of range", {2, false, false, false, 7}, true, kFrame, 0, false},
    };
    for (const CreationCase& c : cases) {
        SCOPED_TRACE(c.name);
        const FormCreationStyles styles =
            ComputeFormCreationStyles(c.options, kHolder, kControlParent, c.textEmpty);
        EXPECT_EQ(styles.style, kHolder | WS_CLIPCHILDREN | c.expectStyle);
        EXPECT_EQ(styles.exStyle, kControlParent | c.expectExStyle);
        EXPECT_EQ(styles.useDefaultCaption, c.expectDefaultCaption);
    }
}

TEST(FormStyles, CreationKeepsTheChildAndPopupBitsItIsGiven) {
    const FormCreationStyles child =
        ComputeFormCreationStyles({}, WS_CHILD | WS_VISIBLE, kControlParent, false);
    EXPECT_EQ(child.style & (WS_CHILD | WS_POPUP), static_cast<DWORD>(WS_CHILD));
    const FormCreationStyles popup =
        ComputeFormCreationStyles({}, WS_POPUP | WS_VISIBLE, kControlParent, false);
    EXPECT_EQ(popup.style & (WS_CHILD | WS_POPUP), static_cast<DWORD>(WS_POPUP));
}

struct CaptionCase {
    const char* name;
    FormFrameOptions options;
    const wchar_t* text;
    DWORD expect;
};

TEST(FormStyles, CaptionBitsJudgeTheTextAndTheDefaultCaption) {
    const std::vector<CaptionCase> cases = {
        {"control box", {2, true, false, false, 0}, L"", 0x00C80000 | WS_DLGFRAME},
        {"no control box, the default caption",
         {2, false, false, false, 0},
         kDefaultFormCaption,
         WS_DLGFRAME},
        {"no control box, empty", {2, false, false, false, 0}, L"", WS_DLGFRAME},
        {"no control box, a text", {2, false, false, false, 0}, L"Tarn", WS_CAPTION | WS_DLGFRAME},
        {"default caption with more",
         {2, false, false, false, 0},
         L"Tarn应用程序 2",
         WS_CAPTION | WS_DLGFRAME},
        {"no border", {0, true, true, true, 0}, L"Tarn", WS_MAXIMIZEBOX | WS_MINIMIZEBOX},
        {"boxes",
         {1, true, true, true, 0},
         L"",
         0x00C80000 | WS_DLGFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX},
    };
    for (const CaptionCase& c : cases) {
        SCOPED_TRACE(c.name);
        const DWORD bits = ComputeCaptionStyleBits(c.options, c.text);
        EXPECT_EQ(bits, c.expect);
        EXPECT_EQ(bits & ~kCaptionStyleMask, 0u) << "bits outside the caption mask";
    }
}

struct EnvelopeCase {
    const char* name;
    DWORD style;
    DWORD exStyle;
    bool fixed;
    DWORD expectStyle;
    DWORD expectExStyle;
};

TEST(FormStyles, EnvelopeTemplateStyles) {
    const std::vector<EnvelopeCase> cases = {
        {"fixed dialog frame ignores the form's styles", 0x16CB0000, WS_EX_TOOLWINDOW, true,
         0x92C80880, 0},
        {"fixed form without sizing frame gets a modal frame", 0x16CA0000, WS_EX_CONTROLPARENT,
         false, ((0x16CA0000u & 0x2DFFF7FFu) | 0x92000800u) | DS_MODALFRAME, WS_EX_CONTROLPARENT},
        {"sizable form keeps its sizing frame, no modal frame", 0x16CE0000, 0, false,
         (0x16CE0000u & 0x2DFFF7FFu) | 0x92000800u, 0},
        {"the child bit goes, maximized stays", WS_CHILD | WS_MAXIMIZE, 0, false,
         WS_MAXIMIZE | 0x92000800u | DS_MODALFRAME, 0},
        {"a caption is kept", WS_CLIPCHILDREN | WS_CAPTION, 0, false,
         WS_CAPTION | 0x92000800u | DS_MODALFRAME, 0},
    };
    for (const EnvelopeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const EnvelopeStyles styles = ComputeEnvelopeStyles(c.style, c.exStyle, c.fixed);
        EXPECT_EQ(styles.style, c.expectStyle);
        EXPECT_EQ(styles.exStyle, c.expectExStyle);
        EXPECT_EQ(styles.style & (WS_POPUP | WS_CHILD), static_cast<DWORD>(WS_POPUP))
            << "an envelope is always a pop-up";
    }
}

TEST(FormStyles, WindowShapeCornersAndClamping) {
    const struct {
        int width, height, diameter;
    } corners[] = {{500, 300, 60}, {300, 500, 60}, {4, 100, 0}, {9, 9, 1}, {1000, 1000, 200}};
    for (const auto& c : corners) {
        EXPECT_EQ(RoundedCornerDiameter(c.width, c.height), c.diameter)
            << c.width << "x" << c.height;
    }
    const struct {
        int64_t shape, clamped;
    } shapes[] = {{-5, 0}, {0, 0}, {1, 1}, {2, 2}, {3, 2}, {INT64_MAX, 2}};
    for (const auto& s : shapes) {
        EXPECT_EQ(ClampWindowShape(s.shape), s.clamped) << s.shape;
    }
    EXPECT_EQ(CreateWindowShapeRegion(0, 100, 100), nullptr);
    for (int64_t shape : {1, 2, 9}) {
        HRGN region = CreateWindowShapeRegion(shape, 500, 300);
        ASSERT_NE(region, nullptr) << shape;
        RECT box = {};
        EXPECT_NE(GetRgnBox(region, &box), ERROR);
        EXPECT_NEAR(box.right - box.left, 500, 1);
        // A corner point lies outside every shape but the rectangle.
        EXPECT_FALSE(PtInRegion(region, 1, 1));
        EXPECT_TRUE(PtInRegion(region, 250, 150));
        DeleteObject(region);
    }
}

TEST(FormStyles, TrayClickKinds) {
    const struct {
        LPARAM message;
        int kind;
    } cases[] = {{WM_LBUTTONUP, 1},   {WM_LBUTTONDBLCLK, 2}, {WM_RBUTTONUP, 3},
                 {WM_CONTEXTMENU, 3}, {WM_MOUSEMOVE, 0},     {WM_LBUTTONDOWN, 0},
                 {WM_RBUTTONDOWN, 0}, {WM_RBUTTONDBLCLK, 0}, {0x10000 | WM_LBUTTONUP, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(TrayClickKind(c.message), c.kind) << std::hex << c.message;
    }
}

TEST(FormStyles, HelpPathsRelativeToTheProgramDirectory) {
    const std::wstring program = L"C:\\Tools\\Qorvath\\qorvath.exe";
    const struct {
        const wchar_t* help;
        const wchar_t* expect;
    } cases[] = {
        {L"qorvath.hlp", L"C:\\Tools\\Qorvath\\qorvath.hlp"},
        {L"help\\qorvath.chm", L"C:\\Tools\\Qorvath\\help\\qorvath.chm"},
        {L"..\\qorvath.hlp", L"C:\\Tools\\Qorvath\\..\\qorvath.hlp"},
        {L"\\\\server\\share\\a.hlp", L"\\\\server\\share\\a.hlp"},
        {L"\\a.hlp", L"\\a.hlp"},
        {L"D:\\a.hlp", L"D:\\a.hlp"},
        {L"d:\\a.hlp", L"d:\\a.hlp"},
        {L"D:a.hlp", L"C:\\Tools\\Qorvath\\D:a.hlp"},
        {L"1:\\a.hlp", L"C:\\Tools\\Qorvath\\1:\\a.hlp"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolveHelpFilePath(c.help, program), c.expect) << c.help;
    }
    // A program directory longer than the old fixed buffers is kept whole.
    const std::wstring deep = L"C:\\" + std::wstring(300, L'd') + L"\\p.exe";
    EXPECT_EQ(ResolveHelpFilePath(L"x.hlp", deep), L"C:\\" + std::wstring(300, L'd') + L"\\x.hlp");
    const std::wstring self = GetProgramPath();
    EXPECT_GT(self.size(), 4u);
    EXPECT_NE(GetFileAttributesW(self.c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
