#include <windows.h>

#include "catalogue/class_registry.h"

namespace class_registry {

UniqueKey Open(const std::wstring& path, REGSAM access) {
    UniqueKey key;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, path.empty() ? nullptr : path.c_str(), 0, access,
                        key.put()) != ERROR_SUCCESS)
        return UniqueKey();
    return key;
}

std::vector<std::wstring> SubkeyNames(HKEY key) {
    DWORD count = 0, longest = 0;
    if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                           nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return {};
    std::vector<std::wstring> names;
    names.reserve(count);
    std::wstring buffer(static_cast<size_t>(longest) + 1, L'\0');
    for (DWORD i = 0;; ++i) {
        DWORD length = static_cast<DWORD>(buffer.size());
        const LONG rc =
            ::RegEnumKeyExW(key, i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA) {
            // A longer name was added since the count was taken.
            buffer.resize(buffer.size() * 2);
            --i;
            continue;
        }
        if (rc != ERROR_SUCCESS)
            break;
        names.emplace_back(buffer.data(), length);
    }
    return names;
}

std::optional<std::wstring> DefaultText(HKEY key) {
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::wstring();
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return std::nullopt;
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                           &bytes) != ERROR_SUCCESS)
        return std::wstring();
    text.resize(bytes / sizeof(wchar_t));
    if (const size_t nul = text.find(L'\0'); nul != std::wstring::npos)
        text.resize(nul);
    return text;
}

} // namespace class_registry
