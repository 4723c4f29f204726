#include <windows.h>
#include <shellapi.h>

#include "harvest/harvest_run.h"

#include "dialogs/u_msgDlg.h"
#include "export/whole_file.h"
#include "harvest/fileTypeSelector.h"
#include "harvest/harvest_text.h"
#include "ui/application.h"
#include "ui/cursor.h"
#include "ui/light_delay.h"
#include "util/app_folder.h"
#include "util/date_time_text.h"
#include "util/error_log.h"
#include "util/exception_text.h"
#include "util/os_error.h"
#include "util/size_to_text.h"

namespace {

const wchar_t* const kIdleCaption = L"Quillmont";

// Marks the command as running for its whole life, however it ends.
class RunningScope {
public:
    explicit RunningScope(bool& running) : running_(running) { running_ = true; }
    ~RunningScope() { running_ = false; }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

private:
    bool& running_;
};

bool IsIcoFile(const std::wstring& Name) {
    const std::size_t dot = Name.rfind(L'.');
    if (dot == std::wstring::npos)
        return false;
    std::wstring extension = Name.substr(dot);
    ::CharLowerBuffW(extension.data(), static_cast<DWORD>(extension.size()));
    return extension == L".ico";
}

bool AskYesNo(const std::wstring& Title, const std::wstring& Text) {
    return TimedMessageDlg(Title, Text, mtConfirmation, mbYesNo, false, 0, clBtnFace, false) !=
           mrNo;
}

void ShellOpenFolder(HWND Owner, const std::wstring& Folder) {
    ::ShellExecuteW(Owner, L"OPEN", Folder.c_str(), nullptr, nullptr, SW_SHOW);
}

} // namespace

THarvestRun::THarvestRun(HarvestControls controls) : OpenFolder(ShellOpenFolder), c_(controls) {}

void THarvestRun::Run() {
    if (running_ || c_.Busy)
        return;
    std::wstring mask;
    if (!ChooseFileTypeMask(c_.Owner.Handle(), mask))
        return;
    RunningScope scope(running_);
    try {
        Harvest(mask);
    } catch (...) {
        const std::wstring message = CurrentExceptionMessage();
        BackToIdle();
        ::MessageBeep(MB_ICONHAND);
        throw Exception(L"Ошибка № 80-1 (" + message + L")");
    }
    BackToIdle();
}

void THarvestRun::Harvest(const std::wstring& Mask) {
    c_.StopRequest = false;
    if (!ChooseFolders())
        return;
    c_.Owner.SetText(L"Ждите...");
    c_.SaveDir = c_.fd.Directory;
    c_.IconLoader->Icons.Clear();
    c_.SearchFolders.FileMask = Mask;
    c_.sb.SetPanelText(0, Mask);
    c_.SearchFolders.ScanDir = c_.SearchDir;
    c_.SearchFolders.ClearFileList();
    c_.Busy = true;
    c_.SearchFolders.Start();
    ::MessageBeep(MB_ICONASTERISK);
}

// The folder to search, the folder to save into and, for a whole drive, a confirmation.
bool THarvestRun::ChooseFolders() {
    c_.fd.Title = L"Укажите директорий для поиска иконок.\r\nМожно выбирать и диски, однако "
                  L"поиск может занимать продолжительное время.";
    c_.fd.Caption = L"Поиск иконок";
    c_.fd.Options.Include(fdoNoNewFolderButton);
    c_.Image_icon.hint = L"Просмотр извлекаемых иконок";
    const bool searchChosen = c_.fd.Execute();
    c_.fd.Options.Exclude(fdoNoNewFolderButton);
    if (!searchChosen)
        return false;
    c_.fd.Title = L"Укажите (или создайте) папку для сохранения найденных иконок.";
    c_.fd.Caption = L"Сохранение иконок";
    c_.SearchDir = c_.fd.Directory;
    if (!c_.fd.Execute())
        return false;
    return c_.SearchDir.size() > 3 ||
           AskYesNo(L"Начало поиска",
                    L"Вы выбрали для поиска диск: \"" + c_.SearchDir + L"\"\r\nПродолжить?");
}

void THarvestRun::BackToIdle() {
    Screen::SetCursor(nullptr);
    c_.Owner.SetText(kIdleCaption);
    c_.Image_icon.Clear();
    c_.Busy = false;
}

void THarvestRun::WalkProgress(const std::wstring& Dir, std::int32_t CountFiles,
                               std::int64_t SizeOfFiles) {
    // A window closed meanwhile ends the walk: nothing is left to show it.
    if (WindowGone())
        c_.SearchFolders.Stop();
    c_.sb.SetPanelText(2, Dir);
    c_.sb.SetPanelText(3, L"Найдено подходящих файлов (" + FormatCount(CountFiles) + L"), " +
                              SizeToText(SizeOfFiles));
}

void THarvestRun::ProcessFoundFiles(std::int64_t CountFiles, std::int64_t SizeOfFiles) {
    c_.SavedCount = 0;
    bool stopped = false;
    const std::size_t found = c_.SearchFolders.FileList().size();
    if (found > 0) {
        Screen::SetCursor(IDC_WAIT);
        c_.sb.SetPanelText(2, L"Обновление списка файлов. Ждите.....");
        LightDelay(1200);
        c_.Owner.SetText(L"Файлов: (" + FormatCount(CountFiles) + L"), общий размер файлов: (" +
                         SizeToText(SizeOfFiles) + L")");
        Application::ProcessMessages();
        c_.FilesLeft = static_cast<int>(found);
        fileText_.Restart();
        remainingText_.Restart();
        preview_.Restart();
        for (std::size_t i = 0; i < found && i < c_.SearchFolders.FileList().size(); ++i) {
            if (c_.StopRequest || WindowGone()) {
                ::MessageBeep(0);
                stopped = true;
                break;
            }
            ProcessFile(i);
        }
        c_.sb.SetPanelText(3, L"");
    }
    c_.Busy = false;
    Application::ProcessMessages();
    c_.sb.SetPanelText(1, L"Готово");
    c_.sb.SetPanelText(2, L"Проверено файлов: " + FormatCount(static_cast<std::int64_t>(found)) +
                              L", сохранено иконок: (" + FormatCount(c_.SavedCount) + L")");
    if (c_.SavedCount > 0 && !stopped)
        OpenFolder(c_.Owner.Handle(), c_.fd.Directory);
    Screen::SetCursor(nullptr);
}

void THarvestRun::ProcessFile(std::size_t Position) {
    // A copy of the record: the messages pumped below may run any command, and the error
    // report needs the record whatever they do.
    const TFilePack file = c_.SearchFolders.FileList()[Position];
    try {
        Application::ProcessMessages();
        if (WindowGone())
            return;
        if (fileText_.Due()) {
            c_.sb.SetPanelText(1, file.Name);
            c_.sb.SetPanelText(2, file.Path);
        }
        const std::wstring output = HarvestFileName(c_.SaveDir, file.Name, Position);
        if (IsIcoFile(file.Name))
            CopyIconFile(file, output);
        else
            SaveModuleIcon(file, output);
        ShowRemaining(Position);
        --c_.FilesLeft;
    } catch (...) {
        ReportFileError(file);
    }
}

// On every tenth file, as often as it can be read.
void THarvestRun::ShowRemaining(std::size_t Position) {
    if (Position % 10 != 0 || !remainingText_.Due())
        return;
    c_.sb.SetPanelText(3, L"Осталось примерно: (" + FormatCount(c_.FilesLeft) + L")");
    Application::ProcessMessages();
}

void THarvestRun::CopyIconFile(const TFilePack& File, const std::wstring& Output) {
    try {
        CopyWholeFile(File.Path + File.Name, Output);
        ++c_.SavedCount;
    } catch (const EOSError& e) {
        AppendLogLine(ErrorLogPath(), CurrentDateTimeText() + L", Error № 22-1 \"" +
                                          SysErrorMessage(e.ErrorCode()) + L"\"");
    }
}

void THarvestRun::SaveModuleIcon(const TFilePack& File, const std::wstring& Output) {
    c_.IconLoader->Icons.Clear();
    c_.IconLoader->LoadFromFile(File.Path + File.Name);
    if (c_.IconLoader->Icons.Count() == 0)
        return;
    // The loader's first entry is saved. When the preview is due it goes there first, through
    // the lists and the harvest icon (an exact copy); otherwise it is saved as it is.
    const TAdvancedIcon* icon = c_.IconLoader->Icons.Objects(0);
    if (!icon)
        return;
    if (preview_.Due()) {
        c_.Preview.FillLibList();
        icon = c_.HarvestIcon.get();
    }
    if (!icon || icon->Images.Count() == 0)
        return;
    try {
        icon->SaveToFile(Output);
    } catch (...) {
        throw Exception(L"Ошибка № 23 " + CurrentExceptionMessage());
    }
    ++c_.SavedCount;
}

// Called with the file's error in flight: logs it, tells the user in a dialog that closes
// by itself after ten seconds, and lets the run go on with the next file.
void THarvestRun::ReportFileError(const TFilePack& File) {
    const std::wstring message = CurrentExceptionMessage();
    --c_.FilesLeft;
    AppendLogLine(ErrorLogPath(), CurrentDateTimeText() + L", Error № 25-1 \"" + message +
                                      L"\"\r\n" + File.Path + File.Name);
    ::MessageBeep(MB_ICONHAND);
    // The status bar names the file the dialog is about, whatever its refresh cadence.
    c_.sb.SetPanelText(1, File.Name);
    c_.sb.SetPanelText(2, File.Path);
    TimedMessageDlg(L"Ошибка",
                    L"Ошибка обработки № 25-1 (" + message + L"), " + File.Path + File.Name,
                    mtError, mbOKOnly, false, 10, clBtnFace, true);
}

void THarvestRun::AskStop() {
    if (!c_.Busy)
        return;
    if (TimedMessageDlg(L"Поиск...", L"Остановить?", mtConfirmation, mbYesNo, false, 0, clBtnFace,
                        false) == mrYes) {
        c_.SearchFolders.Stop();
        c_.StopRequest = true;
    }
}

bool THarvestRun::TCadence::Due() {
    const DWORD now = ::GetTickCount();
    if (started_ && now - last_ < interval_)
        return false;
    started_ = true;
    last_ = now;
    return true;
}

bool THarvestRun::WindowGone() const {
    return !c_.Owner.Handle() || !::IsWindow(c_.Owner.Handle());
}
