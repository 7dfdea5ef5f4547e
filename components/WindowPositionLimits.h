// rg_ChuangKouWeiZhiXianZhiXinXi: the position limits of a form that a FormPositionLimits handler
// may change.
#pragma once

#include "runtime/ObjectClass.h"
#include "values/Geometry.h"

namespace rg_tarn_MFCJieMian_base {

// The maximized size and position and the smallest and largest tracking
// sizes of a window, in pixels; all zero in a new object. The form fills one
// from the platform's limits, hands it to the handler and writes it back only
// when the handler asks for it. Equality is identity. One thread at a time.
class rg_ChuangKouWeiZhiXianZhiXinXi
    : public CTarnObjectClass<rg_ChuangKouWeiZhiXianZhiXinXi, CTarnObject> {
public:
    rg_ChuangKouWeiZhiXianZhiXinXi() = default;
    rg_ChuangKouWeiZhiXianZhiXinXi(const rg_ChuangKouWeiZhiXianZhiXinXi& other) = default;
    rg_ChuangKouWeiZhiXianZhiXinXi& operator=(const rg_ChuangKouWeiZhiXianZhiXinXi& other);
    ~rg_ChuangKouWeiZhiXianZhiXinXi() override = default;

    static const ClassInfo& ClassRecord() {
        return Record("rg_tarn_MFCJieMian_base::rg_ChuangKouWeiZhiXianZhiXinXi");
    }

    // True only for the same object.
    bool IsEqual(const CTarnObject& other) const override;
    // flags, extra and the four members in order.
    void Reset() override;
    // The four members in field order, while the stream has no error.
    void LoadFrom(CTarnObjectStream& stream) override;
    void SaveTo(CTarnObjectStream& stream) const override;

    rg_tarn_base::rg_CheCunLei MaxSize;
    rg_tarn_base::rg_WeiZhiLei MaxPosition;
    rg_tarn_base::rg_CheCunLei MinTrackSize;
    rg_tarn_base::rg_CheCunLei MaxTrackSize;

private:
    void CopyMembers(const rg_ChuangKouWeiZhiXianZhiXinXi& source);
};

} // namespace rg_tarn_MFCJieMian_base
