// The converter program: its application instance and framework application object.
//
// Only the program links this file. Static construction runs in the order of
// definition within it: the application instance (and with it the memory pool)
// first, the framework application object second; static destruction runs the
// other way round, so the instance outlives everything the program made.
#include "app/StartupClass.h"
#include "native/AppInstance.h"
#include "native/TarnMFCApp.h"

CTarnAppInstance theInstance;
CTarnMFCApp theApp(rg_tarn_app::rg_startup_class::ClassRecord(), &rg_tarn_app::RunStartupBody);
