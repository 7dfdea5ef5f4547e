// Boxed basic values: CTarnBaseDataType and the nine classes that each hold one value.
#pragma once

#include <cstdint>

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

namespace rg_tarn_base {

// A boxed byte: a signed 8-bit value. A new object holds 0. Copies take flags,
// extra and the value. The stream form is the value's 1 byte as held in memory
// (little-endian), with no tag. One thread at a time.
class rg_ZiJieLei : public CTarnBaseDataType {
public:
    rg_ZiJieLei() = default;
    explicit rg_ZiJieLei(int8_t initial) : value(initial) {}
    rg_ZiJieLei(const rg_ZiJieLei& other) = default;
    rg_ZiJieLei& operator=(const rg_ZiJieLei& other) = default;
    ~rg_ZiJieLei() override = default;

    static const ClassInfo& ClassRecord();

    const ClassInfo& GetClassInfo() const override;
    // Class, bit 0 of flags and extra, then the values exactly.
    bool IsEqual(const CTarnObject& other) const override;
    rg_ZiJieLei* CreateNew() const override;
    rg_ZiJieLei* Clone() const override;
    bool CopyFrom(const CTarnObject& other) override;
    // Value, flags and extra 0.
    void Reset() override;
    bool IsKindOf(const ClassInfo& info) const override;
    // Replaces out by the decimal text of the signed value.
    void DumpText(CWString& out, int32_t limit) const override;
    void LoadFrom(CTarnObjectStream& stream) override;
    void SaveTo(CTarnObjectStream& stream) const override;
    void* GetValuePtr() override;

    int8_t value = 0;
};

// A boxed short integer: a signed 16-bit value. A new object holds 0. Copies
// take flags, extra and the value. The stream form is the value's 2 bytes as
// held in memory (little-endian), with no tag. One thread at a time.
class rg_DuanZhengShuLei : public CTarnBaseDataType {
public:
    rg_DuanZhengShuLei() = default;
    explicit rg_DuanZhengShuLei(int16_t initial) : value(initial) {}
    rg_DuanZhengShuLei(const rg_DuanZhengShuLei& other) = default;
    rg_DuanZhengShuLei& operator=(const rg_DuanZhengShuLei& other) = default;
    ~rg_DuanZhengShuLei() override = default;

    static const ClassInfo& ClassRecord();

    const ClassInfo& GetClassInfo() const override;
    // Class, bit 0 of flags and extra, then the values exactly.
    bool IsEqual(const CTarnObject& other) const override;
    rg_DuanZhengShuLei* CreateNew() const override;
    rg_DuanZhengShuLei* Clone() const override;
    bool CopyFrom(const CTarnObject& other) override;
    // Value, flags and extra 0.
    void Reset() override;
    bool IsKindOf(const ClassInfo& info) const override;
    // Replaces out by the decimal text of the value.
    void DumpText(CWString& out, int32_t limit) const override;
    void LoadFrom(CTarnObjectStream& stream) override;
    void SaveTo(CTarnObjectStream& stream) const override;
    void* GetValuePtr() override;

    int16_t value = 0;
};

// A boxed character: one UTF-16 unit. A new object holds 0. Copies take flags,
// extra and the value. The stream form is the value's 2 bytes as held in memory
// (little-endian), with no tag. One thread at a time.
class rg_ZiFuLei : public CTarnBaseDataType {
public:
    rg_ZiFuLei() = default;
    explicit rg_ZiFuLei(char16_t initial) : value(initial) {}
    rg_ZiFuLei(const rg_ZiFuLei& other) = default;
    rg_ZiFuLei& operator=(const rg_ZiFuLei& other) = default;
    ~rg_ZiFuLei() override = default;

    static const ClassInfo& ClassRecord();

    const ClassInfo& GetClassInfo() const override;
    // Class, bit 0 of flags and extra, then the values exactly.
    bool IsEqual(const CTarnObject& other) const override;
    rg_ZiFuLei* CreateNew() const override;
    rg_ZiFuLei* Clone() const override;
    bool CopyFrom(const CTarnObject& other) override;
    // Value, flags and extra 0.
    void Reset() override;
    bool IsKindOf(const ClassInfo& info) const override;
    // Replaces out by the character itself (the empty text for the zero unit).
    void DumpText(CWString& out, int32_t limit) const override;
    void LoadFrom(CTarnObjectStream& stream) override;
    void SaveTo(CTarnObjectStream& stream) const override;
    void* GetValuePtr() override;

    char16_t value = 0;
};

// A boxed integer: a signed 32-bit value. A new object holds 0. Copies take
// flags, extra and the value. The stream form is the value's 4 bytes as held in
// memory (little-endian), with no tag. One thread at a time.
class rg_ZhengShuLei : public CTarnBaseDataType {
public:
    rg_ZhengShuLei() = default;
    explicit rg_ZhengShuLei(int32_t initial) : value(initial) {}
    rg_ZhengShuLei(const rg_ZhengShuLei& other) = default;
    rg_ZhengShuLei& operator=(const rg_ZhengShuLei& other) = default;
    ~rg_ZhengShuLei() override = default;

    static const ClassInfo& ClassRecord();

    const ClassInfo& GetClassInfo() const override;
    // Class, bit 0 of flags and extra, then the values exactly.
    bool IsEqual(const CTarnObject& other) const override;
    rg_ZhengShuLei* CreateNew() const override;
    rg_ZhengShuLei* Clone() const override;
    bool CopyFrom(const CTarnObject& other) override;
    // Value, flags and extra 0.
    void Reset() override;
    bool IsKindOf(const ClassInfo& info) const override;
    // Replaces out by the decimal text of the value.
    void DumpText(CWString& out, int32_t limit) const override;
    void LoadFrom(CTarnObjectStream& stream) override;
    void SaveTo(CTarnObjectStream& stream) const override;
    void* GetValuePtr() override;

    int32_t value = 0;
};

// A boxed pointer-sized integer: a signed 64-bit value. A new object holds 0.
// Copies take flags, extra and the value. The stream form is the value's 8
// bytes as held in memory (little-endian), with no tag. One thread at a time.
class rg_BianZhengShuLei : public CTarnBaseDataType {
public:
    rg_BianZhengShuLei() = default;
    explicit rg_BianZhengShuLei(int64_t initial) : value(initial) {}
    rg_BianZhengShuLei(const rg_BianZhengShuLei& other) = default;
    rg_BianZhengShuLei& operator=(const rg_BianZhengShuLei& other) = default;
    ~rg_BianZhengShuLei() override = default;

    static const ClassInfo& ClassRecord();

    const ClassInfo& GetClassInfo() const override;
    // Class, bit 0 of flags and extra, then the values exactly.
    bool IsEqual(const CTarnObject& other) const override;
    rg_BianZhengShuLei* CreateNew() const override;
    rg_BianZhengShuLei* Clone() const override;
    bool CopyFrom(const CTarnObject& other) override;
    // Value, flags and extra 0.
    void Reset() override;
    bool IsKindOf(const ClassInfo& info) const override;
    // Replaces out by the decimal text of the value.
    void DumpText(CWString& out, int32_t limit) const override;
    void LoadFrom(CTarnObjectStream& stream) override;
    void SaveTo(CTarnObjectStream& stream) const override;
    void* GetValuePtr() override;

    int64_t value = 0;
};

// A boxed long integer: a signed 64-bit value. A new object holds 0. Copies
// take flags, extra and the value. The stream form is the value's 8 bytes as
// held in memory (little-endian), with no tag. One thread at a time.
class rg_ChangZhengShuLei : public CTarnBaseDataType {
public:
    rg_ChangZhengShuLei() = default;
    explicit rg_ChangZhengShuLei(int64_t initial) : value(initial) {}
    rg_ChangZhengShuLei(const rg_ChangZhengShuLei& other) = default;
    rg_ChangZhengShuLei& operator=(const rg_ChangZhengShuLei& other) = default;
    ~rg_ChangZhengShuLei() override = default;

    static const ClassInfo& ClassRecord();

    const ClassInfo& GetClassInfo() const override;
    // Class, bit 0 of flags and extra, then the values exactly.
    bool IsEqual(const CTarnObject& other) const override;
    rg_ChangZhengShuLei* CreateNew() const override;
    rg_ChangZhengShuLei* Clone() const override;
    bool CopyFrom(const CTarnObject& other) override;
    // Value, flags and extra 0.
    void Reset() override;
    bool IsKindOf(const ClassInfo& info) const override;
    // Replaces out by the decimal text of the value.
    void DumpText(CWString& out, int32_t limit) const override;
    void LoadFrom(CTarnObjectStream& stream) override;
    void SaveTo(CTarnObjectStream& stream) const override;
    void* GetValuePtr() override;

    int64_t value = 0;
};

// A boxed single-precision decimal: a 32-bit float. A new object holds 0.
// Copies take flags, extra and the value. The stream form is the value's 4
// bytes as held in memory (little-endian), with no tag. One thread at a time.
class rg_ChanJingDuXiaoShuLei : public CTarnBaseDataType {
public:
    rg_ChanJingDuXiaoShuLei() = default;
    explicit rg_ChanJingDuXiaoShuLei(float initial) : value(initial) {}
    rg_ChanJingDuXiaoShuLei(const rg_ChanJingDuXiaoShuLei& other) = default;
    rg_ChanJingDuXiaoShuLei& operator=(const rg_ChanJingDuXiaoShuLei& other) = default;
    ~rg_ChanJingDuXiaoShuLei() override = default;

    static const ClassInfo& ClassRecord();

    const ClassInfo& GetClassInfo() const override;
    // Class, bit 0 of flags and extra, then values whose single-precision
    // difference lies within 0.000001 (or that are the same infinity).
    bool IsEqual(const CTarnObject& other) const override;
    rg_ChanJingDuXiaoShuLei* CreateNew() const override;
    rg_ChanJingDuXiaoShuLei* Clone() const override;
    bool CopyFrom(const CTarnObject& other) override;
    // Value, flags and extra 0.
    void Reset() override;
    bool IsKindOf(const ClassInfo& info) const override;
    // Replaces out by the value as "%.8G" prints it ("0" near zero).
    void DumpText(CWString& out, int32_t limit) const override;
    void LoadFrom(CTarnObjectStream& stream) override;
    void SaveTo(CTarnObjectStream& stream) const override;
    void* GetValuePtr() override;

    float value = 0;
};

// A boxed decimal: a 64-bit float. A new object holds 0. Copies take flags,
// extra and the value. The stream form is the value's 8 bytes as held in memory
// (little-endian), with no tag. One thread at a time.
class rg_XiaoShuLei : public CTarnBaseDataType {
public:
    rg_XiaoShuLei() = default;
    explicit rg_XiaoShuLei(double initial) : value(initial) {}
    rg_XiaoShuLei(const rg_XiaoShuLei& other) = default;
    rg_XiaoShuLei& operator=(const rg_XiaoShuLei& other) = default;
    ~rg_XiaoShuLei() override = default;

    static const ClassInfo& ClassRecord();

    const ClassInfo& GetClassInfo() const override;
    // Class, bit 0 of flags and extra, then values whose difference lies
    // within 0.000001 (or that are the same infinity).
    bool IsEqual(const CTarnObject& other) const override;
    rg_XiaoShuLei* CreateNew() const override;
    rg_XiaoShuLei* Clone() const override;
    bool CopyFrom(const CTarnObject& other) override;
    // Value, flags and extra 0.
    void Reset() override;
    bool IsKindOf(const ClassInfo& info) const override;
    // Replaces out by the value as "%.15G" prints it ("0" near zero).
    void DumpText(CWString& out, int32_t limit) const override;
    void LoadFrom(CTarnObjectStream& stream) override;
    void SaveTo(CTarnObjectStream& stream) const override;
    void* GetValuePtr() override;

    double value = 0;
};

// A boxed boolean, held as a signed 32-bit value (so 1 and 2 differ). A new
// object holds 0. Copies take flags, extra and the value. The stream form is
// the value's 4 bytes as held in memory (little-endian), with no tag. One
// thread at a time.
class rg_LuoJiXingLei : public CTarnBaseDataType {
public:
    rg_LuoJiXingLei() = default;
    explicit rg_LuoJiXingLei(int32_t initial) : value(initial) {}
    rg_LuoJiXingLei(const rg_LuoJiXingLei& other) = default;
    rg_LuoJiXingLei& operator=(const rg_LuoJiXingLei& other) = default;
    ~rg_LuoJiXingLei() override = default;

    static const ClassInfo& ClassRecord();

    const ClassInfo& GetClassInfo() const override;
    // Class, bit 0 of flags and extra, then the values exactly.
    bool IsEqual(const CTarnObject& other) const override;
    rg_LuoJiXingLei* CreateNew() const override;
    rg_LuoJiXingLei* Clone() const override;
    bool CopyFrom(const CTarnObject& other) override;
    // Value, flags and extra 0.
    void Reset() override;
    bool IsKindOf(const ClassInfo& info) const override;
    // Replaces out by the decimal text of the 32-bit value.
    void DumpText(CWString& out, int32_t limit) const override;
    void LoadFrom(CTarnObjectStream& stream) override;
    void SaveTo(CTarnObjectStream& stream) const override;
    void* GetValuePtr() override;

    int32_t value = 0;
};

} // namespace rg_tarn_base
