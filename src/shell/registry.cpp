#include <windows.h>

#include "shell/registry.h"

#include "util/exception.h"

namespace {

constexpr REGSAM kReadAccess = STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS;

} // namespace

void TRegistry::SetRootKey(HKEY root) {
    CloseKey();
    root_ = root;
}

TRegistry::Base TRegistry::BaseOf(const std::wstring& key) const {
    if (!key.empty() && key.front() == L'\\')
        return {root_, key.substr(1)};
    return {current_ ? current_.Handle() : root_, key};
}

bool TRegistry::KeyExists(const std::wstring& key) const {
    const Base base = BaseOf(key);
    return TRegKey().Open(base.key, base.path, kReadAccess) == ERROR_SUCCESS;
}

void TRegistry::CreateKey(const std::wstring& key) {
    const Base base = BaseOf(key);
    if (TRegKey().Create(base.key, base.path, KEY_ALL_ACCESS) != ERROR_SUCCESS)
        throw Exception(L"Failed to create key " + key);
}

bool TRegistry::OpenKey(const std::wstring& key, bool canCreate) {
    const Base base = BaseOf(key);
    TRegKey opened;
    const LSTATUS status = canCreate ? opened.Create(base.key, base.path, KEY_ALL_ACCESS)
                                     : opened.Open(base.key, base.path, KEY_ALL_ACCESS);
    if (status != ERROR_SUCCESS)
        return false;
    current_ = std::move(opened);
    return true;
}

void TRegistry::WriteString(const std::wstring& name, const std::wstring& value) {
    if (!current_ || current_.SetString(name, value) != ERROR_SUCCESS)
        throw Exception(L"Failed to set data for '" + name + L"'");
}

std::wstring TRegistry::ReadString(const std::wstring& name) const {
    std::wstring text;
    if (!current_)
        return text;
    switch (current_.QueryString(name, text)) {
    case ERROR_SUCCESS:
    case ERROR_FILE_NOT_FOUND:
        return text;
    case ERROR_UNSUPPORTED_TYPE:
        throw Exception(L"Invalid data type for '" + name + L"'");
    default:
        throw Exception(L"Failed to get data for '" + name + L"'");
    }
}

bool TRegistry::DeleteKey(const std::wstring& key) {
    const Base base = BaseOf(key);
    return TRegKey::DeleteTree(base.key, base.path) == ERROR_SUCCESS;
}

void TRegistry::CloseKey() {
    current_.Close();
}
