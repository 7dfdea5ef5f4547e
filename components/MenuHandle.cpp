#include "components/Menu.h"
#include "components/WinControl.h"

namespace rg_tarn_MFCJieMian_base {

HMENU MenuHandleOf(const ControlCreateInfo& info) {
    if (info.menu == nullptr || !info.menu->IsKindOf(rg_CaiChanLei::ClassRecord())) {
        return nullptr;
    }
    const CRefTarnMenu* menu = static_cast<const rg_CaiChanLei*>(info.menu)->GetMenu();
    return menu != nullptr ? menu->GetMenuHandle() : nullptr;
}

} // namespace rg_tarn_MFCJieMian_base
