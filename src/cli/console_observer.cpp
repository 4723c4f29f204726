#include <windows.h>

#include "cli/console_observer.h"

#include <algorithm>

#include "cli/cli_text.h"

namespace {

// A console is redrawn often enough to look alive; a log gets a line a few times a second.
constexpr ULONGLONG kConsoleInterval = 100;
constexpr ULONGLONG kLogInterval = 400;

std::wstring ResultText(const THarvestFileResult& Result) {
    switch (Result.Outcome) {
    case THarvestOutcome::Saved:
        return L"saved";
    case THarvestOutcome::Copied:
        return L"copied";
    case THarvestOutcome::NoIcon:
        return L"no icon";
    case THarvestOutcome::Duplicate:
        return L"duplicate of " + Result.Groups.front().DuplicateOf;
    case THarvestOutcome::CopyFailed:
    case THarvestOutcome::Failed:
        break;
    }
    return L"error: " + Result.Message;
}

} // namespace

TConsoleObserver::TConsoleObserver(const TConsoleStream& Errors, bool Quiet,
                                   const std::atomic<bool>& Stop)
    : errors_(Errors), quiet_(Quiet), stop_(Stop) {}

void TConsoleObserver::Walking(std::size_t Found, const std::wstring& Folder) {
    Show(WalkProgress(Found, Folder));
}

void TConsoleObserver::FileStarted(std::size_t Position, const TFilePack& File) {
    Show(FileProgress(Position + 1, total_, File.Path + File.Name));
}

void TConsoleObserver::FileFinished(std::size_t, const TFilePack& File,
                                    const THarvestFileResult& Result) {
    const bool failed =
        Result.Outcome == THarvestOutcome::Failed || Result.Outcome == THarvestOutcome::CopyFailed;
    if (failed) {
        ++failed_;
        Print(File.Path + File.Name + L": " + OneLine(Result.Message));
    }
    if (Result.Outcome == THarvestOutcome::Saved || Result.Outcome == THarvestOutcome::Copied)
        for (const THarvestGroup& group : Result.Groups)
            saved_ += group.DuplicateOf.empty();
    if (Reporting)
        report_ +=
            ReportLine(File.Path + File.Name, Result.Kind, ResultText(Result), Result.Groups);
}

void TConsoleObserver::Show(const std::wstring& Text) {
    if (quiet_)
        return;
    const ULONGLONG now = ::GetTickCount64();
    const bool console = errors_.IsConsole();
    if (shown_ != 0 && now - shown_ < (console ? kConsoleInterval : kLogInterval))
        return;
    shown_ = now;
    if (!console) {
        errors_.Write(Text + L"\n");
        return;
    }
    // Redrawn in place: the line cut to the console's width, its rest blanked.
    const std::size_t width = static_cast<std::size_t>(std::max(errors_.Width() - 1, 20));
    std::wstring line = Text.size() > width ? L"..." + Text.substr(Text.size() - width + 3) : Text;
    line.resize(width, L' ');
    errors_.Write(L"\r" + line);
    lineOpen_ = true;
}

void TConsoleObserver::Print(const std::wstring& Line) {
    Finish();
    errors_.Write(Line + L"\n");
}

void TConsoleObserver::Finish() {
    if (!lineOpen_)
        return;
    errors_.Write(L"\r" +
                  std::wstring(static_cast<std::size_t>(std::max(errors_.Width() - 1, 1)), L' ') +
                  L"\r");
    lineOpen_ = false;
}
