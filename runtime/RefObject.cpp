#include "runtime/RefObject.h"

#include <cassert>

const LightClassInfo& CRefObject::ClassRecord() {
    static const LightClassInfo info = MakeLightClassInfo("CRefObject");
    return info;
}

const LightClassInfo& CRefObject::GetClassInfo() const {
    return ClassRecord();
}

bool CRefObject::IsKindOf(const LightClassInfo& info) const {
    return SameClass(info, ClassRecord());
}

CRefObject::~CRefObject() {
    // 1 for an object that was never shared and ends with its owner.
    assert(count_.load() <= 1 && "counted object destroyed while still referenced");
}

void CRefObject::AddRef() {
    count_.fetch_add(1, std::memory_order_seq_cst);
}

bool CRefObject::Release() {
    if (count_.fetch_sub(1, std::memory_order_seq_cst) != 1) {
        return false;
    }
    OnFinalRelease();
    Destroy(1);
    return true;
}

void CRefObject::OnFinalRelease() {}

void CRefObject::Destroy(uint32_t destroy_flags) {
    if ((destroy_flags & 1) != 0) {
        delete this;
    } else {
        this->~CRefObject();
    }
}

namespace {

CTarnObject* CreateRefObject() {
    return new CTarnRefObject();
}

} // namespace

CTarnRefObject::CTarnRefObject(CRefObject* ref) {
    SetRef(ref);
}

CTarnRefObject::CTarnRefObject(const CTarnRefObject& other) : CTarnObject(other) {
    SetRef(other.ref_);
}

CTarnRefObject& CTarnRefObject::operator=(const CTarnRefObject& other) {
    if (this != &other) {
        BeforeOverwrite();
        CTarnObject::operator=(other);
        SetRef(other.ref_);
    }
    return *this;
}

CTarnRefObject::~CTarnRefObject() {
    AttachRef(nullptr);
}

const ClassInfo& CTarnRefObject::ClassRecord() {
    static const ClassInfo info = MakeClassInfo(&CreateRefObject, "CTarnRefObject");
    return info;
}

const ClassInfo& CTarnRefObject::GetClassInfo() const {
    return ClassRecord();
}

bool CTarnRefObject::IsEqual(const CTarnObject& other) const {
    return HeaderEquals(other) && ref_ == static_cast<const CTarnRefObject&>(other).ref_;
}

CTarnRefObject* CTarnRefObject::CreateNew() const {
    return new CTarnRefObject();
}

CTarnRefObject* CTarnRefObject::Clone() const {
    return new CTarnRefObject(*this);
}

bool CTarnRefObject::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    const auto& source = static_cast<const CTarnRefObject&>(other);
    BeforeOverwrite();
    flags = source.flags;
    extra = source.extra;
    SetRef(source.ref_);
    return true;
}

void CTarnRefObject::Reset() {
    BeforeOverwrite();
    AttachRef(nullptr);
    flags = 0;
    extra = 0;
}

bool CTarnRefObject::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnObject::IsKindOf(info);
}

void CTarnRefObject::SetRef(CRefObject* ref) {
    // The new reference is taken before the old one goes, so setting the
    // object already held never destroys it.
    if (ref != nullptr) {
        ref->AddRef();
    }
    AttachRef(ref);
}

void CTarnRefObject::AttachRef(CRefObject* ref) {
    CRefObject* old = ref_;
    ref_ = ref;
    if (old != nullptr) {
        old->Release();
    }
}
