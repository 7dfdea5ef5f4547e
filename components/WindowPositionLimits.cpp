#include "components/WindowPositionLimits.h"

#include "runtime/ObjectStream.h"

namespace rg_tarn_MFCJieMian_base {

rg_ChuangKouWeiZhiXianZhiXinXi&
rg_ChuangKouWeiZhiXianZhiXinXi::operator=(const rg_ChuangKouWeiZhiXianZhiXinXi& other) {
    if (this != &other) {
        BeforeOverwrite();
        CTarnObject::operator=(other);
        CopyMembers(other);
    }
    return *this;
}

void rg_ChuangKouWeiZhiXianZhiXinXi::CopyMembers(const rg_ChuangKouWeiZhiXianZhiXinXi& source) {
    MaxSize.CopyFrom(source.MaxSize);
    MaxPosition.CopyFrom(source.MaxPosition);
    MinTrackSize.CopyFrom(source.MinTrackSize);
    MaxTrackSize.CopyFrom(source.MaxTrackSize);
}

bool rg_ChuangKouWeiZhiXianZhiXinXi::IsEqual(const CTarnObject& other) const {
    return HeaderEquals(other) && &other == this;
}

void rg_ChuangKouWeiZhiXianZhiXinXi::Reset() {
    *this = rg_ChuangKouWeiZhiXianZhiXinXi();
}

void rg_ChuangKouWeiZhiXianZhiXinXi::LoadFrom(CTarnObjectStream& stream) {
    CTarnObject* const members[] = {&MaxSize, &MaxPosition, &MinTrackSize, &MaxTrackSize};
    for (CTarnObject* member : members) {
        if (stream.GetError() != 0) {
            return;
        }
        member->LoadFrom(stream);
    }
}

void rg_ChuangKouWeiZhiXianZhiXinXi::SaveTo(CTarnObjectStream& stream) const {
    const CTarnObject* const members[] = {&MaxSize, &MaxPosition, &MinTrackSize, &MaxTrackSize};
    for (const CTarnObject* member : members) {
        if (stream.GetError() != 0) {
            return;
        }
        member->SaveTo(stream);
    }
}

} // namespace rg_tarn_MFCJieMian_base
