#include <windows.h>

#include "harvest/icons/IconImage.h"

#include <algorithm>

#include "harvest/icons/image_check.h"

namespace {

constexpr DWORD IconFormatVersion = 0x00030000;

bool IsReadable(const MEMORY_BASIC_INFORMATION& Info) {
    constexpr DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                               PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    return Info.State == MEM_COMMIT && (Info.Protect & readable) != 0 &&
           (Info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) == 0;
}

// How many of the Wanted bytes from At on can be read: a damaged module may state a
// resource size that runs past its own mapping.
std::size_t ReadableBytes(const std::uint8_t* At, std::size_t Wanted) {
    std::size_t readable = 0;
    const void* allocation = nullptr;
    while (readable < Wanted) {
        MEMORY_BASIC_INFORMATION info{};
        if (::VirtualQuery(At + readable, &info, sizeof info) == 0 || !IsReadable(info))
            break;
        if (allocation == nullptr)
            allocation = info.AllocationBase;
        else if (info.AllocationBase != allocation)
            break;
        readable = static_cast<std::size_t>(static_cast<const std::uint8_t*>(info.BaseAddress) +
                                            info.RegionSize - At);
    }
    return std::min(readable, Wanted);
}

std::wstring ResourceNameText(LPCWSTR ResName) {
    if (IS_INTRESOURCE(ResName))
        return std::to_wstring(reinterpret_cast<ULONG_PTR>(ResName));
    return ResName;
}

} // namespace

EResNotFound::EResNotFound(LPCWSTR ResName)
    : Exception(L"Ресурс " + ResourceNameText(ResName) + L" не найден") {}

std::span<const std::uint8_t> ResourceBytes(HMODULE Module, LPCWSTR Name, LPCWSTR Type) {
    HRSRC info = ::FindResourceW(Module, Name, Type);
    if (info == nullptr)
        throw EResNotFound(Name);
    HGLOBAL resource = ::LoadResource(Module, info);
    const auto* bytes =
        static_cast<const std::uint8_t*>(resource ? ::LockResource(resource) : nullptr);
    if (bytes == nullptr)
        return {};
    return std::span(bytes, ReadableBytes(bytes, ::SizeofResource(Module, info)));
}

std::unique_ptr<TIconImage> TIconImage::CreateCopy(TIconImage& Source) {
    auto copy = std::make_unique<TIconImage>();
    const std::span<const std::uint8_t> data = Source.Data();
    copy->SetContents(Source.entry_, std::vector<std::uint8_t>(data.begin(), data.end()));
    // A handle the source has made already is copied; otherwise the copy makes its own from
    // the same bytes when first asked. Making one for every image copied would cost more than
    // the rest of a harvest (large PNG images are decoded for it).
    if (Source.handle_)
        copy->handle_.reset(::CopyIcon(Source.handle_.get()));
    if (!copy->data_.empty())
        copy->UpdateSize();
    return copy;
}

HICON TIconImage::GetHandle() {
    if (!handle_ && !data_.empty()) {
        handle_.reset(::CreateIconFromResourceEx(const_cast<PBYTE>(data_.data()), entry_.BytesInRes,
                                                 TRUE, IconFormatVersion, entry_.Width,
                                                 entry_.Height, 0));
    }
    return handle_.get();
}

void TIconImage::UpdateSize() {
    if (const auto size = ImageSizeOfData(Data())) {
        entry_.Width = size->Width;
        entry_.Height = size->Height;
    }
}

void TIconImage::SaveToStream(TMemoryStream& Stream) const {
    Stream.WriteBuffer(Data());
}

void TIconImage::Draw(HDC Canvas, int X, int Y) {
    if (HICON handle = GetHandle())
        ::DrawIconEx(Canvas, X, Y, handle, entry_.Width, entry_.Height, 0, nullptr, DI_NORMAL);
}

void TIconImage::SetContents(const TIconEntry& Entry, std::vector<std::uint8_t> Data) {
    entry_ = Entry;
    data_ = std::move(Data);
    entry_.BytesInRes =
        static_cast<std::uint32_t>(std::min<std::size_t>(entry_.BytesInRes, data_.size()));
    if (entry_.BytesInRes == 0)
        data_.clear();
}

TModuleImage ReadModuleImage(TMemoryStream& Stream, HMODULE Module, TReadBudget& Budget) {
    Budget.TakeImage();
    const TGroupIconEntry entry = ReadGroupIconEntry(Stream);
    const std::span<const std::uint8_t> bytes =
        ResourceBytes(Module, MAKEINTRESOURCEW(entry.IconId), RT_ICON);
    const std::span<const std::uint8_t> image = StatedImage(entry.Entry.BytesInRes, bytes);
    Budget.TakeBytes(image.size());
    return {entry.Entry, image};
}

TResourceIconImage::TResourceIconImage(TMemoryStream& Stream, HMODULE Module, TReadBudget& Budget) {
    const TModuleImage image = ReadModuleImage(Stream, Module, Budget);
    SetContents(image.Entry, std::vector<std::uint8_t>(image.Bytes.begin(), image.Bytes.end()));
    UpdateSize();
}
