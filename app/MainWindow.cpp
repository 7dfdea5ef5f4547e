#include "app/MainWindow.h"

#include <array>

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

CTarnObject* CreateMainWindow() {
    return new rg_my_main_window();
}

// The buttons' click handler: the target is the window itself.
int32_t OnClicked(CTarnObject* target, CTarnObject* component, int32_t /*tag*/) {
    return static_cast<rg_my_main_window*>(target)->rg_on_button_clicked(component);
}

using MemberList = std::array<CTarnWinControl*, 18>;

// The controls in declaration order.
MemberList Members(rg_my_main_window& w) {
    return {&w.rg_group_aba_to_track, &w.rg_label_track,         &w.rg_label_offset,
            &w.rg_label_spt,          &w.rg_label_aba,           &w.rg_button_aba_to_track,
            &w.rg_edit_offset,        &w.rg_edit_track,          &w.rg_edit_spt,
            &w.rg_edit_aba,           &w.rg_group_track_to_aba,  &w.rg_label_spt2,
            &w.rg_label_track2,       &w.rg_edit_track2,         &w.rg_edit_spt2,
            &w.rg_edit_aba2,          &w.rg_button_track_to_aba, &w.rg_label_aba2};
}

MemberList Members(const rg_my_main_window& w) {
    return Members(const_cast<rg_my_main_window&>(w));
}

void SetLabel(rg_tarn_MFCJieMian_base::rg_label7& label, const char16_t* caption) {
    label.SetControlText(CWString(caption));
    label.SetHAlign(kCentred);
    label.SetFontDescription(CWString(kFont));
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

const ClassInfo& rg_my_main_window::ClassRecord() {
    static const ClassInfo info =
        MakeClassInfo(&CreateMainWindow, "rg_tarn_app::rg_my_main_window");
    return info;
}

const ClassInfo& rg_my_main_window::GetClassInfo() const {
    return ClassRecord();
}

bool rg_my_main_window::IsEqual(const CTarnObject& other) const {
    return &other == this && CTarnWinControl::IsEqual(other);
}

rg_my_main_window* rg_my_main_window::CreateNew() const {
    return new rg_my_main_window();
}

rg_my_main_window* rg_my_main_window::Clone() const {
    auto* clone = new rg_my_main_window();
    clone->CopyContent(*this);
    clone->CopyMembersFrom(*this);
    return clone;
}

bool rg_my_main_window::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(ClassRecord())) {
        return false;
    }
    const auto& source = static_cast<const rg_my_main_window&>(other);
    BeforeOverwrite();
    CopyContent(source);
    CopyMembersFrom(source);
    return true;
}

void rg_my_main_window::CopyMembersFrom(const rg_my_main_window& other) {
    const MemberList mine = Members(*this);
    const MemberList theirs = Members(other);
    for (size_t i = 0; i < mine.size(); ++i) {
        mine[i]->BeforeOverwrite();
        mine[i]->CopyFrom(*theirs[i]);
    }
}

void rg_my_main_window::Reset() {
    rg_my_main_window fresh;
    CopyFrom(fresh);
}

bool rg_my_main_window::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnWinForm::IsKindOf(info);
}

void rg_my_main_window::LoadFrom(CTarnObjectStream& stream) {
    if (stream.GetError() != 0) {
        return;
    }
    CTarnWinControl::LoadFrom(stream);
    for (CTarnWinControl* member : Members(*this)) {
        member->LoadFrom(stream);
    }
}

void rg_my_main_window::SaveTo(CTarnObjectStream& stream) const {
    if (stream.GetError() != 0) {
        return;
    }
    CTarnWinControl::SaveTo(stream);
    for (CTarnWinControl* member : Members(*this)) {
        member->SaveTo(stream);
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

    rg_group_aba_to_track.SetControlText(CWString(u"ABA地址转磁道"));
    rg_group_aba_to_track.SetCaptionAlignment(kCentredCaption);
    rg_group_aba_to_track.SetFontDescription(CWString(kFont));
    rg_group_aba_to_track.SetTextColor(kBlue);
    rg_group_aba_to_track.CreateInParent(this, 10, 218, 592, 128, 101);

    SetLabel(rg_label_track, u"所在磁道");
    rg_label_track.CreateInParent(&rg_group_aba_to_track, 256, 45, 96, 32, 102);
    SetLabel(rg_label_offset, u"偏移扇区地址");
    rg_label_offset.CreateInParent(&rg_group_aba_to_track, 371, 45, 96, 32, 103);
    SetLabel(rg_label_spt, u"SPT");
    rg_label_spt.CreateInParent(&rg_group_aba_to_track, 134, 45, 96, 32, 104);
    SetLabel(rg_label_aba, u"ABA地址");
    rg_label_aba.CreateInParent(&rg_group_aba_to_track, 13, 45, 96, 32, 105);
    SetHint(rg_label_aba, u"ABA地址");

    rg_button_aba_to_track.SetControlText(CWString(u"ABA转换磁道"));
    rg_button_aba_to_track.SetFontDescription(CWString(kFont));
    rg_button_aba_to_track.CreateInParent(&rg_group_aba_to_track, 480, 77, 96, 32, 106);

    rg_edit_offset.SetBackColor(kSilver);
    rg_edit_offset.SetTextAlignment(kCentred);
    rg_edit_offset.CreateInParent(&rg_group_aba_to_track, 371, 77, 96, 32, 107);
    rg_edit_track.SetBackColor(kSilver);
    rg_edit_track.SetTextAlignment(kCentred);
    rg_edit_track.CreateInParent(&rg_group_aba_to_track, 256, 77, 96, 32, 108);
    rg_edit_spt.SetTextAlignment(kCentred);
    rg_edit_spt.CreateInParent(&rg_group_aba_to_track, 134, 77, 96, 32, 109);
    SetHint(rg_edit_spt, u"SPT");
    rg_edit_aba.SetTextAlignment(kCentred);
    rg_edit_aba.CreateInParent(&rg_group_aba_to_track, 13, 77, 96, 32, 110);
    SetHint(rg_edit_aba, u"ABA地址");

    rg_group_track_to_aba.SetControlText(CWString(u"磁道转ABA地址"));
    rg_group_track_to_aba.SetCaptionAlignment(kCentredCaption);
    rg_group_track_to_aba.SetBackColor(kSystemColour);
    rg_group_track_to_aba.SetFontDescription(CWString(kFont));
    rg_group_track_to_aba.SetTextColor(kRed);
    rg_group_track_to_aba.CreateInParent(this, 10, 45, 592, 128, 111);

    SetLabel(rg_label_spt2, u"SPT");
    rg_label_spt2.CreateInParent(&rg_group_track_to_aba, 134, 38, 96, 32, 112);
    SetLabel(rg_label_track2, u"磁道");
    rg_label_track2.CreateInParent(&rg_group_track_to_aba, 13, 38, 96, 32, 113);

    rg_edit_track2.SetTextAlignment(kCentred);
    rg_edit_track2.CreateInParent(&rg_group_track_to_aba, 13, 77, 96, 32, 114);
    SetHint(rg_edit_track2, u"磁道");
    rg_edit_spt2.SetTextAlignment(kCentred);
    rg_edit_spt2.CreateInParent(&rg_group_track_to_aba, 134, 75, 96, 32, 115);
    SetHint(rg_edit_spt2, u"SPT");
    rg_edit_aba2.SetBackColor(kSilver);
    rg_edit_aba2.SetTextAlignment(kCentred);
    rg_edit_aba2.CreateInParent(&rg_group_track_to_aba, 256, 75, 96, 32, 116);

    rg_button_track_to_aba.SetControlText(CWString(u"磁道转ABA"));
    rg_button_track_to_aba.SetFontDescription(CWString(kFont));
    rg_button_track_to_aba.CreateInParent(&rg_group_track_to_aba, 365, 75, 96, 32, 117);

    SetLabel(rg_label_aba2, u"ABA地址");
    rg_label_aba2.CreateInParent(&rg_group_track_to_aba, 256, 38, 96, 32, 118);
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
