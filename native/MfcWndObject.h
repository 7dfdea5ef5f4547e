// CMfcWndObject, the counted holder of a component's native window and its creation properties.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/RefObject.h"
#include "runtime/WString.h"

class CWnd;

// What a component keeps of its native window: the properties that must
// exist before the window does (pending text, styles, cursor, font) and the
// native window object itself. Copies of a component share one holder by
// reference, so the window goes with the last component that lets it go.
//
// Ownership: the holder owns the font and the native window object. Its final
// release destroys a still existing window through the object's own
// (virtual) DestroyWindow, so the object sees WM_DESTROY and WM_NCDESTROY;
// its destruction then deletes the object, at once or, when a message of that
// window is being dispatched, as soon as the outermost one returns. The
// reference count may change on any thread; everything else is for the GUI
// thread.
class CMfcWndObject : public CRefObject {
public:
    static constexpr uint32_t kInitialStyle = 0x14000000; // WS_VISIBLE | WS_CLIPSIBLINGS

    // A holder owning nativeWindow (not yet created on screen; may be null).
    explicit CMfcWndObject(CWnd* nativeWindow = nullptr);
    ~CMfcWndObject() override;

    static const LightClassInfo& ClassRecord();

    const LightClassInfo& GetClassInfo() const override;
    bool IsKindOf(const LightClassInfo& info) const override;
    // Destroys the native window if it exists; drops the pointer to the
    // native window object when ForgetNativeWindow is set.
    void OnFinalRelease() override;

    // The native window object, or null.
    CWnd* GetNativeWindow() const { return nativeWindow_; }
    // The native window's handle, or null when there is no window.
    HWND GetWindowHandle() const;
    // True when the native window object has a window.
    bool HasWindow() const { return GetWindowHandle() != nullptr; }
    // Takes ownership of nativeWindow, deleting the one held before.
    void SetNativeWindow(CWnd* nativeWindow);

    HFONT GetFont() const { return font_; }
    // Makes font (owned from now on) the holder's font: the window, if it
    // exists, gets it first (redrawn), and only then the previous font is
    // deleted. Null is ignored.
    void SetFont(HFONT font);

    // Text used at creation and returned while no window exists.
    CWString PendingText;
    // Window style used at creation.
    uint32_t Style = kInitialStyle;
    // Extended window style used at creation.
    uint32_t ExStyle = 0;
    // Shown while the mouse is over the window; not owned (shared cursors).
    HCURSOR Cursor = nullptr;

private:
    HFONT font_ = nullptr; // owned
    CWnd* nativeWindow_;   // owned

public:
    // When set, the final release drops the native window object after
    // destroying its window, leaving it to whoever else owns it.
    uint64_t ForgetNativeWindow = 0;
};
