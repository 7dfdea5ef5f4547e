// CTarnWinForm: the component of a top-level window (form) with its properties, events and
// creation.
#pragma once

#include <windows.h>

#include <cstdint>

#include "components/LayoutContainer.h"
#include "components/WindowPositionLimits.h"
#include "native/Listeners.h"

class CVWnd_WinForm;

namespace rg_tarn_MFCJieMian_base {

// A form: a layout container whose window is a framed top-level window (or,
// for a modal run, the child of an envelope dialog). Its properties live in
// its native window object (GetFormWindow), which exists from construction,
// so they can be set before the window is made; copies share it. The user
// program derives its main window from it (design size, children in
// OnNativeCreated, handlers bound to the form events).
//
// The form reports to its native window through two listener parts: the
// container part (container events, with menu commands raised as
// FormMenuCommand) and the form part, which only this class attaches. GUI
// thread only; the event slots guard themselves.
class CTarnWinForm : public CTarnObjectClass<CTarnWinForm, rg_ZuJianBuJuQi>,
                     public IWinFormEventListener {
public:
    // The caption of a form with a control box and no text.
    static constexpr const char16_t* kDefaultCaption = u"Tarn应用程序";

    CTarnWinForm();
    // Shares other's holder (and so its window and properties); no bindings.
    CTarnWinForm(const CTarnWinForm& other) = default;
    CTarnWinForm& operator=(const CTarnWinForm& other) = default;
    // Detaches the form listener, releases the form slots' targets (last
    // first), then the container's destruction.
    ~CTarnWinForm() override;

    static const ClassInfo& ClassRecord() {
        return Record("rg_tarn_MFCJieMian_base::CTarnWinForm");
    }

    bool IsEqual(const CTarnObject& other) const override;

    // Creates the window (non-modal) or runs the form modally (info.modal),
    // leaving the end code in info.modalResult. 1 on success; 0 when the
    // window exists already or cannot be made.
    int32_t CreateNative(ControlCreateInfo& info) override;
    // Texts, styles and font from the holder, the control-parent bit, the
    // form listener, the default caption and the frame styles.
    void PrepareCreate(ControlCreateInfo& info) override;
    // The container's default size, then a default position: 0 for a child
    // form, else centred on the primary screen.
    void AdjustCreate(ControlCreateInfo& info) override;
    void AttachListener() override;
    void DetachListener() override;

    // Offered each queued input message of the form before its keyboard
    // handling: 1 lets it go on, 0 swallows it. The form answers 1.
    virtual int32_t FilterMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                  TarnMessage* queued);

    // The native window object with the form properties.
    CVWnd_WinForm* GetFormWindow() const;

    // A menu or accelerator command raises FormMenuCommand instead of the
    // container's MenuCommand.
    int32_t OnWindowCommand(uint32_t id) override;

    // Form listener operations.
    int32_t OnFormPreTranslate(TarnMessage* message) override;
    int32_t OnFormQueryClose() override;
    int32_t OnFormClose() override;
    void OnFormFirstActivate() override;
    void OnFormActivate() override;
    void OnFormDeactivate() override;
    int32_t OnFormTrayIcon(int32_t kind) override;
    int32_t OnFormMenuSelect(int32_t itemId) override;
    void OnFormGetMinMaxInfo(MINMAXINFO* info) override;
    void OnFormModalShown() override;

    // The form events, in slot order.
    TEventSlot<int32_t> FormMenuCommand; // command id; nonzero = handled
    TEventSlot<int32_t> FormMenuSelect;  // item id or 0
    TNotifyEvent FormQueryClose;         // nonzero refuses
    TNotifyEvent FormClosing;            // nonzero refuses
    TNotifyEvent FormFirstActivated;
    TNotifyEvent FormActivated;
    TNotifyEvent FormDeactivated;
    TEventSlot<int32_t> FormTrayIcon;                               // click kind
    TEventSlot<rg_ChuangKouWeiZhiXianZhiXinXi*> FormPositionLimits; // nonzero = use the changes
    TNotifyEvent FormModalShown;
};

} // namespace rg_tarn_MFCJieMian_base
