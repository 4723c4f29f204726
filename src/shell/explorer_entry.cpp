#include <windows.h>

#include "shell/explorer_entry.h"

#include "dialogs/u_msgDlg.h"
#include "shell/entry_values.h"
#include "util/app_folder.h"
#include "util/date_time_text.h"
#include "util/error_log.h"
#include "util/exception_text.h"

namespace {

const wchar_t* const kRightsHint = L"\r\n(Возможно не хватает прав)";

} // namespace

TExplorerEntry::TExplorerEntry(std::wstring exePath)
    : exePath_(std::move(exePath)), name_(EntryName(exePath_)), base_(EntryKey(name_)) {}

void TExplorerEntry::Execute(int tag) {
    try {
        TRegistry registry;
        registry.SetRootKey(HKEY_CLASSES_ROOT);
        if (tag == 0) {
            WriteEntry(registry);
            ReportAdded(registry);
        } else if (tag == 1) {
            Remove(registry);
        }
    } catch (...) {
        // Keys created before the failure stay: the user can remove them with the command.
        const std::wstring message = CurrentExceptionMessage();
        AppendLogLine(ErrorLogPath(), CurrentDateTimeText() + L", Ошибка № 63219-2 " + message);
        ReportDlg(mtError, L"Ошибка", message + kRightsHint);
    }
}

void TExplorerEntry::WriteEntry(TRegistry& registry) {
    const std::wstring command = base_ + L"\\Command\\";
    if (!registry.KeyExists(command))
        registry.CreateKey(command);
    if (!registry.KeyExists(command))
        return;
    registry.OpenKey(base_ + L"\\", false);
    registry.WriteString(L"Icon", QuotedPath(exePath_));
    registry.WriteString(L"MUIVerb", EntryVerb(name_));
    registry.OpenKey(L"Command\\", true);
    registry.WriteString(L"", QuotedPath(exePath_));
}

void TExplorerEntry::ReportAdded(TRegistry& registry) {
    if (registry.ReadString(L"") == QuotedPath(exePath_))
        ReportDlg(mtInformation, L"Windows Explorer", L"Добавлено!");
    else
        ReportDlg(mtInformation, L"Windows Explorer",
                  std::wstring(L"Создание пункта меню в проводнике не удалось!") + kRightsHint);
    registry.CloseKey();
}

void TExplorerEntry::Remove(TRegistry& registry) {
    const std::wstring key = base_ + L"\\";
    if (registry.KeyExists(key))
        registry.DeleteKey(key);
    if (!registry.KeyExists(key))
        ReportDlg(mtInformation, L"Windows Explorer", L"Удалено!");
    else
        ReportDlg(mtInformation, L"Windows Explorer",
                  std::wstring(L"Удаление пункта меню в проводнике не удалось!") + kRightsHint);
    registry.CloseKey();
}
