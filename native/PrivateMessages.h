// The window marker and the private window messages every native window of the runtime understands.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tarn_msg {

// The user data of the container and form windows that take part in message
// pre-translation, the second parameter of the private messages below and the
// answer of a window that handled one.
inline constexpr LPARAM kWindowMarker = 0x12D12AB;

// First parameter: pointer to a signed 32-bit value that receives bit 0 of
// PageFlags. Honoured only when sent by SendTrustedMessage.
inline constexpr UINT kReadPageFlag = 0x9FF5;
// First parameter 0 or nonzero: clears or sets bit 0 of PageFlags.
inline constexpr UINT kSetPageFlag = 0x9FF6;
// First parameter: a container window whose children the form shows by page.
inline constexpr UINT kShowPage = 0x9FF7;
// First parameter: pointer to a signed 32-bit value for a container's current
// page. No window of the runtime answers it.
inline constexpr UINT kReadCurrentPage = 0x9FF8;
// First parameter: the filter (ITarnWindowProcFilter*) to take out of Filters.
// Honoured only when sent by SendTrustedMessage.
inline constexpr UINT kRemoveFilter = 0x9FFA;
// First parameter: the filter (ITarnWindowProcFilter*) to add to Filters.
// Honoured only when sent by SendTrustedMessage.
inline constexpr UINT kAddFilter = 0x9FFB;
// First parameter: the page number to store in Page.
inline constexpr UINT kSetPage = 0x9FFC;
// First parameter: pointer to a signed 32-bit value that receives Page.
// Honoured only when sent by SendTrustedMessage.
inline constexpr UINT kReadPage = 0x9FFD;
// First parameter: pointer to the queued MSG being pre-translated. Honoured
// only when sent by SendTrustedMessage.
inline constexpr UINT kPreTranslate = 0x9FFF;
// Notification-area icon callback; second parameter the mouse message (no marker).
inline constexpr UINT kTrayNotify = 0xA000;
// A command to the envelope dialog (one of the kEnvelope values below as the
// first parameter); second parameter its value (no marker).
inline constexpr UINT kEnvelopeCommand = 0xA001;
// The form's window is being destroyed: the run ends with -1 unless the
// envelope is closing already.
inline constexpr WPARAM kEnvelopeFormGone = 1;
// The form was shown (value nonzero) or hidden (0): the envelope follows.
inline constexpr WPARAM kEnvelopeShow = 2;
// The run ends with the value as its end code.
inline constexpr WPARAM kEnvelopeEnd = 3;
// The value points to the form's new text, for the envelope's caption.
// Honoured only when sent by SendTrustedMessage.
inline constexpr WPARAM kEnvelopeSetText = 4;
// Raises a label's LabelMessage with both parameters (no marker).
inline constexpr UINT kLabelMessage = 0xA002;

// The keyboard messages, from key down to the Unicode character.
inline bool IsKeyboardMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_UNICHAR;
}

// The input that the runtime pre-translates: keyboard and mouse messages.
inline bool IsInputMessage(UINT message) {
    return IsKeyboardMessage(message) || (message >= WM_MOUSEFIRST && message <= WM_MOUSEHWHEEL);
}

// True when the parameter is the window marker.
inline bool IsMarker(LPARAM lParam) {
    return lParam == kWindowMarker;
}

// Sends message to hwnd, marked as coming from the runtime itself, so that a
// receiver may honour a pointer in its parameters. Only a window of this
// thread is sent anything: another thread could not see the mark, and a send
// to it might wait for an answer forever. 0 for a window of another thread
// (or none).
LRESULT SendTrustedMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam = kWindowMarker);

// True while the message being handled on this thread is the very one that
// SendTrustedMessage sent with exactly these values: the first message
// dispatched after the send began, to a window object of this thread. Every
// other message is told apart from it, whatever its values: one posted, one
// sent by another thread or process (also while this thread waits inside the
// trusted send's handler), one a loop dispatched meanwhile. A trusted send
// works inside the handler of any message, another program's included.
bool IsTrustedMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The record of one trusted send on this thread, for the lifetime of the
// scope; SendTrustedMessage makes one around its send. Scopes nest, and
// however a scope is left (an exception included) the record of the scope
// around it is current again, so that nothing refers to a frame that is gone.
class TrustedSendScope {
public:
    TrustedSendScope(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    ~TrustedSendScope();
    TrustedSendScope(const TrustedSendScope&) = delete;
    TrustedSendScope& operator=(const TrustedSendScope&) = delete;

    // Whether this record names the message being dispatched now, with these values.
    bool Names(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const;
    // The innermost record of this thread, or null.
    static const TrustedSendScope* Current();

private:
    HWND m_hwnd;
    UINT m_message;
    WPARAM m_wParam;
    LPARAM m_lParam;
    // The dispatch number the sent message gets.
    uint64_t m_dispatchNumber;
    const TrustedSendScope* m_outer;
};

} // namespace tarn_msg
