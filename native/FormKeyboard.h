// CFormKeyboard: the keyboard pre-translation of a form window (Escape, Tab, Enter, F1, client
// drag).
#pragma once

#include <windows.h>

#include <cstdint>

class CVWnd_WinForm;

// The pre-translation of the queued input of one form window, in this order:
// the form's own handler first, the hint tool tip, dragging the form by its
// client area, then the form's key rules (Escape closes, the edit keys stay
// with an edit, the menu's accelerators, Tab out of an edit, Enter only with
// a default button, F1 opens the help, navigation keys stay with a control
// that wants them) and finally the platform's dialog navigation.
//
// Owned by its form window, which outlives it; holds no state but the Enter
// flag, which is set only for the length of one dialog navigation. GUI
// thread only.
class CFormKeyboard {
public:
    explicit CFormKeyboard(CVWnd_WinForm& form) : m_form(form) {}
    CFormKeyboard(const CFormKeyboard&) = delete;
    CFormKeyboard& operator=(const CFormKeyboard&) = delete;

    // The pre-translation of msg; true when consumed.
    bool PreTranslate(MSG* msg);
    // True when a notification from control is to be dropped: while Enter
    // is on its way through the dialog navigation, it reaches the default
    // push button only.
    bool DropsCommandFrom(HWND control) const;

private:
    // What the key rules make of a key.
    enum class KeyAnswer {
        kConsumed,     // a rule acted on it
        kLeftAlone,    // it goes to its window untranslated
        kToNavigation, // the dialog navigation gets it
    };

    bool OfferToFormHandler(MSG* msg, HWND form);
    bool StartsClientDrag(const MSG& msg, HWND form) const;
    KeyAnswer AnswerKey(MSG& msg, uint32_t key, HWND form);
    bool ClosesOnEscape() const;
    bool TranslateAccelerators(MSG& msg, HWND form) const;
    bool TabsOutOfEdit(const MSG& msg, uint32_t key, HWND form) const;
    bool IsInsideWantingControl(HWND from, uint32_t key, HWND form) const;
    bool Navigate(MSG& msg, bool enter, HWND form);

    CVWnd_WinForm& m_form;
    bool m_enterInProgress = false;
};
