// CMStringArray, the light list of owned UTF-16 texts, and SplitText, which fills one.
#pragma once

#include <cstdint>

#include "runtime/TarnMem.h"

// A list of zero-terminated UTF-16 texts that the list owns, each in its own
// block from the list's Alloc. An empty text is always held as a null entry,
// never as an allocated zero unit, so GetAt gives null for it. Copies copy
// every text into new blocks.
//
// The list is a light object: it carries a LightClassInfo and answers only
// GetClassInfo and IsKindOf beyond the memory operations. The entries are kept
// in a byte buffer with a growth step of 256 bytes. No lock: one thread at a
// time.
class CMStringArray final : public CTarnCommonBaseWithMemManager {
public:
    static constexpr int64_t kGrowStep = 256;

    CMStringArray();
    CMStringArray(const CMStringArray& other);
    CMStringArray& operator=(const CMStringArray& other);
    ~CMStringArray();

    static const LightClassInfo& ClassRecord();

    virtual const LightClassInfo& GetClassInfo() const;
    // True if info denotes CMStringArray.
    virtual bool IsKindOf(const LightClassInfo& info) const;

    int64_t GetCount() const;
    // The text at the 0-based index (below GetCount()), or null for an empty
    // entry.
    const char16_t* GetAt(int64_t index) const;
    // Appends a copy of the zero-terminated text (2n + 2 bytes for n units); a
    // null or empty text appends a null entry.
    void AddText(const char16_t* text);
    // Appends a text made of count units copied from units and a terminator;
    // a null units or a count below 1 appends a null entry. The units must not contain a zero
    // unit.
    void AddChars(const char16_t* units, int64_t count);
    // Gives every text block back, then the entries' storage.
    void RemoveAll();

private:
    // Copies other's texts into new blocks behind the ones held.
    void AppendCopies(const CMStringArray& other);

    CTarnMem items_;
};

// Fills list with the pieces of text between the units of delimiters (each
// unit of that zero-terminated text is a delimiter) and returns their count.
// The list is emptied first. Each piece is trimmed of leading and trailing
// units at or below U+0020 and of U+3000, the ideographic space; a piece left
// empty is a null entry. A delimiter at the very end adds one more null entry;
// an empty or null text gives no piece at all. Null delimiters split nowhere.
int64_t SplitText(const char16_t* text, CMStringArray& list, const char16_t* delimiters);
