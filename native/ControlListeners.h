// (moved into native/Listeners.h once that lands) The listener interfaces of buttons, labels and
// edits.
#pragma once

#include <cstdint>

#include "native/Listeners.h"

// What a button or group box window reports to.
class IButtonEventListener : public IBaseEventListener {
public:
    // The button was clicked: by the mouse, by Space, or by Enter as a form's
    // default button.
    virtual void OnButtonClicked() = 0;

protected:
    ~IButtonEventListener() = default;
};

// What a label window reports to.
class ILabelEventListener : public IBaseEventListener {
public:
    // The label received tarn_msg::kLabelMessage with these parameters; the
    // answer becomes the message's result.
    virtual int32_t OnLabelMessage(int64_t first, int64_t second) = 0;

protected:
    ~ILabelEventListener() = default;
};

// What an edit window reports to.
class IEditEventListener : public IBaseEventListener {
public:
    // The edit's text changed (not reported while the edit suppresses it).
    virtual void OnEditChanged() = 0;
    // The spin beside an edit in event mode was clicked: -1 down, +1 up. The
    // edit ignores the answer.
    virtual int32_t OnEditSpin(int32_t direction) = 0;

protected:
    ~IEditEventListener() = default;
};
