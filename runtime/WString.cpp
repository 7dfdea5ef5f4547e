#include "runtime/WString.h"

#include "runtime/TextUnits.h"

#include <cstring>

#include "runtime/IntegerText.h"
#include "runtime/NumberText.h"
#include "runtime/ObjectStream.h"
#include "runtime/Utf8Text.h"

namespace {

constexpr char16_t kEmptyText[1] = {0};
// More units than any buffer could hold in bytes with a terminator.
constexpr int64_t kMaxUnits = INT64_MAX / 2 - 1;

CTarnObject* CreateWString() {
    return new CWString();
}
CTarnObject* CreateWConstString() {
    return new CWConstString();
}

char16_t LastUnit(const CTarnMem& buffer) {
    char16_t unit = 0;
    std::memcpy(&unit, buffer.GetData() + buffer.GetSize() - 2, 2);
    return unit;
}

// Formats into buffer as units and a terminator; an empty result leaves it
// empty. False when the format fails.
bool FormatInto(CTarnMem& buffer, const char16_t* format, std::initializer_list<FormatArg> args) {
    const int64_t length = FormatText(nullptr, 0, format, args);
    if (length <= 0) {
        return length == 0;
    }
    auto* units = reinterpret_cast<char16_t*>(buffer.SetSize((length + 1) * 2));
    FormatText(units, length, format, args);
    units[length] = 0;
    return true;
}

} // namespace

CWString::CWString() {
    buffer_.SetGrowStep(kGrowStep);
}

CWString::CWString(int32_t value) : CWString() {
    char16_t area[kNumberTextUnits];
    Append(Int32ToText(value, area));
}

CWString::CWString(const char16_t* text) : CWString() {
    Append(text);
}

CWString::CWString(const CWString& other) : CTarnObject(other), const_text_(other.const_text_) {
    buffer_.SetGrowStep(kGrowStep);
    buffer_.Assign(other.buffer_);
}

CWString& CWString::operator=(const CWString& other) {
    if (this != &other) {
        BeforeOverwrite();
        CTarnObject::operator=(other);
        const_text_ = other.const_text_;
        buffer_.Assign(other.buffer_);
    }
    return *this;
}

const ClassInfo& CWString::ClassRecord() {
    static const ClassInfo info = MakeClassInfo(&CreateWString, "CWString");
    return info;
}

const char16_t* CWString::GetText() const {
    if (const_text_ != nullptr) {
        return const_text_;
    }
    if (buffer_.GetSize() == 0) {
        return kEmptyText;
    }
    return reinterpret_cast<const char16_t*>(buffer_.GetData());
}

int64_t CWString::GetLength() const {
    return UnitCount(GetText());
}

void CWString::SetEmpty() {
    const_text_ = nullptr;
    buffer_.Clear();
}

void CWString::SetInt(int32_t value) {
    SetEmpty();
    char16_t area[kNumberTextUnits];
    Append(Int32ToText(value, area));
}

void CWString::SetInt64(int64_t value) {
    SetEmpty();
    char16_t area[kNumberTextUnits];
    Append(Int64ToText(value, area));
}

void CWString::SetChars(const char16_t* units, int64_t count) {
    if (count < 1) {
        SetEmpty();
        return;
    }
    if (count > kMaxUnits) {
        ExitOutOfMemory();
    }
    // Built aside first: units may lie in this text's own storage.
    CTarnMem fresh;
    fresh.SetGrowStep(kGrowStep);
    fresh.AppendBytes(units, count * 2);
    fresh.AppendBytes(nullptr, 2);
    SetEmpty();
    buffer_.SwapStorage(fresh);
}

bool CWString::Format(const char16_t* format, std::initializer_list<FormatArg> args) {
    // Formatted aside first: the format or a text argument may be this text.
    CTarnMem formatted;
    formatted.SetGrowStep(kGrowStep);
    const bool ok = FormatInto(formatted, format, args);
    SetEmpty();
    buffer_.SwapStorage(formatted);
    return ok;
}

CTarnMem& CWString::DetachConst() {
    if (const_text_ != nullptr) {
        buffer_.Truncate(0);
        buffer_.AppendBytes(const_text_, (UnitCount(const_text_) + 1) * 2);
        const_text_ = nullptr;
    }
    return buffer_;
}

CTarnMem& CWString::DropTerminator() {
    CTarnMem& buffer = DetachConst();
    if (buffer.GetSize() >= 2 && LastUnit(buffer) == 0) {
        buffer.Truncate(buffer.GetSize() - 2);
    }
    return buffer;
}

char16_t* CWString::ExtendUnits(int64_t n) {
    CTarnMem& buffer = DropTerminator();
    if (n > kMaxUnits) {
        ExitOutOfMemory();
    }
    auto* units = reinterpret_cast<char16_t*>(buffer.Extend((n + 1) * 2));
    units[n] = 0;
    return units;
}

void CWString::AppendSlow(const char16_t* text) {
    if (text == nullptr || text[0] == 0) {
        return;
    }
    const int64_t count = UnitCount(text);
    // An owned text whose storage the piece does not lie in grows straight
    // away: its terminator makes room for the first new unit.
    const int64_t size = buffer_.GetSize();
    if (const_text_ == nullptr && size >= 2 && !InStorage(text) && LastUnit(buffer_) == 0) {
        if (count > kMaxUnits) {
            ExitOutOfMemory();
        }
        uint8_t* at = buffer_.Extend(count * 2) - 2;
        std::memcpy(at, text, static_cast<size_t>(count) * 2);
        at[count * 2] = 0;
        at[count * 2 + 1] = 0;
        return;
    }
    AppendChars(text, count);
}

void CWString::AppendChars(const char16_t* units, int64_t count) {
    if (units == nullptr || count < 1) {
        return;
    }
    if (count > kMaxUnits) {
        ExitOutOfMemory();
    }
    // Most appends land in an owned buffer with room behind its terminator:
    // the new units overwrite the terminator and a new one follows. The
    // storage stays put, so units taken from this text stay valid.
    const int64_t size = buffer_.GetSize();
    if (const_text_ == nullptr && size >= 2 && buffer_.GetCapacity() - size >= count * 2 &&
        LastUnit(buffer_) == 0) {
        uint8_t* at = buffer_.Extend(count * 2) - 2;
        std::memmove(at, units, static_cast<size_t>(count) * 2);
        at[count * 2] = 0;
        at[count * 2 + 1] = 0;
        return;
    }
    CTarnMem& buffer = DropTerminator();
    // The buffer copes with units lying in its own storage; the terminator
    // comes with the same growth.
    buffer.AppendBytesThenZeros(units, count * 2, 2);
}

void CWString::AppendChar(char16_t unit) {
    if (unit != 0) {
        *ExtendUnits(1) = unit;
    }
}

void CWString::AppendUtf8(const char* text) {
    const int64_t length = Utf8ToUtf16(text, nullptr, 0);
    if (length == 0) {
        return;
    }
    // Converted straight into the grown buffer: the source is 8-bit text and
    // never this text's storage.
    Utf8ToUtf16(text, ExtendUnits(length), length);
}

bool CWString::AppendFormat(const char16_t* format, std::initializer_list<FormatArg> args) {
    CTarnMem formatted;
    formatted.SetGrowStep(kGrowStep);
    if (!FormatInto(formatted, format, args)) {
        return false;
    }
    if (formatted.GetSize() > 0) {
        AppendChars(reinterpret_cast<const char16_t*>(formatted.GetData()),
                    formatted.GetSize() / 2 - 1);
    }
    return true;
}

int64_t CWString::HeldUnits(const char16_t*& units) const {
    if (const_text_ != nullptr) {
        units = const_text_;
        return UnitCount(const_text_);
    }
    if (buffer_.GetSize() < 2) {
        units = kEmptyText;
        return 0;
    }
    units = reinterpret_cast<const char16_t*>(buffer_.GetData());
    return buffer_.GetSize() / 2 - 1;
}

bool CWString::IsEmptyForConcat() const {
    if (const_text_ != nullptr) {
        return const_text_[0] == 0;
    }
    return buffer_.GetSize() < 3;
}

CWString CWString::Concat(const CWString& first, const CWString& second) {
    if (first.IsEmptyForConcat()) {
        return CWString(second);
    }
    if (second.IsEmptyForConcat()) {
        return CWString(first);
    }
    const char16_t* first_units = nullptr;
    const char16_t* second_units = nullptr;
    const int64_t first_count = first.HeldUnits(first_units);
    const int64_t second_count = second.HeldUnits(second_units);
    CWString result;
    result.AppendChars(first_units, first_count);
    result.AppendChars(second_units, second_count);
    return result;
}

CWString CWString::Concat(const CWString& text, const char16_t* units) {
    if (units == nullptr || units[0] == 0) {
        return CWString(text);
    }
    CWString result(text.GetText());
    result.Append(units);
    return result;
}

const ClassInfo& CWString::GetClassInfo() const {
    return ClassRecord();
}

bool CWString::IsEqual(const CTarnObject& other) const {
    if (!HeaderEquals(other)) {
        return false;
    }
    return UnitsEqual(GetText(), static_cast<const CWString&>(other).GetText());
}

CWString* CWString::CreateNew() const {
    return new CWString();
}

CWString* CWString::Clone() const {
    return new CWString(*this);
}

bool CWString::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    *this = static_cast<const CWString&>(other);
    return true;
}

void CWString::Reset() {
    BeforeOverwrite();
    flags = 0;
    extra = 0;
    const_text_ = nullptr;
    buffer_.Reset();
}

bool CWString::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnObject::IsKindOf(info);
}

void CWString::DumpText(CWString& out, int32_t /*limit*/) const {
    if (out.GetText() == GetText()) {
        return;
    }
    out.SetEmpty();
    out.Append(GetText());
}

void CWString::LoadFrom(CTarnObjectStream& stream) {
    SetEmpty();
    buffer_.LoadFrom(stream);
    if (stream.GetError() != CTarnObjectStream::kOk) {
        SetEmpty();
        return;
    }
    const int64_t size = buffer_.GetSize();
    if (size != 0 && (size % 2 != 0 || LastUnit(buffer_) != 0)) {
        SetEmpty();
        stream.SetError(CTarnObjectStream::kReadError);
    }
}

void CWString::SaveTo(CTarnObjectStream& stream) const {
    if (const_text_ == nullptr) {
        buffer_.SaveTo(stream);
        return;
    }
    stream.WriteCounted(const_text_, (UnitCount(const_text_) + 1) * 2);
}

void CWString::BindConst(const char16_t* literal) {
    const_text_ = literal;
}

CWConstString::CWConstString(const char16_t* literal) {
    BindConst(literal);
}

const ClassInfo& CWConstString::ClassRecord() {
    static const ClassInfo info = MakeClassInfo(&CreateWConstString, "CWConstString");
    return info;
}

const ClassInfo& CWConstString::GetClassInfo() const {
    return ClassRecord();
}

CWConstString* CWConstString::CreateNew() const {
    return new CWConstString();
}

CWConstString* CWConstString::Clone() const {
    return new CWConstString(*this);
}

bool CWConstString::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CWString::IsKindOf(info);
}
