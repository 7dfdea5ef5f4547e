#include "values/BoxedValues.h"

#include <bit>
#include <cassert>
#include <cstring>
#include <type_traits>

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

// Equal when the difference, in F's own precision, lies in the window; two
// equal infinities, whose difference is not a number, are equal too.
template <class F> bool WithinWindow(F a, F b) {
    constexpr F kWindow = static_cast<F>(0.000001);
    const F difference = a - b;
    return a == b || (difference >= -kWindow && difference <= kWindow);
}

// Narrowing the double window gives the single-precision constant nearest to
// 0.000001, the one the equality contract names.
static_assert(static_cast<float>(0.000001) == 0.000001f);

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

template <class Derived, class T>
const ClassInfo& CTarnBoxedValue<Derived, T>::GetClassInfo() const {
    return Derived::ClassRecord();
}

template <class Derived, class T>
bool CTarnBoxedValue<Derived, T>::IsEqual(const CTarnObject& other) const {
    // The same record, so other is a Derived.
    return HeaderEquals(other) && value == static_cast<const CTarnBoxedValue&>(other).value;
}

template <class Derived, class T>
CTarnBoxedValue<Derived, T>* CTarnBoxedValue<Derived, T>::CreateNew() const {
    return new Derived();
}

template <class Derived, class T>
CTarnBoxedValue<Derived, T>* CTarnBoxedValue<Derived, T>::Clone() const {
    return new Derived(static_cast<const Derived&>(*this));
}

template <class Derived, class T>
bool CTarnBoxedValue<Derived, T>::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    BeforeOverwrite();
    static_cast<Derived&>(*this) = static_cast<const Derived&>(other);
    return true;
}

template <class Derived, class T> void CTarnBoxedValue<Derived, T>::Reset() {
    // Otherwise a field of Derived would survive the reset.
    static_assert(sizeof(Derived) == sizeof(CTarnBoxedValue), "Derived adds no field");
    BeforeOverwrite();
    flags = 0;
    extra = 0;
    value = 0;
}

template <class Derived, class T>
bool CTarnBoxedValue<Derived, T>::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, Derived::ClassRecord()) || CTarnBaseDataType::IsKindOf(info);
}

template <class Derived, class T>
void CTarnBoxedValue<Derived, T>::DumpText(CWString& out, int32_t limit) const {
    if constexpr (!std::is_integral_v<T>) {
        CTarnBaseDataType::DumpText(out, limit);
    } else if constexpr (sizeof(T) == 8) {
        out.SetInt64(value);
    } else {
        out.SetInt(value);
    }
}

template <class Derived, class T>
void CTarnBoxedValue<Derived, T>::LoadFrom(CTarnObjectStream& stream) {
    LoadValue(stream, &value, sizeof value);
}

template <class Derived, class T>
void CTarnBoxedValue<Derived, T>::SaveTo(CTarnObjectStream& stream) const {
    SaveValue(stream, &value, sizeof value);
}

template <class Derived, class T> void* CTarnBoxedValue<Derived, T>::GetValuePtr() {
    return &value;
}

template <class Derived, class T>
const ClassInfo& CTarnBoxedValue<Derived, T>::Record(const char* name) {
    // One record per specialization, that is per Derived.
    static const ClassInfo info =
        MakeClassInfo([]() -> CTarnObject* { return new Derived(); }, name);
    return info;
}

// Every boxed class, each with its value type as declared.
template class CTarnBoxedValue<rg_tarn_base::rg_ZiJieLei, int8_t>;
template class CTarnBoxedValue<rg_tarn_base::rg_DuanZhengShuLei, int16_t>;
template class CTarnBoxedValue<rg_tarn_base::rg_ZiFuLei, char16_t>;
template class CTarnBoxedValue<rg_tarn_base::rg_ZhengShuLei, int32_t>;
template class CTarnBoxedValue<rg_tarn_base::rg_BianZhengShuLei, int64_t>;
template class CTarnBoxedValue<rg_tarn_base::rg_ChangZhengShuLei, int64_t>;
template class CTarnBoxedValue<rg_tarn_base::rg_ChanJingDuXiaoShuLei, float>;
template class CTarnBoxedValue<rg_tarn_base::rg_XiaoShuLei, double>;
template class CTarnBoxedValue<rg_tarn_base::rg_LuoJiXingLei, int32_t>;

namespace rg_tarn_base {

void rg_ZiFuLei::DumpText(CWString& out, int32_t /*limit*/) const {
    out.SetEmpty();
    out.AppendChar(value);
}

bool rg_ChanJingDuXiaoShuLei::IsEqual(const CTarnObject& other) const {
    return HeaderEquals(other) &&
           WithinWindow(value, static_cast<const rg_ChanJingDuXiaoShuLei&>(other).value);
}

void rg_ChanJingDuXiaoShuLei::DumpText(CWString& out, int32_t /*limit*/) const {
    out.SetEmpty();
    AppendFloat(out, value);
}

bool rg_XiaoShuLei::IsEqual(const CTarnObject& other) const {
    return HeaderEquals(other) &&
           WithinWindow(value, static_cast<const rg_XiaoShuLei&>(other).value);
}

void rg_XiaoShuLei::DumpText(CWString& out, int32_t /*limit*/) const {
    out.SetEmpty();
    AppendDouble(out, value);
}

} // namespace rg_tarn_base
