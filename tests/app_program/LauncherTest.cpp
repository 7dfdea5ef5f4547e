// The launcher behind `make run`: it shows a program, photographs its main
// window, closes it and hands back the program's exit code.
#include "tests/app_program/MainWindowPrograms.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Width and height from a PNG file's header, or {0, 0}.
std::pair<unsigned, unsigned> PngSize(const std::wstring& path) {
    unsigned char header[24] = {};
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr) {
        return {0, 0};
    }
    const size_t read = std::fread(header, 1, sizeof(header), file);
    std::fclose(file);
    if (read != sizeof(header) || std::memcmp(header, "\x89PNG", 4) != 0) {
        return {0, 0};
    }
    auto big = [&](int at) {
        return (unsigned{header[at]} << 24) | (unsigned{header[at + 1]} << 16) |
               (unsigned{header[at + 2]} << 8) | unsigned{header[at + 3]};
    };
    return {big(16), big(20)};
}

struct ShowCase {
    const char* what;
    std::wstring program;
    DWORD exitCode;
    bool picture;
};

TEST(Launcher, ShowsPhotographsAndClosesTheMainWindow) {
    // The window's outer size for its client area of 618 x 382.
    RECT frame = {0, 0, 618, 382};
    AdjustWindowRectEx(&frame, 0x16CA0000, FALSE, WS_EX_CONTROLPARENT);
    const unsigned width = static_cast<unsigned>(frame.right - frame.left);
    const unsigned height = static_cast<unsigned>(frame.bottom - frame.top);

    const std::wstring launcher = launch::WindowsPath(L"" QORVATH_LAUNCHER);
    const ShowCase cases[] = {
        {"the bare window", main_window_test::Programs().front(), 0, true},
        // A program that ends without a window: no picture, a failure.
        {"a program without a window", launcher, 1, false},
    };
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring picture = std::wstring(temp) + L"qorvath-launcher-test.png";
    for (const ShowCase& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileW(picture.c_str());
        launch::StartedProgram started;
        ASSERT_TRUE(started.Start(launcher, L"show \"" + launch::WindowsPath(c.program) + L"\" \"" +
                                                picture + L"\""));
        const auto code = started.WaitForExit(60000);
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(*code, c.exitCode);
        if (c.picture) {
            const auto [pngWidth, pngHeight] = PngSize(picture);
            EXPECT_EQ(pngWidth, width);
            EXPECT_EQ(pngHeight, height);
        } else {
            EXPECT_EQ(GetFileAttributesW(picture.c_str()), INVALID_FILE_ATTRIBUTES);
        }
    }
    DeleteFileW(picture.c_str());
}

TEST(Launcher, AnUnknownCommandIsAUsageError) {
    launch::StartedProgram started;
    ASSERT_TRUE(started.Start(L"" QORVATH_LAUNCHER, L"paint something"));
    const auto code = started.WaitForExit(30000);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 2u);
}

} // namespace
