// CTarnObjectClass: the object protocol of one runtime class, written once.
#pragma once

#include "runtime/TarnObject.h"

// The protocol of a runtime class Derived whose base is Base: its record with
// a factory, GetClassInfo, CreateNew, Clone, CopyFrom and IsKindOf. Derived
// derives from CTarnObjectClass<Derived, Base> in Base's place, gives its
// qualified name to Record in its static ClassRecord(), and keeps only its
// constructors and its own behaviour.
//
// A copy is what Derived's copy constructor and assignment make of it, so a
// class says once, in those two, what its copies take:
// - CreateNew makes a Derived with its default constructor (the record's
//   factory does the same);
// - Clone makes one with the copy constructor;
// - CopyFrom accepts a kind of Derived only and then assigns, which runs
//   BeforeOverwrite where Base's assignment does.
//
// This template is no runtime class of its own: it has no record, and
// IsKindOf passes from Derived's record straight to Base's.
template <class Derived, class Base> class CTarnObjectClass : public Base {
public:
    using Base::Base;
    CTarnObjectClass() = default;
    CTarnObjectClass(const CTarnObjectClass& other) = default;
    CTarnObjectClass& operator=(const CTarnObjectClass& other) = default;
    ~CTarnObjectClass() override = default;

    const ClassInfo& GetClassInfo() const override { return Derived::ClassRecord(); }

    // CreateNew and Clone make a Derived but are typed as this template: a
    // covariant return type must be complete where it is declared, and Derived
    // is still incomplete while its base is being declared. A caller that
    // needs the Derived pointer casts down.
    CTarnObjectClass* CreateNew() const override { return new Derived(); }
    CTarnObjectClass* Clone() const override { return new Derived(Self()); }

    bool CopyFrom(const CTarnObject& other) override {
        if (!other.IsKindOf(Derived::ClassRecord())) {
            return false;
        }
        static_cast<Derived&>(*this) = static_cast<const Derived&>(other);
        return true;
    }

    bool IsKindOf(const ClassInfo& info) const override {
        return SameClass(info, Derived::ClassRecord()) || Base::IsKindOf(info);
    }

protected:
    // Derived's record, built on the first call from name. Derived's
    // ClassRecord is the one caller and always passes its own qualified name,
    // which must live for the whole run (a literal does).
    static const ClassInfo& Record(const char* name) {
        static const ClassInfo info = MakeClassInfo(&Make, name);
        return info;
    }

private:
    const Derived& Self() const { return static_cast<const Derived&>(*this); }
    static CTarnObject* Make() { return new Derived(); }
};
