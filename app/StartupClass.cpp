#include "app/StartupClass.h"

#include "framework/WinApp.h"
#include "runtime/ObjectStream.h"
#include "runtime/StartupMarks.h"

namespace rg_tarn_app {

using rg_tarn_MFCJieMian_base::ControlCreateInfo;

bool rg_startup_class::IsEqual(const CTarnObject& other) const {
    return &other == this && HeaderEquals(other);
}

void rg_startup_class::Reset() {
    rg_startup_class fresh;
    CopyFrom(fresh);
}

void rg_startup_class::LoadFrom(CTarnObjectStream& stream) {
    if (stream.GetError() == 0) {
        main_window.LoadFrom(stream);
    }
}

void rg_startup_class::SaveTo(CTarnObjectStream& stream) const {
    if (stream.GetError() == 0) {
        main_window.SaveTo(stream);
    }
}

int32_t rg_startup_class::RunBody() {
    ControlCreateInfo info;
    info.x = ControlCreateInfo::kDefaultSize;
    info.y = ControlCreateInfo::kDefaultSize;
    info.width = ControlCreateInfo::kDefaultSize;
    info.height = ControlCreateInfo::kDefaultSize;
    info.id = 0;
    info.page = -1;
    MarkStartup(StartupMark::kFormCreating);
    const bool created = main_window.CreateNative(info) != 0;
    MarkStartup(StartupMark::kFormCreated);
    if (created) {
        if (CWinApp* app = AfxGetApp()) {
            app->SetMainWnd(main_window.HasNativeWindow() ? main_window.GetNativeWindow()
                                                          : nullptr);
        }
    }
    return 1;
}

int32_t RunStartupBody(CTarnUserApp& program) {
    return static_cast<rg_startup_class&>(program).RunBody();
}

} // namespace rg_tarn_app
