// UTF-16 text values: CWString and the literal-bound CWConstString.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "runtime/SmallCopy.h"
#include "runtime/TarnMem.h"
#include "runtime/TextFormat.h"

// The runtime's text value: UTF-16 units without any surrogate handling.
// The value is, in this order: the constant text when one is bound, the empty
// text when the buffer's size is 0, otherwise the buffer's units. The buffer
// holds the units followed by exactly one terminating zero unit counted in its
// size (its growth step is 254 bytes, so texts of up to 125 units fit one pool
// block). GetText never gives null and the shared empty value is never written.
//
// A bound constant text is never written or freed by the text; the first
// modification copies it into the buffer (DetachConst). Copies copy the value
// (a copy of a constant text shares the literal). A text has no lock: one
// thread at a time.
class CWString : public CTarnObject {
public:
    static constexpr int64_t kGrowStep = 254;

    CWString();
    // The decimal text of value.
    explicit CWString(int32_t value);
    // A copy of a zero-terminated text; null or empty gives the empty text.
    explicit CWString(const char16_t* text);
    CWString(std::nullptr_t) = delete;
    // A unit would otherwise become the decimal text of its code.
    explicit CWString(char16_t unit) = delete;
    // flags, extra, the constant text and a copy of the buffer's content.
    CWString(const CWString& other);
    // BeforeOverwrite, then as the copy constructor.
    CWString& operator=(const CWString& other);
    ~CWString() override = default;

    static const ClassInfo& ClassRecord();

    // The zero-terminated value.
    const char16_t* GetText() const;
    // Units of the value before its first zero unit.
    int64_t GetLength() const;
    bool IsEmpty() const { return GetText()[0] == 0; }
    // True while a constant text is bound.
    bool IsConst() const { return const_text_ != nullptr; }
    const CTarnMem& GetBuffer() const { return buffer_; }

    // Unbinds the constant and gives the storage back: the empty text.
    void SetEmpty();
    void SetInt(int32_t value);
    void SetInt64(int64_t value);
    // count units copied from units (zero units when units is null) and a
    // terminator; a count below 1 gives the empty text.
    void SetChars(const char16_t* units, int64_t count);
    // Replaces the value by the formatted text (the conversions are listed at
    // FormatText). A failed format, or one producing no units, leaves the text
    // empty; returns false when the format failed.
    bool Format(const char16_t* format, std::initializer_list<FormatArg> args = {});

    // Copies a bound constant text with its terminator into the buffer and
    // unbinds it; returns the buffer.
    CTarnMem& DetachConst();
    // Appends a zero-terminated text; null or empty changes nothing (and does
    // not detach a constant).
    void Append(const char16_t* text) {
        // Most appends are short pieces added to an owned text with room
        // behind its terminator: the piece is measured, then copied with its
        // own terminator in a few fixed-size moves. A piece lying in this
        // text's own storage, a longer one, or one running out of room takes
        // the general path instead.
        const int64_t size = buffer_.GetSize();
        if (text != nullptr && const_text_ == nullptr && size >= 2 && !InStorage(text)) {
            auto* units = reinterpret_cast<char16_t*>(buffer_.GetData());
            char16_t* const terminator = units + size / 2 - 1;
            int64_t count = 0;
            while (count < kShortPiece && text[count] != 0) {
                ++count;
            }
            if (*terminator == 0 && count < kShortPiece &&
                buffer_.GetCapacity() - size >= count * 2) {
                CopySmall(terminator, text, static_cast<size_t>(count + 1) * 2);
                buffer_.Extend(count * 2);
                return;
            }
        }
        AppendSlow(text);
    }
    // Appends count units (null units or a count below 1 change nothing); they
    // may lie in this text itself.
    void AppendChars(const char16_t* units, int64_t count);
    // Appends one unit; the zero unit changes nothing.
    void AppendChar(char16_t unit);
    // Appends the UTF-8 text converted to UTF-16 (see Utf8ToUtf16 for how
    // ill-formed input is treated); null or empty changes nothing.
    void AppendUtf8(const char* text);
    // Appends the formatted text; a failed format appends nothing and gives false.
    bool AppendFormat(const char16_t* format, std::initializer_list<FormatArg> args = {});

    // first followed by second: a copy of second when first is empty, a copy
    // of first when second is empty, otherwise a new text of both sets of units.
    static CWString Concat(const CWString& first, const CWString& second);
    // A new text of the value of text followed by units; a copy of text when
    // units is null or empty.
    static CWString Concat(const CWString& text, const char16_t* units);

    const ClassInfo& GetClassInfo() const override;
    // Class, bit 0 of flags and extra, then the values unit by unit up to and
    // including the first terminator.
    bool IsEqual(const CTarnObject& other) const override;
    CWString* CreateNew() const override;
    CWString* Clone() const override;
    bool CopyFrom(const CTarnObject& other) override;
    // The empty text, with the storage kept; flags and extra 0.
    void Reset() override;
    bool IsKindOf(const ClassInfo& info) const override;
    // Makes out hold this value; nothing happens when out already yields the
    // same value pointer. The limit is not used.
    void DumpText(CWString& out, int32_t limit) const override;
    // Reads a byte count and that many bytes: the units and the terminator.
    // Only a count of 0, or an even count of at least 2 whose last unit is
    // zero, makes a text; anything else, like a negative count or a short
    // read, leaves the text empty with the stream's read error set.
    void LoadFrom(CTarnObjectStream& stream) override;
    // Writes the byte count and the units with the terminator (a constant text
    // as if detached); a text without storage writes the count 0.
    void SaveTo(CTarnObjectStream& stream) const override;

protected:
    // Binds literal, which must live for the whole run, as the constant text.
    void BindConst(const char16_t* literal);

private:
    // Detaches a constant, drops the trailing terminator and returns the buffer.
    CTarnMem& DropTerminator();
    // As DropTerminator, then grows the buffer by n units and a new
    // terminator, and returns the n units to fill.
    char16_t* ExtendUnits(int64_t n);
    // The units of the value as the buffer or literal holds them, terminator
    // excluded (they may contain zero units).
    int64_t HeldUnits(const char16_t*& units) const;
    // Append for every case the inline part leaves.
    void AppendSlow(const char16_t* text);
    // The longest piece, terminator included, that Append copies inline.
    static constexpr int64_t kShortPiece = 8;
    static_assert(kShortPiece * 2 <= kSmallCopyLimit);
    // True when units point into the buffer's storage.
    bool InStorage(const char16_t* units) const {
        // Compared as addresses: units usually point elsewhere.
        const auto address = reinterpret_cast<uintptr_t>(units);
        const auto start = reinterpret_cast<uintptr_t>(buffer_.GetData());
        return address >= start && address - start < static_cast<uintptr_t>(buffer_.GetCapacity());
    }
    // True when Concat treats the text as empty.
    bool IsEmptyForConcat() const;

    const char16_t* const_text_ = nullptr;
    CTarnMem buffer_;
};

// A text bound without copying to a zero-terminated literal in static storage,
// which must live for the whole run. It costs no allocation until it is
// modified; then it becomes an ordinary owned text of the same class. It is a
// kind of CWConstString, CWString and CTarnObject, and takes copies only from
// other constant texts.
class CWConstString : public CWString {
public:
    CWConstString() = default;
    explicit CWConstString(const char16_t* literal);
    CWConstString(const CWConstString& other) = default;
    CWConstString& operator=(const CWConstString& other) = default;
    ~CWConstString() override = default;

    static const ClassInfo& ClassRecord();

    const ClassInfo& GetClassInfo() const override;
    CWConstString* CreateNew() const override;
    CWConstString* Clone() const override;
    bool IsKindOf(const ClassInfo& info) const override;
};
