#include "runtime/TarnObject.h"

#include "runtime/DiagnosticText.h"
#include "runtime/WString.h"

void* CTarnCommonBaseWithMemManager::Alloc(int64_t bytes) const {
    return GetMemManager().Alloc(bytes);
}

void* CTarnCommonBaseWithMemManager::TryAlloc(int64_t bytes) const {
    return GetMemManager().TryAlloc(bytes);
}

void* CTarnCommonBaseWithMemManager::Realloc(void* block, int64_t bytes) const {
    return GetMemManager().Realloc(block, bytes);
}

void CTarnCommonBaseWithMemManager::Free(void* block) const {
    GetMemManager().Free(block);
}

CPoolMem& CTarnCommonBaseWithMemManager::GetMemManager() const {
    return ProcessMemPool();
}

void* CTarnCommonBaseWithMemManager::operator new(size_t bytes) {
    return ProcessMemPool().Alloc(static_cast<int64_t>(bytes));
}

void CTarnCommonBaseWithMemManager::operator delete(void* block) {
    ProcessMemPool().Free(block);
}

void* CTarnCommonBaseWithMemManager::operator new(size_t /*bytes*/, void* place) noexcept {
    return place;
}

void CTarnCommonBaseWithMemManager::operator delete(void* /*block*/, void* /*place*/) noexcept {}

namespace {

CTarnObject* CreateObject() {
    return new CTarnObject();
}

} // namespace

const ClassInfo& CTarnObject::ClassRecord() {
    static const ClassInfo info = MakeClassInfo(&CreateObject, "CTarnObject");
    return info;
}

const ClassInfo& CTarnObject::GetClassInfo() const {
    return ClassRecord();
}

bool CTarnObject::HeaderEquals(const CTarnObject& other) const {
    return SameClass(GetClassInfo(), other.GetClassInfo()) &&
           (flags & kFlagEmpty) == (other.flags & kFlagEmpty) && extra == other.extra;
}

bool CTarnObject::IsEqual(const CTarnObject& other) const {
    return HeaderEquals(other);
}

CTarnObject* CTarnObject::CreateNew() const {
    return new CTarnObject();
}

CTarnObject* CTarnObject::Clone() const {
    return new CTarnObject(*this);
}

bool CTarnObject::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    BeforeOverwrite();
    flags = other.flags;
    extra = other.extra;
    return true;
}

void CTarnObject::Reset() {
    BeforeOverwrite();
    flags = 0;
    extra = 0;
}

void CTarnObject::FreeObject() {
    Destroy(1);
}

bool CTarnObject::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord());
}

void CTarnObject::DumpText(CWString& out, int32_t /*limit*/) const {
    AppendObjectIdentity(out, *this, u"无法解析的对象数据,其输出类名为: \"%s\", 地址为: 0x%I64X");
}

void CTarnObject::LoadFrom(CTarnObjectStream& /*stream*/) {}

void CTarnObject::SaveTo(CTarnObjectStream& /*stream*/) const {}

void CTarnObject::BeforeOverwrite() {}

void CTarnObject::Destroy(uint32_t destroy_flags) {
    if ((destroy_flags & 1) != 0) {
        delete this;
    } else {
        this->~CTarnObject();
    }
}

void FreeObject(CTarnObject* object) {
    if (object != nullptr) {
        object->FreeObject();
    }
}
