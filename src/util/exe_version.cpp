#include <windows.h>

#include "util/exe_version.h"

#include <vector>

#include "util/app_folder.h"

std::wstring FileVersionText(const std::wstring& Path) noexcept {
    try {
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeW(Path.c_str(), &ignored);
        if (size == 0)
            return {};
        std::vector<BYTE> info(size);
        if (!::GetFileVersionInfoW(Path.c_str(), 0, size, info.data()))
            return {};
        void* block = nullptr;
        UINT length = 0;
        if (!::VerQueryValueW(info.data(), L"\\", &block, &length) || !block ||
            length < sizeof(VS_FIXEDFILEINFO))
            return {};
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(block);
        if (fixed->dwSignature != VS_FFI_SIGNATURE)
            return {};
        return std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L'.' +
               std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L'.' +
               std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L'.' +
               std::to_wstring(LOWORD(fixed->dwFileVersionLS));
    } catch (...) {
        return {};
    }
}

std::wstring ExeVersionText() noexcept {
    try {
        return FileVersionText(ExePath());
    } catch (...) {
        return {};
    }
}
