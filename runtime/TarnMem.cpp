#include "runtime/TarnMem.h"

#include "runtime/DiagnosticText.h"
#include "runtime/NumberText.h"
#include "runtime/TextUnits.h"

#include <cassert>
#include <cstring>

#include "runtime/ObjectStream.h"
#include "runtime/SmallCopy.h"
#include "runtime/WString.h"

namespace {

// Bytes read per step of LoadFrom at first; later steps match what already
// arrived, so a large load reallocates only logarithmically often.
constexpr int64_t kLoadChunk = int64_t{64} * 1024;
constexpr int64_t kDefaultDumpBytes = 1024;
constexpr int64_t kDumpLineBytes = 16;

CTarnObject* CreateTarnMem() {
    return new CTarnMem();
}

int64_t Min(int64_t a, int64_t b) {
    return a < b ? a : b;
}
int64_t Max(int64_t a, int64_t b) {
    return a > b ? a : b;
}

// One dump line: "\r\n[offset]:", the bytes in hexadecimal, padding to the
// column of a full line, " | " and the printable characters.
void AppendDumpLine(CWString& out, int64_t offset, const uint8_t* bytes, int64_t count) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    char16_t line[96];
    int pos = 0;
    line[pos++] = u'\r';
    line[pos++] = u'\n';
    line[pos++] = u'[';
    char16_t offset_text[kNumberTextUnits];
    for (const char16_t* p = UInt32ToHex8(static_cast<uint32_t>(offset), offset_text); *p != 0;
         ++p) {
        line[pos++] = *p;
    }
    line[pos++] = u']';
    line[pos++] = u':';
    for (int64_t i = 0; i < count; ++i) {
        line[pos++] = u' ';
        line[pos++] = kHex[bytes[i] >> 4];
        line[pos++] = kHex[bytes[i] & 0xF];
    }
    for (int64_t i = count; i < kDumpLineBytes; ++i) {
        line[pos++] = u' ';
        line[pos++] = u' ';
        line[pos++] = u' ';
    }
    line[pos++] = u' ';
    line[pos++] = u'|';
    line[pos++] = u' ';
    for (int64_t i = 0; i < count; ++i) {
        const bool printable = bytes[i] >= 0x20 && bytes[i] <= 0x7E;
        line[pos++] = printable ? static_cast<char16_t>(bytes[i]) : u'.';
    }
    out.AppendChars(line, pos);
}

} // namespace

CTarnMem::CTarnMem(const CTarnMem& other) : CTarnObject(other) {
    Assign(other);
}

CTarnMem& CTarnMem::operator=(const CTarnMem& other) {
    if (this != &other) {
        BeforeOverwrite();
        Assign(other);
    }
    return *this;
}

CTarnMem::~CTarnMem() {
    Free(data_);
}

const ClassInfo& CTarnMem::ClassRecord() {
    static const ClassInfo info = MakeClassInfo(&CreateTarnMem, "CTarnMem");
    return info;
}

int64_t CTarnMem::Step() const {
    return grow_step_ < 1 ? kDefaultGrowStep : grow_step_;
}

int64_t CTarnMem::CapacityFor(int64_t n) const {
    const int64_t step = Step();
    if (n > INT64_MAX - step) {
        ExitOutOfMemory();
    }
    // A buffer growing by appends asks here at every step, so the division
    // is avoided where it can be: most owners' steps are powers of two, and
    // sizes nearly always fit 32 bits, whose division is much the cheaper.
    const auto un = static_cast<uint64_t>(n);
    const auto ustep = static_cast<uint64_t>(step);
    uint64_t rest = 0;
    if ((ustep & (ustep - 1)) == 0) {
        rest = un & (ustep - 1);
    } else if (((un | ustep) >> 32) == 0) {
        rest = static_cast<uint32_t>(un) % static_cast<uint32_t>(ustep);
    } else {
        rest = un % ustep;
    }
    return n - static_cast<int64_t>(rest) + step;
}

uint8_t* CTarnMem::SetSize(int64_t n) {
    if (n == size_ || n < 0) {
        return data_;
    }
    if (n == 0) {
        Clear();
        return data_;
    }
    if (data_ == nullptr) {
        const int64_t capacity = CapacityFor(n);
        data_ = static_cast<uint8_t*>(Alloc(capacity));
        capacity_ = capacity;
    } else if (capacity_ < n || capacity_ - n > Step()) {
        const int64_t capacity = CapacityFor(n);
        data_ = static_cast<uint8_t*>(Realloc(data_, capacity));
        capacity_ = capacity;
    }
    size_ = n;
    return data_;
}

uint8_t* CTarnMem::AllocSize(int64_t n) {
    if (data_ == nullptr && n < 1) {
        return nullptr;
    }
    return SetSize(n);
}

void CTarnMem::Clear() {
    Free(data_);
    data_ = nullptr;
    capacity_ = 0;
    size_ = 0;
}

uint8_t* CTarnMem::ExtendStorage(int64_t n) {
    if (n > INT64_MAX - size_) {
        ExitOutOfMemory();
    }
    // The size grows beyond the capacity, so the storage grows by the rule:
    // what SetSize does for a growing size, without its other cases.
    const int64_t wanted = size_ + n;
    const int64_t capacity = CapacityFor(wanted);
    data_ = static_cast<uint8_t*>(data_ == nullptr ? Alloc(capacity) : Realloc(data_, capacity));
    capacity_ = capacity;
    uint8_t* end = data_ + size_;
    size_ = wanted;
    return end;
}

void CTarnMem::Truncate(int64_t n) {
    assert(n >= 0 && n <= size_ && "truncation beyond the size");
    size_ = n;
}

void CTarnMem::SwapStorage(CTarnMem& other) {
    uint8_t* data = data_;
    const int64_t capacity = capacity_;
    const int64_t size = size_;
    data_ = other.data_;
    capacity_ = other.capacity_;
    size_ = other.size_;
    other.data_ = data;
    other.capacity_ = capacity;
    other.size_ = size;
}

void CTarnMem::AppendGrowing(const void* area, int64_t n) {
    if (n < 1) {
        return;
    }
    if (area == nullptr || capacity_ - size_ >= n) {
        AppendBytesThenZeros(area, n, 0);
        return;
    }
    // The storage grows and may move: a source inside it is found again by
    // its offset.
    const auto source = reinterpret_cast<std::uintptr_t>(area);
    const auto start = reinterpret_cast<std::uintptr_t>(data_);
    const bool inside = data_ != nullptr && source >= start &&
                        source - start < static_cast<std::uintptr_t>(capacity_);
    uint8_t* target = ExtendStorage(n);
    if (inside) {
        std::memmove(target, data_ + (source - start), static_cast<size_t>(n));
    } else if (n <= static_cast<int64_t>(kSmallCopyLimit)) {
        // A buffer growing by small appends copies a few bytes at each step.
        CopySmall(target, area, static_cast<size_t>(n));
    } else {
        std::memcpy(target, area, static_cast<size_t>(n));
    }
}

void CTarnMem::AppendBytesThenZeros(const void* area, int64_t n, int64_t zeros) {
    if (n < 1) {
        return;
    }
    assert(zeros >= 0 && "negative count of zero bytes");
    if (zeros > INT64_MAX - n) {
        ExitOutOfMemory();
    }
    // The source may lie inside this buffer, whose storage may move below.
    // Addresses are compared as integers: the source need not point into it.
    const auto source = reinterpret_cast<std::uintptr_t>(area);
    const auto start = reinterpret_cast<std::uintptr_t>(data_);
    const bool inside = area != nullptr && data_ != nullptr && source >= start &&
                        source - start < static_cast<std::uintptr_t>(capacity_);
    const auto source_offset = static_cast<int64_t>(inside ? source - start : 0);
    const int64_t added = n + zeros;
    uint8_t* target = capacity_ - size_ >= added ? Extend(added) : ExtendStorage(added);
    if (inside) {
        std::memmove(target, data_ + source_offset, static_cast<size_t>(n));
    } else if (area != nullptr) {
        std::memcpy(target, area, static_cast<size_t>(n));
    } else {
        std::memset(target, 0, static_cast<size_t>(n));
    }
    if (zeros > 0) {
        std::memset(target + n, 0, static_cast<size_t>(zeros));
    }
}

void CTarnMem::AppendUnits(const char16_t* text) {
    if (text == nullptr) {
        return;
    }
    AppendBytes(text, UnitCount(text) * 2);
}

void CTarnMem::AppendUnitsZ(const char16_t* text) {
    if (text == nullptr || text[0] == 0) {
        static constexpr char16_t kZero = 0;
        AppendBytes(&kZero, 2);
        return;
    }
    AppendBytes(text, (UnitCount(text) + 1) * 2);
}

void CTarnMem::Remove(int64_t offset, int64_t count) {
    if (count <= 0) {
        return;
    }
    if (offset < 0) {
        if (count >= size_) {
            Clear();
        } else {
            size_ -= count;
        }
        return;
    }
    if (offset >= size_) {
        return;
    }
    const int64_t removed = Min(count, size_ - offset);
    const int64_t behind = size_ - offset - removed;
    if (behind > 0) {
        std::memmove(data_ + offset, data_ + offset + removed, static_cast<size_t>(behind));
    }
    size_ -= removed;
    if (size_ == 0) {
        Clear();
    }
}

void CTarnMem::Assign(const CTarnMem& other) {
    if (this == &other) {
        return;
    }
    flags = other.flags;
    extra = other.extra;
    size_ = 0;
    if (other.size_ > 0) {
        SetSize(other.size_);
        std::memcpy(data_, other.data_, static_cast<size_t>(other.size_));
    }
}

const ClassInfo& CTarnMem::GetClassInfo() const {
    return ClassRecord();
}

bool CTarnMem::IsEqual(const CTarnObject& other) const {
    if (!HeaderEquals(other)) {
        return false;
    }
    const auto& buffer = static_cast<const CTarnMem&>(other);
    return size_ == buffer.size_ &&
           (size_ == 0 || std::memcmp(data_, buffer.data_, static_cast<size_t>(size_)) == 0);
}

CTarnMem* CTarnMem::CreateNew() const {
    return new CTarnMem();
}

CTarnMem* CTarnMem::Clone() const {
    return new CTarnMem(*this);
}

bool CTarnMem::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    BeforeOverwrite();
    Assign(static_cast<const CTarnMem&>(other));
    return true;
}

void CTarnMem::Reset() {
    BeforeOverwrite();
    flags = 0;
    extra = 0;
    size_ = 0;
}

bool CTarnMem::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnObject::IsKindOf(info);
}

void CTarnMem::DumpText(CWString& out, int32_t limit) const {
    const int64_t shown =
        AppendDumpHeader(out, u"字节集", u"字节", size_, limit, kDefaultDumpBytes);
    for (int64_t offset = 0; offset < shown; offset += kDumpLineBytes) {
        AppendDumpLine(out, offset, data_ + offset, Min(kDumpLineBytes, shown - offset));
    }
}

void CTarnMem::LoadFrom(CTarnObjectStream& stream) {
    int32_t count = 0;
    if (!stream.ReadInt32(count)) {
        return;
    }
    if (count < 0) {
        stream.SetError(CTarnObjectStream::kReadError);
        return;
    }
    if (count == 0) {
        Clear();
        return;
    }
    // The first step sizes the buffer by the usual rule; each later one
    // extends it by about what already arrived.
    int64_t loaded = Min(count, kLoadChunk);
    SetSize(loaded);
    if (!stream.ReadBytes(data_, loaded)) {
        Clear();
        return;
    }
    while (loaded < count) {
        const int64_t chunk = Min(count - loaded, Max(kLoadChunk, loaded));
        uint8_t* target = Extend(chunk);
        if (!stream.ReadBytes(target, chunk)) {
            Clear();
            return;
        }
        loaded += chunk;
    }
}

void CTarnMem::SaveTo(CTarnObjectStream& stream) const {
    stream.WriteCounted(data_, size_);
}
