#include <windows.h>

#include "harvest/icons/IconLibrary.h"

#include <algorithm>
#include <exception>

#include "harvest/icons/image_check.h"
#include "harvest/icons/module_kind.h"
#include "util/ansi_text.h"

namespace {

constexpr std::size_t FileBufferSize = 4096;

} // namespace

// --- TFileStream ----------------------------------------------------------------------

TFileStream::TFileStream(const std::wstring& FileName, TShare Share)
    : file_(::CreateFileW(FileName.c_str(), GENERIC_READ,
                          Share == TShare::DenyWrite ? FILE_SHARE_READ
                                                     : FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
    LARGE_INTEGER size{};
    if (!file_ || !::GetFileSizeEx(file_.get(), &size))
        RaiseFileOpenError(FileName);
    size_ = static_cast<std::uint64_t>(size.QuadPart);
}

void TFileStream::ReadDirect(std::uint64_t Offset, std::span<std::uint8_t> Buffer) {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(Offset);
    DWORD read = 0;
    if (!::SetFilePointerEx(file_.get(), position, nullptr, FILE_BEGIN) ||
        !::ReadFile(file_.get(), Buffer.data(), static_cast<DWORD>(Buffer.size()), &read,
                    nullptr) ||
        read != Buffer.size())
        throw EReadError(L"Stream read error");
}

void TFileStream::ReadAt(std::uint64_t Offset, std::span<std::uint8_t> Buffer) {
    if (!Holds(Offset, Buffer.size()))
        throw EReadError(L"Stream read error");
    if (Buffer.size() >= FileBufferSize) {
        for (std::size_t done = 0; done < Buffer.size();) {
            const std::size_t part = std::min<std::size_t>(Buffer.size() - done, 1 << 30);
            ReadDirect(Offset + done, Buffer.subspan(done, part));
            done += part;
        }
        return;
    }
    const bool buffered = Offset >= bufferOffset_ && Offset - bufferOffset_ <= buffer_.size() &&
                          buffer_.size() - (Offset - bufferOffset_) >= Buffer.size();
    if (!buffered) {
        buffer_.resize(
            static_cast<std::size_t>(std::min<std::uint64_t>(FileBufferSize, size_ - Offset)));
        bufferOffset_ = Offset;
        ReadDirect(Offset, buffer_);
    }
    std::copy_n(buffer_.begin() + static_cast<std::ptrdiff_t>(Offset - bufferOffset_),
                Buffer.size(), Buffer.begin());
}

namespace {

BOOL CALLBACK CountGroup(HMODULE, LPCWSTR, LPWSTR, LONG_PTR Param) {
    ++*reinterpret_cast<int*>(Param);
    return TRUE;
}

std::uint64_t FileSizeOf(const std::wstring& FileName) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(FileName.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return std::uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow;
}

UniqueModule LoadAsDataFile(const std::wstring& FileName) {
    return UniqueModule(::LoadLibraryExW(FileName.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
}

int NEIconCount(TByteSource& Source) {
    TNEModule module(Source, std::wstring());
    module.ReadHeaders();
    module.ReadResourceTable();
    return module.GroupCount();
}

// How many group icons a module holds, with the 32-bit module loaded for counting them, so
// that the reader which follows need not load it again.
struct TIconCount {
    int Groups = 0;
    UniqueModule Loaded;
};

TIconCount CountModuleIcons(const std::wstring& FileName) {
    TIconCount count;
    try {
        // Shared for writing: a file some program is writing is still counted, and then
        // refused by the module test with the open error rather than skipped unnoticed.
        TFileStream stream(FileName, TFileStream::TShare::DenyNone);
        switch (ModuleKindOf(stream)) {
        case TModuleKind::PE:
            count.Loaded = LoadAsDataFile(FileName);
            if (count.Loaded)
                ::EnumResourceNamesW(count.Loaded.get(), RT_GROUP_ICON, CountGroup,
                                     reinterpret_cast<LONG_PTR>(&count.Groups));
            break;
        case TModuleKind::NE:
            count.Groups = NEIconCount(stream);
            break;
        case TModuleKind::None:
            break;
        }
    } catch (const Exception&) {
        // Unreadable: no icons.
    }
    return count;
}

} // namespace

int ModuleIconCount(const std::wstring& FileName) {
    return CountModuleIcons(FileName).Groups;
}

bool IsWindowsModule(const std::wstring& FileName, bool& IsPE) {
    TFileStream stream(FileName);
    const TModuleKind kind = ModuleKindOf(stream);
    if (kind == TModuleKind::None)
        return false;
    IsPE = kind == TModuleKind::PE;
    return true;
}

// --- TIconList ------------------------------------------------------------------------

const TIconList::TItem& TIconList::Item(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
    return items_[static_cast<std::size_t>(Index)];
}

const std::wstring& TIconList::Strings(int Index) const {
    return Item(Index).Name;
}

TAdvancedIcon* TIconList::Objects(int Index) const {
    return Item(Index).Icon.get();
}

void TIconList::Add(std::wstring Name, std::unique_ptr<TAdvancedIcon> Icon) {
    items_.push_back({std::move(Name), std::move(Icon)});
}

void TIconList::Clear() {
    for (TItem& item : items_)
        item.Icon.reset();
    items_.clear();
}

void TIconList::Delete(int Index) {
    Item(Index);
    items_.erase(items_.begin() + Index);
}

void TIconList::Assign(TIconList&& Source) {
    if (&Source == this)
        return;
    Clear();
    items_ = std::move(Source.items_);
    Source.items_.clear();
}

// --- T32BitReader ---------------------------------------------------------------------

namespace {

// Carries an error of one group out of the system's enumeration, which it must not cross.
struct TEnumContext {
    T32BitReader* Reader;
    std::exception_ptr Error;
};

} // namespace

T32BitReader::~T32BitReader() {
    Icons.Clear();
}

T32BitReader::T32BitReader(std::wstring FileName, UniqueModule Loaded)
    : TICLReader(std::move(FileName)), Module(std::move(Loaded)) {}

bool T32BitReader::Load() {
    if (!Module)
        Module = LoadAsDataFile(FileName);
    if (!Module)
        return false;
    budget_.emplace(FileSizeOf(FileName));
    TEnumContext context{this, nullptr};
    ::EnumResourceNamesW(Module.get(), RT_GROUP_ICON, &T32BitReader::EnumGroup,
                         reinterpret_cast<LONG_PTR>(&context));
    if (context.Error)
        std::rethrow_exception(context.Error);
    return true;
}

BOOL CALLBACK T32BitReader::EnumGroup(HMODULE, LPCWSTR, LPWSTR Name, LONG_PTR Param) {
    auto* context = reinterpret_cast<TEnumContext*>(Param);
    try {
        context->Reader->AddGroup(Name);
        return TRUE;
    } catch (...) {
        context->Error = std::current_exception();
        return FALSE;
    }
}

void T32BitReader::AddGroup(LPCWSTR Name) {
    auto icon = std::make_unique<TAdvancedIcon>();
    icon->LoadFromResource(Module.get(), Name, *budget_, UseOfEntry(Icons.Count()));
    std::wstring entryName = IS_INTRESOURCE(Name)
                                 ? std::to_wstring(reinterpret_cast<ULONG_PTR>(Name))
                                 : std::wstring(Name);
    Icons.Add(std::move(entryName), std::move(icon));
}

// --- T16BitReader ---------------------------------------------------------------------

T16BitReader::T16BitReader(std::wstring FileName)
    : TICLReader(std::move(FileName)), Stream(this->FileName),
      baseName_(NEBaseName(this->FileName)) {}

bool T16BitReader::Load() {
    try {
        Icons.Clear();
        TNEModule& module = module_.emplace(Stream, baseName_);
        module.ReadHeaders();
        module.ReadResourceTable();
        const bool useNames = module.Names().size() == module.GroupCount();
        TIconList icons;
        for (std::size_t k = 0; k < module.GroupCount(); ++k) {
            auto icon = std::make_unique<TICL16Icon>();
            icon->LoadGroup(*this, k, UseOfEntry(k));
            std::wstring name = useNames ? AnsiToWide(module.Names()[k]) : icon->Name;
            icons.Add(std::move(name), std::move(icon));
        }
        Icons.Assign(std::move(icons));
        return true;
    } catch (const EIconDataError&) {
        throw;
    } catch (...) {
        // Any other fault of the file, including one that exhausts memory, rejects the file.
        return false;
    }
}

std::size_t T16BitReader::FindIcon(std::uint16_t Number, bool Group) const {
    return module_->FindIcon(Number, Group);
}

std::vector<std::uint8_t> T16BitReader::ReadResource(std::size_t Index, bool Group,
                                                     std::wstring& Name) {
    return module_->ReadResource(Index, Group, Name);
}

void T16BitReader::CopyResource(std::size_t Index, bool Group, std::wstring& Name,
                                TMemoryStream& Stream) {
    module_->CopyResource(Index, Group, Name, Stream);
}

// --- TICL16Icon -----------------------------------------------------------------------

TICL16IconImage::TICL16IconImage(const TIconEntry& Entry, std::vector<std::uint8_t> Data) {
    SetContents(Entry, std::move(Data));
}

void TICL16Icon::LoadGroup(T16BitReader& Reader, std::size_t Index, TImageUse Use) {
    TMemoryStream stream;
    Reader.CopyResource(Index, true, Name, stream);
    stream.Seek(0);
    std::uint16_t count = 0;
    if (!ReadHeader(stream, count))
        return;
    for (std::uint16_t i = 0; i < count; ++i)
        LoadImage(Reader, stream, Use);
}

void TICL16Icon::LoadImage(T16BitReader& Reader, TMemoryStream& Stream, TImageUse Use) {
    const TGroupIconEntry entry = ReadGroupIconEntry(Stream);
    Reader.Budget().TakeImage();
    std::wstring name;
    const std::vector<std::uint8_t> resource =
        Reader.ReadResource(Reader.FindIcon(entry.IconId, false), false, name);
    const std::span<const std::uint8_t> image = StatedImage(entry.Entry.BytesInRes, resource);
    if (Use == TImageUse::Keep)
        Images.Add(std::make_unique<TICL16IconImage>(
            entry.Entry, std::vector<std::uint8_t>(image.begin(), image.end())));
}

// --- TIconLibrary ---------------------------------------------------------------------

void TIconLibrary::LoadFromFile(const std::wstring& FileName, TLoadScope Scope) {
    TIconCount count = CountModuleIcons(FileName);
    if (count.Groups == 0)
        return;
    bool isPE = false;
    if (!IsWindowsModule(FileName, isPE))
        return;
    this->FileName = FileName;
    std::unique_ptr<TICLReader> reader;
    if (isPE)
        reader = std::make_unique<T32BitReader>(FileName, std::move(count.Loaded));
    else
        reader = std::make_unique<T16BitReader>(FileName);
    reader->Scope = Scope;
    if (reader->Load())
        Icons.Assign(std::move(reader->Icons));
}
