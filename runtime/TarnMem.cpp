#include "runtime/TarnMem.h"

#include "runtime/NumberText.h"
#include "runtime/TextUnits.h"

#include <cassert>
#include <cstring>

#include "runtime/ObjectStream.h"
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

int32_t ClampToInt32(int64_t value) {
    return value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
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
    return n - n % step + step;
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

uint8_t* CTarnMem::Extend(int64_t n) {
    assert(n >= 0 && "negative extension");
    if (capacity_ - size_ >= n) {
        uint8_t* end = data_ + size_;
        size_ += n;
        return end;
    }
    if (n > INT64_MAX - size_) {
        ExitOutOfMemory();
    }
    const int64_t old_size = size_;
    return SetSize(size_ + n) + old_size;
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

void CTarnMem::AppendBytes(const void* area, int64_t n) {
    if (n < 1) {
        return;
    }
    // The source may lie inside this buffer, whose storage may move below.
    const auto* source = static_cast<const uint8_t*>(area);
    const bool inside =
        source != nullptr && data_ != nullptr && source >= data_ && source < data_ + capacity_;
    const int64_t source_offset = inside ? source - data_ : 0;
    uint8_t* target = Extend(n);
    if (inside) {
        std::memmove(target, data_ + source_offset, static_cast<size_t>(n));
    } else if (source != nullptr) {
        std::memcpy(target, source, static_cast<size_t>(n));
    } else {
        std::memset(target, 0, static_cast<size_t>(n));
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
    const int64_t most = limit == 0 ? kDefaultDumpBytes : limit;
    int64_t shown = size_;
    if (limit < 0 || size_ <= most) {
        out.AppendFormat(u"<字节集> 总共 %d 个字节:", {ClampToInt32(size_)});
    } else {
        shown = most;
        out.AppendFormat(u"<字节集> 总共 %d 个字节,输出了 %d 个,还有 %d 个未被输出.",
                         {ClampToInt32(size_), ClampToInt32(most), ClampToInt32(size_ - most)});
    }
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
    if (size_ > INT32_MAX) {
        stream.SetError(CTarnObjectStream::kWriteError);
        return;
    }
    if (stream.WriteInt32(static_cast<int32_t>(size_))) {
        stream.WriteBytes(data_, size_);
    }
}
