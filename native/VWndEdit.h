// CVWnd_Edit, the native window of an edit box, and its creation style and single-line geometry
// rules.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "framework/Edit.h"
#include "framework/GdiObject.h"
#include "native/EditSpin.h"
#include "native/Listeners.h"
#include "native/SystemColor.h"
#include "native/TarnWnd.h"

// The window style of an edit made from the component's style: multi-line
// edits scroll vertically and keep Enter, with their scroll bars (1
// horizontal, 2 vertical, 3 both); single-line edits scroll horizontally;
// input type 1 is read-only and 2 a password.
uint32_t EditCreationStyle(uint32_t style, bool multiLine, int64_t scrollBars, int64_t inputType);

// The least height of a single-line edit whose characters are textHeight
// pixels high, with edges edgeHeight pixels high above and below.
int32_t EditMinimumHeight(int32_t textHeight, int32_t edgeHeight);

// Centres a single-line edit's client rectangle, proposed as [top, bottom),
// vertically on a line of textHeight pixels. The rectangle never grows past
// the proposal: when the line is higher than the space, the client keeps the
// proposed top and bottom.
void CentreEditClient(int32_t& top, int32_t& bottom, int32_t textHeight);

// The platform's edit control as a native window of the runtime: input types
// with their character filter and normalisation on losing the focus, a
// single-line edit centred vertically on its font, an optional spin beside it,
// and colours. It reports text changes, spin clicks and (after normalising)
// focus changes to its component's IEditEventListener.
//
// Ownership: the object owns its background brush (always a solid brush of
// the current background colour; a replaced brush is deleted) and its spin.
// The component's holder owns the object. GUI thread only.
class CVWnd_Edit : public CRuntimeKind<"CVWnd_Edit", CTarnWnd<CEdit, IEditEventListener>> {
public:
    CVWnd_Edit();

    // Creates the "EDIT" window with the style of EditCreationStyle, then
    // sets its text limit and password character and makes its spin. False
    // when the object has a window already or the platform refuses.
    bool CreateEdit(uint32_t exStyle, const char16_t* text, uint32_t style, int32_t x, int32_t y,
                    int32_t width, int32_t height, CWnd* parent, int32_t id);

    uint32_t GetBackColor() const { return backColor_; }
    // A new colour (kSystemDefaultColor: the button face) gets a new brush and
    // redraws the window with its frame; the colour it has already changes
    // nothing.
    void SetBackColor(uint32_t colour);
    HBRUSH GetBackgroundBrush() const { return backgroundBrush_.GetHandle(); }

    // Answers a control-colour request for this edit (or its spin): the text
    // and background colours go to dc, the answer is the background brush.
    HBRUSH ControlColor(HDC dc);

    // The spin control; its window exists only when the edit made one.
    CEditSpin& GetSpin() { return spin_; }
    // The character height of the current font of a single-line edit; 0
    // without a font.
    int64_t GetTextHeight() const { return textHeight_; }

    // Text colour.
    uint32_t TextColor = 0;
    // Text limit set at creation; 0 is the platform's largest.
    int32_t MaxLength = 0;
    // Nonzero: multi-line (fixed at creation).
    uint64_t MultiLine = 0;
    // Multi-line only: 1 horizontal, 2 vertical, 3 both (fixed at creation).
    int64_t ScrollBars = 0;
    // One of EditInputType; filter and normalisation follow it at once, the
    // read-only and password styles are set at creation.
    int64_t InputType = 0;
    // Shown in place of each character of a password edit.
    char16_t PasswordChar = u'*';
    // 0 no spin, 1 automatic, 2 event; read at creation.
    int64_t SpinMode = 0;
    // The spin's range, read at creation.
    int64_t SpinMin = 0;
    int64_t SpinMax = 100;
    // Nonzero: text changes are not reported.
    uint64_t SuppressChange = 0;

    // Every message but the focus messages: those reach the listener from
    // the reflected focus notifications, after normalisation.
    bool ListensTo(UINT message) const override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::optional<LRESULT> OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // A typed character the input type refuses: the exclamation beep.
    virtual void RefuseCharacter(char16_t unit);

private:
    bool IsSingleLine() const { return MultiLine == 0; }
    // A typed character that the edit keeps from the platform's edit: a line
    // end or Escape in a single-line edit, one the input type refuses.
    bool StopsCharacter(WPARAM unit);
    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    bool IsOutsideClient(LPARAM screenPoint) const;
    // The default handling of a move, size, enable, show or z-order change,
    // which the spin beside the edit then follows.
    LRESULT WithSpinFollowing(UINT message, WPARAM wParam, LPARAM lParam);
    void MakeSpin(uint32_t editStyle, CWnd* parent, int32_t id);
    void PlaceSpin();
    void OrderSpin();
    void TakeFont(HFONT font);
    void Normalise();
    void ReportFocus(UINT message);
    LRESULT PaintFrame(WPARAM wParam, LPARAM lParam);

    uint32_t backColor_ = 0xFFFFFF;
    CBrush backgroundBrush_; // a solid brush of backColor_
    CEditSpin spin_;
    int64_t textHeight_ = 0;
    bool orderingSpin_ = false; // breaks the z-order exchange's own position changes
};
