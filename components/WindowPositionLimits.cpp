#include "components/WindowPositionLimits.h"

#include "runtime/ObjectStream.h"

namespace rg_tarn_MFCJieMian_base {

namespace {

CTarnObject* CreateLimits() {
    return new rg_ChuangKouWeiZhiXianZhiXinXi();
}

} // namespace

rg_ChuangKouWeiZhiXianZhiXinXi::rg_ChuangKouWeiZhiXianZhiXinXi(
    const rg_ChuangKouWeiZhiXianZhiXinXi& other)
    : CTarnObject(other) {
    CopyMembers(other);
}

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

const ClassInfo& rg_ChuangKouWeiZhiXianZhiXinXi::ClassRecord() {
    static const ClassInfo info =
        MakeClassInfo(&CreateLimits, "rg_tarn_MFCJieMian_base::rg_ChuangKouWeiZhiXianZhiXinXi");
    return info;
}

const ClassInfo& rg_ChuangKouWeiZhiXianZhiXinXi::GetClassInfo() const {
    return ClassRecord();
}

bool rg_ChuangKouWeiZhiXianZhiXinXi::IsEqual(const CTarnObject& other) const {
    return HeaderEquals(other) && &other == this;
}

rg_ChuangKouWeiZhiXianZhiXinXi* rg_ChuangKouWeiZhiXianZhiXinXi::CreateNew() const {
    return new rg_ChuangKouWeiZhiXianZhiXinXi();
}

rg_ChuangKouWeiZhiXianZhiXinXi* rg_ChuangKouWeiZhiXianZhiXinXi::Clone() const {
    return new rg_ChuangKouWeiZhiXianZhiXinXi(*this);
}

bool rg_ChuangKouWeiZhiXianZhiXinXi::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    *this = static_cast<const rg_ChuangKouWeiZhiXianZhiXinXi&>(other);
    return true;
}

void rg_ChuangKouWeiZhiXianZhiXinXi::Reset() {
    *this = rg_ChuangKouWeiZhiXianZhiXinXi();
}

bool rg_ChuangKouWeiZhiXianZhiXinXi::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnObject::IsKindOf(info);
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
