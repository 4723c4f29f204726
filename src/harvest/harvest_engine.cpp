#include <windows.h>

#include "harvest/harvest_engine.h"

#include "harvest/harvest_text.h"
#include "util/date_time_text.h"
#include "util/error_log.h"
#include "util/exception_text.h"
#include "util/os_error.h"
#include "util/whole_file.h"

bool IsIcoFileName(const std::wstring& Name) {
    const std::size_t dot = Name.rfind(L'.');
    if (dot == std::wstring::npos)
        return false;
    std::wstring extension = Name.substr(dot);
    ::CharLowerBuffW(extension.data(), static_cast<DWORD>(extension.size()));
    return extension == L".ico";
}

THarvestEngine::THarvestEngine(TIconLibrary& Loader, TAdvancedIcon& Icon, std::wstring LogPath)
    : loader_(Loader), icon_(Icon), logPath_(std::move(LogPath)) {}

THarvestSummary THarvestEngine::Run(const std::vector<TFilePack>& Files,
                                    const std::wstring& SaveDir, THarvestObserver& Observer) {
    THarvestSummary summary;
    summary.Found = Files.size();
    for (std::size_t i = 0; i < Files.size(); ++i) {
        if (Observer.StopRequested()) {
            summary.Stopped = true;
            break;
        }
        // A copy: the observer may run code that changes the list.
        const TFilePack file = Files[i];
        THarvestFileResult result = ProcessFile(file, i, SaveDir, Observer);
        if (result.Outcome == THarvestOutcome::Saved || result.Outcome == THarvestOutcome::Copied)
            ++summary.Saved;
        Observer.FileFinished(i, file, result);
        summary.Results.push_back(std::move(result));
    }
    return summary;
}

THarvestFileResult THarvestEngine::ProcessFile(const TFilePack& File, std::size_t Position,
                                               const std::wstring& SaveDir,
                                               THarvestObserver& Observer) {
    Observer.FileStarted(Position, File);
    const std::wstring output = HarvestFileName(SaveDir, File.Name, Position);
    try {
        if (IsIcoFileName(File.Name))
            return CopyIconFile(File, output);
        return SaveFirstIcon(File, output, Observer);
    } catch (...) {
        const std::wstring message = CurrentExceptionMessage();
        AppendLogLine(logPath_, CurrentDateTimeText() + L", Error № 25-1 \"" + message +
                                    L"\"\r\n" + File.Path + File.Name);
        return {THarvestOutcome::Failed, output, message};
    }
}

THarvestFileResult THarvestEngine::CopyIconFile(const TFilePack& File, const std::wstring& Output) {
    try {
        CopyWholeFile(File.Path + File.Name, Output, TWriteSafety::Remakeable);
        return {THarvestOutcome::Copied, Output, {}};
    } catch (const EOSError& e) {
        const std::wstring message = SysErrorMessage(e.ErrorCode());
        AppendLogLine(logPath_, CurrentDateTimeText() + L", Error № 22-1 \"" + message + L"\"");
        return {THarvestOutcome::CopyFailed, Output, message};
    }
}

// The loader's first entry is copied into the harvest icon and that copy is saved, so
// every file's output is made the same way.
THarvestFileResult THarvestEngine::SaveFirstIcon(const TFilePack& File, const std::wstring& Output,
                                                 THarvestObserver& Observer) {
    loader_.Icons.Clear();
    loader_.LoadFromFile(File.Path + File.Name);
    TAdvancedIcon* first = loader_.Icons.Count() > 0 ? loader_.Icons.Objects(0) : nullptr;
    if (!first)
        return {THarvestOutcome::NoIcon, {}, {}};
    icon_.Assign(*first);
    if (icon_.Images.Count() == 0)
        return {THarvestOutcome::NoIcon, {}, {}};
    Observer.IconReady(icon_);
    try {
        icon_.SaveToFile(Output, TWriteSafety::Remakeable);
    } catch (...) {
        throw Exception(L"Ошибка № 23 " + CurrentExceptionMessage());
    }
    return {THarvestOutcome::Saved, Output, {}};
}
