#include <windows.h>

#include "app/PropStorageEh.h"

#include <optional>
#include <vector>

#include "app/prop_description.h"
#include "ui/application.h"
#include "util/app_folder.h"
#include "util/exception.h"
#include "util/handle.h"

namespace {

// "Line" and the number in ten digits with leading zeros.
std::wstring LineValueName(std::size_t line) {
    const std::wstring digits = std::to_wstring(line);
    return L"Line" + std::wstring(digits.size() < 10 ? 10 - digits.size() : 0, L'0') + digits;
}

[[noreturn]] void RaiseWriteFailure(const std::wstring& valueName) {
    throw Exception(L"Failed to set data for '" + valueName + L"'");
}

bool HasValue(HKEY key, const std::wstring& name) {
    return ::RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

// A text value; nullopt when it is missing or not text.
std::optional<std::wstring> ReadText(HKEY key, const std::wstring& name) {
    for (;;) {
        DWORD size = 0;
        if (::RegGetValueW(key, nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
            ERROR_SUCCESS)
            return std::nullopt;
        std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        const LSTATUS status =
            ::RegGetValueW(key, nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &size);
        if (status == ERROR_MORE_DATA)
            continue; // grew in between
        if (status != ERROR_SUCCESS)
            return std::nullopt;
        text.resize(size / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        return text;
    }
}

std::wstring ExeNameWithoutExtension() {
    std::wstring name = ExePath();
    name.erase(0, name.find_last_of(L"\\/") + 1);
    if (const auto dot = name.find_last_of(L'.'); dot != std::wstring::npos)
        name.erase(dot);
    return name;
}

} // namespace

std::wstring TRegPropStorageManEh::ApplicationKey() const {
    if (!Path.empty())
        return Path;
    const std::wstring& title = Application::Title();
    return L"Software\\" + (title.empty() ? ExeNameWithoutExtension() : title);
}

void TRegPropStorageManEh::WriteDescription(const std::wstring& section, const std::wstring& text) {
    const std::wstring keyPath = ApplicationKey() + L"\\" + section;
    UniqueKey key;
    if (::RegCreateKeyExW(RegistryKey, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          key.put(), nullptr) != ERROR_SUCCESS)
        RaiseWriteFailure(LineValueName(0));
    const std::vector<std::wstring> lines = SplitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::wstring name = LineValueName(i);
        const std::wstring& line = lines[i];
        if (::RegSetValueExW(
                key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(line.c_str()),
                static_cast<DWORD>((line.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
            RaiseWriteFailure(name);
    }
    // Lines left from a longer description, up to the first gap in the numbering.
    for (std::size_t k = lines.size();; ++k) {
        const std::wstring name = LineValueName(k);
        if (!HasValue(key.get(), name) ||
            ::RegDeleteValueW(key.get(), name.c_str()) != ERROR_SUCCESS)
            break;
    }
}

std::wstring TRegPropStorageManEh::ReadDescription(const std::wstring& section) const {
    const std::wstring keyPath = ApplicationKey() + L"\\" + section;
    UniqueKey key;
    if (::RegOpenKeyExW(RegistryKey, keyPath.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return {};
    DWORD valueCount = 0;
    if (::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           &valueCount, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return {};
    std::vector<std::wstring> lines;
    for (DWORD i = 0; i < valueCount; ++i) {
        auto line = ReadText(key.get(), LineValueName(i));
        if (!line)
            break;
        lines.push_back(std::move(*line));
    }
    return JoinLines(lines);
}
