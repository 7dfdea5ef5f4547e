#include "values/BoxedValues.h"

#include <bit>
#include <cassert>
#include <cstring>

#include "runtime/NumberText.h"
#include "runtime/ObjectStream.h"
#include "runtime/WString.h"

// Stream values are the bytes of the value as held in memory, which the
// stream form fixes as little-endian.
static_assert(std::endian::native == std::endian::little, "stream values are little-endian");

namespace {

CTarnObject* CreateBaseDataType() {
    return new CTarnBaseDataType();
}

CTarnObject* CreateZiJieLei() {
    return new rg_tarn_base::rg_ZiJieLei();
}

CTarnObject* CreateDuanZhengShuLei() {
    return new rg_tarn_base::rg_DuanZhengShuLei();
}

CTarnObject* CreateZiFuLei() {
    return new rg_tarn_base::rg_ZiFuLei();
}

CTarnObject* CreateZhengShuLei() {
    return new rg_tarn_base::rg_ZhengShuLei();
}

CTarnObject* CreateBianZhengShuLei() {
    return new rg_tarn_base::rg_BianZhengShuLei();
}

CTarnObject* CreateChangZhengShuLei() {
    return new rg_tarn_base::rg_ChangZhengShuLei();
}

CTarnObject* CreateChanJingDuXiaoShuLei() {
    return new rg_tarn_base::rg_ChanJingDuXiaoShuLei();
}

CTarnObject* CreateXiaoShuLei() {
    return new rg_tarn_base::rg_XiaoShuLei();
}

CTarnObject* CreateLuoJiXingLei() {
    return new rg_tarn_base::rg_LuoJiXingLei();
}

// Equal when the single-precision difference lies in the window; two equal
// infinities, whose difference is not a number, are equal too.
bool FloatsMatch(float a, float b) {
    constexpr float kWindow = 0.000001f;
    const float difference = a - b;
    return a == b || (difference >= -kWindow && difference <= kWindow);
}

bool DoublesMatch(double a, double b) {
    constexpr double kWindow = 0.000001;
    const double difference = a - b;
    return a == b || (difference >= -kWindow && difference <= kWindow);
}

} // namespace

const ClassInfo& CTarnBaseDataType::ClassRecord() {
    static const ClassInfo info = MakeClassInfo(&CreateBaseDataType, "CTarnBaseDataType");
    return info;
}

const ClassInfo& CTarnBaseDataType::GetClassInfo() const {
    return ClassRecord();
}

CTarnBaseDataType* CTarnBaseDataType::CreateNew() const {
    return new CTarnBaseDataType();
}

CTarnBaseDataType* CTarnBaseDataType::Clone() const {
    return new CTarnBaseDataType(*this);
}

bool CTarnBaseDataType::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnObject::IsKindOf(info);
}

void* CTarnBaseDataType::GetValuePtr() {
    return nullptr;
}

void CTarnBaseDataType::LoadValue(CTarnObjectStream& stream, void* value, int64_t bytes) {
    assert(bytes >= 1 && bytes <= 8 && "boxed values are 1 to 8 bytes");
    uint8_t read[8];
    if (stream.ReadBytes(read, bytes)) {
        std::memcpy(value, read, static_cast<size_t>(bytes));
    }
}

void CTarnBaseDataType::SaveValue(CTarnObjectStream& stream, const void* value, int64_t bytes) {
    stream.WriteBytes(value, bytes);
}

namespace rg_tarn_base {

const ClassInfo& rg_ZiJieLei::ClassRecord() {
    static const ClassInfo info = MakeClassInfo(&CreateZiJieLei, "rg_tarn_base::rg_ZiJieLei");
    return info;
}

const ClassInfo& rg_ZiJieLei::GetClassInfo() const {
    return ClassRecord();
}

bool rg_ZiJieLei::IsEqual(const CTarnObject& other) const {
    return HeaderEquals(other) && value == static_cast<const rg_ZiJieLei&>(other).value;
}

rg_ZiJieLei* rg_ZiJieLei::CreateNew() const {
    return new rg_ZiJieLei();
}

rg_ZiJieLei* rg_ZiJieLei::Clone() const {
    return new rg_ZiJieLei(*this);
}

bool rg_ZiJieLei::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    BeforeOverwrite();
    *this = static_cast<const rg_ZiJieLei&>(other);
    return true;
}

void rg_ZiJieLei::Reset() {
    BeforeOverwrite();
    flags = 0;
    extra = 0;
    value = 0;
}

bool rg_ZiJieLei::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnBaseDataType::IsKindOf(info);
}

void rg_ZiJieLei::DumpText(CWString& out, int32_t /*limit*/) const {
    out.SetInt(value);
}

void rg_ZiJieLei::LoadFrom(CTarnObjectStream& stream) {
    LoadValue(stream, &value, sizeof value);
}

void rg_ZiJieLei::SaveTo(CTarnObjectStream& stream) const {
    SaveValue(stream, &value, sizeof value);
}

void* rg_ZiJieLei::GetValuePtr() {
    return &value;
}

const ClassInfo& rg_DuanZhengShuLei::ClassRecord() {
    static const ClassInfo info =
        MakeClassInfo(&CreateDuanZhengShuLei, "rg_tarn_base::rg_DuanZhengShuLei");
    return info;
}

const ClassInfo& rg_DuanZhengShuLei::GetClassInfo() const {
    return ClassRecord();
}

bool rg_DuanZhengShuLei::IsEqual(const CTarnObject& other) const {
    return HeaderEquals(other) && value == static_cast<const rg_DuanZhengShuLei&>(other).value;
}

rg_DuanZhengShuLei* rg_DuanZhengShuLei::CreateNew() const {
    return new rg_DuanZhengShuLei();
}

rg_DuanZhengShuLei* rg_DuanZhengShuLei::Clone() const {
    return new rg_DuanZhengShuLei(*this);
}

bool rg_DuanZhengShuLei::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    BeforeOverwrite();
    *this = static_cast<const rg_DuanZhengShuLei&>(other);
    return true;
}

void rg_DuanZhengShuLei::Reset() {
    BeforeOverwrite();
    flags = 0;
    extra = 0;
    value = 0;
}

bool rg_DuanZhengShuLei::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnBaseDataType::IsKindOf(info);
}

void rg_DuanZhengShuLei::DumpText(CWString& out, int32_t /*limit*/) const {
    out.SetInt(value);
}

void rg_DuanZhengShuLei::LoadFrom(CTarnObjectStream& stream) {
    LoadValue(stream, &value, sizeof value);
}

void rg_DuanZhengShuLei::SaveTo(CTarnObjectStream& stream) const {
    SaveValue(stream, &value, sizeof value);
}

void* rg_DuanZhengShuLei::GetValuePtr() {
    return &value;
}

const ClassInfo& rg_ZiFuLei::ClassRecord() {
    static const ClassInfo info = MakeClassInfo(&CreateZiFuLei, "rg_tarn_base::rg_ZiFuLei");
    return info;
}

const ClassInfo& rg_ZiFuLei::GetClassInfo() const {
    return ClassRecord();
}

bool rg_ZiFuLei::IsEqual(const CTarnObject& other) const {
    return HeaderEquals(other) && value == static_cast<const rg_ZiFuLei&>(other).value;
}

rg_ZiFuLei* rg_ZiFuLei::CreateNew() const {
    return new rg_ZiFuLei();
}

rg_ZiFuLei* rg_ZiFuLei::Clone() const {
    return new rg_ZiFuLei(*this);
}

bool rg_ZiFuLei::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    BeforeOverwrite();
    *this = static_cast<const rg_ZiFuLei&>(other);
    return true;
}

void rg_ZiFuLei::Reset() {
    BeforeOverwrite();
    flags = 0;
    extra = 0;
    value = 0;
}

bool rg_ZiFuLei::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnBaseDataType::IsKindOf(info);
}

void rg_ZiFuLei::DumpText(CWString& out, int32_t /*limit*/) const {
    out.SetEmpty();
    out.AppendChar(value);
}

void rg_ZiFuLei::LoadFrom(CTarnObjectStream& stream) {
    LoadValue(stream, &value, sizeof value);
}

void rg_ZiFuLei::SaveTo(CTarnObjectStream& stream) const {
    SaveValue(stream, &value, sizeof value);
}

void* rg_ZiFuLei::GetValuePtr() {
    return &value;
}

const ClassInfo& rg_ZhengShuLei::ClassRecord() {
    static const ClassInfo info = MakeClassInfo(&CreateZhengShuLei, "rg_tarn_base::rg_ZhengShuLei");
    return info;
}

const ClassInfo& rg_ZhengShuLei::GetClassInfo() const {
    return ClassRecord();
}

bool rg_ZhengShuLei::IsEqual(const CTarnObject& other) const {
    return HeaderEquals(other) && value == static_cast<const rg_ZhengShuLei&>(other).value;
}

rg_ZhengShuLei* rg_ZhengShuLei::CreateNew() const {
    return new rg_ZhengShuLei();
}

rg_ZhengShuLei* rg_ZhengShuLei::Clone() const {
    return new rg_ZhengShuLei(*this);
}

bool rg_ZhengShuLei::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    BeforeOverwrite();
    *this = static_cast<const rg_ZhengShuLei&>(other);
    return true;
}

void rg_ZhengShuLei::Reset() {
    BeforeOverwrite();
    flags = 0;
    extra = 0;
    value = 0;
}

bool rg_ZhengShuLei::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnBaseDataType::IsKindOf(info);
}

void rg_ZhengShuLei::DumpText(CWString& out, int32_t /*limit*/) const {
    out.SetInt(value);
}

void rg_ZhengShuLei::LoadFrom(CTarnObjectStream& stream) {
    LoadValue(stream, &value, sizeof value);
}

void rg_ZhengShuLei::SaveTo(CTarnObjectStream& stream) const {
    SaveValue(stream, &value, sizeof value);
}

void* rg_ZhengShuLei::GetValuePtr() {
    return &value;
}

const ClassInfo& rg_BianZhengShuLei::ClassRecord() {
    static const ClassInfo info =
        MakeClassInfo(&CreateBianZhengShuLei, "rg_tarn_base::rg_BianZhengShuLei");
    return info;
}

const ClassInfo& rg_BianZhengShuLei::GetClassInfo() const {
    return ClassRecord();
}

bool rg_BianZhengShuLei::IsEqual(const CTarnObject& other) const {
    return HeaderEquals(other) && value == static_cast<const rg_BianZhengShuLei&>(other).value;
}

rg_BianZhengShuLei* rg_BianZhengShuLei::CreateNew() const {
    return new rg_BianZhengShuLei();
}

rg_BianZhengShuLei* rg_BianZhengShuLei::Clone() const {
    return new rg_BianZhengShuLei(*this);
}

bool rg_BianZhengShuLei::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    BeforeOverwrite();
    *this = static_cast<const rg_BianZhengShuLei&>(other);
    return true;
}

void rg_BianZhengShuLei::Reset() {
    BeforeOverwrite();
    flags = 0;
    extra = 0;
    value = 0;
}

bool rg_BianZhengShuLei::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnBaseDataType::IsKindOf(info);
}

void rg_BianZhengShuLei::DumpText(CWString& out, int32_t /*limit*/) const {
    out.SetInt64(value);
}

void rg_BianZhengShuLei::LoadFrom(CTarnObjectStream& stream) {
    LoadValue(stream, &value, sizeof value);
}

void rg_BianZhengShuLei::SaveTo(CTarnObjectStream& stream) const {
    SaveValue(stream, &value, sizeof value);
}

void* rg_BianZhengShuLei::GetValuePtr() {
    return &value;
}

const ClassInfo& rg_ChangZhengShuLei::ClassRecord() {
    static const ClassInfo info =
        MakeClassInfo(&CreateChangZhengShuLei, "rg_tarn_base::rg_ChangZhengShuLei");
    return info;
}

const ClassInfo& rg_ChangZhengShuLei::GetClassInfo() const {
    return ClassRecord();
}

bool rg_ChangZhengShuLei::IsEqual(const CTarnObject& other) const {
    return HeaderEquals(other) && value == static_cast<const rg_ChangZhengShuLei&>(other).value;
}

rg_ChangZhengShuLei* rg_ChangZhengShuLei::CreateNew() const {
    return new rg_ChangZhengShuLei();
}

rg_ChangZhengShuLei* rg_ChangZhengShuLei::Clone() const {
    return new rg_ChangZhengShuLei(*this);
}

bool rg_ChangZhengShuLei::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    BeforeOverwrite();
    *this = static_cast<const rg_ChangZhengShuLei&>(other);
    return true;
}

void rg_ChangZhengShuLei::Reset() {
    BeforeOverwrite();
    flags = 0;
    extra = 0;
    value = 0;
}

bool rg_ChangZhengShuLei::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnBaseDataType::IsKindOf(info);
}

void rg_ChangZhengShuLei::DumpText(CWString& out, int32_t /*limit*/) const {
    out.SetInt64(value);
}

void rg_ChangZhengShuLei::LoadFrom(CTarnObjectStream& stream) {
    LoadValue(stream, &value, sizeof value);
}

void rg_ChangZhengShuLei::SaveTo(CTarnObjectStream& stream) const {
    SaveValue(stream, &value, sizeof value);
}

void* rg_ChangZhengShuLei::GetValuePtr() {
    return &value;
}

const ClassInfo& rg_ChanJingDuXiaoShuLei::ClassRecord() {
    static const ClassInfo info =
        MakeClassInfo(&CreateChanJingDuXiaoShuLei, "rg_tarn_base::rg_ChanJingDuXiaoShuLei");
    return info;
}

const ClassInfo& rg_ChanJingDuXiaoShuLei::GetClassInfo() const {
    return ClassRecord();
}

bool rg_ChanJingDuXiaoShuLei::IsEqual(const CTarnObject& other) const {
    return HeaderEquals(other) &&
           FloatsMatch(value, static_cast<const rg_ChanJingDuXiaoShuLei&>(other).value);
}

rg_ChanJingDuXiaoShuLei* rg_ChanJingDuXiaoShuLei::CreateNew() const {
    return new rg_ChanJingDuXiaoShuLei();
}

rg_ChanJingDuXiaoShuLei* rg_ChanJingDuXiaoShuLei::Clone() const {
    return new rg_ChanJingDuXiaoShuLei(*this);
}

bool rg_ChanJingDuXiaoShuLei::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    BeforeOverwrite();
    *this = static_cast<const rg_ChanJingDuXiaoShuLei&>(other);
    return true;
}

void rg_ChanJingDuXiaoShuLei::Reset() {
    BeforeOverwrite();
    flags = 0;
    extra = 0;
    value = 0;
}

bool rg_ChanJingDuXiaoShuLei::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnBaseDataType::IsKindOf(info);
}

void rg_ChanJingDuXiaoShuLei::DumpText(CWString& out, int32_t /*limit*/) const {
    out.SetEmpty();
    AppendFloat(out, value);
}

void rg_ChanJingDuXiaoShuLei::LoadFrom(CTarnObjectStream& stream) {
    LoadValue(stream, &value, sizeof value);
}

void rg_ChanJingDuXiaoShuLei::SaveTo(CTarnObjectStream& stream) const {
    SaveValue(stream, &value, sizeof value);
}

void* rg_ChanJingDuXiaoShuLei::GetValuePtr() {
    return &value;
}

const ClassInfo& rg_XiaoShuLei::ClassRecord() {
    static const ClassInfo info = MakeClassInfo(&CreateXiaoShuLei, "rg_tarn_base::rg_XiaoShuLei");
    return info;
}

const ClassInfo& rg_XiaoShuLei::GetClassInfo() const {
    return ClassRecord();
}

bool rg_XiaoShuLei::IsEqual(const CTarnObject& other) const {
    return HeaderEquals(other) &&
           DoublesMatch(value, static_cast<const rg_XiaoShuLei&>(other).value);
}

rg_XiaoShuLei* rg_XiaoShuLei::CreateNew() const {
    return new rg_XiaoShuLei();
}

rg_XiaoShuLei* rg_XiaoShuLei::Clone() const {
    return new rg_XiaoShuLei(*this);
}

bool rg_XiaoShuLei::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    BeforeOverwrite();
    *this = static_cast<const rg_XiaoShuLei&>(other);
    return true;
}

void rg_XiaoShuLei::Reset() {
    BeforeOverwrite();
    flags = 0;
    extra = 0;
    value = 0;
}

bool rg_XiaoShuLei::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnBaseDataType::IsKindOf(info);
}

void rg_XiaoShuLei::DumpText(CWString& out, int32_t /*limit*/) const {
    out.SetEmpty();
    AppendDouble(out, value);
}

void rg_XiaoShuLei::LoadFrom(CTarnObjectStream& stream) {
    LoadValue(stream, &value, sizeof value);
}

void rg_XiaoShuLei::SaveTo(CTarnObjectStream& stream) const {
    SaveValue(stream, &value, sizeof value);
}

void* rg_XiaoShuLei::GetValuePtr() {
    return &value;
}

const ClassInfo& rg_LuoJiXingLei::ClassRecord() {
    static const ClassInfo info =
        MakeClassInfo(&CreateLuoJiXingLei, "rg_tarn_base::rg_LuoJiXingLei");
    return info;
}

const ClassInfo& rg_LuoJiXingLei::GetClassInfo() const {
    return ClassRecord();
}

bool rg_LuoJiXingLei::IsEqual(const CTarnObject& other) const {
    return HeaderEquals(other) && value == static_cast<const rg_LuoJiXingLei&>(other).value;
}

rg_LuoJiXingLei* rg_LuoJiXingLei::CreateNew() const {
    return new rg_LuoJiXingLei();
}

rg_LuoJiXingLei* rg_LuoJiXingLei::Clone() const {
    return new rg_LuoJiXingLei(*this);
}

bool rg_LuoJiXingLei::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    BeforeOverwrite();
    *this = static_cast<const rg_LuoJiXingLei&>(other);
    return true;
}

void rg_LuoJiXingLei::Reset() {
    BeforeOverwrite();
    flags = 0;
    extra = 0;
    value = 0;
}

bool rg_LuoJiXingLei::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnBaseDataType::IsKindOf(info);
}

void rg_LuoJiXingLei::DumpText(CWString& out, int32_t /*limit*/) const {
    out.SetInt(value);
}

void rg_LuoJiXingLei::LoadFrom(CTarnObjectStream& stream) {
    LoadValue(stream, &value, sizeof value);
}

void rg_LuoJiXingLei::SaveTo(CTarnObjectStream& stream) const {
    SaveValue(stream, &value, sizeof value);
}

void* rg_LuoJiXingLei::GetValuePtr() {
    return &value;
}

} // namespace rg_tarn_base
