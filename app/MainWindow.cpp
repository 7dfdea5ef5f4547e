#include "app/MainWindow.h"

#include <iterator>

#include "app/ConversionRules.h"
#include "runtime/ObjectStream.h"
#include "runtime/StartupMarks.h"

namespace rg_tarn_app {

using rg_tarn_MFCJieMian_base::CTarnWinControl;
using rg_tarn_MFCJieMian_base::CTarnWinForm;

namespace {

constexpr uint32_t kBlue = 0xFF0000; // COLORREF 0x00BBGGRR
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kSilver = 0xC0C0C0;
constexpr uint32_t kSystemColour = 0xFF000000;
constexpr uint32_t kCentredCaption = 0x300; // BS_CENTER
constexpr int32_t kCentred = 1;
constexpr const char16_t* kFont = u", 12, 0, 0, 0, 0, 0";

// The buttons' click handler: the target is the window itself.
int32_t OnClicked(CTarnObject* target, CTarnObject* component, int32_t /*tag*/) {
    return static_cast<rg_my_main_window*>(target)->rg_on_button_clicked(component);
}

using rg_tarn_MFCJieMian_base::rg_button1;
using rg_tarn_MFCJieMian_base::rg_edit_box;
using rg_tarn_MFCJieMian_base::rg_FenZuKuang2;
using rg_tarn_MFCJieMian_base::rg_label7;

struct ControlRow;

// One member of the window, reached through functions made from its member
// pointer: the control as such, and the set-up its own kind wants.
struct MemberAccess {
    CTarnWinControl& (*control)(rg_my_main_window& window);
    void (*styleAsItsKind)(rg_my_main_window& window, const ControlRow& row);
};

// One control of the design. Its id is 101 + its row; its parent is the
// window (kInWindow) or the group box of an earlier row.
struct ControlRow {
    MemberAccess member;
    int parentRow;
    // The rectangle in the parent's client area.
    struct {
        int32_t x;
        int32_t y;
        int32_t width;
        int32_t height;
    } box;
    const char16_t* text; // null: none
    uint32_t textColour;  // kOwnColour: the kind's own
    uint32_t backColour;  // kOwnColour: the kind's own
    const char16_t* font; // null: the system font
    const char16_t* hint; // null: none
};

constexpr int kInWindow = -1;
constexpr uint32_t kOwnColour = 0xFFFFFFFF;

template <class Control> void StyleColours(Control& control, const ControlRow& row) {
    if (row.textColour != kOwnColour) {
        control.SetTextColor(row.textColour);
    }
    if (row.backColour != kOwnColour) {
        control.SetBackColor(row.backColour);
    }
}

// Every caption and text of the design is centred.
void StyleAsItsKind(rg_FenZuKuang2& group, const ControlRow& row) {
    group.SetCaptionAlignment(kCentredCaption);
    StyleColours(group, row);
}
void StyleAsItsKind(rg_label7& label, const ControlRow& row) {
    label.SetHAlign(kCentred);
    StyleColours(label, row);
}
void StyleAsItsKind(rg_edit_box& edit, const ControlRow& row) {
    edit.SetTextAlignment(kCentred);
    StyleColours(edit, row);
}
void StyleAsItsKind(rg_button1& button, const ControlRow& row) {
    StyleColours(button, row);
}

template <auto Member> constexpr MemberAccess Access() {
    return {[](rg_my_main_window& w) -> CTarnWinControl& { return w.*Member; },
            [](rg_my_main_window& w, const ControlRow& row) { StyleAsItsKind(w.*Member, row); }};
}

using W = rg_my_main_window;

// The design, in declaration order of the members, which is also their
// construction and creation order: a group box comes before its contents.
// clang-format off
constexpr ControlRow kControls[] = {
    // member, parent row, rectangle,
    //     text, text colour, back colour, font, hint
    {Access<&W::rg_group_aba_to_track>(),   kInWindow, {10, 218, 592, 128},
        u"ABA地址转磁道", kBlue, kOwnColour, kFont, nullptr},
    {Access<&W::rg_label_track>(),          0,         {256, 45, 96, 32},
        u"所在磁道", kOwnColour, kOwnColour, kFont, nullptr},
    {Access<&W::rg_label_offset>(),         0,         {371, 45, 96, 32},
        u"偏移扇区地址", kOwnColour, kOwnColour, kFont, nullptr},
    {Access<&W::rg_label_spt>(),            0,         {134, 45, 96, 32},
        u"SPT", kOwnColour, kOwnColour, kFont, nullptr},
    {Access<&W::rg_label_aba>(),            0,         {13, 45, 96, 32},
        u"ABA地址", kOwnColour, kOwnColour, kFont, u"ABA地址"},
    {Access<&W::rg_button_aba_to_track>(),  0,         {480, 77, 96, 32},
        u"ABA转换磁道", kOwnColour, kOwnColour, kFont, nullptr},
    {Access<&W::rg_edit_offset>(),          0,         {371, 77, 96, 32},
        nullptr, kOwnColour, kSilver, nullptr, nullptr},
    {Access<&W::rg_edit_track>(),           0,         {256, 77, 96, 32},
        nullptr, kOwnColour, kSilver, nullptr, nullptr},
    {Access<&W::rg_edit_spt>(),             0,         {134, 77, 96, 32},
        nullptr, kOwnColour, kOwnColour, nullptr, u"SPT"},
    {Access<&W::rg_edit_aba>(),             0,         {13, 77, 96, 32},
        nullptr, kOwnColour, kOwnColour, nullptr, u"ABA地址"},
    {Access<&W::rg_group_track_to_aba>(),   kInWindow, {10, 45, 592, 128},
        u"磁道转ABA地址", kRed, kSystemColour, kFont, nullptr},
    {Access<&W::rg_label_spt2>(),           10,        {134, 38, 96, 32},
        u"SPT", kOwnColour, kOwnColour, kFont, nullptr},
    {Access<&W::rg_label_track2>(),         10,        {13, 38, 96, 32},
        u"磁道", kOwnColour, kOwnColour, kFont, nullptr},
    {Access<&W::rg_edit_track2>(),          10,        {13, 77, 96, 32},
        nullptr, kOwnColour, kOwnColour, nullptr, u"磁道"},
    {Access<&W::rg_edit_spt2>(),            10,        {134, 75, 96, 32},
        nullptr, kOwnColour, kOwnColour, nullptr, u"SPT"},
    {Access<&W::rg_edit_aba2>(),            10,        {256, 75, 96, 32},
        nullptr, kOwnColour, kSilver, nullptr, nullptr},
    {Access<&W::rg_button_track_to_aba>(),  10,        {365, 75, 96, 32},
        u"磁道转ABA", kOwnColour, kOwnColour, kFont, nullptr},
    {Access<&W::rg_label_aba2>(),           10,        {256, 38, 96, 32},
        u"ABA地址", kOwnColour, kOwnColour, kFont, nullptr},
};
// clang-format on
constexpr int32_t kFirstControlId = 101;

// A parent is created before its contents.
constexpr bool ParentsComeFirst() {
    for (size_t row = 0; row < std::size(kControls); ++row) {
        const int parent = kControls[row].parentRow;
        if (parent != kInWindow && (parent < 0 || static_cast<size_t>(parent) >= row)) {
            return false;
        }
    }
    return true;
}

static_assert(std::size(kControls) == 18, "the design has eighteen controls");
static_assert(ParentsComeFirst(), "a control's parent is an earlier row");

CTarnWinControl& ControlOfRow(rg_my_main_window& window, size_t row) {
    return kControls[row].member.control(window);
}

const CTarnWinControl& ControlOfRow(const rg_my_main_window& window, size_t row) {
    return ControlOfRow(const_cast<rg_my_main_window&>(window), row);
}

void SetUp(rg_my_main_window& window, const ControlRow& row) {
    CTarnWinControl& control = row.member.control(window);
    if (row.text != nullptr) {
        control.SetControlText(CWString(row.text));
    }
    row.member.styleAsItsKind(window, row);
    if (row.font != nullptr) {
        control.SetFontDescription(CWString(row.font));
    }
}

void SetHint(CTarnWinControl& control, const char16_t* hint) {
    MarkStartup(StartupMark::kHintBegin);
    control.SetHintText(CWString(hint));
    MarkStartup(StartupMark::kHintEnd);
}

} // namespace

rg_my_main_window::rg_my_main_window() : rg_event_pointer(new CTarnEventObjectPointer(this)) {
    SetControlText(CWString(kCaption));
}

rg_my_main_window::~rg_my_main_window() {
    flags |= kFlagDestroying;
    // From here on a click finds a detached pointer; the controls then go
    // in reverse declaration order, and the form part last.
    rg_event_pointer->Detach();
}

rg_my_main_window::rg_my_main_window(const rg_my_main_window& other) : rg_my_main_window() {
    *this = other;
}

rg_my_main_window& rg_my_main_window::operator=(const rg_my_main_window& other) {
    if (this != &other) {
        CTarnObjectClass::operator=(other);
        CopyMembersFrom(other);
    }
    return *this;
}

bool rg_my_main_window::IsEqual(const CTarnObject& other) const {
    return &other == this && CTarnWinControl::IsEqual(other);
}

void rg_my_main_window::CopyMembersFrom(const rg_my_main_window& other) {
    for (size_t row = 0; row < std::size(kControls); ++row) {
        CTarnWinControl& mine = ControlOfRow(*this, row);
        mine.BeforeOverwrite();
        mine.CopyFrom(ControlOfRow(other, row));
    }
}

void rg_my_main_window::Reset() {
    rg_my_main_window fresh;
    CopyFrom(fresh);
}

void rg_my_main_window::LoadFrom(CTarnObjectStream& stream) {
    if (stream.GetError() != 0) {
        return;
    }
    CTarnWinControl::LoadFrom(stream);
    for (size_t row = 0; row < std::size(kControls); ++row) {
        ControlOfRow(*this, row).LoadFrom(stream);
    }
}

void rg_my_main_window::SaveTo(CTarnObjectStream& stream) const {
    if (stream.GetError() != 0) {
        return;
    }
    CTarnWinControl::SaveTo(stream);
    for (size_t row = 0; row < std::size(kControls); ++row) {
        ControlOfRow(*this, row).SaveTo(stream);
    }
}

void rg_my_main_window::BindEvents() {
    rg_button_aba_to_track.Clicked.Bind(&OnClicked, rg_event_pointer, 0);
    rg_button_aba_to_track.AttachListener();
    rg_button_track_to_aba.Clicked.Bind(&OnClicked, rg_event_pointer, 0);
    rg_button_track_to_aba.AttachListener();
}

void rg_my_main_window::OnNativeCreated() {
    MarkStartup(StartupMark::kChildrenCreating);
    BindEvents();
    for (size_t row = 0; row < std::size(kControls); ++row) {
        const ControlRow& design = kControls[row];
        SetUp(*this, design);
        CTarnWinControl* parent = design.parentRow == kInWindow
                                      ? this
                                      : &ControlOfRow(*this, static_cast<size_t>(design.parentRow));
        CTarnWinControl& control = ControlOfRow(*this, row);
        control.CreateInParent(parent, design.box.x, design.box.y, design.box.width,
                               design.box.height, kFirstControlId + static_cast<int32_t>(row));
        if (design.hint != nullptr) {
            SetHint(control, design.hint);
        }
    }
    MarkStartup(StartupMark::kChildrenCreated);
}

int32_t rg_my_main_window::rg_on_button_clicked(CTarnObject* source) {
    if (source == &rg_button_aba_to_track) {
        ConvertAbaToTrackGroup();
    }
    if (source == &rg_button_track_to_aba) {
        ConvertTrackToAbaGroup();
    }
    return 0;
}

void rg_my_main_window::ConvertAbaToTrackGroup() {
    // Each input is read and converted before the next one is read.
    const CWString aba = rg_edit_aba.GetControlText();
    const CWString spt = rg_edit_spt.GetControlText();
    const std::optional<TrackAndOffset> result = ConvertAbaToTrack(aba.GetText(), spt.GetText());
    if (!result) {
        return; // nothing changes and nothing is shown
    }
    rg_edit_track.SetControlText(CWString(result->track));
    rg_edit_offset.SetControlText(CWString(result->offset));
}

void rg_my_main_window::ConvertTrackToAbaGroup() {
    const CWString spt = rg_edit_spt2.GetControlText();
    const CWString track = rg_edit_track2.GetControlText();
    const AbaOrMissingInput result = ConvertTrackToAba(spt.GetText(), track.GetText());
    if (result.missingInput) {
        ShowMessageBox(CWString(kMissingInputMessage), CWString(kMissingInputCaption));
        return;
    }
    rg_edit_aba2.SetControlText(CWString(result.aba));
}

} // namespace rg_tarn_app
