// Designable objects that are not windows: rg_KeSheJiLei and the menu component rg_CaiChanLei.
#pragma once

#include "native/RefTarnMenu.h"
#include "runtime/ObjectClass.h"
#include "runtime/RefObject.h"
#include "runtime/WString.h"

namespace rg_tarn_base {

// A designable object: a handle to a shared native object (counted). Copies
// share that object; equality is identity of the shared object plus the
// header. Destroying or resetting the handle releases its reference. One
// thread at a time.
class rg_KeSheJiLei : public CTarnObjectClass<rg_KeSheJiLei, CTarnRefObject> {
public:
    static const ClassInfo& ClassRecord() { return Record("rg_tarn_base::rg_KeSheJiLei"); }

    // The text a designer shows for the object; empty here.
    virtual CWString GetDesignText() const;
};

} // namespace rg_tarn_base

namespace rg_tarn_MFCJieMian_base {

// A menu component: its shared object is a CRefTarnMenu (or none, which
// shows no menu). Two menu components copied from each other share one menu.
class rg_CaiChanLei : public CTarnObjectClass<rg_CaiChanLei, rg_tarn_base::rg_KeSheJiLei> {
public:
    static const ClassInfo& ClassRecord() {
        return Record("rg_tarn_MFCJieMian_base::rg_CaiChanLei");
    }

    // A new, empty menu object (reference count 1, owned by the caller).
    virtual CRefTarnMenu* CreateMenuObject() const;

    // The shared menu object, or null.
    CRefTarnMenu* GetMenu() const;
    // Shares menu (which may be null), releasing the menu held before.
    void SetMenu(CRefTarnMenu* menu) { SetRef(menu); }
};

} // namespace rg_tarn_MFCJieMian_base
