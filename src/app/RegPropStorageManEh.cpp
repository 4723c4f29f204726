#include <windows.h>

#include "app/PropStorageEh.h"

#include <vector>

#include "app/prop_description.h"
#include "ui/application.h"
#include "util/app_folder.h"
#include "util/exception.h"
#include "util/reg_key.h"

namespace {

// "Line" and the number in ten digits with leading zeros.
std::wstring LineValueName(std::size_t line) {
    const std::wstring digits = std::to_wstring(line);
    return L"Line" + std::wstring(digits.size() < 10 ? 10 - digits.size() : 0, L'0') + digits;
}

[[noreturn]] void RaiseWriteFailure(const std::wstring& valueName) {
    throw Exception(L"Failed to set data for '" + valueName + L"'");
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
    TRegKey key;
    if (key.Create(RegistryKey, ApplicationKey() + L"\\" + section, KEY_ALL_ACCESS) !=
        ERROR_SUCCESS)
        RaiseWriteFailure(LineValueName(0));
    const std::vector<std::wstring> lines = SplitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::wstring name = LineValueName(i);
        if (key.SetString(name, lines[i]) != ERROR_SUCCESS)
            RaiseWriteFailure(name);
    }
    // Lines left from a longer description, up to the first gap in the numbering.
    for (std::size_t k = lines.size();; ++k) {
        const std::wstring name = LineValueName(k);
        if (!key.ValueType(name) || key.DeleteValue(name) != ERROR_SUCCESS)
            break;
    }
}

std::wstring TRegPropStorageManEh::ReadDescription(const std::wstring& section) const {
    TRegKey key;
    if (key.Open(RegistryKey, ApplicationKey() + L"\\" + section, KEY_READ) != ERROR_SUCCESS)
        return {};
    const std::size_t valueCount = key.ValueNames().size();
    std::vector<std::wstring> lines;
    std::wstring line;
    while (lines.size() < valueCount &&
           key.QueryString(LineValueName(lines.size()), line) == ERROR_SUCCESS)
        lines.push_back(std::move(line));
    return JoinLines(lines);
}
