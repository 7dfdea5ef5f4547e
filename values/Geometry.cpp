#include "values/Geometry.h"

#include "runtime/IntegerText.h"
#include "runtime/ObjectStream.h"
#include "runtime/WString.h"

namespace rg_tarn_base {

namespace {

CTarnObject* CreatePosition() {
    return new rg_WeiZhiLei();
}

CTarnObject* CreateSize() {
    return new rg_CheCunLei();
}

// Replaces out by "{ <first label>first<second label>second }".
void SetPairText(CWString& out, const char16_t* first_label, int32_t first,
                 const char16_t* second_label, int32_t second) {
    char16_t number[kNumberTextUnits];
    out.SetEmpty();
    out.Append(first_label);
    out.Append(Int32ToText(first, number));
    out.Append(second_label);
    out.Append(Int32ToText(second, number));
    out.Append(u" }");
}

// Reads the pair, each field only when all of its four bytes arrived.
void LoadPair(CTarnObjectStream& stream, int32_t& first, int32_t& second) {
    if (stream.ReadInt32(first)) {
        stream.ReadInt32(second);
    }
}

void SavePair(CTarnObjectStream& stream, int32_t first, int32_t second) {
    if (stream.WriteInt32(first)) {
        stream.WriteInt32(second);
    }
}

} // namespace

const ClassInfo& rg_WeiZhiLei::ClassRecord() {
    static const ClassInfo info = MakeClassInfo(&CreatePosition, "rg_tarn_base::rg_WeiZhiLei");
    return info;
}

const ClassInfo& rg_WeiZhiLei::GetClassInfo() const {
    return ClassRecord();
}

bool rg_WeiZhiLei::IsEqual(const CTarnObject& other) const {
    if (!HeaderEquals(other)) {
        return false;
    }
    const auto& position = static_cast<const rg_WeiZhiLei&>(other);
    return horizontal == position.horizontal && vertical == position.vertical;
}

rg_WeiZhiLei* rg_WeiZhiLei::CreateNew() const {
    return new rg_WeiZhiLei();
}

rg_WeiZhiLei* rg_WeiZhiLei::Clone() const {
    return new rg_WeiZhiLei(*this);
}

bool rg_WeiZhiLei::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    BeforeOverwrite();
    *this = static_cast<const rg_WeiZhiLei&>(other);
    return true;
}

void rg_WeiZhiLei::Reset() {
    BeforeOverwrite();
    flags = 0;
    extra = 0;
    horizontal = 0;
    vertical = 0;
}

bool rg_WeiZhiLei::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || rg_KuoZhanDuiXiangLei::IsKindOf(info);
}

void rg_WeiZhiLei::DumpText(CWString& out, int32_t /*limit*/) const {
    SetPairText(out, u"{ 横向位置: ", horizontal, u"; 纵向位置: ", vertical);
}

void rg_WeiZhiLei::LoadFrom(CTarnObjectStream& stream) {
    LoadPair(stream, horizontal, vertical);
}

void rg_WeiZhiLei::SaveTo(CTarnObjectStream& stream) const {
    SavePair(stream, horizontal, vertical);
}

const ClassInfo& rg_CheCunLei::ClassRecord() {
    static const ClassInfo info = MakeClassInfo(&CreateSize, "rg_tarn_base::rg_CheCunLei");
    return info;
}

const ClassInfo& rg_CheCunLei::GetClassInfo() const {
    return ClassRecord();
}

bool rg_CheCunLei::IsEqual(const CTarnObject& other) const {
    if (!HeaderEquals(other)) {
        return false;
    }
    const auto& size = static_cast<const rg_CheCunLei&>(other);
    return width == size.width && height == size.height;
}

rg_CheCunLei* rg_CheCunLei::CreateNew() const {
    return new rg_CheCunLei();
}

rg_CheCunLei* rg_CheCunLei::Clone() const {
    return new rg_CheCunLei(*this);
}

bool rg_CheCunLei::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    BeforeOverwrite();
    *this = static_cast<const rg_CheCunLei&>(other);
    return true;
}

void rg_CheCunLei::Reset() {
    BeforeOverwrite();
    flags = 0;
    extra = 0;
    width = 0;
    height = 0;
}

bool rg_CheCunLei::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || rg_KuoZhanDuiXiangLei::IsKindOf(info);
}

void rg_CheCunLei::DumpText(CWString& out, int32_t /*limit*/) const {
    SetPairText(out, u"{ 宽度: ", width, u"; 高度: ", height);
}

void rg_CheCunLei::LoadFrom(CTarnObjectStream& stream) {
    LoadPair(stream, width, height);
}

void rg_CheCunLei::SaveTo(CTarnObjectStream& stream) const {
    SavePair(stream, width, height);
}

} // namespace rg_tarn_base
