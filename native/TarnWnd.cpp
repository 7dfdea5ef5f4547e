#include "native/TarnWnd.h"

#include "native/PrivateMessages.h"

namespace {

// Stores value through a pointer parameter the sender vouched for.
void StoreInt32(WPARAM pointer, int32_t value) {
    *reinterpret_cast<int32_t*>(pointer) = value;
}

} // namespace

std::optional<LRESULT> AnswerMarkerAndFilters(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                              CTarnWindowProcFilters& filters, int32_t* page,
                                              uint32_t* flags) {
    if (tarn_msg::IsMarker(lParam)) {
        switch (message) {
        case tarn_msg::kSetPageFlag:
            if (flags != nullptr) {
                *flags = wParam != 0 ? (*flags | 1u) : (*flags & ~1u);
            }
            return tarn_msg::kWindowMarker;
        case tarn_msg::kSetPage:
            if (page != nullptr) {
                *page = static_cast<int32_t>(wParam);
            }
            return tarn_msg::kWindowMarker;
        case tarn_msg::kReadPageFlag:
        case tarn_msg::kReadPage:
        case tarn_msg::kRemoveFilter:
        case tarn_msg::kAddFilter:
            if (wParam == 0 || !tarn_msg::IsTrustedMessage(hwnd, message, wParam, lParam)) {
                break;
            }
            if (message == tarn_msg::kReadPageFlag) {
                StoreInt32(wParam, flags != nullptr ? static_cast<int32_t>(*flags & 1u) : 0);
            } else if (message == tarn_msg::kReadPage) {
                StoreInt32(wParam, page != nullptr ? *page : -1);
            } else if (message == tarn_msg::kRemoveFilter) {
                filters.Remove(reinterpret_cast<ITarnWindowProcFilter*>(wParam));
            } else {
                filters.Add(reinterpret_cast<ITarnWindowProcFilter*>(wParam));
            }
            return tarn_msg::kWindowMarker;
        default:
            break;
        }
    }

    LRESULT filtered = 0;
    const bool consumed = filters.Dispatch(hwnd, message, wParam, lParam, &filtered) != 0;
    if (message == WM_NCDESTROY) {
        // No filter outlives the window, whoever consumed its last message.
        filters.Clear();
    }
    if (consumed) {
        return filtered;
    }
    return std::nullopt;
}

std::optional<LRESULT> CTarnWndPart::PreDispatch(CWnd& wnd, UINT message, WPARAM& wParam,
                                                 LPARAM& lParam) {
    HWND hwnd = wnd.GetSafeHwnd();
    if (const std::optional<LRESULT> answer =
            AnswerMarkerAndFilters(hwnd, message, wParam, lParam, Filters, &Page, &PageFlags)) {
        return answer;
    }

    IBaseEventListener* listener = BaseListener();
    if (listener != nullptr && ListensTo(message)) {
        MSG record{};
        record.hwnd = hwnd;
        record.message = message;
        record.wParam = wParam;
        record.lParam = lParam;
        const int32_t handled = listener->OnPreprocess(&record);
        if (handled != 0 || wnd.GetSafeHwnd() != hwnd || record.hwnd != hwnd) {
            return 0;
        }
        wParam = record.wParam;
        lParam = record.lParam;
    }
    return std::nullopt;
}

CTarnWndPart* TarnPartOf(CWnd* wnd) {
    return dynamic_cast<CTarnWndPart*>(wnd);
}
