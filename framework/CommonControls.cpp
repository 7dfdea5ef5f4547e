#include "framework/CommonControls.h"

#include <commctrl.h>

#include <atomic>

namespace {

// The class sets registered so far.
std::atomic<DWORD> g_registeredSets{0};

} // namespace

BOOL AfxInitCommonControls(DWORD classSet) {
    if ((g_registeredSets.load(std::memory_order_acquire) & classSet) == classSet) {
        return TRUE;
    }
    INITCOMMONCONTROLSEX classes = {sizeof(classes), classSet};
    if (!InitCommonControlsEx(&classes)) {
        return FALSE; // asked for again next time
    }
    g_registeredSets.fetch_or(classSet, std::memory_order_acq_rel);
    return TRUE;
}
