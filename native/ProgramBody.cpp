#include "native/ProgramBody.h"

#include <windows.h>

#include <cstdlib>

#include "native/AppInstance.h"
#include "native/ProgramClasses.h"
#include "runtime/TarnException.h"
#include "runtime/WideText.h"

namespace {

constexpr wchar_t kCaption[] = L"运行时异常";

void ReportTarnException(const CTarnException& exception) {
    CWString text;
    text.Format(u"俘获到异常,代码值为: %d, 描述为: %s",
                {exception.code, exception.description.GetText()});
    MessageBoxW(nullptr, ToWide(text.GetText()), kCaption, MB_ICONERROR);
}

void ReportOtherException() {
    MessageBoxW(nullptr, L"程序在运行时抛出了未被管理的异常", kCaption, MB_ICONERROR);
}

} // namespace

int32_t RunProgramBody(ProgramBody body) {
    return RunProgramBodyWith(body, IsDebuggerPresent() != FALSE);
}

int32_t RunProgramBodyWith(ProgramBody body, bool debuggerAttached) {
    CTarnAppInstance* instance = CTarnAppInstance::Current();
    CTarnUserApp* program = instance != nullptr ? instance->GetCurrentProgram() : nullptr;
    if (program == nullptr || body == nullptr) {
        return 0;
    }
    if (debuggerAttached) {
        return body(*program);
    }
    try {
        return body(*program);
    } catch (const CTarnException& exception) {
        ReportTarnException(exception);
    } catch (...) {
        ReportOtherException();
    }
    std::exit(-1);
}
