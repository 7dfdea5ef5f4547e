// CTarnMem: the runtime's growable byte buffer.
#pragma once

#include <cassert>
#include <cstdint>
#include <cstring>

#include "runtime/TarnObject.h"

// A growable byte buffer: the byte-set value and the storage inside texts and
// lists. It owns its storage, which comes from and returns to the buffer's own
// memory operations (the pool). Data is null exactly when the capacity is 0,
// and the size never exceeds the capacity.
//
// Capacity is measured out in growth steps (64 unless the owner sets another;
// a step below 1 counts as 64): a wanted size n gets the capacity
// n - n % step + step. The storage is reallocated only when the size leaves
// the band between capacity minus one step and the capacity, so it grows ahead
// of appends and shrinks when more than one step would stay spare.
//
// Copies copy the bytes. A buffer has no lock: one thread at a time.
class CTarnMem : public CTarnObject {
public:
    static constexpr int64_t kDefaultGrowStep = 64;

    CTarnMem() = default;
    // flags, extra and the bytes; the growth step is the default one.
    CTarnMem(const CTarnMem& other);
    CTarnMem& operator=(const CTarnMem& other);
    ~CTarnMem() override;

    static const ClassInfo& ClassRecord();

    uint8_t* GetData() { return data_; }
    const uint8_t* GetData() const { return data_; }
    int64_t GetSize() const { return size_; }
    int64_t GetCapacity() const { return capacity_; }
    int64_t GetGrowStep() const { return grow_step_; }
    void SetGrowStep(int64_t step) { grow_step_ = step; }

    // Makes the size n, keeping the first min(size, n) bytes, and returns the
    // data. Size 0 gives the storage back; a negative n changes nothing.
    uint8_t* SetSize(int64_t n);
    // For a buffer without storage: allocates for n bytes and sets the size to
    // n (n below 1 allocates nothing and gives null); otherwise SetSize(n).
    uint8_t* AllocSize(int64_t n);
    // Gives the storage back: data null, capacity 0, size 0.
    void Clear();
    // Appends n bytes from area (zero bytes when area is null); n below 1 does
    // nothing. area may lie inside this buffer.
    void AppendBytes(const void* area, int64_t n) {
        // Written in place while the capacity lasts: the storage stays where
        // it is, so a source inside it stays valid.
        const int64_t at = size_;
        if (n >= 1 && area != nullptr && capacity_ - at >= n) {
            // The size is stored before the copy, which may write over
            // anything as far as the compiler knows, so nothing is read back.
            size_ = at + n;
            std::memmove(data_ + at, area, static_cast<size_t>(n));
            return;
        }
        AppendGrowing(area, n);
    }
    // As AppendBytes(area, n), then zeros (>= 0) zero bytes, in one growth of
    // the buffer; n below 1 does nothing. area may lie inside this buffer.
    void AppendBytesThenZeros(const void* area, int64_t n, int64_t zeros);
    // Appends a zero-terminated UTF-16 text without its terminator; null or
    // empty does nothing.
    void AppendUnits(const char16_t* text);
    // Appends a zero-terminated UTF-16 text with its terminator; null or empty
    // appends a single zero unit.
    void AppendUnitsZ(const char16_t* text);
    // Removes count bytes at offset. A negative offset removes count bytes from
    // the end; an offset at or beyond the size removes nothing. A buffer that
    // becomes empty gives its storage back.
    void Remove(int64_t offset, int64_t count);
    // Takes flags, extra and the bytes of other, reusing this storage when it
    // is large enough; a source of size 0 leaves size 0 with the storage kept.
    void Assign(const CTarnMem& other);

    // Grows the size by n bytes (n >= 0), in place while the capacity lasts,
    // and returns the first of the new, uninitialised bytes.
    uint8_t* Extend(int64_t n) {
        assert(n >= 0 && "negative extension");
        if (capacity_ - size_ >= n) {
            uint8_t* end = data_ + size_;
            size_ += n;
            return end;
        }
        return ExtendStorage(n);
    }
    // Shortens the size to n (0 <= n <= size) without touching the storage.
    void Truncate(int64_t n);
    // Exchanges the storage (data, capacity, size) with other's; flags, extra
    // and growth steps stay with their buffers.
    void SwapStorage(CTarnMem& other);

    const ClassInfo& GetClassInfo() const override;
    // Class, bit 0 of flags and extra, then equal sizes and bytes.
    bool IsEqual(const CTarnObject& other) const override;
    CTarnMem* CreateNew() const override;
    CTarnMem* Clone() const override;
    bool CopyFrom(const CTarnObject& other) override;
    // Size 0 with the storage kept; flags and extra 0.
    void Reset() override;
    bool IsKindOf(const ClassInfo& info) const override;
    // Appends the byte-set dump: a header with the byte count, then lines of
    // 16 bytes in hexadecimal with their offset and a character column. A limit
    // of 0 shows 1024 bytes, a negative limit every byte.
    void DumpText(CWString& out, int32_t limit) const override;
    // Reads a signed 32-bit count and that many bytes. A negative count sets
    // the read error and leaves the buffer unchanged; a count of 0 gives the
    // storage back. The buffer grows only as bytes arrive, so a count larger
    // than the stream ends with the read error and the storage given back,
    // without the claimed size ever being allocated.
    void LoadFrom(CTarnObjectStream& stream) override;
    // Writes the size as a signed 32-bit count, then the bytes. A buffer too
    // large for the count sets the write error and writes nothing.
    void SaveTo(CTarnObjectStream& stream) const override;

private:
    // The growth step in force: the set one, or the default below 1.
    int64_t Step() const;
    // The capacity for a wanted size n >= 1; ends the process when n is beyond
    // any possible allocation.
    int64_t CapacityFor(int64_t n) const;
    // Extend for n bytes beyond the capacity: grows the storage by the rule.
    uint8_t* ExtendStorage(int64_t n);
    // AppendBytes for every case but bytes that fit in place.
    void AppendGrowing(const void* area, int64_t n);

    uint8_t* data_ = nullptr;
    int64_t capacity_ = 0;
    int64_t size_ = 0;
    int64_t grow_step_ = kDefaultGrowStep;
};
