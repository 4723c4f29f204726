#include <windows.h>

#include "harvest/icons/AdvancedIcon.h"

#include <algorithm>

#include "util/whole_file.h"
#include "util/os_error.h"

TIconImage* TIconImageList::Items(int Index) const {
    if (Index < 0 || Index >= count_)
        return nullptr;
    return items_[static_cast<std::size_t>(Index)].get();
}

void TIconImageList::Add(std::unique_ptr<TIconImage> Image) {
    if (count_ == MaxCount)
        throw EListError(L"List capacity out of bounds (" + std::to_wstring(MaxCount + 1) + L")");
    ++count_;
    if (count_ > Capacity())
        SetCapacity(count_);
    items_[count_ - 1u] = std::move(Image);
}

void TIconImageList::SetCapacity(std::uint16_t N) {
    items_.resize(std::max(N, count_));
    if (items_.empty())
        items_.shrink_to_fit();
}

void TIconImageList::Clear() {
    for (std::uint16_t i = 0; i < count_; ++i)
        items_[i].reset();
    items_.clear();
    items_.shrink_to_fit();
    count_ = 0;
}

void TAdvancedIcon::Assign(TAdvancedIcon& Source) {
    if (&Source == this)
        return;
    Images.Clear();
    Images.SetCapacity(Source.Images.Count());
    for (int i = 0; i < Source.Images.Count(); ++i) {
        if (TIconImage* image = Source.Images.Items(i))
            Images.Add(TIconImage::CreateCopy(*image));
    }
}

bool TAdvancedIcon::ReadHeader(TMemoryStream& Stream, std::uint16_t& Count) {
    const auto count = ReadIconDirHeader(Stream);
    if (!count)
        return false;
    Count = *count;
    Images.SetCapacity(*count);
    return true;
}

bool TAdvancedIcon::LoadFromResource(HMODULE Module, LPCWSTR ResName, TReadBudget& Budget,
                                     TImageUse Use) {
    const std::span<const std::uint8_t> group = ResourceBytes(Module, ResName, RT_GROUP_ICON);
    Budget.TakeBytes(group.size());
    TMemoryStream stream(std::vector<std::uint8_t>(group.begin(), group.end()));
    std::uint16_t count = 0;
    if (!ReadHeader(stream, count))
        return false;
    for (std::uint16_t i = 0; i < count; ++i) {
        if (Use == TImageUse::Keep)
            Images.Add(std::make_unique<TResourceIconImage>(stream, Module, Budget));
        else
            ReadModuleImage(stream, Module, Budget);
    }
    return true;
}

void TAdvancedIcon::SaveToStream(TMemoryStream& Stream) const {
    std::vector<TIconFileImage> images;
    images.reserve(Images.Count());
    for (int i = 0; i < Images.Count(); ++i) {
        if (const TIconImage* image = Images.Items(i))
            images.push_back({image->Entry(), image->Data()});
    }
    WriteIconFile(Stream, images);
}

void TAdvancedIcon::SaveToFile(const std::wstring& FileName, TWriteSafety Safety) const {
    TMemoryStream stream;
    SaveToStream(stream);
    if (stream.Size() == 0)
        return;
    // Written beside the target and moved over it, so that an existing file is either kept
    // or wholly replaced, never left half-written.
    try {
        WriteWholeFile(FileName, stream.Bytes(), Safety);
    } catch (const EOSError& e) {
        RaiseFileCreateError(FileName, e.ErrorCode());
    }
}
