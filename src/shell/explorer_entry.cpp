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

TExplorerEntry::TExplorerEntry(std::wstring ExePath)
    : exePath_(std::move(ExePath)), name_(EntryName(exePath_)), base_(EntryKey(name_)) {}

void TExplorerEntry::Execute(int Tag) {
    try {
        TRegistry registry;
        registry.SetRootKey(HKEY_CLASSES_ROOT);
        if (Tag == 0) {
            WriteEntry(registry);
            ReportAdded(registry);
        } else if (Tag == 1) {
            Remove(registry);
        }
    } catch (...) {
        // Keys created before the failure stay: the user can remove them with the command.
        const std::wstring message = CurrentExceptionMessage();
        AppendLogLine(ErrorLogPath(), CurrentDateTimeText() + L", Ошибка № 63219-2 " + message);
        ReportDlg(mtError, L"Ошибка", message + kRightsHint);
    }
}

void TExplorerEntry::WriteEntry(TRegistry& Registry) {
    const std::wstring command = base_ + L"\\Command\\";
    if (!Registry.KeyExists(command))
        Registry.CreateKey(command);
    if (!Registry.KeyExists(command))
        return;
    Registry.OpenKey(base_ + L"\\", false);
    Registry.WriteString(L"Icon", QuotedPath(exePath_));
    Registry.WriteString(L"MUIVerb", EntryVerb(name_));
    Registry.OpenKey(L"Command\\", true);
    Registry.WriteString(L"", QuotedPath(exePath_));
}

void TExplorerEntry::ReportAdded(TRegistry& Registry) {
    if (Registry.ReadString(L"") == QuotedPath(exePath_))
        ReportDlg(mtInformation, L"Windows Explorer", L"Добавлено!");
    else
        ReportDlg(mtInformation, L"Windows Explorer",
                  std::wstring(L"Создание пункта меню в проводнике не удалось!") + kRightsHint);
    Registry.CloseKey();
}

void TExplorerEntry::Remove(TRegistry& Registry) {
    const std::wstring key = base_ + L"\\";
    if (Registry.KeyExists(key))
        Registry.DeleteKey(key);
    if (!Registry.KeyExists(key))
        ReportDlg(mtInformation, L"Windows Explorer", L"Удалено!");
    else
        ReportDlg(mtInformation, L"Windows Explorer",
                  std::wstring(L"Удаление пункта меню в проводнике не удалось!") + kRightsHint);
    Registry.CloseKey();
}
