#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "catalogue/shell_icon.h"

#include "ui/icon_size.h"

namespace {

UniqueIcon ShellIcon(const std::wstring& path, DWORD attributes, bool small) {
    SHFILEINFOW info{};
    const UINT flags =
        SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | (small ? SHGFI_SMALLICON : SHGFI_LARGEICON);
    ::SHGetFileInfoW(path.c_str(), attributes, &info, sizeof(info), flags);
    return UniqueIcon(info.hIcon);
}

bool IsSquareOf(HICON icon, int size) {
    const SIZE actual = IconSize(icon);
    return actual.cx == size && actual.cy == size;
}

// The icon the type's registration points at (a module or icon file and the icon's
// position in it), at size x size; null when it names none or cannot give it.
UniqueIcon IconFromLocation(const std::wstring& path, DWORD attributes, int size) {
    SHFILEINFOW info{};
    if (!::SHGetFileInfoW(path.c_str(), attributes, &info, sizeof(info),
                          SHGFI_ICONLOCATION | SHGFI_USEFILEATTRIBUTES) ||
        !info.szDisplayName[0])
        return {};
    HICON extracted = nullptr;
    if (::SHDefExtractIconW(info.szDisplayName, info.iIcon, 0, &extracted, nullptr,
                            MAKELONG(size, size)) != S_OK)
        return {};
    UniqueIcon icon(extracted);
    return IsSquareOf(icon.get(), size) ? std::move(icon) : UniqueIcon();
}

} // namespace

UniqueIcon ShellIconAtSize(const std::wstring& path, DWORD attributes, bool small) {
    const int size = small ? 16 : 32;
    if (::GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON) == size)
        return ShellIcon(path, attributes, small);
    if (UniqueIcon exact = IconFromLocation(path, attributes, size))
        return exact;
    UniqueIcon shown = ShellIcon(path, attributes, small);
    if (!shown)
        return shown;
    return UniqueIcon(static_cast<HICON>(::CopyImage(shown.get(), IMAGE_ICON, size, size, 0)));
}
