#include "tests/components_forms/FormTestSupport.h"

#include <string>
#include <utility>

namespace form_test {

namespace {

constexpr char kQueryClose[] = "query close";
constexpr char kClosing[] = "closing";
constexpr char kFirstActivated[] = "first activated";
constexpr char kActivated[] = "activated";
constexpr char kDeactivated[] = "deactivated";
constexpr char kModalShown[] = "modal shown";
constexpr char kLimits[] = "limits";
constexpr char kMenu[] = "menu";
constexpr char kSelect[] = "select";
constexpr char kTray[] = "tray";

// Logs an event with one argument under its prefix and the argument.
template <const char* Prefix>
int32_t WithArgument(CTarnObject* target, CTarnObject* component, int32_t tag, int32_t value) {
    return EventRecorder::Of(target)->Record(
        {std::string(Prefix) + " " + std::to_string(value), component, tag, {value}, {}});
}

} // namespace

void BindFormEvents(CTarnWinForm& form, EventRecorder& log) {
    CTarnEventObjectPointer* target = log.pointer;
    form.FormMenuCommand.Bind(&WithArgument<kMenu>, target, 0);
    form.FormMenuSelect.Bind(&WithArgument<kSelect>, target, 0);
    form.FormQueryClose.Bind(&EventRecorder::Handler<kQueryClose>, target, 0);
    form.FormClosing.Bind(&EventRecorder::Handler<kClosing>, target, 0);
    form.FormFirstActivated.Bind(&EventRecorder::Handler<kFirstActivated>, target, 0);
    form.FormActivated.Bind(&EventRecorder::Handler<kActivated>, target, 0);
    form.FormDeactivated.Bind(&EventRecorder::Handler<kDeactivated>, target, 0);
    form.FormTrayIcon.Bind(&WithArgument<kTray>, target, 0);
    form.FormPositionLimits.Bind(&EventRecorder::Handler<kLimits, rg_ChuangKouWeiZhiXianZhiXinXi*>,
                                 target, 0);
    form.FormModalShown.Bind(&EventRecorder::Handler<kModalShown>, target, 0);
}

void ChangeLimits(EventRecorder& log, std::function<void(rg_ChuangKouWeiZhiXianZhiXinXi&)> change) {
    if (!change) {
        log.during = nullptr;
        return;
    }
    // The limits travel as the event's one value; the hook runs inside the
    // handler, so the change is what the form goes on with.
    log.during = [change = std::move(change)](EventRecorder&, const RaisedEvent& event) {
        if (event.name == kLimits) {
            change(*reinterpret_cast<rg_ChuangKouWeiZhiXianZhiXinXi*>(event.Value(0)));
        }
    };
}

ControlCreateInfo TopLevelRecord() {
    ControlCreateInfo info;
    info.x = ControlCreateInfo::kDefaultSize;
    info.y = ControlCreateInfo::kDefaultSize;
    info.width = ControlCreateInfo::kDefaultSize;
    info.height = ControlCreateInfo::kDefaultSize;
    return info;
}

int32_t CreateTopLevel(CTarnWinForm& form) {
    ControlCreateInfo info = TopLevelRecord();
    return form.CreateNative(info);
}

std::optional<LRESULT> ClickButton::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        ++clicks;
        return 0;
    }
    return std::nullopt;
}

LRESULT KeyEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        keysDown.push_back(wParam);
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

bool KeyboardChildren::Create(CWnd& form) {
    const DWORD edit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
    const DWORD button = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    return firstEdit.Create(edit, RECT{10, 10, 150, 34}, &form, 101) &&
           firstButton.Create(L"First", button | BS_PUSHBUTTON, RECT{160, 10, 260, 34}, &form,
                              102) &&
           secondEdit.Create(edit, RECT{10, 50, 150, 74}, &form, 103) &&
           defaultButton.Create(L"Default", button | BS_DEFPUSHBUTTON, RECT{160, 50, 260, 74},
                                &form, 104);
}

void SetModifiers(bool shift, bool ctrl) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_LSHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    state[VK_LCONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(state);
}

} // namespace form_test
