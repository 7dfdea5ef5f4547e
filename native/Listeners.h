// The listener interfaces through which native windows report to their components.
#pragma once

#include <windows.h>

#include <cstdint>

// The message record a native window hands to its component: the platform's
// message structure (window, message, first and second parameter are read;
// time and point are not). The component may change the two parameters, and
// the window then processes the changed message.
using TarnMessage = MSG;

// What every native window of the runtime reports to. Components implement it
// (or an interface derived from it) as a second base, attach themselves to
// their native window through its typed AttachListener, and the window calls
// them only on the GUI thread.
class IBaseEventListener {
public:
    // Offered every message before the window's own processing; nonzero means
    // consumed: the window does nothing more with it and answers 0.
    virtual int32_t OnPreprocess(TarnMessage* message) = 0;

protected:
    ~IBaseEventListener() = default;
};

// What a native container window reports to (the layout container and, as a
// base of their own listener, forms). After OnPreprocess, each operation is
// called from the window's handling of one message, after the framework's
// default processing of it unless noted.
class IContainerEventListener : public IBaseEventListener {
public:
    // The window's creation succeeded (WM_CREATE); its children are made here.
    virtual void OnWindowCreate() = 0;
    // The window is being destroyed (WM_DESTROY, before default processing).
    virtual void OnWindowDestroy() = 0;
    // The window is gone; the native window object's final clean-up runs.
    virtual void OnWindowFinalDestroy() = 0;
    // The window was resized (WM_SIZE).
    virtual void OnWindowSize() = 0;
    // The window is being shown (nonzero) or hidden (0) (WM_SHOWWINDOW).
    virtual void OnWindowShow(int32_t shown) = 0;
    // The window was moved (WM_MOVE).
    virtual void OnWindowMove() = 0;
    // A menu or accelerator command with this id (low 16 bits) reached the
    // window; nonzero means handled, 0 lets the default command routing go on.
    virtual int32_t OnWindowCommand(uint32_t id) = 0;

protected:
    ~IContainerEventListener() = default;
};

// What a native form window (and the envelope of a modal form) reports to
// its form component. It stands beside the container listener rather than
// deriving from it: the form window reports the container events to its
// container listener and the form events here, so the form component
// implements each operation once. Only the form component sets it, so a
// container that shares the form's window never receives these.
class IWinFormEventListener {
public:
    // A queued message on its way to the form's keyboard pre-translation;
    // nonzero consumes it.
    virtual int32_t OnFormPreTranslate(TarnMessage* message) = 0;
    // Nonzero allows closing (asked on close and on shutdown or log-off).
    virtual int32_t OnFormQueryClose() = 0;
    // Nonzero allows closing.
    virtual int32_t OnFormClose() = 0;
    virtual void OnFormFirstActivate() = 0;
    virtual void OnFormActivate() = 0;
    virtual void OnFormDeactivate() = 0;
    // kind: 1 left button up, 2 left double click, 3 right button up or context menu.
    virtual int32_t OnFormTrayIcon(int32_t kind) = 0;
    // The selected menu item's id, or 0.
    virtual int32_t OnFormMenuSelect(int32_t itemId) = 0;
    // The platform's limits, with the smallest tracking size already 1 x 1;
    // the form may change them.
    virtual void OnFormGetMinMaxInfo(MINMAXINFO* info) = 0;
    virtual void OnFormModalShown() = 0;

protected:
    ~IWinFormEventListener() = default;
};

// What a button or group box window reports to.
class IButtonEventListener : public IBaseEventListener {
public:
    // The button was clicked: by the mouse, by Space, or by Enter as a form's
    // default button.
    virtual void OnButtonClicked() = 0;

protected:
    ~IButtonEventListener() = default;
};

// What a label window reports to.
class ILabelEventListener : public IBaseEventListener {
public:
    // The label received tarn_msg::kLabelMessage with these parameters; the
    // answer becomes the message's result.
    virtual int32_t OnLabelMessage(int64_t first, int64_t second) = 0;

protected:
    ~ILabelEventListener() = default;
};

// What an edit window reports to.
class IEditEventListener : public IBaseEventListener {
public:
    // The edit's text changed (not reported while the edit suppresses it).
    virtual void OnEditChanged() = 0;
    // The spin beside an edit in event mode was clicked: -1 down, +1 up. The
    // edit ignores the answer.
    virtual int32_t OnEditSpin(int32_t direction) = 0;

protected:
    ~IEditEventListener() = default;
};
