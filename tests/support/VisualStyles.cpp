#include "tests/support/VisualStyles.h"

#include <cstdio>
#include <string>

namespace test_support {

namespace {

constexpr char kManifest[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\n"
    "  <dependency><dependentAssembly>\n"
    "    <assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\"\n"
    "      version=\"6.0.0.0\" processorArchitecture=\"amd64\"\n"
    "      publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>\n"
    "  </dependentAssembly></dependency>\n"
    "</assembly>\n";

// The manifest as a file of this process in the temporary folder.
std::wstring WriteManifest() {
    wchar_t folder[MAX_PATH] = {};
    if (GetTempPathW(MAX_PATH, folder) == 0) {
        return {};
    }
    const std::wstring path = std::wstring(folder) + L"qorvath-visual-styles-" +
                              std::to_wstring(GetCurrentProcessId()) + L".manifest";
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr) {
        return {};
    }
    const bool written =
        std::fwrite(kManifest, 1, sizeof(kManifest) - 1, file) == sizeof(kManifest) - 1;
    std::fclose(file);
    return written ? path : std::wstring();
}

} // namespace

VisualStylesScope::VisualStylesScope() {
    const std::wstring manifest = WriteManifest();
    if (manifest.empty()) {
        return;
    }
    ACTCTXW request = {};
    request.cbSize = sizeof(request);
    request.lpSource = manifest.c_str();
    context_ = CreateActCtxW(&request);
    DeleteFileW(manifest.c_str()); // read by now
    if (context_ != INVALID_HANDLE_VALUE && !ActivateActCtx(context_, &cookie_)) {
        cookie_ = 0;
    }
}

VisualStylesScope::~VisualStylesScope() {
    if (cookie_ != 0) {
        DeactivateActCtx(0, cookie_);
    }
    if (context_ != INVALID_HANDLE_VALUE) {
        ReleaseActCtx(context_);
    }
}

} // namespace test_support
