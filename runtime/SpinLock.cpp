#include "runtime/SpinLock.h"

#include <thread>

#if defined(__x86_64__) || defined(_M_X64)
#include <immintrin.h>
#endif

namespace {

void Pause() {
#if defined(__x86_64__) || defined(_M_X64)
    _mm_pause();
#else
    std::this_thread::yield();
#endif
}

} // namespace

void CSpinLock::Lock() {
    // A decrement that lands on 0 takes the lock; any other result means it is
    // held, so wait until the holder stores 1 and try again.
    while (word_.fetch_sub(1, std::memory_order_acquire) - 1 != 0) {
        while (word_.load(std::memory_order_relaxed) <= 0) {
            Pause();
        }
    }
}
