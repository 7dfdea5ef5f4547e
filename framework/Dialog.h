// CDialog: a modal dialog from an in-memory template, run by the framework's own modal loop.
#pragma once

#include "framework/DialogTemplate.h"
#include "framework/Wnd.h"

#include <optional>

// A dialog run modally from a template in memory.
//
// DoModal creates the dialog window (bound to this object before its first
// message), runs the framework's modal loop until EndDialog, destroys the
// window and returns the end code. During the run the owner is disabled (and
// enabled again afterwards, if it was enabled before), every message is
// offered to the application's PreTranslateMessage (which reaches the
// dialog's and its framework children's PreTranslateMessage) before dialog
// navigation, the application's idle work goes on while the queue is empty,
// and, if the application has no main window, the dialog is its temporary
// main window (whose end does not end the application) until the dialog's
// window is destroyed.
//
// Lifetime: the object must outlive DoModal; it must not delete itself in
// PostNcDestroy. One run at a time; the object can run again afterwards.
// Used on the thread that runs it.
class CDialog : public CRuntimeKind<"CDialog", CWnd> {
public:
    CDialog() = default;
    CDialog(const CDialogTemplate& dialogTemplate, HWND owner);

    // Sets the template and the owner of the next run. A null owner means
    // the thread's active window, else the application's main window; a
    // child window stands for its top-level window; the desktop window means
    // no owner (it is never disabled).
    void InitModalIndirect(const CDialogTemplate& dialogTemplate, HWND owner);

    // Runs the dialog; returns the code given to EndDialog, or -1 when there
    // is no template, the dialog is running already, its window cannot be
    // created, its window was destroyed without EndDialog, or the quit
    // message arrived (it is posted again for the outer loop).
    virtual INT_PTR DoModal();

    // Ends the run with result once the current message is processed. Before
    // the loop starts (in OnInitDialog) the run ends without waiting.
    void EndDialog(INT_PTR result);

protected:
    // WM_INITDIALOG; TRUE lets the platform focus the first control.
    virtual BOOL OnInitDialog();
    // IDOK: ends with IDOK.
    virtual void OnOK();
    // IDCANCEL (Escape, the close box): ends with IDCANCEL.
    virtual void OnCancel();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // After reflection, a click command of IDOK or IDCANCEL calls OnOK or OnCancel.
    std::optional<LRESULT> OnCommand(WPARAM wParam, LPARAM lParam) override;

    // Whether the run hands each message that pre-translation left to the
    // platform's dialog navigation of this dialog. A dialog whose content
    // navigates itself answers false. The base answers true.
    virtual bool UsesDialogNavigation() const { return true; }
    // Whether the run shows the dialog when it is hidden as the loop starts
    // (as the platform's modal dialogs do). The base answers true.
    virtual bool ShowsWhenRunStarts() const { return true; }

private:
    HWND ChooseOwner() const;
    // Creates and initialises the dialog window; false when it does not exist afterwards.
    bool CreateDialogWindow(HWND owner);
    class ModalLoop;
    INT_PTR RunModalLoop(HWND owner);
    bool PreTranslateInLoop(MSG* msg) const;

    std::optional<CDialogTemplate> m_template;
    HWND m_owner = nullptr;
    bool m_running = false;
    bool m_ending = false;
    INT_PTR m_result = -1;
};
