#include "components/EventSlot.h"

CTarnEventObjectPointer::CTarnEventObjectPointer(CTarnObject* target) : target_(target) {
    InitializeCriticalSection(&guardLock_);
    InitializeCriticalSection(&dispatchLock_);
}

CTarnEventObjectPointer::~CTarnEventObjectPointer() {
    // After a detach the dispatch lock stays owned; nobody waits on it any
    // more, since every raise tries it without waiting.
    DeleteCriticalSection(&dispatchLock_);
    DeleteCriticalSection(&guardLock_);
}

const LightClassInfo& CTarnEventObjectPointer::ClassRecord() {
    static const LightClassInfo info = MakeLightClassInfo("CTarnEventObjectPointer");
    return info;
}

const LightClassInfo& CTarnEventObjectPointer::GetClassInfo() const {
    return ClassRecord();
}

bool CTarnEventObjectPointer::IsKindOf(const LightClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CRefObject::IsKindOf(info);
}

void CTarnEventObjectPointer::Detach() {
    // Waits for a handler running on another thread; on this thread the
    // lock is recursive, so a target freed by its own handler gets through.
    EnterCriticalSection(&dispatchLock_);
    target_ = nullptr;
    Release();
}

bool CTarnEventObjectPointer::BeginCall() {
    EnterCriticalSection(&guardLock_);
    if (busyCount_ == 0 && !TryEnterCriticalSection(&dispatchLock_)) {
        // Being detached on another thread.
        LeaveCriticalSection(&guardLock_);
        return false;
    }
    ++busyCount_;
    if (target_ == nullptr) {
        if (--busyCount_ == 0) {
            LeaveCriticalSection(&dispatchLock_);
        }
        LeaveCriticalSection(&guardLock_);
        return false;
    }
    LeaveCriticalSection(&guardLock_);
    return true;
}

void CTarnEventObjectPointer::EndCall() {
    EnterCriticalSection(&guardLock_);
    if (--busyCount_ == 0) {
        LeaveCriticalSection(&dispatchLock_);
    }
    LeaveCriticalSection(&guardLock_);
}

EventSlot::~EventSlot() {
    Release();
}

void EventSlot::BindErased(ErasedHandler handler, CTarnEventObjectPointer* target, int32_t tag) {
    lock_.Lock();
    CTarnEventObjectPointer* old = target_;
    tag_ = tag;
    if (target == nullptr || handler == nullptr) {
        handler_ = nullptr;
        target_ = nullptr;
    } else {
        handler_ = handler;
        if (target == old) {
            lock_.Unlock();
            return;
        }
        target_ = target;
        target->AddRef();
    }
    lock_.Unlock();
    if (old != nullptr) {
        old->Release();
    }
}

void EventSlot::Release() {
    lock_.Lock();
    CTarnEventObjectPointer* old = target_;
    target_ = nullptr;
    handler_ = nullptr;
    lock_.Unlock();
    if (old != nullptr) {
        old->Release();
    }
}

bool EventSlot::IsBound() const {
    return target_ != nullptr;
}

EventSlot::Call::Call(EventSlot& slot) {
    slot.lock_.Lock();
    handler_ = slot.handler_;
    tag_ = slot.tag_;
    pointer_ = slot.target_;
    if (pointer_ != nullptr) {
        pointer_->AddRef();
    }
    slot.lock_.Unlock();
    running_ = pointer_ != nullptr && handler_ != nullptr && pointer_->BeginCall();
}

EventSlot::Call::~Call() {
    if (running_) {
        pointer_->EndCall();
    }
    if (pointer_ != nullptr) {
        pointer_->Release();
    }
}
