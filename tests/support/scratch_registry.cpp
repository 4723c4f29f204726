#include <windows.h>

#include "support/scratch_registry.h"

#include <set>
#include <stdexcept>

#include "util/handle.h"
#include "util/os_error.h"

namespace {

const wchar_t* const testsKey = L"Software\\QuillmontTests";

// Predefined keys redirected right now: RegOverridePredefKey cannot nest, since ending the
// inner override would end the outer one too.
std::set<HKEY>& ActiveOverrides() {
    static std::set<HKEY> active;
    return active;
}

std::wstring UniqueScratchPath() {
    static unsigned counter = 0;
    return std::wstring(testsKey) + L"\\" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(::GetTickCount()) + L"-" + std::to_wstring(++counter);
}

void Check(LSTATUS status) {
    if (status != ERROR_SUCCESS)
        RaiseOSError(static_cast<DWORD>(status));
}

UniqueKey CreateBelow(HKEY root, const std::wstring& subKey) {
    UniqueKey key;
    Check(::RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                            nullptr));
    return key;
}

} // namespace

ScratchRegistry::ScratchRegistry(HKEY predefined)
    : predefined_(predefined), path_(UniqueScratchPath()) {
    if (!ActiveOverrides().insert(predefined_).second)
        throw std::logic_error("this predefined key is already redirected to a scratch key");
    try {
        // Opened through the real HKEY_CURRENT_USER before any override of it begins.
        root_ = CreateBelow(HKEY_CURRENT_USER, path_).release();
        Check(::RegOverridePredefKey(predefined_, root_));
    } catch (...) {
        if (root_) {
            ::RegCloseKey(root_);
            ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
            ::RegDeleteKeyW(HKEY_CURRENT_USER, testsKey);
        }
        ActiveOverrides().erase(predefined_);
        throw;
    }
}

ScratchRegistry::~ScratchRegistry() {
    ::RegOverridePredefKey(predefined_, nullptr);
    ActiveOverrides().erase(predefined_);
    ::RegCloseKey(root_);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    // Removed only when no other test program's scratch key is left in it.
    ::RegDeleteKeyW(HKEY_CURRENT_USER, testsKey);
}

void ScratchRegistry::CreateKey(const std::wstring& subKey) {
    CreateBelow(root_, subKey);
}

void ScratchRegistry::SetText(const std::wstring& subKey, const std::wstring& text,
                              const std::wstring& valueName) {
    const UniqueKey key = CreateBelow(root_, subKey);
    Check(::RegSetValueExW(key.get(), valueName.empty() ? nullptr : valueName.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))));
}

void ScratchRegistry::AddFileType(const std::wstring& extension, const std::wstring& className,
                                  const std::wstring& description,
                                  const std::wstring& openCommand) {
    SetText(extension, className);
    SetText(className, description);
    SetText(className + L"\\shell\\open\\command", openCommand);
}

bool ScratchRegistry::HasKey(const std::wstring& subKey) const {
    UniqueKey key;
    return ::RegOpenKeyExW(root_, subKey.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::optional<std::wstring> ScratchRegistry::Text(const std::wstring& subKey,
                                                  const std::wstring& valueName) const {
    const wchar_t* name = valueName.empty() ? nullptr : valueName.c_str();
    DWORD size = 0;
    if (::RegGetValueW(root_, subKey.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (::RegGetValueW(root_, subKey.c_str(), name, RRF_RT_REG_SZ, nullptr, text.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    text.resize(size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}
