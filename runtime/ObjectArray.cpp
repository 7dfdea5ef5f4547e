#include "runtime/ObjectArray.h"

#include <cassert>
#include <cstring>

#include "runtime/DiagnosticText.h"
#include "runtime/WString.h"

namespace {

constexpr int64_t kPointerBytes = sizeof(void*);

CTarnObject* CreateObjectArray() {
    return new CTarnObjectArray();
}

CTarnObject* MemberAt(const CTarnMem& items, int64_t index) {
    CTarnObject* member = nullptr;
    std::memcpy(&member, items.GetData() + index * kPointerBytes, kPointerBytes);
    return member;
}

void AppendMember(CTarnMem& items, CTarnObject* member) {
    items.AppendBytes(&member, kPointerBytes);
}

} // namespace

CTarnObjectArray::CTarnObjectArray() {
    items_.SetGrowStep(kGrowStep);
}

CTarnObjectArray::CTarnObjectArray(const CTarnObjectArray& other) : CTarnObjectArray() {
    CopyContent(other);
}

CTarnObjectArray& CTarnObjectArray::operator=(const CTarnObjectArray& other) {
    if (this != &other) {
        BeforeOverwrite();
        CopyContent(other);
    }
    return *this;
}

CTarnObjectArray::~CTarnObjectArray() {
    RemoveAll();
}

const ClassInfo& CTarnObjectArray::ClassRecord() {
    static const ClassInfo info = MakeClassInfo(&CreateObjectArray, "CTarnObjectArray");
    return info;
}

int64_t CTarnObjectArray::GetCount() const {
    return items_.GetSize() / kPointerBytes;
}

CTarnObject* CTarnObjectArray::GetAt(int64_t index) const {
    assert(index >= 0 && index < GetCount() && "index out of range");
    return MemberAt(items_, index);
}

bool CTarnObjectArray::Add(CTarnObject* object) {
    if (object == nullptr || object == this) {
        return false;
    }
    AppendMember(items_, object);
    return true;
}

void CTarnObjectArray::FreeMembers(CTarnMem& items) {
    const int64_t count = items.GetSize() / kPointerBytes;
    for (int64_t i = 0; i < count; ++i) {
        MemberAt(items, i)->FreeObject();
    }
    items.Clear();
}

void CTarnObjectArray::RemoveAll() {
    // The members leave the array before they are freed, so a member's
    // destructor never sees itself still listed here.
    CTarnMem leaving;
    leaving.SwapStorage(items_);
    FreeMembers(leaving);
}

void CTarnObjectArray::CopyContent(const CTarnObjectArray& other) {
    flags = other.flags;
    extra = other.extra;
    CTarnMem clones;
    clones.SetGrowStep(kGrowStep);
    const int64_t count = other.GetCount();
    for (int64_t i = 0; i < count; ++i) {
        AppendMember(clones, MemberAt(other.items_, i)->Clone());
    }
    clones.SwapStorage(items_);
    FreeMembers(clones);
}

const ClassInfo& CTarnObjectArray::GetClassInfo() const {
    return ClassRecord();
}

bool CTarnObjectArray::IsEqual(const CTarnObject& other) const {
    if (!HeaderEquals(other)) {
        return false;
    }
    const auto& array = static_cast<const CTarnObjectArray&>(other);
    const int64_t count = GetCount();
    if (array.GetCount() != count) {
        return false;
    }
    for (int64_t i = 0; i < count; ++i) {
        if (!MemberAt(items_, i)->IsEqual(*MemberAt(array.items_, i))) {
            return false;
        }
    }
    return true;
}

CTarnObjectArray* CTarnObjectArray::CreateNew() const {
    return new CTarnObjectArray();
}

CTarnObjectArray* CTarnObjectArray::Clone() const {
    return new CTarnObjectArray(*this);
}

bool CTarnObjectArray::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    *this = static_cast<const CTarnObjectArray&>(other);
    return true;
}

void CTarnObjectArray::Reset() {
    BeforeOverwrite();
    flags = 0;
    extra = 0;
    RemoveAll();
}

bool CTarnObjectArray::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnObject::IsKindOf(info);
}

void CTarnObjectArray::DumpText(CWString& out, int32_t limit) const {
    const int64_t shown = AppendArrayHeader(out, GetCount(), limit);
    for (int64_t i = 0; i < shown; ++i) {
        const CTarnObject* member = MemberAt(items_, i);
        out.AppendFormat(u"\r\n%d. ", {static_cast<int>(i + 1)});
        AppendObjectIdentity(out, *member, u"对象输出类名: \"%s\", 地址: 0x%I64X");
        out.Append(u", 内容:\r\n");
        CWString content;
        member->DumpText(content, limit);
        out.Append(content.GetText());
    }
}
