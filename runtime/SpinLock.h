// CSpinLock: the runtime's one spin lock, a 64-bit word (1 free, 0 or below held).
#pragma once

#include <atomic>
#include <cstdint>

// A lock for a few reads and writes, never held across a call that may block
// or call out. Taking it decrements the word: landing on 0 takes it; any other
// result means someone holds it, so the taker waits with the processor's pause
// hint until the word turns positive and tries again. Giving it back stores 1.
//
// Not recursive; not fair. Usable from any thread; the word is the whole
// state, so the lock may be embedded in any object (the memory pool, each
// event slot).
class CSpinLock {
public:
    CSpinLock() = default;
    CSpinLock(const CSpinLock&) = delete;
    CSpinLock& operator=(const CSpinLock&) = delete;

    // The uncontended case stays inline: the pool takes the lock on every
    // small allocation.
    void Lock() {
        if (word_.fetch_sub(1, std::memory_order_acquire) != 1) {
            WaitAndLock();
        }
    }
    void Unlock() { word_.store(1, std::memory_order_release); }

    // The raw word: 1 when free.
    int64_t Word() const { return word_.load(std::memory_order_relaxed); }

private:
    // Waits for the holder to give the lock back, then takes it.
    void WaitAndLock();

    std::atomic<int64_t> word_{1};
};

// Holds a spin lock for the lifetime of the scope.
class CSpinLockGuard {
public:
    explicit CSpinLockGuard(CSpinLock& lock) : lock_(lock) { lock_.Lock(); }
    ~CSpinLockGuard() { lock_.Unlock(); }
    CSpinLockGuard(const CSpinLockGuard&) = delete;
    CSpinLockGuard& operator=(const CSpinLockGuard&) = delete;

private:
    CSpinLock& lock_;
};
