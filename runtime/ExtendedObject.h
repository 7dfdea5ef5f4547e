// rg_tarn_base::rg_KuoZhanDuiXiangLei, the extended object base of the base class library.
#pragma once

#include "runtime/TarnObject.h"

namespace rg_tarn_base {

// The base of the library's value objects (positions, sizes, text arrays). It
// adds no content to CTarnObject: equality, copies and Reset concern flags and
// extra only, and its dump is the general object line. It lives with the
// runtime because the runtime's text array derives from it. One thread at a
// time.
class rg_KuoZhanDuiXiangLei : public CTarnObject {
public:
    rg_KuoZhanDuiXiangLei() = default;
    rg_KuoZhanDuiXiangLei(const rg_KuoZhanDuiXiangLei& other) = default;
    rg_KuoZhanDuiXiangLei& operator=(const rg_KuoZhanDuiXiangLei& other) = default;
    ~rg_KuoZhanDuiXiangLei() override = default;

    static const ClassInfo& ClassRecord();

    const ClassInfo& GetClassInfo() const override;
    rg_KuoZhanDuiXiangLei* CreateNew() const override;
    rg_KuoZhanDuiXiangLei* Clone() const override;
    bool IsKindOf(const ClassInfo& info) const override;
};

} // namespace rg_tarn_base
