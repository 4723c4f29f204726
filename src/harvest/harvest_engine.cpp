#include <windows.h>

#include "harvest/harvest_engine.h"

#include <algorithm>

#include "harvest/harvest_text.h"
#include "util/ansi_text.h"
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
    THarvestFileResult result;
    try {
        if (IsIcoFileName(File.Name))
            result = CopyIconFile(File, output);
        else
            result = SaveIcons(File, SaveDir, Position, Observer);
    } catch (...) {
        const std::wstring message = CurrentExceptionMessage();
        AppendLogLine(logPath_, CurrentDateTimeText() + L", Error № 25-1 \"" + message + L"\"\r\n" +
                                    File.Path + File.Name);
        result = {THarvestOutcome::Failed, output, message};
    }
    if (Options.Details)
        AddDetails(File, result);
    return result;
}

namespace {

// An .ico file larger than this is copied without being read for duplicates or details.
constexpr std::uint64_t kLargestReadIco = 64 << 20;

std::vector<std::uint8_t> ReadSmallFile(const std::wstring& FileName) {
    try {
        TFileStream stream(FileName, TFileStream::TShare::DenyNone);
        if (stream.Size() > kLargestReadIco)
            return {};
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.Size()));
        stream.ReadAt(0, bytes);
        return bytes;
    } catch (const Exception&) {
        return {}; // the copy then meets the same fault and reports it
    }
}

std::wstring FileNameOf(const std::wstring& Path) {
    return Path.substr(Path.find_last_of(L'\\') + 1);
}

bool SameText(const std::wstring& A, const std::wstring& B) {
    return ::CompareStringOrdinal(A.c_str(), static_cast<int>(A.size()), B.c_str(),
                                  static_cast<int>(B.size()), TRUE) == CSTR_EQUAL;
}

// Whether Folder (ending in "\") is the system folder itself, as either build names it.
bool IsSystemFolder(const std::wstring& Folder, const std::wstring& Root) {
    for (const wchar_t* name : {L"System32\\", L"SysWOW64\\", L"Sysnative\\"})
        if (SameText(Folder, Root + L"\\" + name))
            return true;
    return false;
}

std::wstring SystemRoot() {
    wchar_t root[MAX_PATH] = {};
    const UINT length = ::GetSystemWindowsDirectoryW(root, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(root, length) : std::wstring();
}

std::vector<TImageFacts> FactsOf(const std::vector<std::span<const std::uint8_t>>& Images) {
    std::vector<TImageFacts> facts;
    for (std::span<const std::uint8_t> image : Images)
        if (const std::optional<TImageFacts> f = ImageFactsOf(image))
            facts.push_back(*f);
    return facts;
}

// The .ico form of Entry with each image's entry stating its own width and height, as its
// bytes give them (an image without bytes keeps its entry's).
void ComposeOwnSizeForm(const TAdvancedIcon& Entry, TMemoryStream& Form) {
    std::vector<TIconFileImage> images;
    for (int i = 0; i < Entry.Images.Count(); ++i) {
        const TIconImage* image = Entry.Images.Items(i);
        TIconEntry entry = image->Entry();
        const std::span<const std::uint8_t> data = image->Data();
        if (const std::optional<TImageFacts> own = ImageFactsOf(data)) {
            entry.Width = static_cast<std::uint8_t>(own->Width);
            entry.Height = static_cast<std::uint8_t>(own->Height);
        }
        images.push_back({entry, data});
    }
    WriteIconFile(Form, images);
}

// Writes a composed form as TAdvancedIcon::SaveToFile writes one, with its errors.
void WriteIconForm(const std::wstring& FileName, const TMemoryStream& Form) {
    try {
        WriteWholeFile(FileName, Form.Bytes(), TWriteSafety::Remakeable);
    } catch (const EOSError& e) {
        RaiseFileCreateError(FileName, e.ErrorCode());
    }
}

} // namespace

THarvestFileResult THarvestEngine::CopyIconFile(const TFilePack& File, const std::wstring& Output) {
    THarvestFileResult result{
        THarvestOutcome::Copied, Output, {}, TSourceKind::ICO, {{{}, Output}}};
    std::vector<std::uint8_t> bytes;
    if (Options.SkipDuplicates || Options.Details)
        bytes = ReadSmallFile(File.Path + File.Name);
    if (Options.Details)
        result.Groups[0].Images = FactsOf(IcoFileImages(bytes));
    if (Options.SkipDuplicates && !bytes.empty()) {
        result.Groups[0].DuplicateOf = WrittenBefore(bytes);
        if (!result.Groups[0].DuplicateOf.empty()) {
            result.Outcome = THarvestOutcome::Duplicate;
            return result;
        }
    }
    try {
        CopyWholeFile(File.Path + File.Name, Output, TWriteSafety::Remakeable);
    } catch (const EOSError& e) {
        const std::wstring message = SysErrorMessage(e.ErrorCode());
        AppendLogLine(logPath_, CurrentDateTimeText() + L", Error № 22-1 \"" + message + L"\"");
        result.Outcome = THarvestOutcome::CopyFailed;
        result.Message = message;
        return result;
    }
    if (Options.SkipDuplicates && !bytes.empty())
        Remember(bytes, Output);
    return result;
}

// Each group saved is copied from the loader into the harvest icon and that copy is
// saved, so every output is made the same way; without options only the first group is.
THarvestFileResult THarvestEngine::SaveIcons(const TFilePack& File, const std::wstring& SaveDir,
                                             std::size_t Position, THarvestObserver& Observer) {
    const std::wstring fileName = File.Path + File.Name;
    THarvestFileResult result{THarvestOutcome::NoIcon};
    loader_.Icons.Clear();
    loader_.LoadFromFile(fileName, LoadScope());
    if (loader_.Icons.Count() == 0 && Options.FollowMun && LoadMun(File))
        result.Kind = TSourceKind::MUN;
    const int count =
        Options.AllGroups ? loader_.Icons.Count() : std::min(loader_.Icons.Count(), 1);
    const std::vector<std::wstring> names = count > 0 && (Options.AllGroups || Options.Details)
                                                ? GroupNames(loader_.FileName)
                                                : std::vector<std::wstring>();
    for (int i = 0; i < count; ++i) {
        TAdvancedIcon* entry = loader_.Icons.Objects(i);
        if (!entry || entry->Images.Count() == 0)
            continue;
        THarvestGroup group{names.empty() ? loader_.Icons.Strings(i) : names[i]};
        group.Output = HarvestFileName(SaveDir, File.Name, Position);
        if (Options.AllGroups) {
            group.Output = GroupFileName(SaveDir, File.Name, Position, group.Name);
            for (const THarvestGroup& earlier : result.Groups)
                if (SameText(earlier.Output, group.Output))
                    group.Output = GroupFileName(SaveDir, File.Name, Position,
                                                 group.Name + L"~" + std::to_wstring(i + 1));
        }
        if (!SaveGroup(group, *entry, Observer))
            continue;
        // Saved when any group was written, the first written naming the result.
        if (result.Outcome != THarvestOutcome::Saved) {
            result.Outcome =
                group.DuplicateOf.empty() ? THarvestOutcome::Saved : THarvestOutcome::Duplicate;
            result.Output = group.Output;
        }
        result.Groups.push_back(std::move(group));
    }
    return result;
}

// Writes the group's icon as its output, unless an identical output was written before and
// duplicates are skipped. False for a group without images. A module's first icon is
// copied into the harvest icon, handed to the observer to draw and saved, as the window
// saves it; every group of a module is written with its images' own widths and heights,
// as the module stores them.
bool THarvestEngine::SaveGroup(THarvestGroup& Group, TAdvancedIcon& Entry,
                               THarvestObserver& Observer) {
    TMemoryStream form;
    const bool firstIcon = !Options.AllGroups;
    if (firstIcon) {
        icon_.Assign(Entry);
        if (icon_.Images.Count() == 0)
            return false;
        if (Options.SkipDuplicates)
            icon_.SaveToStream(form);
    } else {
        ComposeOwnSizeForm(Entry, form);
    }
    if (Options.Details)
        for (int k = 0; k < Entry.Images.Count(); ++k)
            if (const std::optional<TImageFacts> facts =
                    ImageFactsOf(Entry.Images.Items(k)->Data()))
                Group.Images.push_back(*facts);
    if (Options.SkipDuplicates) {
        Group.DuplicateOf = WrittenBefore(form.Bytes());
        if (!Group.DuplicateOf.empty())
            return true;
    }
    try {
        if (firstIcon) {
            Observer.IconReady(icon_);
            icon_.SaveToFile(Group.Output, TWriteSafety::Remakeable);
        } else {
            WriteIconForm(Group.Output, form);
        }
    } catch (...) {
        throw Exception(L"Ошибка № 23 " + CurrentExceptionMessage());
    }
    if (Options.SkipDuplicates)
        Remember(form.Bytes(), Group.Output);
    return true;
}

// Only the first group of a module is saved unless every group is asked for: the others are
// still read and checked, so a damaged module fails as it would, but not copied.
TLoadScope THarvestEngine::LoadScope() const {
    return Options.AllGroups ? TLoadScope::AllGroups : TLoadScope::FirstGroup;
}

bool THarvestEngine::LoadMun(const TFilePack& File) {
    const std::wstring root = SystemRoot();
    if (root.empty() || !IsSystemFolder(File.Path, root))
        return false;
    const std::wstring mun = root + L"\\SystemResources\\" + File.Name + L".mun";
    if (::GetFileAttributesW(mun.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    loader_.LoadFromFile(mun, LoadScope());
    return loader_.Icons.Count() > 0;
}

// The groups' resource names or numbers: the loader's entry names for a 32-bit module, the
// resource table's for a 16-bit one (the loader names those by position).
std::vector<std::wstring> THarvestEngine::GroupNames(const std::wstring& FileName) const {
    std::vector<std::wstring> names;
    try {
        TFileStream stream(FileName, TFileStream::TShare::DenyNone);
        if (ModuleSourceKind(stream) == TSourceKind::NE)
            for (const std::string& id : NEGroupIdentifiers(stream))
                names.push_back(AnsiToWide(id));
    } catch (const Exception&) {
        names.clear();
    }
    if (names.size() != static_cast<std::size_t>(loader_.Icons.Count()))
        names.clear();
    return names;
}

std::wstring THarvestEngine::WrittenBefore(std::span<const std::uint8_t> Bytes) const {
    const auto [first, last] = written_.equal_range(ContentDigest(Bytes));
    for (auto it = first; it != last; ++it) {
        const std::vector<std::uint8_t> earlier = ReadSmallFile(it->second);
        if (std::equal(earlier.begin(), earlier.end(), Bytes.begin(), Bytes.end()))
            return FileNameOf(it->second);
    }
    return {};
}

void THarvestEngine::Remember(std::span<const std::uint8_t> Bytes, const std::wstring& Output) {
    written_.emplace(ContentDigest(Bytes), Output);
}

void THarvestEngine::AddDetails(const TFilePack& File, THarvestFileResult& Result) const {
    if (Result.Kind != TSourceKind::Other)
        return;
    try {
        TFileStream stream(File.Path + File.Name, TFileStream::TShare::DenyNone);
        Result.Kind = ModuleSourceKind(stream);
    } catch (const Exception&) {
        // Unreadable: no kind to tell.
    }
    if (Result.Kind == TSourceKind::Other && IsIcoFileName(File.Name))
        Result.Kind = TSourceKind::ICO;
}
