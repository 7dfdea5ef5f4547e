// rg_edit_box, the edit box with its input types and spin, and its EditChanged and EditSpin events.
#pragma once

#include <cstdint>

#include "components/ListenedControl.h"
#include "components/WinControl.h"
#include "native/VWndEdit.h"

namespace rg_tarn_MFCJieMian_base {

// A text box on the platform's edit control. Its input type decides which
// typed characters it takes and how its text is normalised when it loses the
// focus (numbers, dates, hexadecimal); a single-line edit may have a spin
// beside it that steps its number or raises EditSpin.
//
// Multi-line, scroll bars and the spin's mode are read when the window is
// created; the other properties take effect at once. The event bindings
// belong to this object: copies share the window but start unbound. GUI
// thread only.
class rg_edit_box
    : public CTarnObjectClass<rg_edit_box,
                              CListenedControl<CVWnd_Edit, IEditEventListener, CTarnWinControl>> {
public:
    // A new holder with an uncreated edit window: style 0x14010000 and the
    // sunken client edge.
    rg_edit_box();
    // Shares other's holder; events unbound.
    rg_edit_box(const rg_edit_box& other) = default;
    rg_edit_box& operator=(const rg_edit_box& other) = default;
    // Detaches the listener; EditSpin, then EditChanged, release their
    // targets as members.
    ~rg_edit_box() override;

    static const ClassInfo& ClassRecord() { return Record("rg_tarn_MFCJieMian_base::rg_edit_box"); }

    // Creates the "EDIT" window with its text limit, password character and spin.
    int32_t CreateNative(ControlCreateInfo& info) override;

    // IEditEventListener.
    // Raises EditChanged.
    void OnEditChanged() override;
    // Raises EditSpin with the direction; its result.
    int32_t OnEditSpin(int32_t direction) override;

    // Text colour; a live edit is redrawn.
    uint32_t GetTextColor() const;
    void SetTextColor(uint32_t colour);
    // Background colour (0xFF000000: the button face). The colour the edit
    // has already changes nothing; another one gets a new brush and redraws
    // a live edit with its frame.
    uint32_t GetBackColor() const;
    void SetBackColor(uint32_t colour);
    // Most units the user can type; 0 is the platform's largest limit.
    int32_t GetMaxLength() const;
    void SetMaxLength(int32_t units);
    // Multi-line with its scroll bars (1 horizontal, 2 vertical, 3 both);
    // read at creation.
    bool GetMultiLine() const;
    void SetMultiLine(bool multiLine);
    int64_t GetScrollBars() const;
    void SetScrollBars(int64_t scrollBars);
    // One of EditInputType (0 text ... 13 hexadecimal). A live edit becomes
    // read-only for 1 and shows its password character for 2.
    int64_t GetInputType() const;
    void SetInputType(int64_t inputType);
    // Shown in place of each character of a password edit.
    char16_t GetPasswordChar() const;
    void SetPasswordChar(char16_t unit);
    // 0 no spin, 1 automatic, 2 event (raises EditSpin); read at creation.
    int64_t GetSpinMode() const;
    void SetSpinMode(int64_t mode);
    // The spin's range; a live spin takes it at once.
    int64_t GetSpinMin() const;
    int64_t GetSpinMax() const;
    void SetSpinRange(int64_t spinMin, int64_t spinMax);
    // While set, text changes do not raise EditChanged.
    bool GetSuppressChange() const;
    void SetSuppressChange(bool suppress);
    // Text alignment: 0 left, 1 centred, 2 right (the ES_ style bits);
    // applied to a live edit too.
    void SetTextAlignment(int32_t alignment);

    // The native window object, or null.
    CVWnd_Edit* GetEditWindow() const { return ListenedWindow(); }

    // The text changed (unless suppressed).
    TNotifyEvent EditChanged;
    // The spin of an event-mode edit was clicked: -1 down, +1 up.
    TEventSlot<int32_t> EditSpin;
};

} // namespace rg_tarn_MFCJieMian_base
