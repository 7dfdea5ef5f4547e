#include "components/Menu.h"
#include "components/WinControl.h"

namespace rg_tarn_MFCJieMian_base {

CRefTarnMenu* MenuObjectOf(const ControlCreateInfo& info) {
    if (info.menu == nullptr || !info.menu->IsKindOf(rg_CaiChanLei::ClassRecord())) {
        return nullptr;
    }
    return static_cast<const rg_CaiChanLei*>(info.menu)->GetMenu();
}

HMENU MenuHandleOf(const ControlCreateInfo& info) {
    const CRefTarnMenu* menu = MenuObjectOf(info);
    return menu != nullptr ? menu->GetMenuHandle() : nullptr;
}

} // namespace rg_tarn_MFCJieMian_base
