#include "native/WorkerPool.h"

#include <cstring>

#include "native/CriticalSectionScope.h"

namespace {

constexpr int64_t kListGrowStep = 256;
constexpr int64_t kPointer = static_cast<int64_t>(sizeof(CTarnWorker*));

int64_t ProcessorCount() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return static_cast<int64_t>(info.dwNumberOfProcessors);
}

} // namespace

CTarnWorker::CTarnWorker() {
    InitializeCriticalSection(&lock_);
}

CTarnWorker::~CTarnWorker() {
    DeleteCriticalSection(&lock_);
}

void CTarnWorker::SetState(int32_t state, uint32_t lastActivity) {
    CriticalSectionScope scope(lock_);
    state_ = state;
    lastActivity_ = lastActivity;
}

void CTarnWorker::GetState(int32_t* state, uint32_t* lastActivity) {
    CriticalSectionScope scope(lock_);
    *state = state_;
    *lastActivity = lastActivity_;
}

CTarnWorkerPool::CTarnWorkerPool() : maxIdle_(2 * ProcessorCount() + 2) {
    InitializeCriticalSection(&lock_);
    workers_.SetGrowStep(kListGrowStep);
}

CTarnWorkerPool::~CTarnWorkerPool() {
    Stop();
    DeleteCriticalSection(&lock_);
}

void CTarnWorkerPool::Add(CTarnWorker* worker) {
    CriticalSectionScope scope(lock_);
    workers_.AppendBytes(&worker, kPointer);
    stopped_ = 0;
}

CTarnWorker* CTarnWorkerPool::WorkerAt(int64_t index) const {
    CTarnWorker* worker = nullptr;
    std::memcpy(&worker, workers_.GetData() + index * kPointer, kPointer);
    return worker;
}

void CTarnWorkerPool::MoveToRetire(int64_t index, CTarnMem& retire) {
    CTarnWorker* worker = WorkerAt(index);
    retire.AppendBytes(&worker, kPointer);
    workers_.Remove(index * kPointer, kPointer);
}

void CTarnWorkerPool::RetireAll(const CTarnMem& retire) {
    const int64_t count = retire.GetSize() / kPointer;
    for (int64_t i = 0; i < count; ++i) {
        CTarnWorker* worker = nullptr;
        std::memcpy(&worker, retire.GetData() + i * kPointer, kPointer);
        worker->Retire();
    }
}

void CTarnWorkerPool::IdleMaintenance() {
    IdleMaintenanceAt(GetTickCount());
}

void CTarnWorkerPool::IdleMaintenanceAt(uint32_t now) {
    CTarnMem retire;
    retire.SetGrowStep(kListGrowStep);
    {
        CriticalSectionScope scope(lock_);
        // A wrapped tick counter counts as "time to check".
        if (now >= lastCheck_ && now - lastCheck_ < kCheckInterval) {
            return;
        }
        lastCheck_ = now;

        int64_t idle = 0;
        for (int64_t i = workers_.GetSize() / kPointer - 1; i >= 0; --i) {
            int32_t state = 0;
            uint32_t lastActivity = 0;
            WorkerAt(i)->GetState(&state, &lastActivity);
            if (state == CTarnWorker::kIdle) {
                if (now >= lastActivity && now - lastActivity < kIdleLimit) {
                    ++idle;
                } else {
                    MoveToRetire(i, retire);
                }
            } else if (state == CTarnWorker::kEnded) {
                MoveToRetire(i, retire);
            }
        }
        // Too many idle workers wait: retire the surplus, newest first.
        for (int64_t i = workers_.GetSize() / kPointer - 1; i >= 0 && idle > maxIdle_; --i) {
            int32_t state = 0;
            uint32_t lastActivity = 0;
            WorkerAt(i)->GetState(&state, &lastActivity);
            if (state == CTarnWorker::kIdle) {
                MoveToRetire(i, retire);
                --idle;
            }
        }
    }
    RetireAll(retire);
}

void CTarnWorkerPool::Stop() {
    CTarnMem taken;
    taken.SetGrowStep(kListGrowStep);
    {
        CriticalSectionScope scope(lock_);
        stopped_ = 1;
        lastCheck_ = 0;
        workers_.SwapStorage(taken);
    }
    RetireAll(taken);
}

int64_t CTarnWorkerPool::GetWorkerCount() {
    CriticalSectionScope scope(lock_);
    return workers_.GetSize() / kPointer;
}

bool CTarnWorkerPool::IsStopped() {
    CriticalSectionScope scope(lock_);
    return stopped_ != 0;
}

uint32_t CTarnWorkerPool::GetLastCheckTime() {
    CriticalSectionScope scope(lock_);
    return lastCheck_;
}
