#include <windows.h>
#include <shlobj.h>

#include "cli/harvest_cli.h"

#include <atomic>
#include <span>

#include "cli/cli_options.h"
#include "cli/cli_text.h"
#include "cli/console_observer.h"
#include "cli/console_stream.h"
#include "cli/system32_view.h"
#include "harvest/harvest_engine.h"
#include "harvest/scan/JvSFolders.h"
#include "util/app_folder.h"
#include "util/exception_text.h"
#include "util/os_error.h"
#include "util/whole_file.h"

namespace {

constexpr int kAllDone = 0;
constexpr int kSomeFailed = 1;
constexpr int kUnusable = 2;

std::atomic<bool> g_stop{false};

// Ctrl+C and Ctrl+Break ask the run to stop between files; closing the console ends the
// process as usual (the outputs are whole files either way).
BOOL WINAPI OnConsoleBreak(DWORD Event) {
    if (Event != CTRL_C_EVENT && Event != CTRL_BREAK_EVENT)
        return FALSE;
    g_stop = true;
    return TRUE;
}

// A failure that makes the command line unusable: exit status 2 with its message.
class EUnusable : public Exception {
public:
    using Exception::Exception;
};

std::wstring FullPath(const std::wstring& Path) {
    const DWORD size = ::GetFullPathNameW(Path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size ? ::GetFullPathNameW(Path.c_str(), size, full.data(), nullptr) : 0;
    if (length == 0 || length >= size)
        throw EUnusable(L"cannot use \"" + Path + L"\": " + SysErrorMessage(::GetLastError()));
    full.resize(length);
    return full;
}

std::wstring WithoutTrailingSlash(std::wstring Path) {
    while (!Path.empty() && Path.back() == L'\\')
        Path.pop_back();
    return Path;
}

void RequireFolder(const std::wstring& Folder, const std::wstring& Given) {
    const DWORD attributes = ::GetFileAttributesW(Folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        throw EUnusable(L"cannot use FOLDER \"" + Given + L"\": " +
                        SysErrorMessage(::GetLastError()));
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw EUnusable(L"FOLDER \"" + Given + L"\" is not a folder");
}

void MakeOutputFolder(const std::wstring& Folder, const std::wstring& Given) {
    const int made = ::SHCreateDirectoryExW(nullptr, Folder.c_str(), nullptr);
    const DWORD attributes = ::GetFileAttributesW(Folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw EUnusable(L"cannot use OUTPUT \"" + Given + L"\": " +
                        (made == ERROR_SUCCESS || made == ERROR_ALREADY_EXISTS
                             ? std::wstring(L"not a folder")
                             : SysErrorMessage(static_cast<DWORD>(made))));
}

void WriteUtf8File(const std::wstring& FileName, const std::wstring& Text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, Text.data(), static_cast<int>(Text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, Text.data(), static_cast<int>(Text.size()), utf8.data(), size,
                          nullptr, nullptr);
    WriteWholeFile(FileName,
                   std::span(reinterpret_cast<const std::uint8_t*>(utf8.data()), utf8.size()));
}

class THarvestCommand {
public:
    THarvestCommand(const TCliOptions& Options, const TConsoleStream& Out,
                    const TConsoleStream& Errors)
        : o_(Options), out_(Out), observer_(Errors, Options.Quiet, g_stop) {}

    int Run();

private:
    void Prepare();
    void Walk();

    const TCliOptions& o_;
    const TConsoleStream& out_;
    TConsoleObserver observer_;
    std::wstring folder_, output_, report_;
    TJvSearchFolders scan_;
};

void THarvestCommand::Prepare() {
    folder_ = FullPath(o_.Folder);
    {
        TRealSystem32Scope view(o_.RealSystem32);
        RequireFolder(folder_, o_.Folder);
    }
    output_ = FullPath(o_.Output);
    MakeOutputFolder(output_, o_.Output);
    output_ = WithoutTrailingSlash(output_);
    if (o_.Report.empty())
        return;
    // Written now, so that a report that cannot be written stops the run before its work.
    report_ = FullPath(o_.Report);
    try {
        WriteUtf8File(report_, ReportHeader());
    } catch (const Exception& e) {
        throw EUnusable(L"cannot write the report \"" + o_.Report + L"\": " + e.Message());
    }
    observer_.Reporting = true;
}

// The same walk as the window's harvest, without its message pumping.
void THarvestCommand::Walk() {
    scan_.Messages = false;
    scan_.FileMask = KindsMask(o_.Kinds);
    scan_.ScanDir = folder_;
    scan_.OnProcess = [this](TJvSearchFolders& Sender, const std::wstring& Dir,
                             std::int32_t CountFiles, std::int64_t) {
        observer_.Walking(static_cast<std::size_t>(CountFiles), Dir);
        if (g_stop)
            Sender.Stop();
    };
    TRealSystem32Scope view(o_.RealSystem32);
    scan_.Start();
}

int THarvestCommand::Run() {
    Prepare();
    ::SetConsoleCtrlHandler(OnConsoleBreak, TRUE);
    Walk();
    observer_.Processing(scan_.FileList().size());
    TIconLibrary loader;
    TAdvancedIcon icon;
    THarvestEngine engine(loader, icon, ErrorLogPath());
    engine.Options = {o_.AllGroups, o_.SkipDuplicates, o_.FollowMun, !report_.empty()};
    THarvestSummary summary;
    {
        TRealSystem32Scope view(o_.RealSystem32);
        summary = engine.Run(scan_.FileList(), output_, observer_);
    }
    observer_.Finish();
    if (!report_.empty()) {
        // Every file found has its line, those a stop left out too.
        std::wstring lines = observer_.ReportLines();
        for (std::size_t i = summary.Results.size(); i < scan_.FileList().size(); ++i) {
            const TFilePack& file = scan_.FileList()[i];
            lines += ReportLine(file.Path + file.Name, TSourceKind::Other, L"not processed", {});
        }
        WriteUtf8File(report_, ReportHeader() + lines);
    }
    if (!o_.Quiet)
        out_.Write(SummaryLine(summary.Found, observer_.IconsSaved(), observer_.Failed()) + L"\n");
    return summary.Stopped || observer_.Failed() > 0 ? kSomeFailed : kAllDone;
}

} // namespace

int RunHarvestCli(const std::vector<std::wstring>& Args) {
    const TConsoleStream out(STD_OUTPUT_HANDLE);
    const TConsoleStream errors(STD_ERROR_HANDLE);
    const TParsedCommandLine parsed = ParseCommandLine(Args);
    if (!parsed.Error.empty()) {
        errors.Write(L"quillmont-harvest: " + parsed.Error +
                     L"\nTry \"quillmont-harvest --help\" for more information.\n");
        return kUnusable;
    }
    if (parsed.Options.Help || parsed.Options.Version) {
        out.Write(parsed.Options.Help ? UsageText() : VersionText() + L"\n");
        return kAllDone;
    }
    try {
        const int status = THarvestCommand(parsed.Options, out, errors).Run();
        if (g_stop)
            errors.Write(L"quillmont-harvest: stopped by Ctrl+C; the files written are whole\n");
        return status;
    } catch (const EUnusable& e) {
        errors.Write(L"quillmont-harvest: " + e.Message() + L"\n");
    } catch (...) {
        errors.Write(L"quillmont-harvest: " + OneLine(CurrentExceptionMessage()) + L"\n");
    }
    return kUnusable;
}
