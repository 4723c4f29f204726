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

TFileStream::TFileStream(const std::wstring& fileName, TShare share)
    : file_(::CreateFileW(fileName.c_str(), GENERIC_READ,
                          share == TShare::DenyWrite ? FILE_SHARE_READ
                                                     : FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
    LARGE_INTEGER size{};
    if (!file_ || !::GetFileSizeEx(file_.get(), &size))
        RaiseFileOpenError(fileName);
    size_ = static_cast<std::uint64_t>(size.QuadPart);
}

void TFileStream::ReadDirect(std::uint64_t offset, std::span<std::uint8_t> buffer) {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    DWORD read = 0;
    if (!::SetFilePointerEx(file_.get(), position, nullptr, FILE_BEGIN) ||
        !::ReadFile(file_.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read,
                    nullptr) ||
        read != buffer.size())
        throw EReadError(L"Stream read error");
}

void TFileStream::ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) {
    if (!Holds(offset, buffer.size()))
        throw EReadError(L"Stream read error");
    if (buffer.size() >= FileBufferSize) {
        for (std::size_t done = 0; done < buffer.size();) {
            const std::size_t part = std::min<std::size_t>(buffer.size() - done, 1 << 30);
            ReadDirect(offset + done, buffer.subspan(done, part));
            done += part;
        }
        return;
    }
    const bool buffered = offset >= bufferOffset_ && offset - bufferOffset_ <= buffer_.size() &&
                          buffer_.size() - (offset - bufferOffset_) >= buffer.size();
    if (!buffered) {
        buffer_.resize(
            static_cast<std::size_t>(std::min<std::uint64_t>(FileBufferSize, size_ - offset)));
        bufferOffset_ = offset;
        ReadDirect(offset, buffer_);
    }
    std::copy_n(buffer_.begin() + static_cast<std::ptrdiff_t>(offset - bufferOffset_),
                buffer.size(), buffer.begin());
}

namespace {

BOOL CALLBACK CountGroup(HMODULE, LPCWSTR, LPWSTR, LONG_PTR param) {
    ++*reinterpret_cast<int*>(param);
    return TRUE;
}

std::uint64_t FileSizeOf(const std::wstring& fileName) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(fileName.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return std::uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow;
}

UniqueModule LoadAsDataFile(const std::wstring& fileName) {
    return UniqueModule(::LoadLibraryExW(fileName.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
}

int NEIconCount(TByteSource& source) {
    TNEModule module(source, std::wstring());
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

TIconCount CountModuleIcons(const std::wstring& fileName) {
    TIconCount count;
    try {
        // Shared for writing: a file some program is writing is still counted, and then
        // refused by the module test with the open error rather than skipped unnoticed.
        TFileStream stream(fileName, TFileStream::TShare::DenyNone);
        switch (ModuleKindOf(stream)) {
        case TModuleKind::PE:
            if (PELacksGroupIcons(stream))
                break;
            count.Loaded = LoadAsDataFile(fileName);
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

int ModuleIconCount(const std::wstring& fileName) {
    return CountModuleIcons(fileName).Groups;
}

bool IsWindowsModule(const std::wstring& fileName, bool& isPe) {
    TFileStream stream(fileName);
    const TModuleKind kind = ModuleKindOf(stream);
    if (kind == TModuleKind::None)
        return false;
    isPe = kind == TModuleKind::PE;
    return true;
}

// --- TIconList ------------------------------------------------------------------------

const TIconList::TItem& TIconList::Item(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(L"List index out of bounds (" + std::to_wstring(index) + L")");
    return items_[static_cast<std::size_t>(index)];
}

const std::wstring& TIconList::Strings(int index) const {
    return Item(index).Name;
}

TAdvancedIcon* TIconList::Objects(int index) const {
    return Item(index).Icon.get();
}

void TIconList::Add(std::wstring name, std::unique_ptr<TAdvancedIcon> icon) {
    items_.push_back({std::move(name), std::move(icon)});
}

void TIconList::Clear() {
    for (TItem& item : items_)
        item.Icon.reset();
    items_.clear();
}

void TIconList::Delete(int index) {
    Item(index);
    items_.erase(items_.begin() + index);
}

void TIconList::Assign(TIconList&& source) {
    if (&source == this)
        return;
    Clear();
    items_ = std::move(source.items_);
    source.items_.clear();
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

T32BitReader::T32BitReader(std::wstring fileName, UniqueModule loaded)
    : TICLReader(std::move(fileName)), Module(std::move(loaded)) {}

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

BOOL CALLBACK T32BitReader::EnumGroup(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) {
    auto* context = reinterpret_cast<TEnumContext*>(param);
    try {
        context->Reader->AddGroup(name);
        return TRUE;
    } catch (...) {
        context->Error = std::current_exception();
        return FALSE;
    }
}

void T32BitReader::AddGroup(LPCWSTR name) {
    auto icon = std::make_unique<TAdvancedIcon>();
    icon->LoadFromResource(Module.get(), name, *budget_, UseOfEntry(Icons.Count()));
    std::wstring entryName = IS_INTRESOURCE(name)
                                 ? std::to_wstring(reinterpret_cast<ULONG_PTR>(name))
                                 : std::wstring(name);
    Icons.Add(std::move(entryName), std::move(icon));
}

// --- T16BitReader ---------------------------------------------------------------------

T16BitReader::T16BitReader(std::wstring fileName)
    : TICLReader(std::move(fileName)), Stream(this->FileName),
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

std::size_t T16BitReader::FindIcon(std::uint16_t number, bool group) const {
    return module_->FindIcon(number, group);
}

std::vector<std::uint8_t> T16BitReader::ReadResource(std::size_t index, bool group,
                                                     std::wstring& name) {
    return module_->ReadResource(index, group, name);
}

void T16BitReader::CopyResource(std::size_t index, bool group, std::wstring& name,
                                TMemoryStream& stream) {
    module_->CopyResource(index, group, name, stream);
}

// --- TICL16Icon -----------------------------------------------------------------------

TICL16IconImage::TICL16IconImage(const TIconEntry& entry, std::vector<std::uint8_t> data) {
    SetContents(entry, std::move(data));
}

void TICL16Icon::LoadGroup(T16BitReader& reader, std::size_t index, TImageUse use) {
    TMemoryStream stream;
    reader.CopyResource(index, true, Name, stream);
    stream.Seek(0);
    std::uint16_t count = 0;
    if (!ReadHeader(stream, count))
        return;
    for (std::uint16_t i = 0; i < count; ++i)
        LoadImage(reader, stream, use);
}

void TICL16Icon::LoadImage(T16BitReader& reader, TMemoryStream& stream, TImageUse use) {
    const TGroupIconEntry entry = ReadGroupIconEntry(stream);
    reader.Budget().TakeImage();
    std::wstring name;
    const std::vector<std::uint8_t> resource =
        reader.ReadResource(reader.FindIcon(entry.IconId, false), false, name);
    const std::span<const std::uint8_t> image = StatedImage(entry.Entry.BytesInRes, resource);
    if (use == TImageUse::Keep)
        Images.Add(std::make_unique<TICL16IconImage>(
            entry.Entry, std::vector<std::uint8_t>(image.begin(), image.end())));
}

// --- TIconLibrary ---------------------------------------------------------------------

void TIconLibrary::LoadFromFile(const std::wstring& fileName, TLoadScope scope) {
    TIconCount count = CountModuleIcons(fileName);
    if (count.Groups == 0)
        return;
    bool isPE = false;
    if (!IsWindowsModule(fileName, isPE))
        return;
    this->FileName = fileName;
    std::unique_ptr<TICLReader> reader;
    if (isPE)
        reader = std::make_unique<T32BitReader>(fileName, std::move(count.Loaded));
    else
        reader = std::make_unique<T16BitReader>(fileName);
    reader->Scope = scope;
    if (reader->Load())
        Icons.Assign(std::move(reader->Icons));
}
