// rg_tarn_base::rg_WenBenShuZuLei, the text array value of the base class library.
#pragma once

#include <cstdint>

#include "runtime/ExtendedObject.h"
#include "runtime/StringArray.h"

namespace rg_tarn_base {

// A list of texts held as a value: it owns its texts (in an embedded
// CMStringArray, where an empty text is a null entry), copies copy every text,
// and equality compares the texts unit by unit. It reads and writes an object
// stream as a 32-bit count followed by each text in the stream form of
// CWString. One thread at a time.
class rg_WenBenShuZuLei : public rg_KuoZhanDuiXiangLei {
public:
    rg_WenBenShuZuLei() = default;
    // flags, extra and a copy of every text.
    rg_WenBenShuZuLei(const rg_WenBenShuZuLei& other);
    // BeforeOverwrite, then as the copy constructor.
    rg_WenBenShuZuLei& operator=(const rg_WenBenShuZuLei& other);
    ~rg_WenBenShuZuLei() override = default;

    static const ClassInfo& ClassRecord();

    CMStringArray& GetTexts() { return texts_; }
    const CMStringArray& GetTexts() const { return texts_; }
    int64_t GetCount() const { return texts_.GetCount(); }
    // The text at the 0-based index, or null for an empty one.
    const char16_t* GetAt(int64_t index) const { return texts_.GetAt(index); }
    void AddText(const char16_t* text) { texts_.AddText(text); }
    void RemoveAll() { texts_.RemoveAll(); }

    const ClassInfo& GetClassInfo() const override;
    // Class, bit 0 of flags and extra, then equal counts and, pair by pair,
    // equal texts (a null entry reads as the empty text).
    bool IsEqual(const CTarnObject& other) const override;
    rg_WenBenShuZuLei* CreateNew() const override;
    rg_WenBenShuZuLei* Clone() const override;
    bool CopyFrom(const CTarnObject& other) override;
    // No texts; flags and extra 0.
    void Reset() override;
    bool IsKindOf(const ClassInfo& info) const override;
    // Appends the array header and, for each text shown, its 1-based number
    // and quoted form. A limit of 0 shows 64 texts, a negative limit all.
    void DumpText(CWString& out, int32_t limit) const override;
    // Empties the array, then reads a 32-bit count and that many texts,
    // keeping those read before a stream error. A negative count sets the read
    // error.
    void LoadFrom(CTarnObjectStream& stream) override;
    // Writes the count and every text (a null entry as the count 0). More
    // texts than a 32-bit count holds set the write error and write nothing.
    void SaveTo(CTarnObjectStream& stream) const override;

private:
    CMStringArray texts_;
};

} // namespace rg_tarn_base
