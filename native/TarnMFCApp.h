// CTarnMFCApp: the framework application object of a program built on the runtime.
#pragma once

#include <windows.h>

#include "native/ProgramBody.h"
#include "native/TarnMfcAppBase.h"
#include "runtime/ClassInfo.h"

namespace rg_tarn_base {
class rg_ChuangKouChengXuLei;
}

// Starts the platform services and the program object, offers queued
// messages to the window program, runs its idle work and takes everything
// down again. The program defines one as a static object right after its
// application instance (CTarnAppInstance), naming the class of its program
// object and that object's body.
//
// Ownership: the program object belongs to the application instance; this
// object frees it at its exit, or in its destructor when the process ends
// early (exit(-1) during start-up), so that no window outlives the
// framework's application object. The window program pointer is cleared
// whenever the program object goes. User-interface thread only.
class CTarnMFCApp : public CTarnMfcAppBase {
public:
    CTarnMFCApp(const ClassInfo& startupClass, ProgramBody body);
    ~CTarnMFCApp() override;

    // OLE, common controls, start-up values, COM, display scale, the program
    // object, then its body under the exception report. TRUE when the body
    // answered nonzero and made a main window.
    BOOL InitInstance() override;
    // The window program's filter first (0 consumes the message), then the
    // runtime's walk to marked windows.
    BOOL PreTranslateMessage(MSG* msg) override;
    // The framework's idle work, then (from count 2 on) the worker pool's
    // upkeep and the window program's idle work.
    BOOL OnIdle(LONG count) override;
    // The window program's last word, workers stopped, program object and
    // global objects freed, GDI+ shut down; the framework's exit code.
    int ExitInstance() override;

    // The program object when it is a window program, else null.
    rg_tarn_base::rg_ChuangKouChengXuLei* GetWindowProgram() const { return windowProgram_; }

private:
    // Makes the program object from its class record; a wrong class ends the
    // process with exit code -1.
    void CreateProgramObject();
    void FreeProgramObject();

    const ClassInfo& startupClass_;
    ProgramBody body_;
    rg_tarn_base::rg_ChuangKouChengXuLei* windowProgram_ = nullptr;
    // The framework's own idle work of this idle period still wants calls.
    bool frameworkIdlePending_ = true;
    DWORD idleStart_ = 0;
};
