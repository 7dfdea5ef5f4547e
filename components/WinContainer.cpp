#include "components/WinContainer.h"

namespace rg_tarn_MFCJieMian_base {

CTarnWinContainer& CTarnWinContainer::operator=(const CTarnWinContainer& other) {
    CTarnObjectClass::operator=(other);
    return *this;
}

void CTarnWinContainer::PrepareCreate(ControlCreateInfo& info) {
    CTarnWinControl::PrepareCreate(info);
    info.exStyle |= WS_EX_CONTROLPARENT;
}

void CTarnWinContainer::AdjustCreate(ControlCreateInfo& info) {
    if (info.width == ControlCreateInfo::kDefaultSize ||
        info.height == ControlCreateInfo::kDefaultSize) {
        const int32_t width = GetDesignClientWidth();
        const int32_t height = GetDesignClientHeight();
        RECT rect{0, 0, width, height};
        // A menu bar counts only for a top-level window that shows one.
        const BOOL hasMenu = info.parentWindow == nullptr && MenuHandleOf(info) != nullptr;
        if (width > 0 && height > 0 &&
            AdjustWindowRectEx(&rect, info.style, hasMenu, info.exStyle)) {
            info.width = rect.right - rect.left;
            info.height = rect.bottom - rect.top;
        } else {
            info.width = 0;
            info.height = 0;
        }
    }
    creationWidth_ = info.width;
    creationHeight_ = info.height;
}

int32_t CTarnWinContainer::GetDesignClientWidth() {
    return 0;
}

int32_t CTarnWinContainer::GetDesignClientHeight() {
    return 0;
}

void CTarnWinContainer::OnNativeCreated() {}

} // namespace rg_tarn_MFCJieMian_base
