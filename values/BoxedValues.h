// Boxed basic values: CTarnBaseDataType and the nine classes that each hold one value.
#pragma once

#include <cstdint>
#include <type_traits>

#include "runtime/TarnObject.h"

// The base of the boxed basic values. It adds no content to CTarnObject and
// appends one operation to the protocol, GetValuePtr, which gives the held
// value (null here). One thread at a time.
class CTarnBaseDataType : public CTarnObject {
public:
    CTarnBaseDataType() = default;
    CTarnBaseDataType(const CTarnBaseDataType& other) = default;
    CTarnBaseDataType& operator=(const CTarnBaseDataType& other) = default;
    ~CTarnBaseDataType() override = default;

    static const ClassInfo& ClassRecord();

    const ClassInfo& GetClassInfo() const override;
    CTarnBaseDataType* CreateNew() const override;
    CTarnBaseDataType* Clone() const override;
    bool IsKindOf(const ClassInfo& info) const override;
    // The held value, or null for a class that holds none.
    virtual void* GetValuePtr();

protected:
    // Reads bytes bytes (1 to 8) into value when the stream has no error; a
    // short read sets the read error and leaves value unchanged.
    static void LoadValue(CTarnObjectStream& stream, void* value, int64_t bytes);
    // Writes the bytes bytes of value when the stream has no error.
    static void SaveValue(CTarnObjectStream& stream, const void* value, int64_t bytes);
};

// The protocol of a boxed class Derived that holds one T, written once. It
// adds one field, value, right after the object header and no operation, so
// the protocol's slots stay those of CTarnBaseDataType. It is no runtime class
// of its own: it has no record, and IsKindOf passes from Derived's record
// straight to CTarnBaseDataType's. Derived adds no field, gives its qualified
// name to Record in its static ClassRecord(), and overrides IsEqual or
// DumpText where exactness or the decimal text does not fit its value. A new
// object holds 0; copies take flags, extra and the value; the stream form is
// the value's bytes as held in memory (little-endian), with no tag. One thread
// at a time.
//
// The operations are defined once, in the library, for the boxed classes
// declared below; no other Derived is instantiated.
template <class Derived, class T> class CTarnBoxedValue : public CTarnBaseDataType {
    static_assert(sizeof(T) >= 1 && sizeof(T) <= 8, "the stream form holds 1 to 8 bytes");
    static_assert(std::is_trivially_copyable_v<T>, "the stream form is the value's bytes");

public:
    CTarnBoxedValue() = default;
    explicit CTarnBoxedValue(T initial) : value(initial) {}
    CTarnBoxedValue(const CTarnBoxedValue& other) = default;
    CTarnBoxedValue& operator=(const CTarnBoxedValue& other) = default;
    ~CTarnBoxedValue() override = default;

    const ClassInfo& GetClassInfo() const override;
    // Class, bit 0 of flags and extra, then the values exactly.
    bool IsEqual(const CTarnObject& other) const override;
    // CreateNew and Clone make a Derived but are typed as this template: a
    // covariant return type must be complete where it is declared, and Derived
    // is still incomplete while its base is being declared.
    CTarnBoxedValue* CreateNew() const override;
    CTarnBoxedValue* Clone() const override;
    bool CopyFrom(const CTarnObject& other) override;
    // Value, flags and extra 0.
    void Reset() override;
    bool IsKindOf(const ClassInfo& info) const override;
    // Replaces out by the decimal text of an integer value. A value of another
    // kind has no text here and gets the general object line.
    void DumpText(CWString& out, int32_t limit) const override;
    void LoadFrom(CTarnObjectStream& stream) override;
    void SaveTo(CTarnObjectStream& stream) const override;
    void* GetValuePtr() override;

    T value = 0;

protected:
    // Derived's record, built on the first call from name. Derived's
    // ClassRecord is the one caller and always passes its own qualified name.
    static const ClassInfo& Record(const char* name);
};

namespace rg_tarn_base {

// A boxed byte: a signed 8-bit value. A new object holds 0. Copies take flags,
// extra and the value. The stream form is the value's 1 byte as held in memory
// (little-endian), with no tag. The text is the decimal text of the signed
// value. One thread at a time.
class rg_ZiJieLei : public CTarnBoxedValue<rg_ZiJieLei, int8_t> {
public:
    using CTarnBoxedValue::CTarnBoxedValue;
    static const ClassInfo& ClassRecord() { return Record("rg_tarn_base::rg_ZiJieLei"); }
};

// A boxed short integer: a signed 16-bit value. A new object holds 0. Copies
// take flags, extra and the value. The stream form is the value's 2 bytes as
// held in memory (little-endian), with no tag. The text is the decimal text of
// the value. One thread at a time.
class rg_DuanZhengShuLei : public CTarnBoxedValue<rg_DuanZhengShuLei, int16_t> {
public:
    using CTarnBoxedValue::CTarnBoxedValue;
    static const ClassInfo& ClassRecord() { return Record("rg_tarn_base::rg_DuanZhengShuLei"); }
};

// A boxed character: one UTF-16 unit. A new object holds 0. Copies take flags,
// extra and the value. The stream form is the value's 2 bytes as held in memory
// (little-endian), with no tag. One thread at a time.
class rg_ZiFuLei : public CTarnBoxedValue<rg_ZiFuLei, char16_t> {
public:
    using CTarnBoxedValue::CTarnBoxedValue;
    static const ClassInfo& ClassRecord() { return Record("rg_tarn_base::rg_ZiFuLei"); }
    // Replaces out by the character itself (the empty text for the zero unit).
    void DumpText(CWString& out, int32_t limit) const override;
};

// A boxed integer: a signed 32-bit value. A new object holds 0. Copies take
// flags, extra and the value. The stream form is the value's 4 bytes as held in
// memory (little-endian), with no tag. The text is the decimal text of the
// value. One thread at a time.
class rg_ZhengShuLei : public CTarnBoxedValue<rg_ZhengShuLei, int32_t> {
public:
    using CTarnBoxedValue::CTarnBoxedValue;
    static const ClassInfo& ClassRecord() { return Record("rg_tarn_base::rg_ZhengShuLei"); }
};

// A boxed pointer-sized integer: a signed 64-bit value. A new object holds 0.
// Copies take flags, extra and the value. The stream form is the value's 8
// bytes as held in memory (little-endian), with no tag. The text is the decimal
// text of the value. One thread at a time.
class rg_BianZhengShuLei : public CTarnBoxedValue<rg_BianZhengShuLei, int64_t> {
public:
    using CTarnBoxedValue::CTarnBoxedValue;
    static const ClassInfo& ClassRecord() { return Record("rg_tarn_base::rg_BianZhengShuLei"); }
};

// A boxed long integer: a signed 64-bit value. A new object holds 0. Copies
// take flags, extra and the value. The stream form is the value's 8 bytes as
// held in memory (little-endian), with no tag. The text is the decimal text of
// the value. One thread at a time.
class rg_ChangZhengShuLei : public CTarnBoxedValue<rg_ChangZhengShuLei, int64_t> {
public:
    using CTarnBoxedValue::CTarnBoxedValue;
    static const ClassInfo& ClassRecord() { return Record("rg_tarn_base::rg_ChangZhengShuLei"); }
};

// A boxed single-precision decimal: a 32-bit float. A new object holds 0.
// Copies take flags, extra and the value. The stream form is the value's 4
// bytes as held in memory (little-endian), with no tag. One thread at a time.
class rg_ChanJingDuXiaoShuLei : public CTarnBoxedValue<rg_ChanJingDuXiaoShuLei, float> {
public:
    using CTarnBoxedValue::CTarnBoxedValue;
    static const ClassInfo& ClassRecord() {
        return Record("rg_tarn_base::rg_ChanJingDuXiaoShuLei");
    }
    // Class, bit 0 of flags and extra, then values whose single-precision
    // difference lies within 0.000001 (or that are the same infinity).
    bool IsEqual(const CTarnObject& other) const override;
    // Replaces out by the value as "%.8G" prints it ("0" near zero).
    void DumpText(CWString& out, int32_t limit) const override;
};

// A boxed decimal: a 64-bit float. A new object holds 0. Copies take flags,
// extra and the value. The stream form is the value's 8 bytes as held in memory
// (little-endian), with no tag. One thread at a time.
class rg_XiaoShuLei : public CTarnBoxedValue<rg_XiaoShuLei, double> {
public:
    using CTarnBoxedValue::CTarnBoxedValue;
    static const ClassInfo& ClassRecord() { return Record("rg_tarn_base::rg_XiaoShuLei"); }
    // Class, bit 0 of flags and extra, then values whose difference lies
    // within 0.000001 (or that are the same infinity).
    bool IsEqual(const CTarnObject& other) const override;
    // Replaces out by the value as "%.15G" prints it ("0" near zero).
    void DumpText(CWString& out, int32_t limit) const override;
};

// A boxed boolean, held as a signed 32-bit value (so 1 and 2 differ). A new
// object holds 0. Copies take flags, extra and the value. The stream form is
// the value's 4 bytes as held in memory (little-endian), with no tag. The text
// is the decimal text of the 32-bit value. One thread at a time.
class rg_LuoJiXingLei : public CTarnBoxedValue<rg_LuoJiXingLei, int32_t> {
public:
    using CTarnBoxedValue::CTarnBoxedValue;
    static const ClassInfo& ClassRecord() { return Record("rg_tarn_base::rg_LuoJiXingLei"); }
};

} // namespace rg_tarn_base
