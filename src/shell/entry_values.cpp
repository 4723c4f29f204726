#include "shell/entry_values.h"

std::wstring EntryName(std::wstring_view ExePath) {
    const auto slash = ExePath.find_last_of(L"\\/:");
    std::wstring_view name = slash == std::wstring_view::npos ? ExePath : ExePath.substr(slash + 1);
    // A name that is all extension (".exe") keeps it: an empty name would make the entry's
    // key the menu's own, and removing the entry would remove every other program's too.
    if (const auto dot = name.rfind(L'.'); dot != std::wstring_view::npos && dot > 0)
        name = name.substr(0, dot);
    return std::wstring(name);
}

std::wstring EntryKey(const std::wstring& Name) {
    return L"Directory\\Background\\shell\\" + Name;
}

std::wstring EntryVerb(const std::wstring& Name) {
    return L"Открыть «" + Name + L"»";
}

std::wstring QuotedPath(const std::wstring& ExePath) {
    return L"\"" + ExePath + L"\"";
}
