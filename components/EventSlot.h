// EventSlot and CTarnEventObjectPointer: binding handlers to targets and raising component events.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/RefObject.h"
#include "runtime/SpinLock.h"

// The counted pointer through which events reach their target object. The
// target makes it once, when it is constructed (count 1, which the target
// keeps), and detaches it when its destruction begins, before its members go.
// Event slots hold further references; the pointer lives until the last one
// goes, and every raise after the detach returns 0 without calling.
//
// Locks: the guard lock protects the busy count and the hand-over of the
// dispatch lock; the dispatch lock is held while at least one handler call is
// in progress and is taken for good by Detach, which therefore waits for a
// handler running on another thread (both are recursive, so a target
// destroyed inside its own handler on the same thread does not block).
// Raises are made on the GUI thread; Detach may come from any thread.
class CTarnEventObjectPointer : public CRefObject {
public:
    explicit CTarnEventObjectPointer(CTarnObject* target);
    ~CTarnEventObjectPointer() override;

    static const LightClassInfo& ClassRecord();
    const LightClassInfo& GetClassInfo() const override;
    bool IsKindOf(const LightClassInfo& info) const override;

    // Waits for handler calls in progress on other threads, clears the
    // target for good and gives up the target's own reference. Call once.
    void Detach();

    // The target, or null once detached.
    CTarnObject* GetTarget() const { return target_; }
    // Handler calls in progress through this pointer.
    int64_t GetBusyCount() const { return busyCount_; }

    // Starts a handler call: false (and nothing to undo) when the target is
    // detached or being detached on another thread.
    bool BeginCall();
    // Ends a call that BeginCall started.
    void EndCall();

private:
    int64_t busyCount_ = 0;
    CRITICAL_SECTION guardLock_;
    CRITICAL_SECTION dispatchLock_;
    CTarnObject* target_;
};

// One event of a component: a handler, the pointer to its target and a tag,
// guarded by the runtime's spin lock. The handler is kept without its type
// here; TEventSlot below gives each event its argument list. The lock is held
// for the field reads and writes only, never during a handler call.
//
// A binding belongs to the object that holds the slot: a copied slot starts
// unbound, and assigning one slot to another leaves the binding as it was. So
// a component's own copy constructor and assignment can be the defaults: a
// copy shares the window and never the handlers.
class EventSlot {
public:
    using ErasedHandler = void (*)();

    EventSlot() = default;
    ~EventSlot();
    EventSlot(const EventSlot&) {}
    EventSlot& operator=(const EventSlot&) { return *this; }

    // Null handler or target unbinds (the tag is kept). Rebinding to the
    // target held already changes no reference count.
    void BindErased(ErasedHandler handler, CTarnEventObjectPointer* target, int32_t tag);
    // Unbinds and releases the target.
    void Release();

    bool IsBound() const;
    CTarnEventObjectPointer* GetTarget() const { return target_; }
    int32_t GetTag() const { return tag_; }

protected:
    // A raise in progress: the fields copied under the lock and, when a
    // handler may run, the pointer's call begun. Ends the call and releases
    // the reference in its destructor.
    class Call {
    public:
        explicit Call(EventSlot& slot);
        ~Call();
        Call(const Call&) = delete;
        Call& operator=(const Call&) = delete;

        bool CanRun() const { return running_; }
        ErasedHandler Handler() const { return handler_; }
        CTarnObject* Target() const { return pointer_->GetTarget(); }
        int32_t Tag() const { return tag_; }

    private:
        ErasedHandler handler_ = nullptr;
        CTarnEventObjectPointer* pointer_ = nullptr;
        int32_t tag_ = 0;
        bool running_ = false;
    };

private:
    CSpinLock lock_;
    ErasedHandler handler_ = nullptr;
    CTarnEventObjectPointer* target_ = nullptr;
    int32_t tag_ = 0;
};

// An event whose handlers take (target, component, tag, Args...) and return
// a signed 32-bit result. A component declares one per event:
//     TEventSlot<int32_t, int32_t, int32_t> LeftButtonDown;
// binds it with Bind and raises it with Raise(this, args...).
template <typename... Args> class TEventSlot : public EventSlot {
public:
    using Handler = int32_t (*)(CTarnObject* target, CTarnObject* component, int32_t tag, Args...);

    void Bind(Handler handler, CTarnEventObjectPointer* target, int32_t tag) {
        BindErased(reinterpret_cast<ErasedHandler>(handler), target, tag);
    }

    // The handler's result, or 0 when no handler ran (unbound, detached, or
    // being detached on another thread).
    int32_t Raise(CTarnObject* component, Args... args) {
        Call call(*this);
        if (!call.CanRun()) {
            return 0;
        }
        const auto handler = reinterpret_cast<Handler>(call.Handler());
        return handler(call.Target(), component, call.Tag(), args...);
    }
};
