#include "components/WinContainer.h"

namespace rg_tarn_MFCJieMian_base {

namespace {

CTarnObject* CreateWinContainer() {
    return new CTarnWinContainer();
}

} // namespace

CTarnWinContainer& CTarnWinContainer::operator=(const CTarnWinContainer& other) {
    CTarnWinControl::operator=(other);
    return *this;
}

const ClassInfo& CTarnWinContainer::ClassRecord() {
    static const ClassInfo info =
        MakeClassInfo(&CreateWinContainer, "rg_tarn_MFCJieMian_base::CTarnWinContainer");
    return info;
}

const ClassInfo& CTarnWinContainer::GetClassInfo() const {
    return ClassRecord();
}

CTarnWinContainer* CTarnWinContainer::CreateNew() const {
    return new CTarnWinContainer();
}

CTarnWinContainer* CTarnWinContainer::Clone() const {
    auto* copy = static_cast<CTarnWinContainer*>(CreateNew());
    copy->CopyContent(*this);
    return copy;
}

bool CTarnWinContainer::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(ClassRecord())) {
        return false;
    }
    CopyContent(static_cast<const CTarnWinContainer&>(other));
    return true;
}

bool CTarnWinContainer::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnWinControl::IsKindOf(info);
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
