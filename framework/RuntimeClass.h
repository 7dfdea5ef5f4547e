// Runtime class records (name and base) and CObject, the root that carries them.
#pragma once

#include <cstddef>
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
// that has a record of its own derives through CRuntimeKind, which holds the
// record and answers it from GetRuntimeClass; a class that does not answers
// as its nearest base that does.
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

// A class name as a template argument: the text of a string literal.
template <std::size_t N> struct CClassName {
    // NOLINTNEXTLINE(google-explicit-constructor): written as a bare literal
    constexpr CClassName(const char (&text)[N]) {
        for (std::size_t i = 0; i < N; ++i) {
            m_text[i] = text[i];
        }
    }
    char m_text[N] = {};
};

// The run-time class record of a framework class, in one place: a class
// Name derived from Base is written
//     class Name : public CRuntimeKind<"Name", Base> { ... };
// and gets the record {"Name", &Base::runtimeClass} as its runtimeClass,
// answered by GetRuntimeClass. Base's constructors are inherited; a
// constructor of the class reaches them through CRuntimeKind(...).
template <CClassName Name, typename Base> class CRuntimeKind : public Base {
public:
    using Base::Base;

    static constexpr CRuntimeClass runtimeClass{Name.m_text, &Base::runtimeClass};

    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
};
