#include <windows.h>

#include "util/visual_theme.h"

#include <versionhelpers.h>

#include "util/handle.h"

bool VisualThemeActive() noexcept {
    if (!::IsWindowsXPOrGreater())
        return false;
    const UniqueModule uxtheme(::LoadLibraryW(L"UXTHEME.DLL"));
    if (!uxtheme)
        return false;
    using IsThemeActiveFunction = BOOL(WINAPI*)();
    // Through void(*)() because GetProcAddress returns a pointer of another function type.
    const auto isThemeActive = reinterpret_cast<IsThemeActiveFunction>(
        reinterpret_cast<void (*)()>(::GetProcAddress(uxtheme.get(), "IsThemeActive")));
    return isThemeActive && isThemeActive() != FALSE;
}
