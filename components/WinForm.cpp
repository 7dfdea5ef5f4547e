#include "components/WinForm.h"

#include "components/ControlCreation.h"
#include "components/Menu.h"
#include "native/MfcWndObject.h"
#include "native/VWndWinForm.h"
#include "runtime/WideText.h"

namespace rg_tarn_MFCJieMian_base {

namespace {

bool IsDefault(int32_t value) {
    return value == ControlCreateInfo::kDefaultSize;
}

} // namespace

CTarnWinForm::CTarnWinForm() {
    AdoptHolder(new CMfcWndObject(new CVWnd_WinForm()));
}

CTarnWinForm::~CTarnWinForm() {
    CTarnWinForm::DetachListener();
    // The form slots release their targets as members, last first.
}

bool CTarnWinForm::IsEqual(const CTarnObject& other) const {
    return SameClass(other.GetClassInfo(), ClassRecord()) && CTarnWinControl::IsEqual(other);
}

CVWnd_WinForm* CTarnWinForm::GetFormWindow() const {
    return NativeWindowAs<CVWnd_WinForm>(*this);
}

void CTarnWinForm::AttachListener() {
    rg_ZuJianBuJuQi::AttachListener();
    if (CVWnd_WinForm* window = GetFormWindow()) {
        window->AttachFormListener(this);
    }
}

void CTarnWinForm::DetachListener() {
    if (CVWnd_WinForm* window = GetFormWindow()) {
        window->DetachFormListener(this);
    }
    rg_ZuJianBuJuQi::DetachListener();
}

void CTarnWinForm::PrepareCreate(ControlCreateInfo& info) {
    CTarnWinContainer::PrepareCreate(info);
    CVWnd_WinForm* window = GetFormWindow();
    if (IsListenerAttached() == 0 || window->GetFormListener() == nullptr) {
        AttachListener();
    }
    const bool textEmpty = info.text == nullptr || info.text[0] == 0;
    const FormCreationStyles styles =
        ComputeFormCreationStyles(window->FrameOptions(), info.style, info.exStyle, textEmpty);
    if (styles.useDefaultCaption) {
        info.text = kDefaultCaption;
    }
    info.style = styles.style;
    info.exStyle = styles.exStyle;
}

void CTarnWinForm::AdjustCreate(ControlCreateInfo& info) {
    CTarnWinContainer::AdjustCreate(info);
    const bool child = (info.style & WS_CHILD) != 0;
    if (IsDefault(info.x)) {
        info.x = child ? 0 : (GetSystemMetrics(SM_CXSCREEN) - info.width) / 2;
    }
    if (IsDefault(info.y)) {
        info.y = child ? 0 : (GetSystemMetrics(SM_CYSCREEN) - info.height) / 2;
    }
}

int32_t CTarnWinForm::CreateNative(ControlCreateInfo& info) {
    CVWnd_WinForm* window = GetFormWindow();
    if (window == nullptr) {
        return 0;
    }
    window->Page = info.page;
    if (HasNativeWindow()) {
        return 0;
    }
    PrepareCreate(info);
    AdjustCreate(info);

    FormCreateParams params;
    params.parent = info.parentWindow != nullptr ? info.parentWindow->GetSafeHwnd() : nullptr;
    params.x = info.x;
    params.y = info.y;
    params.width = info.width;
    params.height = info.height;
    params.id = info.id;
    params.page = info.page;
    params.style = info.style;
    params.exStyle = info.exStyle;
    params.text = ToWide(info.text != nullptr ? info.text : u"");
    params.menu = MenuObjectOf(info);
    params.modal = info.modal;
    params.fixedDialogFrame = info.fixedDialogFrame;
    params.font = info.font;
    const int32_t created = window->CreateForm(params);
    info.x = params.x;
    info.y = params.y;
    if (info.modal != 0) {
        info.modalResult = params.modalResult;
    }
    if (created == 0) {
        return 0;
    }
    if (HasNativeWindow()) {
        AfterCreate(window, info);
    }
    return 1;
}

int32_t CTarnWinForm::FilterMessage(HWND, UINT, WPARAM, LPARAM, TarnMessage*) {
    return 1;
}

int32_t CTarnWinForm::OnWindowCommand(uint32_t id) {
    return FormMenuCommand.Raise(this, static_cast<int32_t>(static_cast<uint16_t>(id))) != 0 ? 1
                                                                                             : 0;
}

int32_t CTarnWinForm::OnFormPreTranslate(TarnMessage* message) {
    return FilterMessage(message->hwnd, message->message, message->wParam, message->lParam,
                         message) == 0
               ? 1
               : 0;
}

int32_t CTarnWinForm::OnFormQueryClose() {
    return FormQueryClose.Raise(this) == 0 ? 1 : 0;
}

int32_t CTarnWinForm::OnFormClose() {
    return FormClosing.Raise(this) == 0 ? 1 : 0;
}

void CTarnWinForm::OnFormFirstActivate() {
    FormFirstActivated.Raise(this);
}

void CTarnWinForm::OnFormActivate() {
    FormActivated.Raise(this);
}

void CTarnWinForm::OnFormDeactivate() {
    FormDeactivated.Raise(this);
}

int32_t CTarnWinForm::OnFormTrayIcon(int32_t kind) {
    return FormTrayIcon.Raise(this, kind);
}

int32_t CTarnWinForm::OnFormMenuSelect(int32_t itemId) {
    return FormMenuSelect.Raise(this, itemId);
}

void CTarnWinForm::OnFormGetMinMaxInfo(MINMAXINFO* info) {
    if (info == nullptr) {
        return;
    }
    rg_ChuangKouWeiZhiXianZhiXinXi limits;
    limits.MaxSize = {info->ptMaxSize.x, info->ptMaxSize.y};
    limits.MaxPosition = {info->ptMaxPosition.x, info->ptMaxPosition.y};
    limits.MinTrackSize = {info->ptMinTrackSize.x, info->ptMinTrackSize.y};
    limits.MaxTrackSize = {info->ptMaxTrackSize.x, info->ptMaxTrackSize.y};
    if (FormPositionLimits.Raise(this, &limits) == 0) {
        return;
    }
    info->ptMaxSize = {limits.MaxSize.width, limits.MaxSize.height};
    info->ptMaxPosition = {limits.MaxPosition.horizontal, limits.MaxPosition.vertical};
    info->ptMinTrackSize = {limits.MinTrackSize.width, limits.MinTrackSize.height};
    info->ptMaxTrackSize = {limits.MaxTrackSize.width, limits.MaxTrackSize.height};
}

void CTarnWinForm::OnFormModalShown() {
    FormModalShown.Raise(this);
}

} // namespace rg_tarn_MFCJieMian_base
