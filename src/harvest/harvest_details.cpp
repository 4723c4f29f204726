#include "harvest/harvest_details.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "harvest/harvest_text.h"
#include "harvest/icons/icon_format.h"
#include "harvest/icons/module_kind.h"
#include "harvest/icons/ne_parser.h"
#include "util/byte_order.h"
#include "util/dib_header.h"

namespace {

constexpr std::uint16_t NumberedId = 0x8000;
constexpr std::uint16_t PE32Magic = 0x10B;
constexpr std::uint16_t PE32PlusMagic = 0x20B;
constexpr std::size_t MaxGroupNameInFile = 60;

std::uint16_t Read16(TByteSource& source, std::uint64_t offset) {
    std::array<std::uint8_t, 2> pair{};
    source.ReadAt(offset, pair);
    return Le16(pair.data());
}

// Samples per pixel of a PNG colour type: grey, -, RGB, palette, grey+alpha, -, RGBA.
std::uint32_t PngChannels(std::uint8_t colourType) {
    static constexpr std::array<std::uint8_t, 7> channels = {1, 0, 3, 1, 2, 0, 4};
    return colourType < channels.size() ? channels[colourType] : 0;
}

} // namespace

const wchar_t* SourceKindText(TSourceKind kind) {
    switch (kind) {
    case TSourceKind::PE32:
        return L"PE32";
    case TSourceKind::PE32Plus:
        return L"PE32+";
    case TSourceKind::NE:
        return L"NE";
    case TSourceKind::ICO:
        return L"ICO";
    case TSourceKind::MUN:
        return L"MUN";
    case TSourceKind::Other:
        break;
    }
    return L"-";
}

TSourceKind ModuleSourceKind(TByteSource& source) {
    try {
        switch (ModuleKindOf(source)) {
        case TModuleKind::NE:
            return TSourceKind::NE;
        case TModuleKind::PE: {
            // The optional header follows the 4-byte signature and the 20-byte file header.
            const std::uint16_t magic = Read16(source, Read16(source, 60) + 24u);
            if (magic == PE32Magic)
                return TSourceKind::PE32;
            if (magic == PE32PlusMagic)
                return TSourceKind::PE32Plus;
            break;
        }
        case TModuleKind::None:
            break;
        }
    } catch (const EReadError&) {
        // Cut short before the optional header.
    }
    return TSourceKind::Other;
}

std::vector<std::string> NEGroupIdentifiers(TByteSource& source) {
    TNEModule module(source, std::wstring());
    module.ReadHeaders();
    module.ReadResourceTable();
    std::vector<std::string> ids;
    for (const TNEResourceEntry& entry : module.GroupEntries()) {
        if (entry.Id & NumberedId) {
            ids.push_back(std::to_string(entry.Id & ~NumberedId));
            continue;
        }
        // A named resource: its Id is the offset of a length-prefixed name in the table.
        const std::uint64_t at = static_cast<std::uint64_t>(module.ResTableOffset()) + entry.Id;
        std::array<std::uint8_t, 1> length{};
        source.ReadAt(at, length);
        std::string name(length[0], '\0');
        source.ReadAt(at + 1, std::span(reinterpret_cast<std::uint8_t*>(name.data()), name.size()));
        ids.push_back(std::move(name));
    }
    return ids;
}

std::optional<TImageFacts> ImageFactsOf(std::span<const std::uint8_t> image) {
    if (IsPngImage(image)) {
        // Signature (8), chunk length and type (8), then width, height, depth, colour type.
        if (image.size() < 26)
            return std::nullopt;
        return TImageFacts{Be32(&image[16]), Be32(&image[20]), image[24] * PngChannels(image[25]),
                           true};
    }
    // Up to the bit count: the fields every header version shares.
    const TDibHeader header = LoadDibHeader(image);
    if (image.size() < 16 || header.biSize < 16)
        return std::nullopt;
    // A negative height stands for rows stored top down.
    auto magnitude = [](std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        return v < 0 ? 0u - u : u;
    };
    return TImageFacts{magnitude(header.biWidth), magnitude(header.biHeight) / 2, header.biBitCount,
                       false};
}

std::wstring ImageFactsText(const TImageFacts& facts) {
    return std::to_wstring(facts.Width) + L"x" + std::to_wstring(facts.Height) + L"x" +
           std::to_wstring(facts.Bits) + (facts.Png ? L"png" : L"");
}

std::vector<std::span<const std::uint8_t>> IcoFileImages(std::span<const std::uint8_t> file) {
    std::vector<std::span<const std::uint8_t>> images;
    if (file.size() < IconDirHeaderSize || Le16(&file[0]) != 0 || Le16(&file[2]) != 1)
        return images;
    const std::size_t count = Le16(&file[4]);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = IconDirHeaderSize + i * IconFileEntrySize;
        if (file.size() - entry < IconFileEntrySize || entry > file.size())
            break;
        const std::uint64_t length = Le32(&file[entry + 8]);
        const std::uint64_t offset = Le32(&file[entry + 12]);
        if (offset >= file.size())
            continue;
        images.push_back(
            file.subspan(offset, std::min<std::uint64_t>(length, file.size() - offset)));
    }
    return images;
}

std::wstring SafeFileNamePart(std::wstring_view text) {
    std::wstring safe = ShortenName(text, MaxGroupNameInFile);
    for (wchar_t& c : safe)
        if (c < 32 || std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos)
            c = L'_';
    return safe;
}

std::wstring GroupFileName(const std::wstring& saveDir, std::wstring_view name,
                           std::size_t position, std::wstring_view group) {
    std::wstring file = HarvestFileName(saveDir, name, position);
    file.insert(file.size() - 4, L"_" + SafeFileNamePart(group)); // before ".ico"
    return file;
}

std::uint64_t ContentDigest(std::span<const std::uint8_t> bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (std::uint8_t b : bytes)
        hash = (hash ^ b) * 0x100000001b3ull;
    return hash;
}
