// rg_startup_class: the converter's program object, which embeds and shows the main window.
#pragma once

#include <cstdint>

#include "app/MainWindow.h"
#include "native/ProgramClasses.h"

namespace rg_tarn_app {

// The program object of the converter: a window program with the main
// window embedded. The application object makes it at start-up from its class
// record and runs its body, which creates the main window centred on the
// screen and makes it the framework's main window. It keeps the window
// program's defaults (no message filter, no idle work, nothing before exit).
// GUI thread only.
class rg_startup_class
    : public CTarnObjectClass<rg_startup_class, rg_tarn_base::rg_ChuangKouChengXuLei> {
public:
    // Copies take flags, extra and the main window's content (which shares
    // its windows).
    static const ClassInfo& ClassRecord() { return Record("rg_tarn_app::rg_startup_class"); }

    // Only the very same program object equals itself.
    bool IsEqual(const CTarnObject& other) const override;
    void Reset() override;
    void LoadFrom(CTarnObjectStream& stream) override;
    void SaveTo(CTarnObjectStream& stream) const override;

    // Creates the main window with the default size and place and makes it
    // the framework's main window; 1 whether or not that succeeded.
    int32_t RunBody();

    rg_my_main_window main_window;
};

// The body the application object runs: RunBody of the program object.
int32_t RunStartupBody(CTarnUserApp& program);

} // namespace rg_tarn_app
