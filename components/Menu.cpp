#include "components/Menu.h"

namespace rg_tarn_base {

namespace {

CTarnObject* CreateDesignable() {
    return new rg_KeSheJiLei();
}

} // namespace

const ClassInfo& rg_KeSheJiLei::ClassRecord() {
    static const ClassInfo info = MakeClassInfo(&CreateDesignable, "rg_tarn_base::rg_KeSheJiLei");
    return info;
}

const ClassInfo& rg_KeSheJiLei::GetClassInfo() const {
    return ClassRecord();
}

rg_KeSheJiLei* rg_KeSheJiLei::CreateNew() const {
    return new rg_KeSheJiLei();
}

rg_KeSheJiLei* rg_KeSheJiLei::Clone() const {
    return new rg_KeSheJiLei(*this);
}

bool rg_KeSheJiLei::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnRefObject::IsKindOf(info);
}

CWString rg_KeSheJiLei::GetDesignText() const {
    return CWString();
}

} // namespace rg_tarn_base

namespace rg_tarn_MFCJieMian_base {

namespace {

CTarnObject* CreateMenuComponent() {
    return new rg_CaiChanLei();
}

} // namespace

const ClassInfo& rg_CaiChanLei::ClassRecord() {
    static const ClassInfo info =
        MakeClassInfo(&CreateMenuComponent, "rg_tarn_MFCJieMian_base::rg_CaiChanLei");
    return info;
}

const ClassInfo& rg_CaiChanLei::GetClassInfo() const {
    return ClassRecord();
}

rg_CaiChanLei* rg_CaiChanLei::CreateNew() const {
    return new rg_CaiChanLei();
}

rg_CaiChanLei* rg_CaiChanLei::Clone() const {
    return new rg_CaiChanLei(*this);
}

bool rg_CaiChanLei::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || rg_KeSheJiLei::IsKindOf(info);
}

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
