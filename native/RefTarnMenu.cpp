#include "native/RefTarnMenu.h"

namespace {

constexpr int64_t kItemGrowStep = 256;

} // namespace

CRefTarnMenu::CRefTarnMenu() {
    static_cast<void>(reserved_);
    items_.SetGrowStep(kItemGrowStep);
}

CRefTarnMenu::~CRefTarnMenu() {
    Clear();
}

const LightClassInfo& CRefTarnMenu::ClassRecord() {
    static const LightClassInfo info = MakeLightClassInfo("CRefTarnMenu");
    return info;
}

const LightClassInfo& CRefTarnMenu::GetClassInfo() const {
    return ClassRecord();
}

bool CRefTarnMenu::IsKindOf(const LightClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CRefObject::IsKindOf(info);
}

void CRefTarnMenu::OnFinalRelease() {}

void CRefTarnMenu::AttachToWindow(HWND /*window*/, int /*attach*/) {}

void CRefTarnMenu::SetMenuHandle(HMENU menu) {
    if (menu_ != nullptr && menu_ != menu) {
        DestroyMenu(menu_);
    }
    menu_ = menu;
}

void CRefTarnMenu::SetAcceleratorTable(HACCEL accelerators) {
    if (accelerators_ != nullptr && accelerators_ != accelerators) {
        DestroyAcceleratorTable(accelerators_);
    }
    accelerators_ = accelerators;
}

void CRefTarnMenu::AddItem(CTarnObject* item) {
    if (item != nullptr) {
        items_.AppendBytes(&item, sizeof(item));
    }
}

int64_t CRefTarnMenu::GetItemCount() const {
    return items_.GetSize() / static_cast<int64_t>(sizeof(CTarnObject*));
}

CTarnObject* CRefTarnMenu::GetItem(int64_t index) const {
    if (index < 0 || index >= GetItemCount()) {
        return nullptr;
    }
    return reinterpret_cast<CTarnObject* const*>(items_.GetData())[index];
}

void CRefTarnMenu::Clear() {
    SetAcceleratorTable(nullptr);
    SetMenuHandle(nullptr);
    text_.SetEmpty();
    const int64_t count = GetItemCount();
    for (int64_t i = 0; i < count; ++i) {
        ::FreeObject(GetItem(i));
    }
    items_.Clear();
    reserved_cleared_ = 0;
}
