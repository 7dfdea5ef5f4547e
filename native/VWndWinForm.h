// CVWnd_WinForm: the native window of a form: its frame and start state, menu, tray icon, help
// and page switching.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "native/FormKeyboard.h"
#include "native/FormPlacement.h"
#include "native/FormStyles.h"
#include "native/Listeners.h"
#include "native/VWndContainer.h"
#include "runtime/WString.h"

class CRefTarnMenu;

// What the form component hands to the native creation of its window: the
// completed creation record in the native layer's terms.
struct FormCreateParams {
    // The parent's window; null for a top-level form.
    HWND parent = nullptr;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    // The child id of a child form.
    int32_t id = 0;
    int32_t page = -1;
    DWORD style = 0;
    DWORD exStyle = 0;
    const wchar_t* text = L"";
    // The menu to show in a top-level form, or null; not owned.
    CRefTarnMenu* menu = nullptr;
    // Nonzero: run the form modally in an envelope dialog.
    uint32_t modal = 0;
    // With modal: the envelope gets a plain fixed dialog frame.
    uint32_t fixedDialogFrame = 0;
    // Out: the end code of the modal run.
    int32_t modalResult = 0;
    // Given to the window; owned by the component's holder.
    HFONT font = nullptr;
};

// The native window of a form: a container window that creates itself as a
// framed top-level window (or as the child of an envelope dialog for a modal
// run), keeps the form properties, carries the window marker while it is not
// enveloped, and handles closing, activation, menus, the icon, the window
// shape, the notification-area icon and page switching. Its keyboard
// navigation is its CFormKeyboard's; the frame messages (non-client
// activation, menu selection, size limits) it answers for whichever window
// carries its frame, its own or the envelope's.
//
// Listeners: the container listener (AttachListener) gets the container
// events; the form operations go only to the form listener
// (AttachFormListener), which only the form component attaches, so a
// container that shares this window never receives them. The form listener
// has names of its own because the form component is both listeners at once.
//
// Ownership: the window owns its menu reference (counted), its tray icon
// and its window region (through the platform); the default icon is a shared
// resource icon. It lends the menu handle to its window and takes it back
// before the window is destroyed, so the menu object alone destroys it. GUI
// thread only.
class CVWnd_WinForm : public CRuntimeKind<"CVWnd_WinForm", CVWnd_Container> {
public:
    CVWnd_WinForm();
    ~CVWnd_WinForm() override;

    // Places and creates the window (non-modal) or runs the form modally;
    // for a modal run the result is 1 and params.modalResult the end code.
    int32_t CreateForm(FormCreateParams& params);
    // Creates the window itself (also inside the envelope). 1 on success.
    int32_t CreateFormWindow(FormCreateParams& params);
    // Makes the caption, system menu, frame and box bits of the window (the
    // envelope's while there is one) follow the properties and the text.
    void UpdateCaptionStyle();
    // Sets WindowShape (clamped) and gives the window the matching region.
    void UpdateWindowShape(int64_t shape);
    // The keyboard pre-translation of a queued message; true when consumed.
    bool PreTranslateKeyboard(MSG* msg) { return keyboard_.PreTranslate(msg); }
    // Shows the children of container by the container's current page; a
    // window that is no descendant of this form on this thread is left alone.
    void SwitchPage(HWND container);

    // The frame messages: those that AnswerFrameMessage answers.
    static bool IsFrameMessage(UINT message);
    // The form's answer to a frame message sent to frame, the window that
    // carries the form's frame; runDefault is that window's own handling.
    // Non-client deactivation keeps an always-active caption drawn active;
    // a menu selection and the size limits (the smallest tracking size 1 x 1
    // first) go to the form's listener after the default handling.
    LRESULT AnswerFrameMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam,
                               const std::function<LRESULT()>& runDefault);

    // The window that carries the frame: the envelope while there is one.
    HWND GetFrameWindow() const;
    // Gives the frame window its large icon (Icon, the default group when
    // unset) and its small one at the system's small-icon size.
    void ApplyFrameIcons(HWND frame);
    HWND GetEnvelope() const { return envelope_; }
    CRefTarnMenu* GetMenu() const { return Menu; }
    // Takes a reference to menu (null drops the menu); the window, if it
    // exists, shows the new menu.
    void SetMenuObject(CRefTarnMenu* menu);
    // The envelope's window carries the frame from now on, until the modal
    // run ends, and shows menu (the form's menu from then on).
    void EnterEnvelope(HWND envelope, CRefTarnMenu* menu);
    // Takes the menu back from the frame window, which is about to go: the
    // platform would destroy a menu that a destroyed window still shows.
    void DropMenuFromWindow();
    // Opens the help file at HelpContext (its contents without one); false
    // when there is no help file or it does not exist.
    bool OpenHelp();

    // The form operations' listener, attached by the form component only;
    // detaching clears it only while it is still listener.
    void AttachFormListener(IWinFormEventListener* listener) { formListener_ = listener; }
    void DetachFormListener(const IWinFormEventListener* listener) {
        if (listener != nullptr && formListener_ == listener) {
            formListener_ = nullptr;
        }
    }
    IWinFormEventListener* GetFormListener() const { return formListener_; }

    // Makes the button id the default button (the one Enter presses) of the
    // first form window from inside outwards; nothing when there is none.
    static void SetDefaultButtonAround(const CWnd* inside, int32_t id);

    // Form properties.
    int32_t DefaultButtonId = 0;
    HICON TrayIcon = nullptr; // owned: destroyed with the window
    int64_t BorderStyle = 2;
    uint64_t ControlBox = 1;
    uint64_t MaxButton = 0;
    uint64_t MinButton = 1;
    int64_t StartState = kStartAsDesigned; // one of the start states of FormPlacement.h
    uint64_t Movable = 1;
    HICON Icon = nullptr; // the resource icon 100 (shared) unless the program sets another
    uint64_t EscapeCloses = 1;
    CWString HelpFile;
    int64_t HelpContext = 0;
    uint64_t DragByClient = 0;
    int64_t WindowShape = 0;
    uint64_t TopMost = 0;
    uint64_t AlwaysActiveCaption = 0;
    CWString ClassName;

    // State the tests read.
    bool IsFirstActivationDone() const { return firstActivationDone_ != 0; }
    bool IsInActivation() const { return inActivation_ != 0; }
    bool IsHelpOpened() const { return helpOpened_ != 0; }

    // The form options that decide the styles.
    FormFrameOptions FrameOptions() const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::optional<LRESULT> OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    int32_t RunModal(FormCreateParams& params);
    void PlaceTopLevelForm(FormCreateParams& params) const;
    bool CreateWindowOfForm(const FormCreateParams& params, bool childForm);
    void DressFrame(const FormCreateParams& params);
    void ApplyFrameState(HWND frame);
    void TakeMenu(CRefTarnMenu* menu, HWND frame);
    void RemoveTrayIcon();
    void CloseHelp();
    void CleanUpAtDestroy();
    bool HasEnabledDescendantWithId(HWND parent, int id) const;

    LRESULT OnQueryEndSession(WPARAM wParam, LPARAM lParam);
    LRESULT OnClose(WPARAM wParam, LPARAM lParam);
    void OnShowWindow(WPARAM wParam, LPARAM lParam);
    void OnSetText(LPARAM lParam);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDefId(WPARAM wParam, LPARAM lParam);
    LRESULT OnNextDialogControl(WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> OnPrivateMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnTrayNotify(LPARAM lParam);

    CFormKeyboard keyboard_{*this};
    HWND envelope_ = nullptr; // the envelope dialog's window during a modal run; not owned
    uint64_t firstActivationDone_ = 0;
    uint64_t inActivation_ = 0;
    uint64_t helpOpened_ = 0;
    bool applyingShape_ = false;
    CRefTarnMenu* Menu = nullptr; // one counted reference
    IWinFormEventListener* formListener_ = nullptr;
};
