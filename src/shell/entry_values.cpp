#include "shell/entry_values.h"

std::wstring EntryName(std::wstring_view exePath) {
    const auto slash = exePath.find_last_of(L"\\/:");
    std::wstring_view name = slash == std::wstring_view::npos ? exePath : exePath.substr(slash + 1);
    // A name that is all extension (".exe") keeps it: an empty name would make the entry's
    // key the menu's own, and removing the entry would remove every other program's too.
    if (const auto dot = name.rfind(L'.'); dot != std::wstring_view::npos && dot > 0)
        name = name.substr(0, dot);
    return std::wstring(name);
}

std::wstring EntryKey(const std::wstring& name) {
    return L"Directory\\Background\\shell\\" + name;
}

std::wstring EntryVerb(const std::wstring& name) {
    return L"Открыть «" + name + L"»";
}

std::wstring QuotedPath(const std::wstring& exePath) {
    return L"\"" + exePath + L"\"";
}
