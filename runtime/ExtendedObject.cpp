#include "runtime/ExtendedObject.h"

namespace rg_tarn_base {

namespace {

CTarnObject* CreateExtendedObject() {
    return new rg_KuoZhanDuiXiangLei();
}

} // namespace

const ClassInfo& rg_KuoZhanDuiXiangLei::ClassRecord() {
    static const ClassInfo info =
        MakeClassInfo(&CreateExtendedObject, "rg_tarn_base::rg_KuoZhanDuiXiangLei");
    return info;
}

const ClassInfo& rg_KuoZhanDuiXiangLei::GetClassInfo() const {
    return ClassRecord();
}

rg_KuoZhanDuiXiangLei* rg_KuoZhanDuiXiangLei::CreateNew() const {
    return new rg_KuoZhanDuiXiangLei();
}

rg_KuoZhanDuiXiangLei* rg_KuoZhanDuiXiangLei::Clone() const {
    return new rg_KuoZhanDuiXiangLei(*this);
}

bool rg_KuoZhanDuiXiangLei::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnObject::IsKindOf(info);
}

} // namespace rg_tarn_base
