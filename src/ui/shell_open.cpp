#include <windows.h>
#include <shellapi.h>

#include "ui/shell_open.h"

void ShellOpen(const std::wstring& address) {
    ::ShellExecuteW(::GetDesktopWindow(), L"open", address.c_str(), nullptr, nullptr,
                    SW_SHOWNORMAL);
}
