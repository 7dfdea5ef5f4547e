#include "tests/support/WindowQueries.h"

namespace test_support {

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassNameOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

int CountThreadWindows(const wchar_t* className) {
    struct Count {
        const wchar_t* className;
        int found;
    } count{className, 0};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* count = reinterpret_cast<Count*>(param);
            count->found += lstrcmpiW(ClassNameOf(window).c_str(), count->className) == 0 ? 1 : 0;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.found;
}

std::vector<HWND> ProcessWindows(DWORD process, const wchar_t* className, const wchar_t* caption,
                                 bool hiddenToo) {
    struct Search {
        DWORD process;
        const wchar_t* className;
        const wchar_t* caption;
        bool hiddenToo;
        std::vector<HWND> found;
    } search{process, className, caption, hiddenToo, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* search = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == search->process && (search->hiddenToo || IsWindowVisible(window)) &&
                lstrcmpiW(ClassNameOf(window).c_str(), search->className) == 0 &&
                (search->caption == nullptr || WindowText(window) == search->caption)) {
                search->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> WindowAndDescendants(HWND window) {
    std::vector<HWND> windows = {window};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

} // namespace test_support
