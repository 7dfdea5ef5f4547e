// The hint tool tip of a container: its creation, one tool per control, and the relay of mouse
// messages.
#pragma once

#include "framework/ToolTipCtrl.h"

#include <memory>

// Makes the tool tip that shows the hints of the controls inside parent: a
// tool tip window owned by parent with no extra style, without visual
// styles when classic is set. Null when parent has no window or the tool
// tip window cannot be made (nothing is left behind then).
std::unique_ptr<CToolTipCtrl> CreateHintToolTip(CWnd& parent, bool classic);

// Makes control's hint read text: control is one tool (known by its window
// handle, covering the whole window) whose text replaces any text it had; an
// empty or null text removes the tool. Returns whether control has a tool
// afterwards.
bool SetHintTool(CToolTipCtrl& tip, HWND control, LPCWSTR text);

// Whether a mouse message is shown to a tool tip: moves, button downs and
// button ups (0x200 to 0x208), but no double clicks.
bool IsRelayedToToolTip(UINT message);

// Shows a copy of msg to tip when msg is relayed, tip has a window and at
// least one tool; msg itself stays as it is for its window. Returns whether
// it was relayed.
bool RelayToToolTip(CToolTipCtrl* tip, const MSG& msg);
