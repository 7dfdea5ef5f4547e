// The one event recorder of the component tests: a target for handlers that logs what they saw.
#pragma once

#include "components/EventSlot.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

namespace test_support {

// One event as its handler saw it.
struct RaisedEvent {
    std::string name;
    CTarnObject* component = nullptr;
    int32_t tag = 0;
    // The event's own arguments as integers (pointers by their address).
    std::vector<int64_t> values;
    // The component's window text at the time, for the handlers that read it.
    std::wstring text;

    // The argument at index, 0 when the event carries fewer.
    int64_t Value(size_t index) const { return index < values.size() ? values[index] : 0; }
};

// The target of a test's event handlers. Every call is logged and answered
// with the answer set for the event's name, else with answer; then the action
// set for the name and the during hook run. Either may free the recorder or
// the component (a handler that destroys its own target is a case the tests
// make), so the answer is taken before they run and nothing of the recorder
// is touched after them. Like every target, it makes its event pointer when
// constructed and detaches it when destroyed.
class EventRecorder : public CTarnObject {
public:
    EventRecorder();
    ~EventRecorder() override;
    EventRecorder(const EventRecorder&) = delete;
    EventRecorder& operator=(const EventRecorder&) = delete;

    static EventRecorder* Of(CTarnObject* target) { return static_cast<EventRecorder*>(target); }

    // Logs event and runs the hooks; returns the answer.
    int32_t Record(RaisedEvent event);

    // Handlers to bind: each logs the event under Name with its arguments;
    // WithText also reads the component's window text (a window control's).
    template <const char* Name, typename... Args>
    static int32_t Handler(CTarnObject* target, CTarnObject* component, int32_t tag, Args... args) {
        return Of(target)->Record({Name, component, tag, {AsValue(args)...}, {}});
    }
    template <const char* Name, typename... Args>
    static int32_t WithText(CTarnObject* target, CTarnObject* component, int32_t tag,
                            Args... args) {
        return Of(target)->Record(
            {Name, component, tag, {AsValue(args)...}, ComponentText(component)});
    }

    // The window text of a window control, empty without a window.
    static std::wstring ComponentText(CTarnObject* component);

    // How many events of that name are logged.
    int Count(const std::string& name) const;
    // The names, the tags, and each call as its tag followed by its values, in order.
    std::vector<std::string> Names() const;
    std::vector<int32_t> Tags() const;
    std::vector<std::vector<int64_t>> Calls() const;
    // The names logged since the last take; empties the log.
    std::vector<std::string> TakeNames();

    CTarnEventObjectPointer* pointer;
    std::vector<RaisedEvent> log;
    int32_t answer = 0;
    std::map<std::string, int32_t> answers;
    std::map<std::string, std::function<void()>> actions;
    std::function<void(EventRecorder& self, const RaisedEvent& event)> during;

private:
    template <typename T> static int64_t AsValue(T value) {
        if constexpr (std::is_pointer_v<T>) {
            return static_cast<int64_t>(reinterpret_cast<intptr_t>(value));
        } else {
            return static_cast<int64_t>(value);
        }
    }
};

} // namespace test_support
