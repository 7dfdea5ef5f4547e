// Helpers shared by the runtime tests: pool balance checks and byte views of texts and streams.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/ObjectStream.h"
#include "runtime/PoolMem.h"
#include "runtime/WString.h"

namespace runtime_test {

// Checks at the end of its scope that as many blocks are free in the process
// pool as at its start: every pooled allocation made inside was given back.
class PoolBalance {
public:
    PoolBalance() : free_at_start_(ProcessMemPool().FreeBlockCount()) {}
    ~PoolBalance() {
        EXPECT_EQ(ProcessMemPool().FreeBlockCount(), free_at_start_) << "pool blocks leaked";
    }
    PoolBalance(const PoolBalance&) = delete;
    PoolBalance& operator=(const PoolBalance&) = delete;

private:
    int64_t free_at_start_;
};

inline std::u16string Value(const CWString& text) {
    return std::u16string(text.GetText());
}

inline std::vector<uint8_t> Bytes(const CTarnMemoryStream& stream) {
    return std::vector<uint8_t>(stream.GetData(), stream.GetData() + stream.GetSize());
}

inline std::vector<uint8_t> Bytes(const CTarnMem& buffer) {
    return std::vector<uint8_t>(buffer.GetData(), buffer.GetData() + buffer.GetSize());
}

// A stream over the given bytes, ready to be read.
inline CTarnMemoryStream StreamOf(const std::vector<uint8_t>& bytes) {
    return CTarnMemoryStream(bytes.data(), static_cast<int64_t>(bytes.size()));
}

} // namespace runtime_test
