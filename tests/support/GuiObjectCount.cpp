#include "tests/support/GuiObjectCount.h"

#include "tests/support/GuiTestSupport.h"

#include <winternl.h>

#include <cstdint>

namespace test_support {

namespace {

// One entry of the GDI handle table, as both Windows x64 and Wine lay it out.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint16_t processId; // low bits of the owner's id; Wine leaves 0 (its table is per process)
    std::uint16_t count;
    std::uint16_t unique;
    std::uint8_t type; // 0 for a free entry
    std::uint8_t flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "entry layout of the 64-bit table");

constexpr int kGdiHandleTableEntries = 0x10000;
// Where the 64-bit PEB keeps the table's address; winternl.h leaves that
// part of the PEB reserved.
constexpr std::size_t kPebGdiSharedHandleTableOffset = 0xF8;

const GdiHandleEntry* GdiHandleTable() {
    const auto* peb =
        reinterpret_cast<const unsigned char*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    if (peb == nullptr) {
        return nullptr;
    }
    return *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPebGdiSharedHandleTableOffset);
}

long CountTableEntries(const GdiHandleEntry* table) {
    const auto self = static_cast<std::uint16_t>(GetCurrentProcessId());
    long count = 0;
    for (int i = 0; i < kGdiHandleTableEntries; ++i) {
        const GdiHandleEntry& entry = table[i];
        if (entry.type != 0 && (entry.processId == self || entry.processId == 0)) {
            ++count;
        }
    }
    return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++*reinterpret_cast<int*>(param);
    return TRUE;
}

// The input method's default window comes and goes with a thread's first
// and last window; it is the system's, not the program's.
bool IsInputMethodWindow(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return lstrcmpiW(className, L"IME") == 0;
}

// Counts a window of this process with all its descendants.
void CountTree(HWND window, int* count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || IsInputMethodWindow(window)) {
        return;
    }
    ++*count;
    // EnumChildWindows walks every descendant, not only the direct children.
    EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(count));
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM param) {
    CountTree(window, reinterpret_cast<int*>(param));
    return TRUE;
}

} // namespace

long CountGdiObjects() {
    if (const GdiHandleEntry* table = GdiHandleTable(); table != nullptr) {
        return CountTableEntries(table);
    }
    const DWORD objects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return objects != 0 ? static_cast<long>(objects) : -1;
}

int CountUserWindows() {
    int count = 0;
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
    // Message-only windows are not top-level windows of the desktop.
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
        CountTree(window, &count);
    }
    return count;
}

::testing::AssertionResult GuiLeakCheck::NothingLeft() const {
    if (!baseline_.CanCountGdi()) {
        return ::testing::AssertionFailure() << "GDI objects cannot be counted on this system";
    }
    PumpMessagesUntilIdle();
    const long gdi = baseline_.Gdi();
    const int windows = baseline_.Windows();
    if (gdi == 0 && windows == 0) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << gdi << " GDI objects and " << windows << " windows more than at the start";
}

void ExpectRoundsLeaveNothing(int rounds, const std::function<void(int round)>& round,
                              int warmUps) {
    for (int i = 0; i < warmUps && !::testing::Test::HasFatalFailure(); ++i) {
        round(i);
    }
    PumpMessagesUntilIdle();
    const GuiLeakCheck check;
    for (int i = 0; i < rounds && !::testing::Test::HasFatalFailure(); ++i) {
        round(i);
        if (i % 100 == 99) {
            PumpMessagesUntilIdle(200); // windows destroyed on the way go now and then
        }
    }
    EXPECT_TRUE(check.NothingLeft()) << "after " << rounds << " rounds";
}

} // namespace test_support
