#pragma once
// The program's version, from the VERSIONINFO resource of its executable.

#include <windows.h>

#include <string>

// The file version of the module at Path as "major.minor.release.build", or empty text when
// the module has no readable version information.
std::wstring FileVersionText(const std::wstring& Path) noexcept;

// FileVersionText of the running executable.
std::wstring ExeVersionText() noexcept;
