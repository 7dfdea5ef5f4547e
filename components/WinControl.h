// CTarnWinControl, the base of every GUI component, and its creation record ControlCreateInfo.
#pragma once

#include <windows.h>

#include <cstdint>

#include "components/EventSlot.h"
#include "native/Listeners.h"
#include "native/MfcWndObject.h"
#include "runtime/ObjectClass.h"
#include "runtime/RefObject.h"
#include "runtime/WString.h"

class CRefTarnMenu;
class CWnd;

namespace rg_tarn_base {
class rg_WenBenShuZuLei;
}

namespace rg_tarn_MFCJieMian_base {

class CTarnWinControl;

// The creation record: filled by the caller, completed by the component
// (PrepareCreate, AdjustCreate) and read by the native window's creation.
struct ControlCreateInfo {
    // The window to create the new one in; null for a top-level window.
    CWnd* parentWindow = nullptr;
    // The parent component; set only when its native window exists.
    CTarnWinControl* owner = nullptr;
    // Position in the parent's client area, in pixels.
    int32_t x = 0;
    int32_t y = 0;
    // Size in pixels; kDefaultSize in either asks containers for their design size.
    int32_t width = 0;
    int32_t height = 0;
    // Control identifier of the new window, also reported by Created.
    int32_t id = 0;
    // Page of the new window; -1: on no page.
    int32_t page = -1;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    // Window text, zero-terminated; never null after PrepareCreate.
    const char16_t* text = u"";
    // Forms only: the menu object of a top-level window, or null.
    CTarnObject* menu = nullptr;
    // Forms only: run as a modal dialog.
    uint32_t modal = 0;
    // Forms only: with modal, the fixed dialog frame.
    uint32_t fixedDialogFrame = 0;
    // Forms only, out: the result of the modal run.
    int32_t modalResult = 0;
    // The font given to the new window; owned by the component's holder.
    HFONT font = nullptr;

    // The size (or position, for forms) that asks for the default.
    static constexpr int32_t kDefaultSize = INT32_MIN; // 0x80000000
};

// The menu handle a record's menu object holds, or null (no menu object, or
// one without a menu). Only the record of a top-level form carries a menu
// object; it counts for the frame size of a form created at its design size.
HMENU MenuHandleOf(const ControlCreateInfo& info);
// The menu object itself, or null when the record carries no menu component.
CRefTarnMenu* MenuObjectOf(const ControlCreateInfo& info);

// Event argument lists shared by several components.
using TNotifyEvent = TEventSlot<>;
using TMouseEvent = TEventSlot<int32_t, int32_t, uint32_t>; // x, y, modifiers
using TKeyEvent = TEventSlot<uint32_t, uint32_t>;           // key code, modifiers

// The base of every GUI component. A component is a value that the user
// program holds; its native window lives in a counted holder (CMfcWndObject)
// shared by copies of the component, so a copy shows the same window but has
// its own, unbound event slots. The base makes no holder: concrete components
// make theirs in their constructor. Every operation also copes without one,
// answering as a component without a window.
//
// All operations run on the GUI thread; the event slots guard themselves.
class CTarnWinControl : public CTarnObjectClass<CTarnWinControl, CTarnRefObject> {
public:
    // Copies take flags, extra, the shared holder and the object text; the
    // slots of a copy start unbound, and assignment keeps this object's
    // bindings. Assignment runs BeforeOverwrite first. On destruction the
    // slots release their targets as members die, the last slot first; then
    // the object text goes, and the holder last, with the base.
    static const ClassInfo& ClassRecord() {
        return Record("rg_tarn_MFCJieMian_base::CTarnWinControl");
    }

    // Class, flags bit 0, extra, the same holder and equal object texts.
    bool IsEqual(const CTarnObject& other) const override;
    // BeforeOverwrite, then the content of a freshly constructed instance of
    // the same class (a fresh holder for classes that make one).
    void Reset() override;
    // Reads the object text, nothing else.
    void LoadFrom(CTarnObjectStream& stream) override;
    // Writes the object text, nothing else.
    void SaveTo(CTarnObjectStream& stream) const override;
    // Detaches the listener.
    void BeforeOverwrite() override;

    // Creates the native window from the record: 1 on success. The base has
    // no window class and answers 0.
    virtual int32_t CreateNative(ControlCreateInfo& info);
    // Fills text, styles and font of the record from the holder.
    virtual void PrepareCreate(ControlCreateInfo& info);
    // Completes the record's geometry; the base leaves it.
    virtual void AdjustCreate(ControlCreateInfo& info);
    // The fix-ups after creation: font, tab stop, border, visibility flag,
    // then Created inside an owner.
    virtual void AfterCreate(CWnd* nativeWindow, ControlCreateInfo& info);
    // Turns one window message into control events; 1 = consumed.
    virtual int32_t PreprocessMessage(TarnMessage* message);
    // Makes the native window report to this component; the base has no listener.
    virtual void AttachListener();
    virtual void DetachListener();
    virtual int32_t IsListenerAttached();

    // Creates the window as a child of parent (when parent's window exists;
    // else top-level) at the given place and size. CreateNative's result.
    int32_t CreateInParent(CTarnWinControl* parent, int32_t x, int32_t y, int32_t width,
                           int32_t height, int32_t id);
    // The window's text, or the pending text while there is no window.
    CWString GetControlText() const;
    // Sets the window's text, or the pending text while there is no window.
    void SetControlText(const CWString& text);
    // Makes the font of a description ("face, points, bold, italic,
    // underline, strike-out, rotation") the component's font.
    void SetFontDescription(const CWString& description);
    // Registers text as the tool tip of this window with the nearest
    // container window around it; empty removes it. Lost without a window.
    void SetHintText(const CWString& text);
    // A message box owned by this window with an OK button; the focus goes
    // back where it was. The box's result; 0, and no box, while a box shown
    // this way is open already (at most one is ever open).
    int32_t ShowMessageBox(const CWString& message, const CWString& caption);

    // The holder, or null.
    CMfcWndObject* GetHolder() const { return static_cast<CMfcWndObject*>(GetRef()); }
    // The native window object, or null.
    CWnd* GetNativeWindow() const;
    // The native window's handle, or null when the window does not exist.
    HWND GetWindowHandle() const;
    bool HasNativeWindow() const { return GetWindowHandle() != nullptr; }

    // The text that belongs to the component object itself.
    CWString ObjectText;

    // The control events, in slot order.
    TMouseEvent LeftButtonDown;
    TMouseEvent LeftButtonUp;
    TMouseEvent LeftDoubleClick;
    TMouseEvent RightButtonDown;
    TMouseEvent RightButtonUp;
    TMouseEvent MiddleButtonDown;
    TMouseEvent MiddleButtonUp;
    TMouseEvent MouseMove;
    TEventSlot<int32_t, uint32_t> MouseWheel; // notches, modifiers
    TKeyEvent KeyDown;
    TKeyEvent KeyUp;
    TNotifyEvent GotFocus;
    TNotifyEvent LostFocus;
    // Negative drops the character, positive replaces it, 0 leaves it.
    TEventSlot<uint16_t> CharInput;
    // Every message first: window, message, wParam, lParam, the record.
    TEventSlot<HWND, uint32_t, uint64_t, int64_t, TarnMessage*> MessageReceived;
    // Owner component and id.
    TEventSlot<CTarnWinControl*, int32_t> Created;
    // The dropped names; valid during the call only.
    TEventSlot<rg_tarn_base::rg_WenBenShuZuLei*> FilesDropped;

protected:
    // Takes over the caller's reference to holder, releasing the one held.
    void AdoptHolder(CMfcWndObject* holder) { AttachRef(holder); }

private:
    // The mouse events of PreprocessMessage; 1 = consumed, 0 for any other message.
    int32_t RaiseMouseEvent(const TarnMessage& message);
    // drop is the first parameter of WM_DROPFILES that hwnd received.
    void RaiseFilesDropped(HWND hwnd, WPARAM drop);
};

} // namespace rg_tarn_MFCJieMian_base
