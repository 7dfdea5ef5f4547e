// The program object's classes: CTarnUserApp, rg_ChengXuLei and rg_ChuangKouChengXuLei.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/ObjectClass.h"

// The base of every program object. A new one (of any program class) becomes
// the application instance's current program object while it lives; when it
// goes, the one made before it that is still alive is current again, so
// temporaries made by Reset, Clone or CreateNew never stay current. Without
// an application instance nothing is registered.
//
// Header only: flags and extra. One thread (the user-interface thread).
class CTarnUserApp : public CTarnObjectClass<CTarnUserApp, CTarnObject> {
public:
    CTarnUserApp();
    CTarnUserApp(const CTarnUserApp& other);
    // BeforeOverwrite, then flags and extra.
    CTarnUserApp& operator=(const CTarnUserApp& other);
    ~CTarnUserApp() override;

    static const ClassInfo& ClassRecord() { return Record("CTarnUserApp"); }

    // BeforeOverwrite, then the header of a new program object: flags and
    // extra 0.
    void Reset() override;

    // The records of the nine basic value classes, or null when the program
    // has none (here).
    virtual const ClassInfo* const* GetBasicTypeClasses() const;
};

namespace rg_tarn_base {

// A program: it knows the basic value classes.
class rg_ChengXuLei : public CTarnObjectClass<rg_ChengXuLei, CTarnUserApp> {
public:
    static const ClassInfo& ClassRecord() { return Record("rg_tarn_base::rg_ChengXuLei"); }

    // Nine records, filled once: byte, short, character, integer, variable
    // integer, long, single, double and boolean.
    const ClassInfo* const* GetBasicTypeClasses() const override;
};

// A window program: the application object offers it every queued message,
// its idle time and the moment before the end.
class rg_ChuangKouChengXuLei : public CTarnObjectClass<rg_ChuangKouChengXuLei, rg_ChengXuLei> {
public:
    static const ClassInfo& ClassRecord() { return Record("rg_tarn_base::rg_ChuangKouChengXuLei"); }

    // 1 lets the message through; 0 makes the application consume it.
    virtual int32_t PreFilterMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     MSG* record);
    // Idle work after elapsed milliseconds of idleness; nonzero wants more calls.
    virtual int32_t IdleWork(uint32_t elapsed);
    // Runs first when the application ends.
    virtual void BeforeExit();
};

} // namespace rg_tarn_base
