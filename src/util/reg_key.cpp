#include <windows.h>

#include "util/reg_key.h"

#include <algorithm>

namespace {

// Names taken one by one with enumerate(index, buffer, length) until it reports no more,
// in a buffer sized for the longest name the key reported and grown should a longer one
// have been added since.
template <typename Enumerate>
std::vector<std::wstring> EnumeratedNames(DWORD longest, Enumerate enumerate) {
    std::vector<std::wstring> names;
    std::wstring buffer(static_cast<std::size_t>(longest) + 1, L'\0');
    for (DWORD i = 0;;) {
        auto length = static_cast<DWORD>(buffer.size());
        const LSTATUS status = enumerate(i, buffer.data(), &length);
        if (status == ERROR_MORE_DATA) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (status != ERROR_SUCCESS)
            return names;
        names.emplace_back(buffer.data(), length);
        ++i;
    }
}

} // namespace

LSTATUS TRegKey::Open(HKEY parent, const std::wstring& path, REGSAM access) {
    HKEY key = nullptr;
    const LSTATUS status =
        ::RegOpenKeyExW(parent, path.empty() ? nullptr : path.c_str(), 0, access, &key);
    key_.reset(status == ERROR_SUCCESS ? key : nullptr);
    return status;
}

LSTATUS TRegKey::Create(HKEY parent, const std::wstring& path, REGSAM access, DWORD options) {
    HKEY key = nullptr;
    const LSTATUS status = ::RegCreateKeyExW(parent, path.c_str(), 0, nullptr, options, access,
                                             nullptr, &key, nullptr);
    key_.reset(status == ERROR_SUCCESS ? key : nullptr);
    return status;
}

std::vector<std::wstring> TRegKey::SubkeyNames() const {
    DWORD longest = 0;
    if (::RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, &longest, nullptr,
                           nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return {};
    return EnumeratedNames(longest, [this](DWORD i, wchar_t* name, DWORD* length) {
        return ::RegEnumKeyExW(key_.get(), i, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::wstring> TRegKey::ValueNames() const {
    DWORD longest = 0;
    if (::RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, &longest, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return {};
    return EnumeratedNames(longest, [this](DWORD i, wchar_t* name, DWORD* length) {
        return ::RegEnumValueW(key_.get(), i, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

std::optional<DWORD> TRegKey::ValueType(const std::wstring& name) const {
    DWORD type = REG_NONE;
    if (::RegQueryValueExW(key_.get(), name.c_str(), nullptr, &type, nullptr, nullptr) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return type;
}

LSTATUS TRegKey::QueryString(const std::wstring& name, std::wstring& text) const {
    text.clear();
    // Stored strings need not end in a terminator, nor have an even length: the buffer is
    // one character longer than the data, only whole characters are kept, and the text ends
    // at the first terminator. A value that grew since its size was taken is read again.
    DWORD size = 0;
    for (;;) {
        DWORD type = REG_NONE;
        std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
        auto bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LSTATUS status = ::RegQueryValueExW(key_.get(), name.c_str(), nullptr, &type,
                                                  reinterpret_cast<BYTE*>(buffer.data()), &bytes);
        if (status == ERROR_MORE_DATA) {
            size = std::max<DWORD>(bytes, static_cast<DWORD>(buffer.size() * sizeof(wchar_t)));
            continue;
        }
        if (status != ERROR_SUCCESS)
            return status;
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            return ERROR_UNSUPPORTED_TYPE;
        buffer.resize(bytes / sizeof(wchar_t));
        if (const auto end = buffer.find(L'\0'); end != std::wstring::npos)
            buffer.resize(end);
        text = std::move(buffer);
        return ERROR_SUCCESS;
    }
}

LSTATUS TRegKey::SetString(const std::wstring& name, const std::wstring& text) {
    return ::RegSetValueExW(key_.get(), name.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

LSTATUS TRegKey::DeleteValue(const std::wstring& name) {
    return ::RegDeleteValueW(key_.get(), name.c_str());
}

LSTATUS TRegKey::DeleteTree(HKEY parent, const std::wstring& path) {
    TRegKey key;
    if (key.Open(parent, path, KEY_ALL_ACCESS) == ERROR_SUCCESS) {
        const std::vector<std::wstring> names = key.SubkeyNames();
        for (auto name = names.rbegin(); name != names.rend(); ++name)
            DeleteTree(key.Handle(), *name);
    }
    return ::RegDeleteKeyW(parent, path.c_str());
}
