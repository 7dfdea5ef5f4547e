#include "tests/support/EventRecorder.h"

#include "components/WinControl.h"
#include "tests/support/WindowQueries.h"

#include <utility>

namespace test_support {

EventRecorder::EventRecorder() : pointer(new CTarnEventObjectPointer(this)) {}

EventRecorder::~EventRecorder() {
    pointer->Detach();
}

int32_t EventRecorder::Record(RaisedEvent event) {
    auto given = answers.find(event.name);
    const int32_t result = given != answers.end() ? given->second : answer;
    std::function<void()> action;
    if (auto found = actions.find(event.name); found != actions.end()) {
        action = found->second;
    }
    // Copies, since the hooks may free this recorder.
    std::function<void(EventRecorder&, const RaisedEvent&)> hook = during;
    log.push_back(event);
    if (action) {
        action();
    }
    if (hook) {
        hook(*this, event);
    }
    return result;
}

std::wstring EventRecorder::ComponentText(CTarnObject* component) {
    if (component == nullptr) {
        return {};
    }
    HWND hwnd =
        static_cast<rg_tarn_MFCJieMian_base::CTarnWinControl*>(component)->GetWindowHandle();
    return hwnd != nullptr ? WindowText(hwnd) : std::wstring();
}

int EventRecorder::Count(const std::string& name) const {
    int count = 0;
    for (const RaisedEvent& event : log) {
        count += event.name == name ? 1 : 0;
    }
    return count;
}

std::vector<std::string> EventRecorder::Names() const {
    std::vector<std::string> names;
    for (const RaisedEvent& event : log) {
        names.push_back(event.name);
    }
    return names;
}

std::vector<int32_t> EventRecorder::Tags() const {
    std::vector<int32_t> tags;
    for (const RaisedEvent& event : log) {
        tags.push_back(event.tag);
    }
    return tags;
}

std::vector<std::vector<int64_t>> EventRecorder::Calls() const {
    std::vector<std::vector<int64_t>> calls;
    for (const RaisedEvent& event : log) {
        std::vector<int64_t> call{event.tag};
        call.insert(call.end(), event.values.begin(), event.values.end());
        calls.push_back(std::move(call));
    }
    return calls;
}

std::vector<std::string> EventRecorder::TakeNames() {
    std::vector<std::string> names = Names();
    log.clear();
    return names;
}

} // namespace test_support
