#include "components/Label.h"
#include "native/PrivateMessages.h"
#include "native/VWndLabel.h"
#include "tests/components_controls/ControlsTestSupport.h"
#include "tests/support/MemoryBitmaps.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace rg_tarn_MFCJieMian_base;
using Canvas = test_support::MemoryCanvas;
using controls_test::ChildRecord;
using controls_test::HostWindow;
using test_support::EventRecorder;
using test_support::PumpMessagesUntilIdle;

constexpr int kWidth = 200;
constexpr int kHeight = 60;

struct LabelFixture {
    HostWindow host;
    rg_label7 label;

    explicit LabelFixture(const char16_t* text) {
        label.SetControlText(CWString(text));
        label.SetBackColor(0xFFFFFF);
        label.SetTextColor(0x000000);
        ControlCreateInfo info = ChildRecord(host, 10, 10, kWidth, kHeight, 101);
        created = label.CreateNative(info) == 1;
    }
    HWND hwnd() const { return label.GetWindowHandle(); }
    // Where the text's ink lies when the label paints itself into a canvas.
    RECT Ink() const {
        Canvas canvas(kWidth, kHeight, RGB(9, 9, 9));
        SendMessageW(hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
        return canvas.InkBounds(RGB(255, 255, 255));
    }
    bool created = false;
};

TEST(Label, TextLandsWhereTheAlignmentsPutIt) {
    LabelFixture fixture(u"WWW");
    ASSERT_TRUE(fixture.created);
    struct Case {
        int32_t hAlign, vAlign;
        const char* where;
    };
    const Case cases[] = {{0, 0, "top left"},    {1, 1, "centre"},    {2, 2, "bottom right"},
                          {0, 2, "bottom left"}, {2, 0, "top right"}, {1, 0, "top centre"}};
    for (const Case& c : cases) {
        fixture.label.SetHAlign(c.hAlign);
        fixture.label.SetVAlign(c.vAlign);
        const RECT ink = fixture.Ink();
        ASSERT_LT(ink.left, ink.right) << c.where << ": no text drawn";
        const int left = ink.left;
        const int rightGap = kWidth - ink.right;
        const int topGap = ink.top;
        const int bottomGap = kHeight - ink.bottom;
        switch (c.hAlign) {
        case 0:
            EXPECT_LT(left, 5) << c.where;
            break;
        case 1:
            EXPECT_NEAR(left, rightGap, 3) << c.where;
            break;
        default:
            EXPECT_LT(rightGap, 5) << c.where;
            break;
        }
        switch (c.vAlign) {
        case 0:
            EXPECT_LT(topGap, bottomGap) << c.where;
            break;
        case 1:
            EXPECT_NEAR(topGap, bottomGap, 4) << c.where;
            break;
        default:
            EXPECT_GT(topGap, bottomGap) << c.where;
            break;
        }
    }
}

TEST(Label, WordWrapBreaksTheTextIntoLines) {
    LabelFixture fixture(u"one two three four five six seven eight nine ten eleven");
    ASSERT_TRUE(fixture.created);
    fixture.label.SetHAlign(1);
    const RECT single = fixture.Ink();
    fixture.label.SetWordWrap(true);
    const RECT wrapped = fixture.Ink();
    EXPECT_GT(wrapped.bottom - wrapped.top, 2 * (single.bottom - single.top) - 2);
    EXPECT_LT(wrapped.right - wrapped.left, kWidth + 1);
}

TEST(Label, EmptyTextPaintsOnlyTheBackground) {
    LabelFixture fixture(u"");
    ASSERT_TRUE(fixture.created);
    fixture.label.SetBackColor(0x00FF00);
    Canvas canvas(kWidth, kHeight, RGB(9, 9, 9));
    SendMessageW(fixture.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    EXPECT_EQ(canvas.InkBounds(RGB(0, 255, 0)).right, 0) << "all background";

    // A picture is drawn over the background, at its size in the top-left corner.
    HBITMAP picture =
        test_support::SolidBitmap(test_support::BitmapKind::kDib24, 20, 10, RGB(255, 0, 0));
    fixture.label.SetPicture(picture); // owned by the label from here on
    canvas.Fill(RGB(9, 9, 9));
    SendMessageW(fixture.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    const RECT pictureInk = canvas.InkBounds(RGB(0, 255, 0));
    EXPECT_EQ(pictureInk.left, 0);
    EXPECT_EQ(pictureInk.top, 0);
    EXPECT_EQ(pictureInk.right, 20);
    EXPECT_EQ(pictureInk.bottom, 10);
    EXPECT_EQ(canvas.At(5, 5), RGB(255, 0, 0));
    fixture.label.SetPicture(nullptr);
    EXPECT_EQ(GetObjectType(picture), 0u) << "a removed picture is deleted";

    fixture.label.SetTransparent(true);
    canvas.Fill(RGB(9, 9, 9));
    SendMessageW(fixture.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    EXPECT_EQ(canvas.InkBounds(RGB(9, 9, 9)).right, 0) << "a transparent label fills nothing";
    EXPECT_NE(GetWindowLongPtrW(fixture.hwnd(), GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
}

TEST(Label, AlignmentChangeRedrawsWithoutErasing) {
    LabelFixture fixture(u"text");
    ASSERT_TRUE(fixture.created);
    PumpMessagesUntilIdle();
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(fixture.hwnd(), &update, FALSE));
    fixture.label.SetHAlign(2);
    EXPECT_TRUE(GetUpdateRect(fixture.hwnd(), &update, FALSE));
    EXPECT_EQ(update.right - update.left, kWidth);
    EXPECT_EQ(fixture.label.GetHAlign(), 2);
}

int32_t AnswerLabelMessage(CTarnObject* target, CTarnObject* component, int32_t tag, int64_t first,
                           int64_t second) {
    return EventRecorder::Of(target)->Record({"LabelMessage", component, tag, {first, second}, {}});
}

TEST(Label, LabelMessageAnswersWithTheHandlerResult) {
    LabelFixture fixture(u"x");
    ASSERT_TRUE(fixture.created);
    const HWND hwnd = fixture.hwnd();
    const auto first = static_cast<WPARAM>(0x1122334455667788ull);
    const auto second = static_cast<LPARAM>(-3);

    EXPECT_EQ(SendMessageW(hwnd, tarn_msg::kLabelMessage, first, second), 0) << "no listener";
    fixture.label.AttachListener();
    EXPECT_EQ(SendMessageW(hwnd, tarn_msg::kLabelMessage, first, second), 0) << "unbound";

    EventRecorder recorder;
    fixture.label.LabelMessage.Bind(&AnswerLabelMessage, recorder.pointer, 5);
    struct Case {
        int32_t answer;
        LRESULT expected;
    };
    const Case cases[] = {{42, 42}, {-7, -7}, {0, 0}, {INT32_MIN, INT32_MIN}};
    for (const Case& c : cases) {
        recorder.answer = c.answer;
        EXPECT_EQ(SendMessageW(hwnd, tarn_msg::kLabelMessage, first, second), c.expected);
    }
    ASSERT_EQ(recorder.log.size(), 4u);
    EXPECT_EQ(recorder.log[0].Value(0), 0x1122334455667788ll);
    EXPECT_EQ(recorder.log[0].Value(1), -3);
    EXPECT_EQ(recorder.log[0].tag, 5);
    EXPECT_EQ(recorder.log[0].component, &fixture.label);
}

TEST(Label, KeepsItsOwnCopyOfTheFontAndNeverTheStockOne) {
    LabelFixture fixture(u"font");
    ASSERT_TRUE(fixture.created);
    CVWnd_Label* wnd = fixture.label.GetLabelWindow();
    // Created through the component, the label got the component's font.
    ASSERT_NE(wnd->GetOwnFont(), nullptr);
    EXPECT_NE(wnd->GetOwnFont(), fixture.label.GetHolder()->GetFont());
    const HFONT first = wnd->GetOwnFont();

    LOGFONTW description{};
    description.lfHeight = -21;
    wcscpy_s(description.lfFaceName, L"Tahoma");
    HFONT given = CreateFontIndirectW(&description);
    SendMessageW(fixture.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(given), TRUE);
    const HFONT own = wnd->GetOwnFont();
    EXPECT_NE(own, given);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(fixture.hwnd(), WM_GETFONT, 0, 0)), own);
    EXPECT_TRUE(DeleteObject(given)) << "the caller's font stays the caller's";
    LOGFONTW copy{};
    ASSERT_NE(GetObjectW(own, sizeof(copy), &copy), 0);
    EXPECT_EQ(copy.lfHeight, -21);
    EXPECT_EQ(GetObjectType(first), 0u) << "the copy it replaced is freed";
    const RECT large = fixture.Ink();

    // A null or unreadable font leaves the label's font as it is.
    SendMessageW(fixture.hwnd(), WM_SETFONT, 0, TRUE);
    SendMessageW(fixture.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(given), TRUE);
    EXPECT_EQ(wnd->GetOwnFont(), own);

    // A label that never got a font draws with the stock font, and leaves the
    // context's font as it found it.
    const std::u16string stockText = u"stock";
    CVWnd_Label bare;
    bare.BackColor = 0xFFFFFF;
    bare.TextColor = 0x000000;
    ASSERT_TRUE(bare.CreateLabel(0, stockText.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, kWidth, kHeight,
                                 &fixture.host, 102));
    Canvas canvas(kWidth, kHeight, RGB(9, 9, 9));
    const HGDIOBJ before = GetCurrentObject(canvas.Dc(), OBJ_FONT);
    SendMessageW(bare.GetSafeHwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()),
                 PRF_CLIENT);
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), before);
    EXPECT_EQ(bare.GetOwnFont(), nullptr);
    EXPECT_EQ(SendMessageW(bare.GetSafeHwnd(), WM_GETFONT, 0, 0), 0);
    const RECT drawn = canvas.InkBounds(RGB(255, 255, 255));

    Canvas reference(kWidth, kHeight, RGB(255, 255, 255));
    SelectObject(reference.Dc(), GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(reference.Dc(), TRANSPARENT);
    RECT area = {0, 0, kWidth, kHeight};
    DrawTextW(reference.Dc(), reinterpret_cast<const wchar_t*>(stockText.c_str()), -1, &area,
              DT_SINGLELINE);
    const RECT expected = reference.InkBounds(RGB(255, 255, 255));
    ASSERT_LT(drawn.left, drawn.right) << "no text drawn";
    EXPECT_EQ(drawn.right - drawn.left, expected.right - expected.left) << "the stock font's ink";
    EXPECT_EQ(drawn.bottom - drawn.top, expected.bottom - expected.top) << "the stock font's ink";
    EXPECT_GT(large.bottom - large.top, drawn.bottom - drawn.top) << "the label's own font";
    bare.DestroyWindow();
    LOGFONTW stock{};
    EXPECT_NE(GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(stock), &stock), 0);

    // A label frees its own copy when it goes.
    HFONT kept = nullptr;
    {
        CVWnd_Label owner;
        ASSERT_TRUE(owner.CreateLabel(0, u"own", WS_CHILD, 0, 0, 80, 20, &fixture.host, 103));
        HFONT font = CreateFontIndirectW(&description);
        SendMessageW(owner.GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        DeleteObject(font);
        kept = owner.GetOwnFont();
        ASSERT_NE(GetObjectType(kept), 0u);
        owner.DestroyWindow();
    }
    EXPECT_EQ(GetObjectType(kept), 0u);
}

} // namespace
