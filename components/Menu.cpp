#include "components/Menu.h"

namespace rg_tarn_base {

CWString rg_KeSheJiLei::GetDesignText() const {
    return CWString();
}

} // namespace rg_tarn_base

namespace rg_tarn_MFCJieMian_base {

CRefTarnMenu* rg_CaiChanLei::CreateMenuObject() const {
    return new CRefTarnMenu();
}

CRefTarnMenu* rg_CaiChanLei::GetMenu() const {
    CRefObject* ref = GetRef();
    if (ref == nullptr || !ref->IsKindOf(CRefTarnMenu::ClassRecord())) {
        return nullptr;
    }
    return static_cast<CRefTarnMenu*>(ref);
}

} // namespace rg_tarn_MFCJieMian_base
