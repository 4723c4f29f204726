// Times the catalogue's shell icons (GetExtensionIcon) against the shell's own icons for
// 400 registered extensions, half with an icon location of their own and half with the
// shell's generic one, and checks what the export writes of them: the image sizes, and how
// many files are byte for byte those of the shell's icon. Run it at 96 DPI and at a scaled
// DPI (LogPixels) to see both ways.

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include "catalogue/catalogue.h"
#include "export/icon_writer.h"
#include "support/scratch_folder.h"
#include "support/scratch_registry.h"
#include "ui/icon_size.h"
#include "util/exception_text.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kTypes = 400;

double MillisecondsPerIcon(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count() / kTypes;
}

std::wstring Extension(int i) {
    return L".q" + std::to_wstring(i);
}

UniqueIcon ShellsOwnIcon(const std::wstring& extension, bool small) {
    SHFILEINFOW info{};
    ::SHGetFileInfoW(extension.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                     SHGFI_ICON | SHGFI_USEFILEATTRIBUTES |
                         (small ? SHGFI_SMALLICON : SHGFI_LARGEICON));
    return UniqueIcon(info.hIcon);
}

} // namespace

int main() try {
    wchar_t system[MAX_PATH];
    ::GetSystemDirectoryW(system, MAX_PATH);
    ScratchRegistry registry;
    for (int i = 0; i < kTypes; ++i) {
        const std::wstring n = std::to_wstring(i);
        registry.AddFileType(Extension(i), L"qclass" + n, L"Description " + n, L"app.exe \"%1\"");
        if (i % 2 == 0)
            registry.SetText(L"qclass" + n + L"\\DefaultIcon",
                             std::wstring(system) + L"\\shell32.dll," + std::to_wstring(i % 40));
    }
    std::printf("system metrics: small icon %d, large icon %d\n", ::GetSystemMetrics(SM_CXSMICON),
                ::GetSystemMetrics(SM_CXICON));
    ScratchFolder out;
    for (const bool small : {true, false}) {
        std::map<std::pair<long, long>, int> shellSizes, ourSizes;
        double shellTime = 1e9, ourTime = 1e9;
        for (int round = 0; round < 3; ++round) {
            shellSizes.clear();
            ourSizes.clear();
            auto start = Clock::now();
            for (int i = 0; i < kTypes; ++i)
                ShellsOwnIcon(Extension(i), small);
            shellTime = std::min(shellTime, MillisecondsPerIcon(start));
            start = Clock::now();
            for (int i = 0; i < kTypes; ++i)
                GetExtensionIcon(Extension(i), small);
            ourTime = std::min(ourTime, MillisecondsPerIcon(start));
        }
        for (int i = 0; i < kTypes; ++i) {
            const SIZE shell = IconSize(ShellsOwnIcon(Extension(i), small).get());
            ++shellSizes[{shell.cx, shell.cy}];
            const SIZE ours = IconSize(GetExtensionIcon(Extension(i), small).get());
            ++ourSizes[{ours.cx, ours.cy}];
        }
        int sameBytes = 0;
        for (int i = 0; i < kTypes; ++i) {
            SaveIconToFile(out / L"shell.ico", ShellsOwnIcon(Extension(i), small).get());
            SaveIconToFile(out / L"ours.ico", GetExtensionIcon(Extension(i), small).get());
            sameBytes += ReadFileBytes(out / L"shell.ico") == ReadFileBytes(out / L"ours.ico");
        }
        std::printf("%s: shell's icon %.3f ms each, GetExtensionIcon %.3f ms each; files equal "
                    "to the shell's icon's: %d of %d\n",
                    small ? "small" : "large", shellTime, ourTime, sameBytes, kTypes);
        for (const auto& [size, count] : shellSizes)
            std::printf("  shell gives %ldx%ld: %d\n", size.first, size.second, count);
        for (const auto& [size, count] : ourSizes)
            std::printf("  GetExtensionIcon gives %ldx%ld: %d\n", size.first, size.second, count);
    }
    return 0;
} catch (...) {
    std::printf("failed: %ls\n", CurrentExceptionMessage().c_str());
    return 1;
}
