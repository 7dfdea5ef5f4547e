// The resources linked into the programs: the icon group that forms show by
// default, the version information and the manifest, read from the .exe files.
#include "tests/app_program/MainWindowPrograms.h"
#include "tests/support/MemoryBitmaps.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

#pragma pack(push, 2)
// The icon group directory as resource files store it.
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
#pragma pack(pop)
static_assert(sizeof(GroupIconEntry) == 14 && sizeof(GroupIconHeader) == 6,
              "the resource layout of an icon group");

// A program file loaded for its resources only.
class ResourceFile {
public:
    explicit ResourceFile(const std::wstring& path)
        : module_(LoadLibraryExW(launch::WindowsPath(path).c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ResourceFile() {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    ResourceFile(const ResourceFile&) = delete;
    ResourceFile& operator=(const ResourceFile&) = delete;

    HMODULE module() const { return module_; }

    // The bytes of a resource, empty when it is missing.
    std::vector<BYTE> Bytes(LPCWSTR type, LPCWSTR name) const {
        HRSRC found = FindResourceW(module_, name, type);
        if (found == nullptr) {
            return {};
        }
        const DWORD size = SizeofResource(module_, found);
        const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module_, found)));
        return data != nullptr ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>{};
    }

private:
    HMODULE module_;
};

class Resources : public testing::TestWithParam<std::wstring> {};

TEST_P(Resources, IconGroup100HoldsThe16And32And48PixelImages) {
    ResourceFile file(GetParam());
    ASSERT_NE(file.module(), nullptr);
    const std::vector<BYTE> group = file.Bytes(RT_GROUP_ICON, MAKEINTRESOURCEW(100));
    ASSERT_GE(group.size(), sizeof(GroupIconHeader));
    GroupIconHeader header;
    std::memcpy(&header, group.data(), sizeof(header));
    EXPECT_EQ(header.type, 1);
    ASSERT_EQ(header.count, 3);
    ASSERT_EQ(group.size(), sizeof(header) + header.count * sizeof(GroupIconEntry));

    const int sizes[] = {16, 32, 48};
    for (int i = 0; i < header.count; ++i) {
        GroupIconEntry entry;
        std::memcpy(&entry, group.data() + sizeof(header) + i * sizeof(entry), sizeof(entry));
        const int size = sizes[i];
        SCOPED_TRACE(size);
        EXPECT_EQ(entry.width, size);
        EXPECT_EQ(entry.height, size);
        EXPECT_EQ(entry.bitCount, 32);
        std::vector<BYTE> image = file.Bytes(RT_ICON, MAKEINTRESOURCEW(entry.id));
        ASSERT_EQ(image.size(), entry.bytesInRes);

        // Drawn over magenta, the disk covers the middle and leaves the
        // corners see-through.
        HICON icon = CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE,
                                              0x00030000, size, size, 0);
        ASSERT_NE(icon, nullptr);
        test_support::MemoryCanvas canvas(size, size, 0xFF00FF);
        EXPECT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL));
        EXPECT_EQ(canvas.At(0, 0), 0xFF00FFu) << "a corner shows through";
        EXPECT_EQ(canvas.At(size - 1, 0), 0xFF00FFu) << "a corner shows through";
        EXPECT_NE(canvas.At(size / 2, size / 2), 0xFF00FFu) << "the spindle covers the middle";
        EXPECT_NE(canvas.At(size / 4, size / 2), 0xFF00FFu) << "the platter covers the left";
        DestroyIcon(icon);
    }
}

TEST_P(Resources, VersionInformationNamesTheProductAndItsMaker) {
    const std::wstring path = launch::WindowsPath(GetParam());
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(HIWORD(fixed->dwProductVersionMS), 1);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1200);

    struct Field {
        const wchar_t* name;
        const wchar_t* value;
    };
    const Field fields[] = {{L"ProductName", L"Qorvath"},
                            {L"CompanyName", L"Brindlemoor"},
                            {L"ProductVersion", L"1.0.0.0"}};
    for (const Field& field : fields) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(std::wcslen(field.name)));
        wchar_t* value = nullptr;
        const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + field.name;
        ASSERT_TRUE(
            VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length));
        EXPECT_EQ(std::wstring(value), field.value);
    }
}

TEST_P(Resources, ManifestAsksForCommonControls6TheInvokersLevelGdiScalingAndCurrentWindows) {
    ResourceFile file(GetParam());
    ASSERT_NE(file.module(), nullptr);
    const std::vector<BYTE> bytes = file.Bytes(RT_MANIFEST, MAKEINTRESOURCEW(1));
    const std::string manifest(bytes.begin(), bytes.end());
    const char* const wanted[] = {
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "level=\"asInvoker\"",
        // Sharp text when the system scales the window (125 % and above).
        "<gdiScaling xmlns=\"http://schemas.microsoft.com/SMI/2017/WindowsSettings\">true"
        "</gdiScaling>",
        // Vista, 7, 8, 8.1 and 10/11.
        "<supportedOS Id=\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\"/>",
        "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>",
        "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>",
        "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>",
        "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>",
    };
    for (const char* entry : wanted) {
        EXPECT_NE(manifest.find(entry), std::string::npos) << entry;
    }
    // The layout is in fixed pixels: a DPI-aware program would keep it small
    // while its fonts grew.
    EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);
    EXPECT_EQ(manifest.find("dpiAwareness"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Programs, Resources, testing::ValuesIn(main_window_test::Programs()),
                         main_window_test::ProgramName);

} // namespace
