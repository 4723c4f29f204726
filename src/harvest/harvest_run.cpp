#include <windows.h>
#include <shellapi.h>

#include "harvest/harvest_run.h"

#include "dialogs/u_msgDlg.h"
#include "harvest/fileTypeSelector.h"
#include "harvest/harvest_engine.h"
#include "harvest/harvest_text.h"
#include "ui/application.h"
#include "ui/cadence.h"
#include "ui/cursor.h"
#include "ui/light_delay.h"
#include "util/app_folder.h"
#include "util/exception_text.h"
#include "util/flag_scope.h"
#include "util/size_to_text.h"

namespace {

const wchar_t* const kIdleCaption = L"Quillmont";

void ShellOpenFolder(HWND owner, const std::wstring& folder) {
    ::ShellExecuteW(owner, L"OPEN", folder.c_str(), nullptr, nullptr, SW_SHOW);
}

} // namespace

// Shows the engine's progress in the main window and keeps the window alive between files.
class THarvestRun::TWindowObserver : public THarvestObserver {
public:
    explicit TWindowObserver(THarvestRun& run) : run_(run) {}

    bool StopRequested() override {
        const bool gone = run_.WindowGone();
        if (!run_.s_.StopRequest && !gone)
            return false;
        if (!gone)
            ::MessageBeep(0);
        return true;
    }

    void FileStarted(std::size_t, const TFilePack& file) override {
        // Between files the window takes its messages, a few times a clock tick at most:
        // often enough for Esc and the window to answer at once, where a pump for every
        // one of a thousand small files a second would cost a fifth of the run.
        if (pump_.Due())
            Application::ProcessMessages();
        started_ = ::GetTickCount();
        if (!run_.WindowGone())
            run_.status_.FileStarted(file.Name, file.Path, LikelySlow(file));
    }

    void IconReady(TAdvancedIcon&) override {
        if (preview_.Due() && !run_.WindowGone())
            run_.p_.Preview.ShowLoadedIcon();
    }

    void FileFinished(std::size_t position, const TFilePack& file,
                      const THarvestFileResult& result) override {
        lastFileMs_ = ::GetTickCount() - started_;
        if (result.Outcome == THarvestOutcome::Saved || result.Outcome == THarvestOutcome::Copied)
            ++run_.s_.SavedCount;
        if (result.Outcome == THarvestOutcome::Failed) {
            --run_.s_.FilesLeft;
            ReportFailure(file, result.Message);
            return;
        }
        if (position % 10 == 0 && !run_.WindowGone())
            run_.status_.Remaining(L"Осталось примерно: (" + FormatCount(run_.s_.FilesLeft) + L")");
        --run_.s_.FilesLeft;
    }

private:
    // A file is named on screen before its work when it is large or when the files have
    // just been slow (a slow disk or share): those are the ones that keep the bar unpainted.
    bool LikelySlow(const TFilePack& file) const {
        constexpr std::int64_t kLargeFile = 16 << 20;
        constexpr DWORD kSlowFileMs = 100;
        return file.Size >= kLargeFile || lastFileMs_ >= kSlowFileMs;
    }

    // The failure is logged already; the user is told in a dialog that closes by itself
    // after ten seconds, with the bar naming the file it is about.
    void ReportFailure(const TFilePack& file, const std::wstring& message) {
        if (run_.WindowGone())
            return;
        ::MessageBeep(MB_ICONHAND);
        run_.status_.FileStarted(file.Name, file.Path, true);
        TimedMessageDlg(L"Ошибка",
                        L"Ошибка обработки № 25-1 (" + message + L"), " + file.Path + file.Name,
                        mtError, mbOKOnly, false, 10, clBtnFace, true);
    }

    THarvestRun& run_;
    TCadence pump_{10};
    TCadence preview_{500};
    DWORD started_ = 0;
    DWORD lastFileMs_ = 0;
};

THarvestRun::THarvestRun(THarvestParts parts, THarvestState& state)
    : OpenFolder(ShellOpenFolder), p_(parts), s_(state), status_(parts.sb) {}

void THarvestRun::Run() {
    if (running_ || s_.Busy)
        return;
    std::wstring mask;
    if (!ChooseFileTypeMask(p_.Owner.Handle(), mask))
        return;
    const TFlagScope scope(running_);
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

void THarvestRun::Harvest(const std::wstring& mask) {
    s_.StopRequest = false;
    if (!ChooseFolders())
        return;
    p_.Owner.SetText(L"Ждите...");
    s_.SaveDir = p_.fd.Directory;
    p_.IconLoader->Icons.Clear();
    p_.SearchFolders.FileMask = mask;
    p_.sb.SetPanelText(0, mask);
    p_.SearchFolders.ScanDir = s_.SearchDir;
    p_.SearchFolders.ClearFileList();
    s_.Busy = true;
    p_.SearchFolders.Start();
    if (!WindowGone())
        ::MessageBeep(MB_ICONASTERISK);
}

// The folder to search, the folder to save into and, for a whole drive, a confirmation.
bool THarvestRun::ChooseFolders() {
    p_.fd.Title = L"Укажите директорий для поиска иконок.\r\nМожно выбирать и диски, однако "
                  L"поиск может занимать продолжительное время.";
    p_.fd.Caption = L"Поиск иконок";
    p_.fd.Options.Include(fdoNoNewFolderButton);
    p_.Image_icon.hint = L"Просмотр извлекаемых иконок";
    const bool searchChosen = p_.fd.Execute();
    p_.fd.Options.Exclude(fdoNoNewFolderButton);
    if (!searchChosen)
        return false;
    p_.fd.Title = L"Укажите (или создайте) папку для сохранения найденных иконок.";
    p_.fd.Caption = L"Сохранение иконок";
    s_.SearchDir = p_.fd.Directory;
    if (!p_.fd.Execute())
        return false;
    return s_.SearchDir.size() > 3 ||
           AskYesNoDlg(L"Начало поиска", L"Вы выбрали для поиска диск: \"" + s_.SearchDir +
                                             L"\"\r\nПродолжить?") != mrNo;
}

void THarvestRun::BackToIdle() {
    Screen::SetCursor(nullptr);
    s_.Busy = false;
    if (WindowGone())
        return;
    p_.Owner.SetText(kIdleCaption);
    p_.Image_icon.Clear();
}

void THarvestRun::WalkProgress(const std::wstring& Dir, std::int32_t CountFiles,
                               std::int64_t SizeOfFiles) {
    // A window closed meanwhile ends the walk: nothing is left to show it.
    if (WindowGone()) {
        p_.SearchFolders.Stop();
        return;
    }
    p_.sb.SetPanelText(2, Dir);
    p_.sb.SetPanelText(3, L"Найдено подходящих файлов (" + FormatCount(CountFiles) + L"), " +
                              SizeToText(SizeOfFiles));
}

void THarvestRun::ProcessFoundFiles(std::int64_t CountFiles, std::int64_t SizeOfFiles) {
    s_.SavedCount = 0;
    const std::vector<TFilePack>& files = p_.SearchFolders.FileList();
    const std::size_t found = files.size();
    bool stopped = false;
    if (found > 0 && !WindowGone()) {
        Screen::SetCursor(IDC_WAIT);
        p_.sb.SetPanelText(2, L"Обновление списка файлов. Ждите.....");
        LightDelay(1200);
        ShowProcessingCaption(CountFiles, SizeOfFiles);
        Application::ProcessMessages();
        s_.FilesLeft = static_cast<int>(found);
        status_.Restart();
        TWindowObserver observer(*this);
        THarvestEngine engine(*p_.IconLoader, *p_.HarvestIcon, ErrorLogPath());
        stopped = engine.Run(files, s_.SaveDir, observer).Stopped;
        if (!WindowGone())
            p_.sb.SetPanelText(3, L"");
    }
    s_.Busy = false;
    if (!WindowGone()) {
        Application::ProcessMessages();
        ShowFinalTexts(found);
        if (s_.SavedCount > 0 && !stopped)
            OpenFolder(p_.Owner.Handle(), p_.fd.Directory);
    }
    Screen::SetCursor(nullptr);
}

void THarvestRun::ShowProcessingCaption(std::int64_t CountFiles, std::int64_t SizeOfFiles) {
    if (WindowGone())
        return;
    p_.Owner.SetText(L"Файлов: (" + FormatCount(CountFiles) + L"), общий размер файлов: (" +
                     SizeToText(SizeOfFiles) + L")");
}

void THarvestRun::ShowFinalTexts(std::size_t found) {
    p_.sb.SetPanelText(1, L"Готово");
    p_.sb.SetPanelText(2, L"Проверено файлов: " + FormatCount(static_cast<std::int64_t>(found)) +
                              L", сохранено иконок: (" + FormatCount(s_.SavedCount) + L")");
}

void THarvestRun::AskStop() {
    if (!s_.Busy)
        return;
    if (AskYesNoDlg(L"Поиск...", L"Остановить?") == mrYes) {
        p_.SearchFolders.Stop();
        s_.StopRequest = true;
    }
}

bool THarvestRun::WindowGone() const {
    return !p_.Owner.Handle() || !::IsWindow(p_.Owner.Handle());
}
