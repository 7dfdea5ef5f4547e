// Forms for the tests: a designable test form, the form events bound to a recorder, key input.
#pragma once

#include "components/EventSlot.h"
#include "components/WinForm.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "native/VWndWinForm.h"
#include "tests/support/EventRecorder.h"
#include "tests/support/KeyInput.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace form_test {

using rg_tarn_MFCJieMian_base::ControlCreateInfo;
using rg_tarn_MFCJieMian_base::CTarnWinForm;
using rg_tarn_MFCJieMian_base::rg_ChuangKouWeiZhiXianZhiXinXi;

using test_support::EventRecorder;
using test_support::RaisedEvent;

// Binds every form event of form to log, each logged under its name
// ("closing", "query close", ...) or with its argument ("menu 501", "select
// 501", "tray 2").
void BindFormEvents(CTarnWinForm& form, EventRecorder& log);

// Makes each "limits" event of log (FormPositionLimits) hand the limits to
// change, through the log's during hook; null stops it.
void ChangeLimits(EventRecorder& log, std::function<void(rg_ChuangKouWeiZhiXianZhiXinXi&)> change);

// A form with a design size, children made by onCreated and an optional
// message filter.
class TestForm : public CTarnWinForm {
public:
    int32_t designWidth = 0;
    int32_t designHeight = 0;
    std::function<void(TestForm&)> onCreated;
    std::function<int32_t(const MSG&)> filter;

    int32_t GetDesignClientWidth() override { return designWidth; }
    int32_t GetDesignClientHeight() override { return designHeight; }
    void OnNativeCreated() override {
        if (onCreated) {
            onCreated(*this);
        }
    }
    int32_t FilterMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                          TarnMessage* queued) override {
        if (filter) {
            return filter(*queued);
        }
        return CTarnWinForm::FilterMessage(hwnd, message, wParam, lParam, queued);
    }

    CVWnd_WinForm& Window() { return *GetFormWindow(); }
    HWND Hwnd() const { return GetWindowHandle(); }
};

// A creation record for a top-level form: every place and size the default.
ControlCreateInfo TopLevelRecord();
// Creates form as a top-level window at the default place and size.
int32_t CreateTopLevel(CTarnWinForm& form);

// A button that counts its clicks (the click notification its parent
// reflects back to it).
class ClickButton : public CButton {
public:
    int clicks = 0;

protected:
    std::optional<LRESULT> OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// An edit that logs the keys that reach it.
class KeyEdit : public CEdit {
public:
    std::vector<WPARAM> keysDown;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Children made inside a form's window for the keyboard tests: two edits and
// two buttons, all tab stops, in the order edit 101, button 102, edit 103,
// button 104 (the default push button).
struct KeyboardChildren {
    KeyEdit firstEdit;
    ClickButton firstButton;
    KeyEdit secondEdit;
    ClickButton defaultButton;

    bool Create(CWnd& form);
};

// Holds Shift and Ctrl down or up in this thread's keyboard state, which is
// what the key handling reads; a posted key message leaves it as it is, so
// the state set before posting a key is the state the key is handled with.
void SetModifiers(bool shift, bool ctrl);

using test_support::PostKeyDown;

} // namespace form_test
