#include <windows.h>

#include "catalogue/class_registry.h"

namespace class_registry {

TRegKey Open(const std::wstring& path, REGSAM access) {
    TRegKey key;
    key.Open(HKEY_CLASSES_ROOT, path, access);
    return key;
}

std::optional<std::wstring> DefaultText(const TRegKey& key) {
    std::wstring text;
    if (key.QueryString(L"", text) == ERROR_UNSUPPORTED_TYPE)
        return std::nullopt;
    return text;
}

} // namespace class_registry
