// Reads arbitrary bytes as a group-icon directory followed by image bytes, sizes each image
// and writes the icon back in .ico form, checking the layout it produces.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "harvest/icons/icon_format.h"
#include "util/exception.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::span<const std::uint8_t> input(Data, Size);
    TMemoryStream stream(std::vector<std::uint8_t>(input.begin(), input.end()));
    std::vector<TIconFileImage> images;
    try {
        const auto count = ReadIconDirHeader(stream);
        for (std::uint16_t i = 0; i < count.value_or(0); ++i) {
            const TGroupIconEntry entry = ReadGroupIconEntry(stream);
            // Each image takes the bytes after the directory from the entry's number on, at
            // most BytesInRes of them: what the model keeps of a resource.
            const std::size_t start = std::min<std::size_t>(entry.IconId, Size);
            const std::span<const std::uint8_t> data =
                input.subspan(start, std::min<std::size_t>(entry.Entry.BytesInRes, Size - start));
            ImageSizeOfData(data);
            images.push_back({entry.Entry, data});
        }
    } catch (const Exception&) {
        // A directory that ends early is an expected outcome.
    }
    TMemoryStream out;
    WriteIconFile(out, images);
    std::size_t expected =
        images.empty() ? 0 : IconDirHeaderSize + IconFileEntrySize * images.size();
    for (const TIconFileImage& image : images)
        expected += image.Data.size();
    if (out.Size() != expected)
        std::abort();
    TMemoryStream back(std::vector<std::uint8_t>(out.Bytes().begin(), out.Bytes().end()));
    if (!images.empty() && ReadIconDirHeader(back) != images.size())
        std::abort();
    return 0;
}
