// CTarnObjectArray: an ordered list of owned runtime objects.
#pragma once

#include <cstdint>

#include "runtime/TarnMem.h"

// An ordered list of runtime objects that the array owns. The members are
// heap objects (made with new, CreateNew, Clone or a class record's create),
// never null, and each is in at most one array. Removing them all, resetting
// or destroying the array frees every member with FreeObject; copying the
// array clones every member, so a copy never shares a member with its source.
//
// The members' pointers are kept in a byte buffer with a growth step of 256
// bytes (32 pointers). An array has no lock: one thread at a time.
class CTarnObjectArray : public CTarnObject {
public:
    static constexpr int64_t kGrowStep = 256;

    CTarnObjectArray();
    // flags, extra and a clone of every member of other.
    CTarnObjectArray(const CTarnObjectArray& other);
    // BeforeOverwrite, then as the copy constructor (the old members freed).
    CTarnObjectArray& operator=(const CTarnObjectArray& other);
    ~CTarnObjectArray() override;

    static const ClassInfo& ClassRecord();

    int64_t GetCount() const;
    // The member at the 0-based index, which must be below GetCount().
    CTarnObject* GetAt(int64_t index) const;
    // Appends object and takes ownership of it. A null object, or the array
    // itself, is refused: nothing changes and the result is false.
    bool Add(CTarnObject* object);
    // Frees every member from first to last, then gives the storage back.
    void RemoveAll();

    const ClassInfo& GetClassInfo() const override;
    // Class, bit 0 of flags and extra, then equal counts and each member
    // IsEqual to the member at the same position.
    bool IsEqual(const CTarnObject& other) const override;
    CTarnObjectArray* CreateNew() const override;
    CTarnObjectArray* Clone() const override;
    bool CopyFrom(const CTarnObject& other) override;
    // Every member freed; flags and extra 0.
    void Reset() override;
    bool IsKindOf(const ClassInfo& info) const override;
    // Appends the array header and, for each member shown, its class, address,
    // empty mark and own dump made with the same limit. A limit of 0 shows 64
    // members, a negative limit all of them.
    void DumpText(CWString& out, int32_t limit) const override;

private:
    // Takes flags, extra and clones of other's members (other is not this
    // array). The clones are made before the old members are freed, so other
    // may be one of them, or lie inside one.
    void CopyContent(const CTarnObjectArray& other);
    // Frees every member held in items and gives its storage back.
    static void FreeMembers(CTarnMem& items);

    CTarnMem items_;
};
