// CTarnEnvelopeDialog: the modal dialog whose client area a modal form fills.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "native/WindowProcFilters.h"

class CVWnd_WinForm;
struct FormCreateParams;

// The dialog of a modal form's run: an empty template, sized so that its
// client area is the client area the form's own frame would have had, with
// the form's window inside it as a child. It carries the form's frame (text,
// menu, icon) and ends the run on Escape, the close box (both -1 unless a
// closing handler refuses), the form window's end (-1) or an end code sent
// by the form (the tarn_msg::kEnvelope commands). The frame messages it
// leaves to the form's answer for the window that carries its frame.
//
// It takes part in the private message protocol without keeping state, has
// filters like every native window but no listener, and hands input of its
// run to the form's keyboard pre-translation. Lives on the stack of the run;
// GUI thread only.
class CTarnEnvelopeDialog : public CRuntimeKind<"CTarnEnvelopeDialog", CDialog> {
public:
    CTarnEnvelopeDialog(CVWnd_WinForm& form, FormCreateParams& params,
                        const CDialogTemplate& dialogTemplate, HWND owner);

    // Input of the run goes to the form's keyboard pre-translation.
    BOOL PreTranslateMessage(MSG* msg) override;

    CTarnWindowProcFilters Filters;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::optional<LRESULT> OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    // Ends the run with -1.
    void OnCancel() override;
    // The envelope has no OK button: Enter reaches the form's default button
    // through the form, never the envelope.
    void OnOK() override;
    // The form navigates itself; the run leaves the envelope out of it.
    bool UsesDialogNavigation() const override;
    // Not while the form has hidden itself.
    bool ShowsWhenRunStarts() const override;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnQueryEndSession(WPARAM wParam, LPARAM lParam);
    void OnCloseRequest();
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    // A command of the private protocol (tarn_msg::kEnvelope values).
    void OnEnvelopeCommand(WPARAM command, LPARAM value);
    void PlaceAroundFormClient();
    void FillClientWithForm();
    void PaintMinimized();

    bool m_closing = false;
    // The form hid itself: the run does not show the envelope.
    bool m_hiddenByForm = false;
    CVWnd_WinForm& m_form;
    FormCreateParams& m_params;
};
