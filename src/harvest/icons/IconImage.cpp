#include <windows.h>

#include "harvest/icons/IconImage.h"

#include <algorithm>

#include "harvest/icons/image_check.h"

namespace {

constexpr DWORD IconFormatVersion = 0x00030000;

bool IsReadable(const MEMORY_BASIC_INFORMATION& info) {
    constexpr DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                               PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    return info.State == MEM_COMMIT && (info.Protect & readable) != 0 &&
           (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) == 0;
}

// How many of the wanted bytes from at on can be read: a damaged module may state a
// resource size that runs past its own mapping.
std::size_t ReadableBytes(const std::uint8_t* at, std::size_t wanted) {
    std::size_t readable = 0;
    const void* allocation = nullptr;
    while (readable < wanted) {
        MEMORY_BASIC_INFORMATION info{};
        if (::VirtualQuery(at + readable, &info, sizeof info) == 0 || !IsReadable(info))
            break;
        if (allocation == nullptr)
            allocation = info.AllocationBase;
        else if (info.AllocationBase != allocation)
            break;
        readable = static_cast<std::size_t>(static_cast<const std::uint8_t*>(info.BaseAddress) +
                                            info.RegionSize - at);
    }
    return std::min(readable, wanted);
}

std::wstring ResourceNameText(LPCWSTR resName) {
    if (IS_INTRESOURCE(resName))
        return std::to_wstring(reinterpret_cast<ULONG_PTR>(resName));
    return resName;
}

} // namespace

EResNotFound::EResNotFound(LPCWSTR resName)
    : Exception(L"Ресурс " + ResourceNameText(resName) + L" не найден") {}

std::span<const std::uint8_t> ResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type) {
    HRSRC info = ::FindResourceW(module, name, type);
    if (info == nullptr)
        throw EResNotFound(name);
    HGLOBAL resource = ::LoadResource(module, info);
    const auto* bytes =
        static_cast<const std::uint8_t*>(resource ? ::LockResource(resource) : nullptr);
    if (bytes == nullptr)
        return {};
    return std::span(bytes, ReadableBytes(bytes, ::SizeofResource(module, info)));
}

std::unique_ptr<TIconImage> TIconImage::CreateCopy(TIconImage& source) {
    auto copy = std::make_unique<TIconImage>();
    const std::span<const std::uint8_t> data = source.Data();
    copy->SetContents(source.entry_, std::vector<std::uint8_t>(data.begin(), data.end()));
    // A handle the source has made already is copied; otherwise the copy makes its own from
    // the same bytes when first asked. Making one for every image copied would cost more than
    // the rest of a harvest (large PNG images are decoded for it).
    if (source.handle_)
        copy->handle_.reset(::CopyIcon(source.handle_.get()));
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

void TIconImage::SaveToStream(TMemoryStream& stream) const {
    stream.WriteBuffer(Data());
}

void TIconImage::Draw(HDC canvas, int x, int y) {
    if (HICON handle = GetHandle())
        ::DrawIconEx(canvas, x, y, handle, entry_.Width, entry_.Height, 0, nullptr, DI_NORMAL);
}

void TIconImage::SetContents(const TIconEntry& entry, std::vector<std::uint8_t> data) {
    entry_ = entry;
    data_ = std::move(data);
    entry_.BytesInRes =
        static_cast<std::uint32_t>(std::min<std::size_t>(entry_.BytesInRes, data_.size()));
    if (entry_.BytesInRes == 0)
        data_.clear();
}

TModuleImage ReadModuleImage(TMemoryStream& stream, HMODULE module, TReadBudget& budget) {
    budget.TakeImage();
    const TGroupIconEntry entry = ReadGroupIconEntry(stream);
    const std::span<const std::uint8_t> bytes =
        ResourceBytes(module, MAKEINTRESOURCEW(entry.IconId), RT_ICON);
    const std::span<const std::uint8_t> image = StatedImage(entry.Entry.BytesInRes, bytes);
    budget.TakeBytes(image.size());
    return {entry.Entry, image};
}

TResourceIconImage::TResourceIconImage(TMemoryStream& stream, HMODULE module, TReadBudget& budget) {
    const TModuleImage image = ReadModuleImage(stream, module, budget);
    SetContents(image.Entry, std::vector<std::uint8_t>(image.Bytes.begin(), image.Bytes.end()));
    UpdateSize();
}
