#include "runtime/SmallCopy.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>

namespace {

// Every length up to the limit, to every alignment: exactly the bytes asked
// for arrive, and nothing around the target is touched.
TEST(SmallCopy, CopiesExactlyTheBytesAskedForAndNothingAround) {
    constexpr size_t kGuard = 8;
    for (size_t bytes = 0; bytes <= kSmallCopyLimit; ++bytes) {
        for (size_t offset = 0; offset < 8; ++offset) {
            SCOPED_TRACE(std::to_string(bytes) + " bytes at offset " + std::to_string(offset));
            std::array<unsigned char, kSmallCopyLimit + 8> source{};
            for (size_t i = 0; i < source.size(); ++i) {
                source[i] = static_cast<unsigned char>(i + 1);
            }
            std::array<unsigned char, kGuard + kSmallCopyLimit + 8 + kGuard> target{};
            target.fill(0xEE);
            CopySmall(target.data() + kGuard + offset, source.data() + offset, bytes);
            for (size_t i = 0; i < target.size(); ++i) {
                const bool copied = i >= kGuard + offset && i < kGuard + offset + bytes;
                const unsigned char want =
                    copied ? source[i - kGuard] : static_cast<unsigned char>(0xEE);
                ASSERT_EQ(target[i], want) << "target byte " << i;
            }
        }
    }
}

} // namespace
