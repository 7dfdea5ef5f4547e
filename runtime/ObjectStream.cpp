#include "runtime/ObjectStream.h"

#include <cstring>

bool CTarnObjectStream::ReadBytes(void* area, int64_t n) {
    if (error_ != kOk) {
        return false;
    }
    if (n < 0) {
        error_ = kReadError;
        return false;
    }
    if (n == 0) {
        return true;
    }
    // A medium may answer in pieces, as a pipe does: keep asking until all n
    // bytes are there or it has nothing more to give.
    auto* target = static_cast<uint8_t*>(area);
    int64_t done = 0;
    while (done < n) {
        const int64_t got = ReadSome(target + done, n - done);
        if (got <= 0 || got > n - done) {
            error_ = kReadError;
            return false;
        }
        done += got;
    }
    return true;
}

bool CTarnObjectStream::WriteBytes(const void* area, int64_t n) {
    if (error_ != kOk) {
        return false;
    }
    if (n < 0) {
        error_ = kReadError;
        return false;
    }
    if (n == 0) {
        return true;
    }
    if (!WriteAll(area, n)) {
        error_ = kWriteError;
        return false;
    }
    return true;
}

bool CTarnObjectStream::ReadInt32(int32_t& value) {
    uint8_t bytes[4];
    if (!ReadBytes(bytes, 4)) {
        return false;
    }
    const uint32_t bits = uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
                          uint32_t{bytes[3]} << 24;
    value = static_cast<int32_t>(bits);
    return true;
}

bool CTarnObjectStream::WriteInt32(int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    const uint8_t bytes[4] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                              static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
    return WriteBytes(bytes, 4);
}

bool CTarnObjectStream::WriteCounted(const void* bytes, int64_t count) {
    if (count > INT32_MAX) {
        SetError(kWriteError);
        return false;
    }
    return WriteInt32(static_cast<int32_t>(count)) && WriteBytes(bytes, count);
}

void CTarnObjectStream::SetError(int32_t error) {
    if (error_ == kOk) {
        error_ = error;
    }
}

CTarnMemoryStream::CTarnMemoryStream(int64_t limit) : limit_(limit) {}

CTarnMemoryStream::CTarnMemoryStream(const void* bytes, int64_t n) {
    bytes_.AppendBytes(bytes, n);
}

int64_t CTarnMemoryStream::ReadSome(void* area, int64_t n) {
    const int64_t available = bytes_.GetSize() - position_;
    const int64_t count = n < available ? n : available;
    if (count > 0) {
        std::memcpy(area, bytes_.GetData() + position_, static_cast<size_t>(count));
        position_ += count;
    }
    return count;
}

bool CTarnMemoryStream::WriteAll(const void* area, int64_t n) {
    if (limit_ >= 0 && n > limit_ - bytes_.GetSize()) {
        return false;
    }
    bytes_.AppendBytes(area, n);
    return true;
}
