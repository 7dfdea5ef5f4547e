// CriticalSectionScope: holds a critical section for the lifetime of a scope.
#pragma once

#include <windows.h>

// Enters the critical section at construction and leaves it on every way out
// of the scope. The section must outlive the scope; any thread.
class CriticalSectionScope {
public:
    explicit CriticalSectionScope(CRITICAL_SECTION& lock) : lock_(lock) {
        EnterCriticalSection(&lock_);
    }
    ~CriticalSectionScope() { LeaveCriticalSection(&lock_); }
    CriticalSectionScope(const CriticalSectionScope&) = delete;
    CriticalSectionScope& operator=(const CriticalSectionScope&) = delete;

private:
    CRITICAL_SECTION& lock_;
};
