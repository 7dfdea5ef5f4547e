// CWnd: a C++ object bound to one window, with its message dispatch and reflection.
#pragma once

#include "framework/RuntimeClass.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// A C++ object bound to at most one window at a time.
//
// Binding: a window made by CreateEx (or by a derived class's own creation)
// is bound to its object before its first message, so WM_NCCREATE and
// WM_CREATE already reach WindowProc; this holds for own window classes and
// for system controls ("BUTTON", "EDIT", ...) alike. From then until
// WM_NCDESTROY, the permanent map of the creating thread finds the object
// from the window handle (FromHandlePermanent), and the window's messages
// run through the virtual WindowProc, whose default processing is the
// window's original procedure (its class procedure or the system control's).
//
// Ownership: the object never owns its window in the sense of deleting
// itself. After WM_NCDESTROY the handle has left the map, GetSafeHwnd() is
// null, and PostNcDestroy runs; a class whose objects live on the heap may
// delete itself there (and only there). Destroying an object whose window
// still exists first unbinds it (restoring the original procedure, so no
// message reaches the half-destroyed object) and then destroys the window.
//
// Foreign notifications: a WM_NOTIFY that this thread did not send (one
// posted, or sent by another thread or process) never reaches WindowProc; it
// is answered 0, since its lParam points to nothing of this thread. While a
// thread has window objects, its message guard (framework/MessageGuard.h)
// turns posted notifications into WM_NULL in every message loop.
//
// Threads: a window object is used on the thread that created its window.
// The permanent map is per thread; another thread's windows have no object.
// Objects are not copyable.
class CWnd : public CRuntimeKind<"CWnd", CObject> {
public:
    CWnd() = default;
    ~CWnd() override;

    // The bound window, or null.
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object bound to a window of this thread, or null when the window
    // has no framework object (or belongs to another thread).
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Creates a window of any registered class and binds it before its first
    // message. Fails (FALSE) when this object already has a window or the
    // platform refuses the creation; when the window existed for a moment and
    // was destroyed during creation, PostNcDestroy has already run.
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menuOrId, LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id, LPVOID param = nullptr);

    // Binds an existing window of this thread that has no object yet; its
    // later messages reach WindowProc. FALSE when this object is bound
    // already or the window cannot be bound.
    BOOL SubclassWindow(HWND hwnd);
    // Gives the window its original procedure back and unbinds it without
    // destroying it. Returns the window, or null when there was none.
    HWND UnsubclassWindow();

    // Destroys the bound window; FALSE when there is none. The object may be
    // gone when this returns, if its PostNcDestroy deletes it.
    virtual BOOL DestroyWindow();

    // Deletes a heap object: at once when none of its messages is being
    // dispatched, otherwise when the outermost one returns, so that no
    // handler still running for this window touches a deleted object. The
    // window should be destroyed first (DestroyWindow) so that the object
    // sees its last messages; a window still bound when the object is
    // finally deleted is unbound and destroyed then. The object must not be
    // used by the caller afterwards.
    void DeleteAfterDispatch();

    // Messages of this object, and of the windows it owns, being dispatched
    // (or reflected to their objects) on the stack right now.
    int GetDispatchDepth() const { return m_dispatchDepth; }

    // Makes this window's messages count as messages of owner as well: while
    // one is dispatched, or reflected to this object, DeleteAfterDispatch
    // defers the deletion of owner too. For a window whose object owner owns
    // and deletes with itself (a control embedded in it, a tool tip it
    // keeps). Null ends it. Owners do not chain.
    void SetDispatchOwner(CWnd* owner) { m_dispatchOwner = owner; }

    // Every message dispatched to a window object on a thread gets the next
    // number of that thread's count, so that one message is told apart from
    // each message nested in it and each later one. The number of the
    // innermost message being dispatched on this thread (0 outside any).
    static uint64_t CurrentDispatchNumber();
    // The number the next message dispatched on this thread will get.
    static uint64_t NextDispatchNumber();

    // Offered each queued message addressed to this window or a window inside
    // it before translation and dispatch; TRUE consumes the message.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Offers msg to PreTranslateMessage of every framework window from the
    // message's window out to its top-level window (the first window that is
    // not a child), innermost first. TRUE as soon as one consumes it.
    static BOOL WalkPreTranslateTree(MSG* msg);

    // Sends a message to every window inside this one, at any depth.
    void SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam) const;

    // Helpers. Each does nothing and answers 0, FALSE, null or an empty text
    // when the object has no window.
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // Removes and adds style bits; with nonzero flags the frame is then
    // updated through SetWindowPos with these flags (never moving, sizing,
    // reordering or activating). TRUE when the style changed.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    BOOL SetWindowText(LPCWSTR text);
    std::wstring GetWindowText() const;
    int GetDlgCtrlID() const;
    HWND GetParent() const;
    HWND SetParent(HWND newParent);
    BOOL ShowWindow(int showCommand);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    HWND SetFocus();
    BOOL Invalidate(BOOL erase = TRUE);
    BOOL InvalidateRect(const RECT* rect, BOOL erase = TRUE);
    BOOL RedrawWindow(const RECT* rect = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    BOOL UpdateWindow();
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags);
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    BOOL GetClientRect(RECT* rect) const;
    BOOL GetWindowRect(RECT* rect) const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // The window keeps using the font; the caller keeps it alive meanwhile.
    void SetFont(HFONT font, BOOL redraw = TRUE);
    HFONT GetFont() const;
    // Empty names switch visual styles off for the window.
    HRESULT SetWindowTheme(LPCWSTR subAppName, LPCWSTR subIdList);

protected:
    // The window procedure of the object. A derived class handles the
    // messages it cares about in its own switch and passes every other
    // message to its base class's WindowProc. The base handles WM_COMMAND
    // (OnCommand), WM_NOTIFY (OnNotify) and reflects the colour requests
    // WM_CTLCOLORBTN, WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX, WM_CTLCOLORSCROLLBAR
    // and WM_CTLCOLORSTATIC; a top-level window passes WM_SYSCOLORCHANGE on
    // to its descendants. Everything gets the default processing after.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // The default processing: the window's original procedure.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // The message handlers below say "handled" one way: a value is the
    // window's answer, no value lets the window go on with its default
    // processing.

    // WM_COMMAND. The base hands a control notification back to the
    // control's object first (reflection) and answers 0 when that object
    // handled it; menu and accelerator commands (lParam 0) are not handled.
    virtual std::optional<LRESULT> OnCommand(WPARAM wParam, LPARAM lParam);

    // WM_NOTIFY. The base reflects the notification to the object of the
    // sending control and answers what that object answered.
    virtual std::optional<LRESULT> OnNotify(WPARAM wParam, LPARAM lParam);

    // A notification or colour request that the platform sent to this
    // window's parent, handed back to this window's object with the parent's
    // message and parameters (WM_COMMAND, WM_NOTIFY, WM_CTLCOLORBTN,
    // WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX, WM_CTLCOLORSCROLLBAR or
    // WM_CTLCOLORSTATIC). A value becomes the parent's answer (for the colour
    // requests, the brush); no value lets the parent go on with its own
    // processing. The base handles nothing.
    virtual std::optional<LRESULT> OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Called after WM_NCDESTROY, when the window is gone and the object is
    // unbound. The base does nothing. A heap object that ends with its window
    // calls DeleteAfterDispatch here (never delete this: WM_NCDESTROY may
    // arrive inside another message of the same window).
    virtual void PostNcDestroy();

    // For the lifetime of the scope, the next window of class className
    // created on this thread is bound to wnd before its first message. Scopes
    // nest (a window may create others while it is being created).
    class CreationScope {
    public:
        CreationScope(CWnd* wnd, LPCWSTR className);
        ~CreationScope();
        CreationScope(const CreationScope&) = delete;
        CreationScope& operator=(const CreationScope&) = delete;

    private:
        CWnd* m_previousWnd;
        LPCWSTR m_previousClassName;
    };

    // How a window creation ended for this object.
    enum class Creation {
        kFailed,     // no window is bound (and none is left behind)
        kBoundEarly, // bound before the window's first message
    };

    // Runs create, which makes a window of class className and answers it
    // (null on failure), inside a creation scope, so that the window is bound
    // to this object before its first message. When that could not happen
    // (the binding hook was missing or another window took it), the creation
    // fails and the window is destroyed: an object never owns a window
    // whose creation messages it missed. After kFailed, nothing of the object may be touched if the
    // window existed for a moment (PostNcDestroy has run).
    template <typename Create> Creation CreateBound(LPCWSTR className, Create&& create) {
        HWND hwnd = nullptr;
        {
            CreationScope scope(this, className);
            hwnd = create();
        }
        return FinishCreation(hwnd);
    }

private:
    // The system's entry points into the framework. No exception leaves
    // them: one that reaches them ends the process with exit code -1.
    static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) noexcept;
    static LRESULT CALLBACK CreationHookProc(int code, WPARAM wParam, LPARAM lParam) noexcept;

    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool Bind(HWND hwnd);
    Creation FinishCreation(HWND hwnd);
    // Finds the control that sent a notification or colour request to this
    // window and hands the message to its object.
    std::optional<LRESULT> ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam);
    // A message of this object starts or ends (for the dispatch owner too);
    // the end deletes an object whose deletion waited for it.
    void BeginDispatch();
    void EndDispatch();
    static void DeletePending(CWnd* wnd);

    HWND m_hWnd = nullptr;
    WNDPROC m_originalProc = nullptr;
    int m_dispatchDepth = 0;
    bool m_deletePending = false;
    CWnd* m_dispatchOwner = nullptr; // not owned
};
