#include "components/EventSlot.h"

#include "tests/support/EventRecorder.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

static_assert(sizeof(EventSlot) == 32, "lock, handler, target and tag");

namespace {

using test_support::EventRecorder;
using test_support::RaisedEvent;

constexpr char kRaised[] = "raised";

// Logs the call; answers the recorder's answer plus the value raised.
int32_t Handle(CTarnObject* target, CTarnObject* component, int32_t tag, int32_t value) {
    return EventRecorder::Handler<kRaised, int32_t>(target, component, tag, value) + value;
}

TEST(EventBinding, ReferenceCountsFollowTheBindingSteps) {
    EventRecorder first;
    EventRecorder second;
    CTarnEventObjectPointer* a = first.pointer;
    CTarnEventObjectPointer* b = second.pointer;
    TEventSlot<int32_t> slot;

    struct Step {
        const char* what;
        CTarnEventObjectPointer* target;
        bool withHandler;
        int32_t tag;
        int64_t countA;
        int64_t countB;
    };
    const Step steps[] = {
        {"bind a", a, true, 1, 2, 1},       {"rebind a: no change", a, true, 2, 2, 1},
        {"switch to b", b, true, 3, 1, 2},  {"null target unbinds", nullptr, true, 4, 1, 1},
        {"bind b again", b, true, 5, 1, 2}, {"null handler unbinds", b, false, 6, 1, 1},
    };
    for (const Step& step : steps) {
        slot.Bind(step.withHandler ? &Handle : nullptr, step.target, step.tag);
        EXPECT_EQ(a->GetRefCount(), step.countA) << step.what;
        EXPECT_EQ(b->GetRefCount(), step.countB) << step.what;
        EXPECT_EQ(slot.GetTag(), step.tag) << step.what;
    }
    EXPECT_EQ(slot.Raise(nullptr, 1), 0) << "unbound";
    slot.Bind(&Handle, a, 9);
    first.answer = 40;
    EXPECT_EQ(slot.Raise(nullptr, 2), 42);
    EXPECT_EQ(first.Tags(), std::vector<int32_t>{9});
    EXPECT_EQ(a->GetRefCount(), 2) << "the raise gave its reference back";
    slot.Release();
    EXPECT_EQ(a->GetRefCount(), 1);
}

TEST(EventRaising, ADetachedTargetIsNotCalledAndNothingLeaks) {
    auto* target = new EventRecorder();
    CTarnEventObjectPointer* pointer = target->pointer;
    TEventSlot<int32_t> slot;
    slot.Bind(&Handle, pointer, 0);
    pointer->AddRef(); // to watch the pointer after the slot lets go
    ::FreeObject(target);
    EXPECT_EQ(pointer->GetTarget(), nullptr);
    EXPECT_EQ(pointer->GetRefCount(), 2);
    EXPECT_EQ(slot.Raise(nullptr, 5), 0);
    EXPECT_EQ(slot.Raise(nullptr, 5), 0);
    EXPECT_EQ(pointer->GetRefCount(), 2);
    EXPECT_EQ(pointer->GetBusyCount(), 0);
    slot.Release();
    EXPECT_EQ(pointer->GetRefCount(), 1);
    pointer->Release();
}

// A handler frees its own target: the detach on the same thread does not
// block, the call finishes, and later raises find nobody.
TEST(EventRaising, ATargetDestroyedInsideItsOwnHandler) {
    auto* target = new EventRecorder();
    CTarnEventObjectPointer* pointer = target->pointer;
    TEventSlot<int32_t> slot;
    slot.Bind(&Handle, pointer, 3);
    pointer->AddRef();
    target->answer = 7;
    target->during = [](EventRecorder& self, const RaisedEvent&) { ::FreeObject(&self); };
    EXPECT_EQ(slot.Raise(nullptr, 0), 7);
    EXPECT_EQ(pointer->GetBusyCount(), 0);
    EXPECT_EQ(slot.Raise(nullptr, 0), 0);
    EXPECT_EQ(pointer->GetRefCount(), 2);
    slot.Release();
    pointer->Release();
}

// A detach on another thread waits for the handler in progress; once it is
// through, raises return 0 without calling.
TEST(EventRaising, ADetachOnAnotherThreadWaitsForTheHandlerInProgress) {
    auto* target = new EventRecorder();
    CTarnEventObjectPointer* pointer = target->pointer;
    TEventSlot<int32_t> slot;
    slot.Bind(&Handle, pointer, 0);
    pointer->AddRef();

    static HANDLE detachStarted;
    static HANDLE detachDone;
    static bool detachWaited;
    detachStarted = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    detachDone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    detachWaited = false;
    static std::thread* detacher;
    std::thread worker;
    detacher = &worker;
    target->during = [](EventRecorder& recorder, const RaisedEvent&) {
        EventRecorder* self = &recorder;
        *detacher = std::thread([self] {
            SetEvent(detachStarted);
            ::FreeObject(self);
            SetEvent(detachDone);
        });
        WaitForSingleObject(detachStarted, INFINITE);
        // The detach cannot finish while this handler runs.
        detachWaited = WaitForSingleObject(detachDone, 300) == WAIT_TIMEOUT;
    };
    target->answer = 1;
    EXPECT_EQ(slot.Raise(nullptr, 0), 1);
    worker.join();
    EXPECT_TRUE(detachWaited);
    EXPECT_EQ(pointer->GetTarget(), nullptr);
    EXPECT_EQ(slot.Raise(nullptr, 0), 0);
    EXPECT_EQ(pointer->GetRefCount(), 2);
    slot.Release();
    pointer->Release();
    CloseHandle(detachStarted);
    CloseHandle(detachDone);
}

} // namespace
