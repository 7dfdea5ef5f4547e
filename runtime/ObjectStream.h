// Object streams: the byte channel that LoadFrom and SaveTo use, and a memory-backed stream.
#pragma once

#include <cstdint>

#include "runtime/TarnMem.h"

// The stream interface of the object protocol. Reads and writes are all or
// nothing and keep a sticky error state: 0 while all went well, -3 after a
// failed or short read or a negative length, -4 after a failed write. Once the
// state is not 0, reads and writes do nothing and return false. Counts travel
// as 32-bit little-endian integers.
//
// A stream is used by one thread at a time. Derived classes supply the medium.
class CTarnObjectStream {
public:
    static constexpr int32_t kOk = 0;
    static constexpr int32_t kReadError = -3;
    static constexpr int32_t kWriteError = -4;

    CTarnObjectStream() = default;
    virtual ~CTarnObjectStream() = default;
    CTarnObjectStream(const CTarnObjectStream&) = delete;
    CTarnObjectStream& operator=(const CTarnObjectStream&) = delete;

    // True only if all n bytes were read into area, asking the medium as
    // often as it answers with part of them; n of 0 reads nothing and
    // succeeds.
    bool ReadBytes(void* area, int64_t n);
    // True only if all n bytes of area were written.
    bool WriteBytes(const void* area, int64_t n);
    bool ReadInt32(int32_t& value);
    bool WriteInt32(int32_t value);
    // Writes count (>= 0) as a signed 32-bit count, then count bytes of bytes;
    // true only if both were written. A count above INT32_MAX sets the write
    // error and writes nothing.
    bool WriteCounted(const void* bytes, int64_t count);

    int32_t GetError() const { return error_; }
    // Records a failure; the first one recorded stays.
    void SetError(int32_t error);

protected:
    // Reads up to n bytes (n >= 1) and returns how many were read; 0 when the
    // medium has no more.
    virtual int64_t ReadSome(void* area, int64_t n) = 0;
    // Writes all n bytes (n >= 1) or reports false.
    virtual bool WriteAll(const void* area, int64_t n) = 0;

private:
    int32_t error_ = kOk;
};

// A stream over bytes in memory: writes append to its contents, reads consume
// them from the front. An optional limit bounds the contents, so that a write
// beyond it fails as a full medium would. Owns its bytes.
class CTarnMemoryStream : public CTarnObjectStream {
public:
    // An empty stream, ready to be written; a negative limit means none.
    explicit CTarnMemoryStream(int64_t limit = -1);
    // A stream holding a copy of n bytes, ready to be read.
    CTarnMemoryStream(const void* bytes, int64_t n);

    const uint8_t* GetData() const { return bytes_.GetData(); }
    int64_t GetSize() const { return bytes_.GetSize(); }
    // Bytes read so far.
    int64_t GetPosition() const { return position_; }

protected:
    int64_t ReadSome(void* area, int64_t n) override;
    bool WriteAll(const void* area, int64_t n) override;

private:
    CTarnMem bytes_;
    int64_t position_ = 0;
    int64_t limit_ = -1;
};
