#include "runtime/StringArray.h"

#include "runtime/TextUnits.h"

#include <cassert>
#include <cstring>

namespace {

constexpr int64_t kPointerBytes = sizeof(void*);

char16_t* EntryAt(const CTarnMem& items, int64_t index) {
    char16_t* text = nullptr;
    std::memcpy(&text, items.GetData() + index * kPointerBytes, kPointerBytes);
    return text;
}

bool IsTrimmed(char16_t unit) {
    return unit <= 0x20 || unit == 0x3000;
}

bool IsDelimiter(char16_t unit, const char16_t* delimiters) {
    if (delimiters == nullptr) {
        return false;
    }
    for (const char16_t* d = delimiters; *d != 0; ++d) {
        if (*d == unit) {
            return true;
        }
    }
    return false;
}

} // namespace

CMStringArray::CMStringArray() {
    items_.SetGrowStep(kGrowStep);
}

CMStringArray::CMStringArray(const CMStringArray& other) : CMStringArray() {
    AppendCopies(other);
}

CMStringArray& CMStringArray::operator=(const CMStringArray& other) {
    if (this != &other) {
        RemoveAll();
        AppendCopies(other);
    }
    return *this;
}

CMStringArray::~CMStringArray() {
    RemoveAll();
}

const LightClassInfo& CMStringArray::ClassRecord() {
    static const LightClassInfo info = MakeLightClassInfo("CMStringArray");
    return info;
}

const LightClassInfo& CMStringArray::GetClassInfo() const {
    return ClassRecord();
}

bool CMStringArray::IsKindOf(const LightClassInfo& info) const {
    return SameClass(info, ClassRecord());
}

int64_t CMStringArray::GetCount() const {
    return items_.GetSize() / kPointerBytes;
}

const char16_t* CMStringArray::GetAt(int64_t index) const {
    assert(index >= 0 && index < GetCount() && "index out of range");
    return EntryAt(items_, index);
}

void CMStringArray::AddText(const char16_t* text) {
    AddChars(text, text == nullptr ? 0 : UnitCount(text));
}

void CMStringArray::AddChars(const char16_t* units, int64_t count) {
    char16_t* copy = nullptr;
    if (units != nullptr && count >= 1) {
        if (count > INT64_MAX / 2 - 1) {
            ExitOutOfMemory();
        }
        copy = static_cast<char16_t*>(Alloc((count + 1) * 2));
        std::memcpy(copy, units, static_cast<size_t>(count) * 2);
        copy[count] = 0;
    }
    items_.AppendBytes(&copy, kPointerBytes);
}

void CMStringArray::RemoveAll() {
    const int64_t count = GetCount();
    for (int64_t i = 0; i < count; ++i) {
        Free(EntryAt(items_, i));
    }
    items_.Clear();
}

void CMStringArray::AppendCopies(const CMStringArray& other) {
    const int64_t count = other.GetCount();
    for (int64_t i = 0; i < count; ++i) {
        AddText(other.GetAt(i));
    }
}

int64_t SplitText(const char16_t* text, CMStringArray& list, const char16_t* delimiters) {
    list.RemoveAll();
    const char16_t* rest = text;
    while (rest != nullptr && rest[0] != 0) {
        const char16_t* end = rest;
        while (*end != 0 && !IsDelimiter(*end, delimiters)) {
            ++end;
        }
        const char16_t* first = rest;
        const char16_t* last = end;
        while (first < last && IsTrimmed(*first)) {
            ++first;
        }
        while (last > first && IsTrimmed(last[-1])) {
            --last;
        }
        list.AddChars(first, last - first);
        if (*end == 0) {
            break;
        }
        if (end[1] == 0) {
            list.AddText(nullptr);
            break;
        }
        rest = end + 1;
    }
    return list.GetCount();
}
