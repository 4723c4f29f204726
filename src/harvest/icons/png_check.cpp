#include <algorithm>
#include <array>

#include "harvest/icons/image_check.h"
#include "util/byte_order.h"

namespace {

constexpr std::size_t SignatureSize = 8;
// Length (4) and type (4) before a chunk's data, its checksum (4) after it.
constexpr std::size_t ChunkFrame = 12;
constexpr std::uint32_t HeaderDataSize = 13;
constexpr std::uint32_t MaxChunkLength = 0x7FFFFFFF;

const wchar_t* const MsgDamaged = L"Заголовок PNG-изображения значка поврежден";

[[noreturn]] void Damaged() {
    throw EIconDataError(MsgDamaged);
}

using TCrcTables = std::array<std::array<std::uint32_t, 256>, 8>;

// Table k gives the checksum of a byte followed by k zero bytes, so that eight bytes are
// taken in one step: an image's data is checked at several times the speed of a byte-wise
// loop, which matters for modules holding hundreds of large PNG images.
TCrcTables CrcTables() {
    TCrcTables tables{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        tables[0][n] = c;
    }
    for (std::size_t k = 1; k < tables.size(); ++k)
        for (std::uint32_t n = 0; n < 256; ++n)
            tables[k][n] = (tables[k - 1][n] >> 8) ^ tables[0][tables[k - 1][n] & 0xFF];
    return tables;
}

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
    static const TCrcTables t = CrcTables();
    std::uint32_t crc = 0xFFFFFFFFu;
    const std::uint8_t* p = bytes.data();
    std::size_t left = bytes.size();
    for (; left >= 8; left -= 8, p += 8) {
        const std::uint32_t low = Le32(p) ^ crc;
        const std::uint32_t high = Le32(p + 4);
        crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^
              t[4][low >> 24] ^ t[3][high & 0xFF] ^ t[2][(high >> 8) & 0xFF] ^
              t[1][(high >> 16) & 0xFF] ^ t[0][high >> 24];
    }
    for (; left > 0; --left, ++p)
        crc = t[0][(crc ^ *p) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

bool IsLetter(std::uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

struct TChunk {
    std::array<char, 4> Type;
    std::span<const std::uint8_t> Data;
    bool Is(const char (&name)[5]) const { return std::equal(Type.begin(), Type.end(), name); }
    // Readers refuse a file whose critical chunks (upper-case first letter) they cannot take.
    bool Critical() const { return Type[0] >= 'A' && Type[0] <= 'Z'; }
};

// The chunk at offset at, which must lie wholly within data with a valid type; a critical chunk's
// checksum must match.
TChunk ChunkAt(std::span<const std::uint8_t> data, std::size_t at) {
    if (data.size() - at < ChunkFrame)
        Damaged();
    const std::uint32_t length = Be32(&data[at]);
    if (length > MaxChunkLength || data.size() - at - ChunkFrame < length)
        Damaged();
    const std::span<const std::uint8_t> typed = data.subspan(at + 4, 4 + length);
    TChunk chunk{{}, typed.subspan(4)};
    for (std::size_t i = 0; i < 4; ++i) {
        if (!IsLetter(typed[i]))
            Damaged();
        chunk.Type[i] = static_cast<char>(typed[i]);
    }
    if (chunk.Critical() && Crc32(typed) != Be32(&data[at + 8 + length]))
        Damaged();
    return chunk;
}

bool ValidDepth(std::uint8_t colourType, std::uint8_t depth) {
    switch (colourType) {
    case 0: // grey
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3: // palette
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2: // RGB
    case 4: // grey with alpha
    case 6: // RGB with alpha
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}

// Returns the colour type.
std::uint8_t CheckHeader(const TChunk& header) {
    if (!header.Is("IHDR") || header.Data.size() != HeaderDataSize)
        Damaged();
    const std::uint8_t* p = header.Data.data();
    const std::uint32_t width = Be32(p);
    const std::uint32_t height = Be32(p + 4);
    if (width == 0 || height == 0 || width > MaxChunkLength || height > MaxChunkLength)
        Damaged();
    // Depth, colour type, compression, filter, interlace.
    if (!ValidDepth(p[9], p[8]) || p[10] != 0 || p[11] != 0 || p[12] > 1)
        Damaged();
    return p[9];
}

} // namespace

void CheckPngImage(std::span<const std::uint8_t> data) {
    std::size_t at = SignatureSize;
    TChunk chunk = ChunkAt(data, at);
    const bool needsPalette = CheckHeader(chunk) == 3;
    bool palette = false;
    for (;;) {
        at += ChunkFrame + chunk.Data.size();
        chunk = ChunkAt(data, at);
        if (chunk.Is("IDAT"))
            break;
        if (chunk.Is("PLTE") && !palette) {
            palette = true;
            continue;
        }
        // A second header or palette, the end before any image data, or a critical chunk
        // nobody knows.
        if (chunk.Critical())
            Damaged();
    }
    if (needsPalette && !palette)
        Damaged();
}
