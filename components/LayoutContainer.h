// rg_ZuJianBuJuQi, the layout container: a container with a native container window and eight
// container events.
#pragma once

#include <cstdint>

#include "components/ListenedControl.h"
#include "components/WinContainer.h"
#include "native/VWndContainer.h"

namespace rg_tarn_MFCJieMian_base {

// The container that owns a native window of its own (class "TarnContainer",
// a CVWnd_Container) and turns what happens to that window into container
// events. Children are placed where they are created; nothing moves them
// later. A designed container (a form of the user program) overrides the
// design size and OnNativeCreated, which runs inside the window's creation,
// so its children are made while the container's own creation is in progress.
//
// The component listens to its window from PrepareCreate on, so even the
// creation message reaches it, until it is overwritten or destroyed. Copies
// share the window but do not listen to it and have their own, unbound event
// slots. GUI thread only.
class rg_ZuJianBuJuQi
    : public CTarnObjectClass<
          rg_ZuJianBuJuQi,
          CListenedControl<CVWnd_Container, IContainerEventListener, CTarnWinContainer>> {
public:
    // With a new holder around a new, not yet created CVWnd_Container.
    rg_ZuJianBuJuQi();
    // Shares other's window (without listening to it); no bindings.
    rg_ZuJianBuJuQi(const rg_ZuJianBuJuQi& other) = default;
    rg_ZuJianBuJuQi& operator=(const rg_ZuJianBuJuQi& other) = default;
    // Stops listening first; the container slots then release their targets
    // as members (last first), before the control's destruction.
    ~rg_ZuJianBuJuQi() override;

    static const ClassInfo& ClassRecord() {
        return Record("rg_tarn_MFCJieMian_base::rg_ZuJianBuJuQi");
    }

    // Creates the "TarnContainer" window from the record: 1 when created, 0
    // when the window exists already (only the page is stored then) or the
    // creation fails.
    int32_t CreateNative(ControlCreateInfo& info) override;
    // The container's steps, then the listener is attached if none is.
    void PrepareCreate(ControlCreateInfo& info) override;

    // What the native container window reports.
    void OnWindowCreate() override;
    void OnWindowDestroy() override;
    void OnWindowFinalDestroy() override;
    void OnWindowSize() override;
    void OnWindowShow(int32_t shown) override;
    void OnWindowMove() override;
    int32_t OnWindowCommand(uint32_t id) override;

    // The native container window object (null only without a holder).
    CVWnd_Container* GetContainerWindow() const { return ListenedWindow(); }

    // The container events, in slot order.
    TNotifyEvent ContainerCreated;
    TNotifyEvent ContainerDestroying;
    TNotifyEvent ContainerDestroyed;
    TNotifyEvent Moved;
    TNotifyEvent SizeChanged;
    TNotifyEvent Shown;
    TNotifyEvent Hidden;
    // A menu or accelerator command: its id. Nonzero = handled.
    TEventSlot<uint32_t> MenuCommand;
};

} // namespace rg_tarn_MFCJieMian_base
