// The message guard of a thread: forged notifications that other programs can send or post never
// reach its windows.
#pragma once

#include <windows.h>

#include <cstdint>

// Any program on the desktop can post or send a message to any window. Two
// kinds carry what the framework trusts: WM_NOTIFY, whose lParam points to
// the sender's NMHDR (the platform never carries it to another thread), and
// WM_COMMAND from a control, whose lParam names the control whose object the
// notification is reflected to. Controls send both; menus and accelerators
// send WM_COMMAND naming no window; nothing posts either legitimately.
//
// The guard is a pair of thread hooks. While it is installed on a thread,
// every posted message of those kinds is turned into WM_NULL before any loop
// of the thread dispatches it (the application's, a dialog's, a message
// box's), and each WM_NOTIFY sent to a window of the thread is recorded with
// whether this thread sent it.
//
// Lifetime and threads: a thread installs the guard once for itself and
// removes it again; the framework does so when the thread binds its first
// window object and when its last one goes. Everything here is per thread.
namespace message_guard {

// Installs the guard on this thread. Installing it again does nothing.
void Install();
// Removes the guard from this thread, if it is there.
void Remove();
bool IsInstalled();

// True for a posted message that no program posts legitimately: WM_NOTIFY,
// and WM_COMMAND whose lParam names a window.
bool IsNeverPosted(const MSG& msg);

// True when the WM_NOTIFY with these values, whose dispatch got number
// dispatchNumber (CWnd's count), was sent by this thread. A posted one, or one
// sent by another thread or process, is not. Without the guard installed,
// only the platform's report is left: the message was not sent from another
// thread.
bool IsNotifySentByThisThread(HWND hwnd, WPARAM wParam, LPARAM lParam, uint64_t dispatchNumber);

} // namespace message_guard
