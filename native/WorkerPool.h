// CTarnWorkerPool: the runtime's pool of worker threads, with its idle upkeep and stop.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/TarnMem.h"

// One worker of the pool. What a worker runs is its own affair; the pool
// relies only on its lock, its state and last-activity tick (both read under
// the lock) and Retire, which ends and releases the worker: the pool never
// touches a worker after retiring it.
class CTarnWorker {
public:
    static constexpr int32_t kEnded = 0;
    static constexpr int32_t kIdle = 2;

    CTarnWorker();
    virtual ~CTarnWorker();
    virtual void Retire() = 0;
    CTarnWorker(const CTarnWorker&) = delete;
    CTarnWorker& operator=(const CTarnWorker&) = delete;

    // Sets state and tick together under the worker's lock.
    void SetState(int32_t state, uint32_t lastActivity);
    // Reads both under the worker's lock.
    void GetState(int32_t* state, uint32_t* lastActivity);

private:
    CRITICAL_SECTION lock_;
    int32_t state_ = kIdle;
    uint32_t lastActivity_ = 0;
};

// The process's worker list with its upkeep rules. Workers are retired when
// they ended, when they stayed idle for the idle limit, or when more idle
// workers wait than the pool keeps; the walk runs at most once per check
// interval. Retire calls happen outside the pool's lock, so a worker may
// take locks of its own there.
//
// The pool does not own workers beyond handing each to Retire once. Thread
// rules: every operation may be called from any thread.
class CTarnWorkerPool {
public:
    static constexpr uint32_t kCheckInterval = 1000;
    static constexpr uint32_t kIdleLimit = 16000;

    CTarnWorkerPool();
    // Stops the pool (retiring every worker still listed).
    ~CTarnWorkerPool();
    CTarnWorkerPool(const CTarnWorkerPool&) = delete;
    CTarnWorkerPool& operator=(const CTarnWorkerPool&) = delete;

    // Lists a worker (the pool is running from then on).
    void Add(CTarnWorker* worker);
    // The idle upkeep at the tick count now (GetTickCount when not given).
    void IdleMaintenance();
    void IdleMaintenanceAt(uint32_t now);
    // Takes every worker off the list and retires them; marks the pool stopped.
    void Stop();

    int64_t GetWorkerCount();
    bool IsStopped();
    uint32_t GetLastCheckTime();
    // 2 x processors + 2.
    int64_t GetMaxIdleWorkers() const { return maxIdle_; }

private:
    CTarnWorker* WorkerAt(int64_t index) const;
    // Moves the worker at index to the end of retire and closes the gap.
    void MoveToRetire(int64_t index, CTarnMem& retire);
    static void RetireAll(const CTarnMem& retire);

    CRITICAL_SECTION lock_;
    int64_t maxIdle_;
    int32_t stopped_ = 1;
    uint32_t lastCheck_ = 0;
    // Pointers to the listed workers, in the order they were added.
    CTarnMem workers_;
};
