#include <windows.h>

#include "shell/registry.h"

#include <algorithm>
#include <vector>

#include "util/exception.h"

namespace {

constexpr REGSAM kReadAccess = STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS;

std::vector<std::wstring> SubkeyNames(HKEY key) {
    DWORD count = 0;
    DWORD longest = 0;
    std::vector<std::wstring> names;
    if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                           nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0; i < count; ++i) {
        std::wstring name(longest + 1, L'\0');
        DWORD length = longest + 1;
        if (::RegEnumKeyExW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS) {
            name.resize(length);
            names.push_back(std::move(name));
        }
    }
    return names;
}

bool DeleteTree(HKEY base, const std::wstring& path) {
    UniqueKey key;
    if (::RegOpenKeyExW(base, path.c_str(), 0, KEY_ALL_ACCESS, key.put()) == ERROR_SUCCESS) {
        const std::vector<std::wstring> names = SubkeyNames(key.get());
        for (auto name = names.rbegin(); name != names.rend(); ++name)
            DeleteTree(key.get(), *name);
    }
    return ::RegDeleteKeyW(base, path.c_str()) == ERROR_SUCCESS;
}

} // namespace

void TRegistry::SetRootKey(HKEY root) {
    CloseKey();
    root_ = root;
}

TRegistry::Base TRegistry::BaseOf(const std::wstring& Key) const {
    if (!Key.empty() && Key.front() == L'\\')
        return {root_, Key.substr(1)};
    return {current_ ? current_.get() : root_, Key};
}

bool TRegistry::KeyExists(const std::wstring& Key) const {
    const Base base = BaseOf(Key);
    UniqueKey key;
    return ::RegOpenKeyExW(base.key, base.path.c_str(), 0, kReadAccess, key.put()) == ERROR_SUCCESS;
}

void TRegistry::CreateKey(const std::wstring& Key) {
    const Base base = BaseOf(Key);
    UniqueKey key;
    if (::RegCreateKeyExW(base.key, base.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        throw Exception(L"Failed to create key " + Key);
}

bool TRegistry::OpenKey(const std::wstring& Key, bool CanCreate) {
    const Base base = BaseOf(Key);
    UniqueKey key;
    const LSTATUS status =
        CanCreate
            ? ::RegCreateKeyExW(base.key, base.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_ALL_ACCESS, nullptr, key.put(), nullptr)
            : ::RegOpenKeyExW(base.key, base.path.c_str(), 0, KEY_ALL_ACCESS, key.put());
    if (status != ERROR_SUCCESS)
        return false;
    current_ = std::move(key);
    return true;
}

void TRegistry::WriteString(const std::wstring& Name, const std::wstring& Value) {
    const auto bytes = static_cast<DWORD>((Value.size() + 1) * sizeof(wchar_t));
    if (!current_ ||
        ::RegSetValueExW(current_.get(), Name.c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(Value.c_str()), bytes) != ERROR_SUCCESS)
        throw Exception(L"Failed to set data for '" + Name + L"'");
}

std::wstring TRegistry::ReadString(const std::wstring& Name) const {
    if (!current_)
        return {};
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(current_.get(), Name.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw Exception(L"Invalid data type for '" + Name + L"'");
    // Stored strings need not end in a terminator, nor have an even length: read into a
    // buffer one character longer and cut at the first terminator.
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    DWORD read = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(current_.get(), Name.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(text.data()), &read) != ERROR_SUCCESS)
        throw Exception(L"Failed to get data for '" + Name + L"'");
    text.resize(std::min<std::size_t>(text.size(), read / sizeof(wchar_t)));
    if (const auto end = text.find(L'\0'); end != std::wstring::npos)
        text.resize(end);
    return text;
}

bool TRegistry::DeleteKey(const std::wstring& Key) {
    const Base base = BaseOf(Key);
    return DeleteTree(base.key, base.path);
}

void TRegistry::CloseKey() {
    current_.reset();
}
