// rg_my_main_window: the converter's main window with its eighteen controls.
#pragma once

#include <cstdint>

#include "components/Button.h"
#include "components/EditBox.h"
#include "components/EventSlot.h"
#include "components/GroupBox.h"
#include "components/Label.h"
#include "components/WinForm.h"

namespace rg_tarn_app {

// The tool's only window: a form designed with a client area of 618 x 382
// holding two groups, one per conversion. The lower group (ABA to track)
// reads ABA and SPT and writes the track and the sector offset; the upper
// group (track to ABA) reads SPT and track and writes the ABA, or shows the
// missing-input message box. Members are declared in control-id order (101
// to 118), which is also their construction and creation order.
//
// Ownership: the window embeds its controls and owns the first reference of
// its event pointer; the buttons' event slots hold further ones, so a click
// that arrives while or after the window is destroyed finds a detached
// pointer. GUI thread only.
class rg_my_main_window
    : public CTarnObjectClass<rg_my_main_window, rg_tarn_MFCJieMian_base::CTarnWinForm> {
public:
    rg_my_main_window();
    ~rg_my_main_window() override;
    // A new window, with an event pointer of its own, assigned from other.
    rg_my_main_window(const rg_my_main_window& other);
    // The form part, then every control from its row: the controls share
    // other's windows, and this window keeps its own bindings.
    rg_my_main_window& operator=(const rg_my_main_window& other);

    static const ClassInfo& ClassRecord() { return Record("rg_tarn_app::rg_my_main_window"); }

    // Only the very same window equals itself.
    bool IsEqual(const CTarnObject& other) const override;
    // The content of a new main window, assigned.
    void Reset() override;
    void LoadFrom(CTarnObjectStream& stream) override;
    void SaveTo(CTarnObjectStream& stream) const override;

    int32_t GetDesignClientWidth() override { return 618; }
    int32_t GetDesignClientHeight() override { return 382; }
    // Binds the buttons, then sets up and creates the eighteen controls.
    void OnNativeCreated() override;
    // Binds both buttons' clicks to rg_on_button_clicked.
    virtual void BindEvents();

    // Runs the conversion of the group whose button source is; 0.
    int32_t rg_on_button_clicked(CTarnObject* source);

    rg_tarn_MFCJieMian_base::rg_FenZuKuang2 rg_group_aba_to_track;
    rg_tarn_MFCJieMian_base::rg_label7 rg_label_track;
    rg_tarn_MFCJieMian_base::rg_label7 rg_label_offset;
    rg_tarn_MFCJieMian_base::rg_label7 rg_label_spt;
    rg_tarn_MFCJieMian_base::rg_label7 rg_label_aba;
    rg_tarn_MFCJieMian_base::rg_button1 rg_button_aba_to_track;
    rg_tarn_MFCJieMian_base::rg_edit_box rg_edit_offset;
    rg_tarn_MFCJieMian_base::rg_edit_box rg_edit_track;
    rg_tarn_MFCJieMian_base::rg_edit_box rg_edit_spt;
    rg_tarn_MFCJieMian_base::rg_edit_box rg_edit_aba;
    rg_tarn_MFCJieMian_base::rg_FenZuKuang2 rg_group_track_to_aba;
    rg_tarn_MFCJieMian_base::rg_label7 rg_label_spt2;
    rg_tarn_MFCJieMian_base::rg_label7 rg_label_track2;
    rg_tarn_MFCJieMian_base::rg_edit_box rg_edit_track2;
    rg_tarn_MFCJieMian_base::rg_edit_box rg_edit_spt2;
    rg_tarn_MFCJieMian_base::rg_edit_box rg_edit_aba2;
    rg_tarn_MFCJieMian_base::rg_button1 rg_button_track_to_aba;
    rg_tarn_MFCJieMian_base::rg_label7 rg_label_aba2;
    // The window's own pointer for its events; the first reference is ours.
    CTarnEventObjectPointer* rg_event_pointer;

    // The caption: product, twenty blanks, maker, a hyphen and its telephone.
    static constexpr const char16_t* kCaption =
        u"Qorvath                    Brindlemoor-0571-86835520";

private:
    // BeforeOverwrite and a copy for every control, in declaration order.
    void CopyMembersFrom(const rg_my_main_window& other);
    void ConvertAbaToTrackGroup();
    void ConvertTrackToAbaGroup();
};

} // namespace rg_tarn_app
