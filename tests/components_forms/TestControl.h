// CTestControl: a concrete component over the tests' native window, used only by the tests.
#pragma once

#include "components/ListenedControl.h"
#include "components/WinContainer.h"
#include "components/WinControl.h"
#include "runtime/WideText.h"
#include "tests/native/TestNativeWindow.h"

namespace components_test {

using native_test::CTestNativeWnd;
using rg_tarn_MFCJieMian_base::ControlCreateInfo;
using rg_tarn_MFCJieMian_base::CTarnWinContainer;
using rg_tarn_MFCJieMian_base::CTarnWinControl;

// A component with a holder of its own around a CTestNativeWnd, listening to
// it as the real components do. The window class is the runtime's default
// unless the test asks for a system class ("EDIT", say).
class CTestControl
    : public CTarnObjectClass<CTestControl,
                              rg_tarn_MFCJieMian_base::CListenedControl<
                                  CTestNativeWnd, IBaseEventListener, CTarnWinControl>> {
public:
    CTestControl() { AdoptHolder(new CMfcWndObject(new CTestNativeWnd())); }
    CTestControl(const CTestControl& other) = default;
    CTestControl& operator=(const CTestControl& other) = default;
    ~CTestControl() override { DetachListener(); }

    static const ClassInfo& ClassRecord() { return Record("components_test::CTestControl"); }

    CTestNativeWnd* Native() const { return ListenedWindow(); }

    int32_t CreateNative(ControlCreateInfo& info) override {
        CTestNativeWnd* native = Native();
        if (native == nullptr || HasNativeWindow()) {
            return 0;
        }
        native->Page = info.page;
        PrepareCreate(info);
        if (IsListenerAttached() == 0) {
            AttachListener();
        }
        AdjustCreate(info);
        HWND parent = info.parentWindow != nullptr ? info.parentWindow->GetSafeHwnd() : nullptr;
        // A top-level window's identifier would be taken for a menu handle.
        const int id = parent != nullptr ? info.id : 0;
        if (!native->Create(ToWide(info.text), info.style, info.x, info.y, info.width, info.height,
                            parent, id, info.exStyle, className)) {
            return 0;
        }
        AfterCreate(native, info);
        return 1;
    }

    // Null: the runtime's default class.
    const wchar_t* className = nullptr;
};

} // namespace components_test
