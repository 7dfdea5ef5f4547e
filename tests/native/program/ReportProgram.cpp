// A program on the application object whose body does what its first argument says, so that
// the native tests can watch start-up, the exception report and the exit codes from outside.
#include <windows.h>

#include <cstring>
#include <stdexcept>

#include "framework/Wnd.h"
#include "native/AppInstance.h"
#include "native/ProgramClasses.h"
#include "native/TarnMFCApp.h"
#include "runtime/TarnException.h"

namespace {

const wchar_t* Argument() {
    return __argc > 1 ? __wargv[1] : L"";
}

bool Asked(const wchar_t* what) {
    return std::wcscmp(Argument(), what) == 0;
}

// A top-level window the program object owns: it must be gone before the
// framework's application object, whichever way the process ends.
class OwnedWindow : public CWnd {
public:
    bool Create() {
        return CreateEx(0, L"STATIC", L"report-program", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                        nullptr, nullptr) != FALSE;
    }
};

class ReportProgram : public rg_tarn_base::rg_ChuangKouChengXuLei {
public:
    static const ClassInfo& ClassRecord();
    const ClassInfo& GetClassInfo() const override { return ClassRecord(); }

    OwnedWindow window;
};

CTarnObject* CreateStartupObject() {
    if (Asked(L"wrongclass")) {
        return new CWString(u"no program");
    }
    return new ReportProgram();
}

const ClassInfo& ReportProgram::ClassRecord() {
    static const ClassInfo info = MakeClassInfo(&CreateStartupObject, "test::ReportProgram");
    return info;
}

int32_t Body(CTarnUserApp& program) {
    auto& report = static_cast<ReportProgram&>(program);
    if (Asked(L"tarn5")) {
        throw CTarnException(5, u"XYZ");
    }
    if (Asked(L"tarnnegative")) {
        throw CTarnException(-12, u"");
    }
    if (Asked(L"other")) {
        throw std::runtime_error("not a runtime exception");
    }
    if (Asked(L"windowthenexit")) {
        report.window.Create();
        std::exit(-1);
    }
    if (Asked(L"nowindow")) {
        return 1;
    }
    // A normal run: the window is the main window and closes itself.
    if (!report.window.Create()) {
        return 0;
    }
    AfxGetApp()->SetMainWnd(&report.window);
    report.window.PostMessage(WM_CLOSE);
    return 1;
}

} // namespace

// Made first, destroyed last; then the framework application object.
CTarnAppInstance theInstance;
CTarnMFCApp theApp(ReportProgram::ClassRecord(), &Body);
