#include <windows.h>

#include "harvest/icons/AdvancedIcon.h"

#include <algorithm>

#include "util/whole_file.h"
#include "util/os_error.h"

TIconImage* TIconImageList::Items(int index) const {
    if (index < 0 || index >= count_)
        return nullptr;
    return items_[static_cast<std::size_t>(index)].get();
}

void TIconImageList::Add(std::unique_ptr<TIconImage> image) {
    if (count_ == MaxCount)
        throw EListError(L"List capacity out of bounds (" + std::to_wstring(MaxCount + 1) + L")");
    ++count_;
    if (count_ > Capacity())
        SetCapacity(count_);
    items_[count_ - 1u] = std::move(image);
}

void TIconImageList::SetCapacity(std::uint16_t n) {
    items_.resize(std::max(n, count_));
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

void TAdvancedIcon::Assign(TAdvancedIcon& source) {
    if (&source == this)
        return;
    Images.Clear();
    Images.SetCapacity(source.Images.Count());
    for (int i = 0; i < source.Images.Count(); ++i) {
        if (TIconImage* image = source.Images.Items(i))
            Images.Add(TIconImage::CreateCopy(*image));
    }
}

bool TAdvancedIcon::ReadHeader(TMemoryStream& stream, std::uint16_t& count) {
    const auto stated = ReadIconDirHeader(stream);
    if (!stated)
        return false;
    count = *stated;
    Images.SetCapacity(*stated);
    return true;
}

bool TAdvancedIcon::LoadFromResource(HMODULE module, LPCWSTR resName, TReadBudget& budget,
                                     TImageUse use) {
    const std::span<const std::uint8_t> group = ResourceBytes(module, resName, RT_GROUP_ICON);
    budget.TakeBytes(group.size());
    TMemoryStream stream(std::vector<std::uint8_t>(group.begin(), group.end()));
    std::uint16_t count = 0;
    if (!ReadHeader(stream, count))
        return false;
    for (std::uint16_t i = 0; i < count; ++i) {
        if (use == TImageUse::Keep)
            Images.Add(std::make_unique<TResourceIconImage>(stream, module, budget));
        else
            ReadModuleImage(stream, module, budget);
    }
    return true;
}

void TAdvancedIcon::SaveToStream(TMemoryStream& stream) const {
    std::vector<TIconFileImage> images;
    images.reserve(Images.Count());
    for (int i = 0; i < Images.Count(); ++i) {
        if (const TIconImage* image = Images.Items(i))
            images.push_back({image->Entry(), image->Data()});
    }
    WriteIconFile(stream, images);
}

void TAdvancedIcon::SaveToFile(const std::wstring& fileName, TWriteSafety safety) const {
    TMemoryStream stream;
    SaveToStream(stream);
    if (stream.Size() == 0)
        return;
    // Written beside the target and moved over it, so that an existing file is either kept
    // or wholly replaced, never left half-written.
    try {
        WriteWholeFile(fileName, stream.Bytes(), safety);
    } catch (const EOSError& e) {
        RaiseFileCreateError(fileName, e.ErrorCode());
    }
}
