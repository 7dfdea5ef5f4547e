// The one-time registration of the common control classes the framework's controls use.
#pragma once

#include <windows.h>

// Registers the common control classes of classSet (ICC_... flags) for the
// process, each set at most once: a set registered already is not asked for
// again. TRUE when every class of the set is registered. Any thread.
BOOL AfxInitCommonControls(DWORD classSet);
