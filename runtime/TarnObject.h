// The root of the runtime's class tree: the memory-managed base and CTarnObject with its protocol.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/ClassInfo.h"
#include "runtime/PoolMem.h"

// The platform's headers, when a layer above includes them first, rename
// GetClassInfo to GetClassInfoW; the object protocol keeps its own name.
#ifdef GetClassInfo
#undef GetClassInfo
#endif

class CTarnObjectStream;
class CWString;

// The common root, without virtual operations.
class CTarnCommonBase {};

// A class whose instances and storage come from the process-wide pool. The five
// memory operations are virtual so that a class could serve its storage from
// elsewhere; by default they all go to ProcessMemPool(). Allocating an instance
// with new takes memory that never fails (exit code -1 on exhaustion), and
// deleting it gives the memory back to the pool. Array new is not offered:
// every instance is a single pool allocation.
class CTarnCommonBaseWithMemManager : public CTarnCommonBase {
public:
    // Memory of at least bytes; never null: exhaustion ends the process with
    // exit code -1.
    virtual void* Alloc(int64_t bytes) const;
    // As Alloc, but null when memory is exhausted.
    virtual void* TryAlloc(int64_t bytes) const;
    // Resizes a block from Alloc, possibly moving it; exhaustion ends the
    // process with exit code -1.
    virtual void* Realloc(void* block, int64_t bytes) const;
    // Gives a block back; null is ignored.
    virtual void Free(void* block) const;
    // The memory manager behind the four operations above.
    virtual CPoolMem& GetMemManager() const;

    static void* operator new(size_t bytes);
    static void operator delete(void* block);
    // Construction into storage the caller owns (an owner's buffer, say).
    static void* operator new(size_t bytes, void* place) noexcept;
    static void operator delete(void* block, void* place) noexcept;
    static void* operator new[](size_t bytes) = delete;
    static void operator delete[](void* block) = delete;

protected:
    CTarnCommonBaseWithMemManager() = default;
    CTarnCommonBaseWithMemManager(const CTarnCommonBaseWithMemManager&) = default;
    CTarnCommonBaseWithMemManager& operator=(const CTarnCommonBaseWithMemManager&) = default;
    ~CTarnCommonBaseWithMemManager() = default;
};

// The root of every runtime value and component. Every object carries two
// words after its operations: flags (bit 0: the object is empty; bit 1: a
// component's destruction has begun) and extra (a word copied, compared and
// cleared with the object, with no other meaning to the runtime). Both are 0 in
// a new object.
//
// The virtual operations follow in a fixed order that subclasses extend at the
// end: the five memory operations, then GetClassInfo, IsEqual, CreateNew,
// Clone, CopyFrom, Reset, the destructor (entered through Destroy), FreeObject,
// IsKindOf, DumpText, LoadFrom, SaveTo and BeforeOverwrite.
//
// Ownership: an object made with new, CreateNew, Clone or a ClassInfo's create
// is freed with FreeObject; an object embedded in another or on the stack ends
// with its owner. An object is used by one thread at a time.
class CTarnObject : public CTarnCommonBaseWithMemManager {
public:
    static constexpr uint64_t kFlagEmpty = 1;
    static constexpr uint64_t kFlagDestroying = 2;

    CTarnObject() = default;

    // The record of this class, reachable without an instance.
    static const ClassInfo& ClassRecord();

    virtual const ClassInfo& GetClassInfo() const;
    // True when other has the same class information and equal content; here
    // bit 0 of flags and the whole extra word.
    virtual bool IsEqual(const CTarnObject& other) const;
    // A new instance of the same class in its default state.
    virtual CTarnObject* CreateNew() const;
    // A new instance of the same class holding a copy of this content.
    virtual CTarnObject* Clone() const;
    // Copies other's content when other is a kind of this object's class
    // (after BeforeOverwrite) and returns true; otherwise changes nothing and
    // returns false.
    virtual bool CopyFrom(const CTarnObject& other);
    // BeforeOverwrite, then the content of a freshly constructed instance.
    virtual void Reset();
    virtual ~CTarnObject() = default;
    // Destroy with bit 0 set. Call it through ::FreeObject when the pointer may be null.
    virtual void FreeObject();
    // True if info denotes this class or one of its ancestors up to CTarnObject.
    virtual bool IsKindOf(const ClassInfo& info) const;
    // Writes the diagnostic text into out; limit bounds the members or bytes
    // shown. Here: appends the line for objects without a text of their own.
    virtual void DumpText(CWString& out, int32_t limit) const;
    // Reads the content from stream; here nothing.
    virtual void LoadFrom(CTarnObjectStream& stream);
    // Writes the content to stream; here nothing.
    virtual void SaveTo(CTarnObjectStream& stream) const;
    // Runs before CopyFrom, assignment and Reset replace the content; here nothing.
    virtual void BeforeOverwrite();

    // Runs the destructor chain; with bit 0 of flags set, then gives the
    // object's memory back to the pool. Without it the memory stays, as for
    // an object embedded in another.
    void Destroy(uint32_t destroy_flags);

    uint64_t flags = 0;
    uint64_t extra = 0;

protected:
    // Copies flags and extra; subclasses copy their own content after this.
    CTarnObject(const CTarnObject& other) = default;
    CTarnObject& operator=(const CTarnObject& other) = default;
    // The part of IsEqual shared by every class: the class check, then bit 0
    // of flags and extra.
    bool HeaderEquals(const CTarnObject& other) const;
};

// Frees an object made on the heap; null does nothing.
void FreeObject(CTarnObject* object);
