#include "runtime/TextArray.h"

#include "runtime/DiagnosticText.h"
#include "runtime/ObjectStream.h"
#include "runtime/TextUnits.h"
#include "runtime/WString.h"

namespace rg_tarn_base {

namespace {

CTarnObject* CreateTextArray() {
    return new rg_WenBenShuZuLei();
}

// A null entry reads as the empty text.
const char16_t* TextOrEmpty(const char16_t* text) {
    return text == nullptr ? u"" : text;
}

// Writes a text as CWString does: the byte count of its units and terminator,
// then those bytes; a null text writes the count 0.
void SaveText(CTarnObjectStream& stream, const char16_t* text) {
    if (text == nullptr) {
        stream.WriteInt32(0);
        return;
    }
    stream.WriteCounted(text, (UnitCount(text) + 1) * 2);
}

} // namespace

rg_WenBenShuZuLei::rg_WenBenShuZuLei(const rg_WenBenShuZuLei& other)
    : rg_KuoZhanDuiXiangLei(other), texts_(other.texts_) {}

rg_WenBenShuZuLei& rg_WenBenShuZuLei::operator=(const rg_WenBenShuZuLei& other) {
    if (this != &other) {
        BeforeOverwrite();
        flags = other.flags;
        extra = other.extra;
        texts_ = other.texts_;
    }
    return *this;
}

const ClassInfo& rg_WenBenShuZuLei::ClassRecord() {
    static const ClassInfo info =
        MakeClassInfo(&CreateTextArray, "rg_tarn_base::rg_WenBenShuZuLei");
    return info;
}

const ClassInfo& rg_WenBenShuZuLei::GetClassInfo() const {
    return ClassRecord();
}

bool rg_WenBenShuZuLei::IsEqual(const CTarnObject& other) const {
    if (!HeaderEquals(other)) {
        return false;
    }
    if (&other == this) {
        return true;
    }
    const auto& array = static_cast<const rg_WenBenShuZuLei&>(other);
    const int64_t count = GetCount();
    if (array.GetCount() != count) {
        return false;
    }
    for (int64_t i = 0; i < count; ++i) {
        if (!UnitsEqual(TextOrEmpty(GetAt(i)), TextOrEmpty(array.GetAt(i)))) {
            return false;
        }
    }
    return true;
}

rg_WenBenShuZuLei* rg_WenBenShuZuLei::CreateNew() const {
    return new rg_WenBenShuZuLei();
}

rg_WenBenShuZuLei* rg_WenBenShuZuLei::Clone() const {
    return new rg_WenBenShuZuLei(*this);
}

bool rg_WenBenShuZuLei::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    *this = static_cast<const rg_WenBenShuZuLei&>(other);
    return true;
}

void rg_WenBenShuZuLei::Reset() {
    BeforeOverwrite();
    flags = 0;
    extra = 0;
    texts_.RemoveAll();
}

bool rg_WenBenShuZuLei::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || rg_KuoZhanDuiXiangLei::IsKindOf(info);
}

void rg_WenBenShuZuLei::DumpText(CWString& out, int32_t limit) const {
    const int64_t shown = AppendArrayHeader(out, GetCount(), limit);
    CWString quoted;
    for (int64_t i = 0; i < shown; ++i) {
        out.AppendFormat(u"\r\n%d. %s", {static_cast<int>(i + 1), QuoteText(GetAt(i), quoted)});
    }
}

void rg_WenBenShuZuLei::LoadFrom(CTarnObjectStream& stream) {
    texts_.RemoveAll();
    int32_t count = 0;
    if (!stream.ReadInt32(count)) {
        return;
    }
    if (count < 0) {
        stream.SetError(CTarnObjectStream::kReadError);
        return;
    }
    CWString text;
    for (int32_t i = 0; i < count; ++i) {
        text.LoadFrom(stream);
        if (stream.GetError() != CTarnObjectStream::kOk) {
            return;
        }
        texts_.AddText(text.GetText());
    }
}

void rg_WenBenShuZuLei::SaveTo(CTarnObjectStream& stream) const {
    const int64_t count = GetCount();
    if (count > INT32_MAX) {
        stream.SetError(CTarnObjectStream::kWriteError);
        return;
    }
    stream.WriteInt32(static_cast<int32_t>(count));
    for (int64_t i = 0; i < count && stream.GetError() == CTarnObjectStream::kOk; ++i) {
        SaveText(stream, GetAt(i));
    }
}

} // namespace rg_tarn_base
