// Runtime class records (name and base) and CObject, the root that carries them.
#pragma once

#include <string_view>

// The name and base of one framework class. Each class has one record with
// static storage that is constant-initialised, so a record can be used at any
// point of static initialisation and is never freed. Records are immutable and
// may be read from any thread.
struct CRuntimeClass {
    // The class name as written in the code, for example "CWnd".
    const char* m_lpszClassName;
    // The record of the direct base, or null for the root.
    const CRuntimeClass* m_pBaseClass;

    // True when this class is `base` or derives from it (compared by record).
    bool IsDerivedFrom(const CRuntimeClass* base) const;
    // True when this class or one of its bases carries the name `className`.
    // Lets layers test for a class they cannot name as a type.
    bool IsDerivedFrom(std::string_view className) const;
};

// The root of the framework classes that take part in kind tests. A class
// overrides GetRuntimeClass to return its own record, whose base is the record
// of its base class; a class that does not override it answers as its nearest
// base that does.
class CObject {
public:
    CObject() = default;
    virtual ~CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    virtual const CRuntimeClass* GetRuntimeClass() const;

    bool IsKindOf(const CRuntimeClass* runtimeClass) const;
    bool IsKindOf(std::string_view className) const;

    static const CRuntimeClass runtimeClass;
};
