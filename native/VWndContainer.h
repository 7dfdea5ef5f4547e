// CVWnd_Container, the native window of containers and layout containers (and the base of forms).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/GdiObject.h"
#include "framework/ToolTipCtrl.h"
#include "native/BackgroundPicture.h"
#include "native/Listeners.h"
#include "native/TarnWnd.h"

// The window class of layout containers.
inline constexpr const wchar_t* kTarnContainerClass = L"TarnContainer";

// The native window of a layout container: paints its background colour and
// picture, repaints what lies under it when it is transparent and moves,
// shows the hints of the controls inside it through its tool tip, passes the
// focus on to its first child that takes keys, and reports creation,
// destruction, moves, sizes, showing and menu commands to its component
// through the IContainerEventListener attached to it.
//
// Ownership: owned by its component's holder (CMfcWndObject), which outlives
// the window and may create it again after it was destroyed. The object owns
// Picture and ToolTip. GUI thread only.
class CVWnd_Container
    : public CRuntimeKind<"CVWnd_Container", CTarnWnd<CWnd, IContainerEventListener>> {
public:
    CVWnd_Container() = default;
    ~CVWnd_Container() override = default;

    // Background colour; kSystemBackColor (0xFF000000) is the button-face colour.
    COLORREF BackColor = kSystemBackColor;
    // How Picture is drawn (PictureMode values 0 to 3).
    int32_t PictureMode = kPictureAtTopLeft;
    // Nonzero: the tool tip is made without visual styles.
    int32_t ClassicToolTip = 1;
    // Nonzero: no background fill, the window is created with
    // WS_EX_TRANSPARENT, and moving it repaints what lies under it.
    uint64_t Transparent = 0;
    // The background picture; may be empty.
    CBitmap Picture;
    // The tool tip of the controls' hints, made on first request; null
    // before, and again after the window is destroyed.
    std::unique_ptr<CToolTipCtrl> ToolTip;

    // The tool tip, made now if there is none yet; null while the window
    // does not exist or when the tool tip window cannot be made.
    CToolTipCtrl* ObtainToolTip();

    // Makes control's hint read text (SetHintTool) in the tool tip of the
    // nearest container window above it, skipping other windows of the
    // runtime. A window without a framework object ends the walk: the hint
    // is then not shown. False when no tool tip took the hint.
    static bool SetHintOf(const CWnd& control, LPCWSTR text);

    // Destroys the window; a window already being destroyed (inside its
    // WM_DESTROY, for instance when a handler there frees the component)
    // is left to the destruction in progress.
    BOOL DestroyWindow() override;

protected:
    // The container's handling of create, destroy, move, size, set focus,
    // show, dialog code, paint, print-client and the pre-translation message
    // (tarn_msg::kPreTranslate);
    // everything else goes to the framework.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A menu or accelerator command (lParam 0) goes to the listener first;
    // when it does not handle it, the framework's command routing runs.
    std::optional<LRESULT> OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Tells the listener that the window is gone.
    void PostNcDestroy() override;

    // Paints the background colour and picture into the update area.
    virtual void OnPaint();
    // Paints the background colour and picture into dc, inside its clip box:
    // the paint cycle's context, or the one WM_PRINTCLIENT hands over.
    void PaintBackground(HDC dc);

private:
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    // The default handling of a move, size, focus or show, then what the
    // container does after it: the move repaints under a transparent
    // container, the focus goes on to the first child, and the listener hears
    // of the move, the size or the show.
    LRESULT FollowAfterDefault(UINT message, WPARAM wParam, LPARAM lParam);

    // Inside WM_DESTROY and until WM_NCDESTROY.
    bool m_destroying = false;
};
