// The application object (CWinApp, CWinAppEx): start-up, message loop with idle work, exit.
#pragma once

#include "framework/RuntimeClass.h"

#include <windows.h>

class CWnd;

// The single application object of the process.
//
// Lifetime: constructing it makes it the object that AfxGetApp answers and
// RunApplication runs (usually a static object of the program); destroying
// it withdraws it. There is at most one at a time; it must outlive its
// message loop.
//
// Threads: it belongs to the thread that runs RunApplication (the thread
// that constructed it until then), the user-interface thread. Its loop, its
// hooks and its main window are used on that thread only.
//
// Main window: when the main window is destroyed, the framework clears it and
// posts the quit message with 0, which ends the loop. A temporary main window
// (a modal dialog standing in while there is none) is cleared the same way
// but does not end the application.
class CWinApp : public CRuntimeKind<"CWinApp", CObject> {
public:
    CWinApp();
    ~CWinApp() override;

    // Start-up; FALSE skips the message loop and goes straight to
    // ExitInstance. The base answers TRUE.
    virtual BOOL InitInstance();

    // The message loop (framework/MessageLoop.h) with this object's
    // PreTranslateMessage, OnIdle and IsIdleMessage as its hooks, until the
    // quit message. Returns ExitInstance().
    virtual int Run();

    // Offered every queued message before translation and dispatch, in the
    // application loop and in modal dialog loops; TRUE consumes it. The base
    // walks from the message's window out to its top-level window, offering
    // it to each framework window's PreTranslateMessage.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Idle work, called while the queue is empty with count 0, 1, 2, ...
    // until it answers FALSE, and from 0 again after the next message that
    // IsIdleMessage accepts. The base does its housekeeping at count 0 and
    // wants no more.
    virtual BOOL OnIdle(LONG count);

    // Whether a dispatched message restarts idle work. Mouse moves that did
    // not move, paint messages and the system timer do not.
    virtual BOOL IsIdleMessage(const MSG* msg);

    // Shut-down; answers the process exit code: the quit message's code when
    // the loop ended, or -1 when the loop never ran to its end (a failed
    // start-up).
    virtual int ExitInstance();

    HINSTANCE GetInstanceHandle() const { return m_hInstance; }
    // The show command the process was started with.
    int GetShowCommand() const { return m_showCommand; }
    DWORD GetThreadId() const { return m_threadId; }

    CWnd* GetMainWnd() const { return m_pMainWnd; }
    // The main window; its end ends the application.
    void SetMainWnd(CWnd* wnd) {
        m_pMainWnd = wnd;
        m_mainWndIsTemporary = false;
    }
    // A main window until it goes; its end does not end the application.
    void SetTemporaryMainWnd(CWnd* wnd) {
        m_pMainWnd = wnd;
        m_mainWndIsTemporary = true;
    }
    // Called by the framework when the window of wnd is gone (or wnd itself
    // is). When wnd is the main window, it is cleared and, unless it was
    // temporary, the quit message is posted with 0. Otherwise nothing happens.
    void OnMainWindowGone(CWnd* wnd);

private:
    friend int RunApplication(HINSTANCE instance, int showCommand);

    void ReleaseUnusedLibraries();

    HINSTANCE m_hInstance;
    int m_showCommand = SW_SHOWDEFAULT;
    DWORD m_threadId;
    CWnd* m_pMainWnd = nullptr;
    bool m_mainWndIsTemporary = false;
    int m_exitCode = -1;
    POINT m_lastMousePoint = {-1, -1};
    UINT m_lastMouseMessage = 0;
    DWORD m_lastLibraryRelease = 0;
};

// The application object with the options of the extended application. The
// resource-smart-update flag is recorded for the layers above: this
// framework has no toolbars or menus of its own whose resources it updates.
class CWinAppEx : public CRuntimeKind<"CWinAppEx", CWinApp> {
public:
    explicit CWinAppEx(BOOL resourceSmartUpdate = FALSE);

    BOOL IsResourceSmartUpdate() const { return m_resourceSmartUpdate; }

private:
    BOOL m_resourceSmartUpdate;
};

// The application object, or null.
CWinApp* AfxGetApp();
// The application's main window, or null.
CWnd* AfxGetMainWnd();
// The application's instance handle; the executable's module before the
// application runs or without an application object.
HINSTANCE AfxGetInstanceHandle();

// Runs the application object: InitInstance, then the message loop, or
// straight to ExitInstance when InitInstance fails. Ends the framework's OLE
// support if the application started it, and returns the exit code (-1 when
// there is no application object). This is the whole of the process entry
// (wWinMain) and may be called by tests.
int RunApplication(HINSTANCE instance, int showCommand);
