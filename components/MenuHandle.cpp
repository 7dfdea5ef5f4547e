#include "components/WinControl.h"

namespace rg_tarn_MFCJieMian_base {

// Menu objects arrive with forms; until a class of them exists no record can
// carry one that holds a menu, so no record has a menu handle.
HMENU MenuHandleOf(const ControlCreateInfo& info) {
    static_cast<void>(info);
    return nullptr;
}

} // namespace rg_tarn_MFCJieMian_base
