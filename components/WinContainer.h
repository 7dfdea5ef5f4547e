// CTarnWinContainer, the base of components that hold other components.
#pragma once

#include <cstdint>

#include "components/WinControl.h"

namespace rg_tarn_MFCJieMian_base {

// A component whose window holds other components' windows: it marks its
// window as a control parent and, when created without a size, takes the
// window size around its design client size. The plain container has no
// window class of its own (CreateNative stays 0) and a design size of 0.
class CTarnWinContainer : public CTarnObjectClass<CTarnWinContainer, CTarnWinControl> {
public:
    CTarnWinContainer() = default;
    // As the control's copy; the creation size is not copied.
    CTarnWinContainer(const CTarnWinContainer& other) : CTarnObjectClass(other) {}
    CTarnWinContainer& operator=(const CTarnWinContainer& other);
    ~CTarnWinContainer() override = default;

    static const ClassInfo& ClassRecord() {
        return Record("rg_tarn_MFCJieMian_base::CTarnWinContainer");
    }

    // The control's steps, then the control-parent extended style.
    void PrepareCreate(ControlCreateInfo& info) override;
    // A requested default size becomes the window size around the design
    // client size (0 x 0 without one); the result is the creation size.
    void AdjustCreate(ControlCreateInfo& info) override;

    // The client size the container was designed with; 0 for none.
    virtual int32_t GetDesignClientWidth();
    virtual int32_t GetDesignClientHeight();
    // Runs when the container's window has been created, to make its children.
    virtual void OnNativeCreated();

    int32_t GetCreationWidth() const { return creationWidth_; }
    int32_t GetCreationHeight() const { return creationHeight_; }

private:
    int32_t creationWidth_ = 0;
    int32_t creationHeight_ = 0;
};

} // namespace rg_tarn_MFCJieMian_base
