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

bool IsIcoFileName(const std::wstring& name) {
    const std::size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos)
        return false;
    std::wstring extension = name.substr(dot);
    ::CharLowerBuffW(extension.data(), static_cast<DWORD>(extension.size()));
    return extension == L".ico";
}

THarvestEngine::THarvestEngine(TIconLibrary& loader, TAdvancedIcon& icon, std::wstring logPath)
    : loader_(loader), icon_(icon), logPath_(std::move(logPath)) {}

THarvestSummary THarvestEngine::Run(const std::vector<TFilePack>& files,
                                    const std::wstring& saveDir, THarvestObserver& observer) {
    THarvestSummary summary;
    summary.Found = files.size();
    temporaries_.emplace(saveDir);
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (observer.StopRequested()) {
            summary.Stopped = true;
            break;
        }
        // A copy: the observer may run code that changes the list.
        const TFilePack file = files[i];
        THarvestFileResult result = ProcessFile(file, i, saveDir, observer);
        if (result.Outcome == THarvestOutcome::Saved || result.Outcome == THarvestOutcome::Copied)
            ++summary.Saved;
        observer.FileFinished(i, file, result);
        summary.Results.push_back(std::move(result));
    }
    temporaries_.reset();
    return summary;
}

THarvestFileResult THarvestEngine::ProcessFile(const TFilePack& file, std::size_t position,
                                               const std::wstring& saveDir,
                                               THarvestObserver& observer) {
    observer.FileStarted(position, file);
    const std::wstring output = HarvestFileName(saveDir, file.Name, position);
    THarvestFileResult result;
    try {
        if (IsIcoFileName(file.Name))
            result = CopyIconFile(file, output);
        else
            result = SaveIcons(file, saveDir, position, observer);
    } catch (...) {
        const std::wstring message = CurrentExceptionMessage();
        AppendLogLine(logPath_, CurrentDateTimeText() + L", Error № 25-1 \"" + message + L"\"\r\n" +
                                    file.Path + file.Name);
        result = {THarvestOutcome::Failed, output, message};
    }
    if (Options.Details)
        AddDetails(file, result);
    return result;
}

namespace {

// An .ico file larger than this is copied without being read for duplicates or details.
constexpr std::uint64_t kLargestReadIco = 64 << 20;

std::vector<std::uint8_t> ReadSmallFile(const std::wstring& fileName) {
    try {
        TFileStream stream(fileName, TFileStream::TShare::DenyNone);
        if (stream.Size() > kLargestReadIco)
            return {};
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.Size()));
        stream.ReadAt(0, bytes);
        return bytes;
    } catch (const Exception&) {
        return {}; // the copy then meets the same fault and reports it
    }
}

std::wstring FileNameOf(const std::wstring& path) {
    return path.substr(path.find_last_of(L'\\') + 1);
}

bool SameText(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// Whether folder (ending in "\") is the system folder itself, as either build names it.
bool IsSystemFolder(const std::wstring& folder, const std::wstring& root) {
    for (const wchar_t* name : {L"System32\\", L"SysWOW64\\", L"Sysnative\\"})
        if (SameText(folder, root + L"\\" + name))
            return true;
    return false;
}

std::wstring SystemRoot() {
    wchar_t root[MAX_PATH] = {};
    const UINT length = ::GetSystemWindowsDirectoryW(root, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(root, length) : std::wstring();
}

std::vector<TImageFacts> FactsOf(const std::vector<std::span<const std::uint8_t>>& images) {
    std::vector<TImageFacts> facts;
    for (std::span<const std::uint8_t> image : images)
        if (const std::optional<TImageFacts> f = ImageFactsOf(image))
            facts.push_back(*f);
    return facts;
}

// The .ico form of icon with each image's entry stating its own width and height, as its
// bytes give them (an image without bytes keeps its entry's).
void ComposeOwnSizeForm(const TAdvancedIcon& icon, TMemoryStream& form) {
    std::vector<TIconFileImage> images;
    for (int i = 0; i < icon.Images.Count(); ++i) {
        const TIconImage* image = icon.Images.Items(i);
        TIconEntry entry = image->Entry();
        const std::span<const std::uint8_t> data = image->Data();
        if (const std::optional<TImageFacts> own = ImageFactsOf(data)) {
            entry.Width = static_cast<std::uint8_t>(own->Width);
            entry.Height = static_cast<std::uint8_t>(own->Height);
        }
        images.push_back({entry, data});
    }
    WriteIconFile(form, images);
}

// Writes an icon's .ico form as TAdvancedIcon::SaveToFile writes one, with its errors.
void WriteIconForm(const std::wstring& fileName, const TMemoryStream& form,
                   const TTemporaryFolder* temporaries) {
    try {
        WriteWholeFile(fileName, form.Bytes(), TWriteSafety::Remakeable, temporaries);
    } catch (const EOSError& e) {
        RaiseFileCreateError(fileName, e.ErrorCode());
    }
}

} // namespace

THarvestFileResult THarvestEngine::CopyIconFile(const TFilePack& file, const std::wstring& output) {
    THarvestFileResult result{
        THarvestOutcome::Copied, output, {}, TSourceKind::ICO, {{{}, output}}};
    std::vector<std::uint8_t> bytes;
    if (Options.SkipDuplicates || Options.Details)
        bytes = ReadSmallFile(file.Path + file.Name);
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
        CopyWholeFile(file.Path + file.Name, output, TWriteSafety::Remakeable, Temporaries());
    } catch (const EOSError& e) {
        const std::wstring message = SysErrorMessage(e.ErrorCode());
        AppendLogLine(logPath_, CurrentDateTimeText() + L", Error № 22-1 \"" + message + L"\"");
        result.Outcome = THarvestOutcome::CopyFailed;
        result.Message = message;
        return result;
    }
    if (Options.SkipDuplicates && !bytes.empty())
        Remember(bytes, output);
    return result;
}

// Each group saved is copied from the loader into the harvest icon and that copy is
// saved, so every output is made the same way; without options only the first group is.
THarvestFileResult THarvestEngine::SaveIcons(const TFilePack& file, const std::wstring& saveDir,
                                             std::size_t position, THarvestObserver& observer) {
    const std::wstring fileName = file.Path + file.Name;
    THarvestFileResult result{THarvestOutcome::NoIcon};
    loader_.Icons.Clear();
    loader_.LoadFromFile(fileName, LoadScope());
    if (loader_.Icons.Count() == 0 && Options.FollowMun && LoadMun(file))
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
        group.Output = HarvestFileName(saveDir, file.Name, position);
        if (Options.AllGroups) {
            group.Output = GroupFileName(saveDir, file.Name, position, group.Name);
            for (const THarvestGroup& earlier : result.Groups)
                if (SameText(earlier.Output, group.Output))
                    group.Output = GroupFileName(saveDir, file.Name, position,
                                                 group.Name + L"~" + std::to_wstring(i + 1));
        }
        if (!SaveGroup(group, *entry, observer))
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
bool THarvestEngine::SaveGroup(THarvestGroup& group, TAdvancedIcon& entry,
                               THarvestObserver& observer) {
    TMemoryStream form;
    const bool firstIcon = !Options.AllGroups;
    if (firstIcon) {
        icon_.Assign(entry);
        if (icon_.Images.Count() == 0)
            return false;
        icon_.SaveToStream(form);
    } else {
        ComposeOwnSizeForm(entry, form);
    }
    if (Options.Details)
        for (int k = 0; k < entry.Images.Count(); ++k)
            if (const std::optional<TImageFacts> facts =
                    ImageFactsOf(entry.Images.Items(k)->Data()))
                group.Images.push_back(*facts);
    if (Options.SkipDuplicates) {
        group.DuplicateOf = WrittenBefore(form.Bytes());
        if (!group.DuplicateOf.empty())
            return true;
    }
    try {
        if (firstIcon)
            observer.IconReady(icon_);
        WriteIconForm(group.Output, form, Temporaries());
    } catch (...) {
        throw Exception(L"Ошибка № 23 " + CurrentExceptionMessage());
    }
    if (Options.SkipDuplicates)
        Remember(form.Bytes(), group.Output);
    return true;
}

// Only the first group of a module is saved unless every group is asked for: the others are
// still read and checked, so a damaged module fails as it would, but not copied.
TLoadScope THarvestEngine::LoadScope() const {
    return Options.AllGroups ? TLoadScope::AllGroups : TLoadScope::FirstGroup;
}

bool THarvestEngine::LoadMun(const TFilePack& file) {
    const std::wstring root = SystemRoot();
    if (root.empty() || !IsSystemFolder(file.Path, root))
        return false;
    const std::wstring mun = root + L"\\SystemResources\\" + file.Name + L".mun";
    if (::GetFileAttributesW(mun.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    loader_.LoadFromFile(mun, LoadScope());
    return loader_.Icons.Count() > 0;
}

// The groups' resource names or numbers: the loader's entry names for a 32-bit module, the
// resource table's for a 16-bit one (the loader names those by position).
std::vector<std::wstring> THarvestEngine::GroupNames(const std::wstring& fileName) const {
    std::vector<std::wstring> names;
    try {
        TFileStream stream(fileName, TFileStream::TShare::DenyNone);
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

std::wstring THarvestEngine::WrittenBefore(std::span<const std::uint8_t> bytes) const {
    const auto [first, last] = written_.equal_range(ContentDigest(bytes));
    for (auto it = first; it != last; ++it) {
        const std::vector<std::uint8_t> earlier = ReadSmallFile(it->second);
        if (std::equal(earlier.begin(), earlier.end(), bytes.begin(), bytes.end()))
            return FileNameOf(it->second);
    }
    return {};
}

void THarvestEngine::Remember(std::span<const std::uint8_t> bytes, const std::wstring& output) {
    written_.emplace(ContentDigest(bytes), output);
}

void THarvestEngine::AddDetails(const TFilePack& file, THarvestFileResult& result) const {
    if (result.Kind != TSourceKind::Other)
        return;
    try {
        TFileStream stream(file.Path + file.Name, TFileStream::TShare::DenyNone);
        result.Kind = ModuleSourceKind(stream);
    } catch (const Exception&) {
        // Unreadable: no kind to tell.
    }
    if (result.Kind == TSourceKind::Other && IsIcoFileName(file.Name))
        result.Kind = TSourceKind::ICO;
}
