#include "tests/components/FormTestSupport.h"

namespace form_test {

namespace {

EventLog* LogOf(CTarnObject* target) {
    return static_cast<EventLog*>(target);
}

} // namespace

void BindFormEvents(CTarnWinForm& form, EventLog& log) {
    CTarnEventObjectPointer* target = log.pointer;
    form.FormMenuCommand.Bind(
        [](CTarnObject* t, CTarnObject*, int32_t, int32_t id) {
            return LogOf(t)->Record("menu " + std::to_string(id));
        },
        target, 0);
    form.FormMenuSelect.Bind(
        [](CTarnObject* t, CTarnObject*, int32_t, int32_t id) {
            return LogOf(t)->Record("select " + std::to_string(id));
        },
        target, 0);
    form.FormQueryClose.Bind(
        [](CTarnObject* t, CTarnObject*, int32_t) { return LogOf(t)->Record("query close"); },
        target, 0);
    form.FormClosing.Bind(
        [](CTarnObject* t, CTarnObject*, int32_t) { return LogOf(t)->Record("closing"); }, target,
        0);
    form.FormFirstActivated.Bind(
        [](CTarnObject* t, CTarnObject*, int32_t) { return LogOf(t)->Record("first activated"); },
        target, 0);
    form.FormActivated.Bind(
        [](CTarnObject* t, CTarnObject*, int32_t) { return LogOf(t)->Record("activated"); }, target,
        0);
    form.FormDeactivated.Bind(
        [](CTarnObject* t, CTarnObject*, int32_t) { return LogOf(t)->Record("deactivated"); },
        target, 0);
    form.FormTrayIcon.Bind(
        [](CTarnObject* t, CTarnObject*, int32_t, int32_t kind) {
            return LogOf(t)->Record("tray " + std::to_string(kind));
        },
        target, 0);
    form.FormPositionLimits.Bind(
        [](CTarnObject* t, CTarnObject*, int32_t, rg_ChuangKouWeiZhiXianZhiXinXi* limits) {
            EventLog* log = LogOf(t);
            if (log->limits) {
                log->limits(*limits);
            }
            return log->Record("limits");
        },
        target, 0);
    form.FormModalShown.Bind(
        [](CTarnObject* t, CTarnObject*, int32_t) { return LogOf(t)->Record("modal shown"); },
        target, 0);
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
