#include "native/TarnMFCApp.h"

#include <commctrl.h>

#include <cstdlib>

#include "framework/OleSupport.h"
#include "native/AppInstance.h"
#include "native/ProgramClasses.h"
#include "runtime/StartupMarks.h"

namespace {

constexpr DWORD kAllWin95Classes = 0xFF;
constexpr DWORD kNoTimeout = 0xFFFFFFFF;

} // namespace

CTarnMFCApp::CTarnMFCApp(const ClassInfo& startupClass, ProgramBody body)
    : CTarnMfcAppBase(TRUE), startupClass_(startupClass), body_(body) {}

CTarnMFCApp::~CTarnMFCApp() {
    // An early exit(-1) skips ExitInstance: the program object (and with it
    // every window of the program) must still go before the framework does.
    FreeProgramObject();
}

BOOL CTarnMFCApp::InitInstance() {
    AfxOleInit();
    MarkStartup(StartupMark::kOleInitialised);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), kAllWin95Classes};
    InitCommonControlsEx(&controls);
    MarkStartup(StartupMark::kCommonControls);
    AfxEnableControlContainer();
    CTarnMfcAppBase::InitInstance();
    if (COleMessageFilter* filter = AfxOleGetMessageFilter()) {
        filter->EnableBusyDialog(FALSE);
        filter->EnableNotRespondingDialog(TRUE);
        filter->SetBusyReply(SERVERCALL_RETRYLATER);
        filter->SetMessagePendingDelay(kNoTimeout);
    }
    MarkStartup(StartupMark::kFrameworkReady);
    CTarnAppInstance* instance = CTarnAppInstance::Current();
    if (instance == nullptr) {
        return FALSE;
    }
    instance->RecordStartup(__argc, __wargv, GetInstanceHandle(), GetCurrentThreadId());
    instance->InitializeCom();
    MarkStartup(StartupMark::kComInitialised);
    instance->RecordDisplayScale();
    MarkStartup(StartupMark::kDisplayScale);
    CreateProgramObject();
    MarkStartup(StartupMark::kProgramObject);
    const int32_t result = RunProgramBody(body_);
    return result != 0 && GetMainWnd() != nullptr;
}

void CTarnMFCApp::CreateProgramObject() {
    CTarnObject* object = startupClass_.create != nullptr ? startupClass_.create() : nullptr;
    if (object == nullptr || !object->IsKindOf(CTarnUserApp::ClassRecord())) {
        // Not a program object: it never registered, so nothing keeps a
        // pointer to it once it is freed.
        FreeObject(object);
        std::exit(-1);
    }
    if (object->IsKindOf(rg_tarn_base::rg_ChuangKouChengXuLei::ClassRecord())) {
        windowProgram_ = static_cast<rg_tarn_base::rg_ChuangKouChengXuLei*>(object);
    }
}

void CTarnMFCApp::FreeProgramObject() {
    windowProgram_ = nullptr;
    if (CTarnAppInstance* instance = CTarnAppInstance::Current()) {
        instance->FreeCurrentProgram();
    }
}

BOOL CTarnMFCApp::PreTranslateMessage(MSG* msg) {
    if (windowProgram_ != nullptr &&
        windowProgram_->PreFilterMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam, msg) ==
            0) {
        return TRUE;
    }
    return CTarnMfcAppBase::PreTranslateMessage(msg);
}

BOOL CTarnMFCApp::OnIdle(LONG count) {
    if (windowProgram_ == nullptr) {
        return CTarnMfcAppBase::OnIdle(count);
    }
    if (count == 0) {
        MarkStartup(StartupMark::kFirstIdle);
        frameworkIdlePending_ = true;
        idleStart_ = GetTickCount();
    }
    // One framework idle call per count while it wants more.
    if (frameworkIdlePending_) {
        frameworkIdlePending_ = CTarnMfcAppBase::OnIdle(count) != FALSE;
        return TRUE;
    }
    if (count < 2) {
        return TRUE;
    }
    if (CTarnAppInstance* instance = CTarnAppInstance::Current()) {
        instance->GetWorkerPool().IdleMaintenance();
    }
    return windowProgram_->IdleWork(GetTickCount() - idleStart_) != 0;
}

int CTarnMFCApp::ExitInstance() {
    if (windowProgram_ != nullptr) {
        windowProgram_->BeforeExit();
    }
    CTarnAppInstance* instance = CTarnAppInstance::Current();
    if (instance != nullptr) {
        instance->GetWorkerPool().Stop();
    }
    FreeProgramObject();
    if (instance != nullptr) {
        instance->ClearObjects();
        // The module list stays: the instance's end unloads the modules first.
        instance->ShutdownGdiplus();
    }
    return CTarnMfcAppBase::ExitInstance();
}
