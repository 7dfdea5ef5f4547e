#include "runtime/StartupMarks.h"

namespace {

StartupObserver g_observer = nullptr;

} // namespace

void SetStartupObserver(StartupObserver observer) {
    g_observer = observer;
}

void MarkStartup(StartupMark mark) {
    if (g_observer != nullptr) {
        g_observer(mark);
    }
}
