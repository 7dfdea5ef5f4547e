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

void CSpinLock::WaitAndLock() {
    // The first decrement missed: the lock is held. Wait until the holder
    // stores 1, then decrement again; landing on 0 takes it.
    do {
        while (word_.load(std::memory_order_relaxed) <= 0) {
            Pause();
        }
    } while (word_.fetch_sub(1, std::memory_order_acquire) != 1);
}
