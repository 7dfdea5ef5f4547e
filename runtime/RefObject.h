// Counted objects: CRefObject with its atomic count and CTarnRefObject, the value holding one
// reference.
#pragma once

#include <atomic>
#include <cstdint>

#include "runtime/TarnObject.h"

// A shared object whose lifetime is its reference count: 1 after
// construction, changed atomically (with full barriers) by AddRef and Release.
// The thread whose Release brings the count to 0 runs OnFinalRelease, then
// destroys the object and gives its memory back to the pool, so counted
// objects live on the heap (made with new). The count may be changed from any
// thread; everything else is used by one thread at a time.
//
// The virtual operations follow the memory operations in this order:
// GetClassInfo, IsKindOf, the destructor (entered through Destroy), Release,
// OnFinalRelease; subclasses append theirs.
class CRefObject : public CTarnCommonBaseWithMemManager {
public:
    CRefObject() = default;
    CRefObject(const CRefObject&) = delete;
    CRefObject& operator=(const CRefObject&) = delete;

    static const LightClassInfo& ClassRecord();

    virtual const LightClassInfo& GetClassInfo() const;
    // True if info denotes this class or one of its counted ancestors.
    virtual bool IsKindOf(const LightClassInfo& info) const;
    virtual ~CRefObject();
    // Subtracts 1; when that was the last reference, runs OnFinalRelease,
    // destroys the object and returns true. Otherwise returns false.
    virtual bool Release();
    // Runs once, just before the object is destroyed by its last Release.
    virtual void OnFinalRelease();

    void AddRef();
    // Runs the destructor chain; with bit 0 set, then gives the memory back.
    void Destroy(uint32_t destroy_flags);
    int64_t GetRefCount() const { return count_.load(); }

private:
    std::atomic<int64_t> count_{1};
};

// A runtime object that holds one counted reference to a CRefObject, or none.
// Copies share the counted object (they add a reference); equality is
// identity of the counted object, not its content. Destroying or resetting
// the holder releases its reference.
class CTarnRefObject : public CTarnObject {
public:
    CTarnRefObject() = default;
    // Adds a reference to ref (which may be null) and holds it.
    explicit CTarnRefObject(CRefObject* ref);
    CTarnRefObject(const CTarnRefObject& other);
    // BeforeOverwrite, then flags, extra and a shared reference to other's object.
    CTarnRefObject& operator=(const CTarnRefObject& other);
    ~CTarnRefObject() override;

    static const ClassInfo& ClassRecord();

    const ClassInfo& GetClassInfo() const override;
    bool IsEqual(const CTarnObject& other) const override;
    CTarnRefObject* CreateNew() const override;
    CTarnRefObject* Clone() const override;
    bool CopyFrom(const CTarnObject& other) override;
    void Reset() override;
    bool IsKindOf(const ClassInfo& info) const override;

    CRefObject* GetRef() const { return ref_; }
    // Holds ref with a reference of its own (AddRef), releasing the one held before.
    void SetRef(CRefObject* ref);
    // Takes over the caller's reference to ref, releasing the one held before.
    void AttachRef(CRefObject* ref);

private:
    CRefObject* ref_ = nullptr;
};
