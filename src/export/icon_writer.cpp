#include <windows.h>

#include "export/icon_writer.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "export/ico_layout.h"
#include "util/whole_file.h"
#include "util/handle.h"
#include "util/os_error.h"

namespace {

static_assert(sizeof(BITMAPINFOHEADER) == kDibHeaderSize);

// One bitmap in device-independent form: its header block and its pixel rows.
struct DibBlocks {
    std::vector<uint8_t> header;
    std::vector<uint8_t> rows;
};

// The header the bitmap is fetched with: a section's own header when it has one, otherwise
// one made from the bitmap's size; in both cases at the bitmap's own depth.
TDibHeader FetchHeaderOf(HBITMAP bitmap) {
    DIBSECTION section{};
    const int filled = ::GetObjectW(bitmap, sizeof section, &section);
    if (filled < static_cast<int>(sizeof(BITMAP)))
        throw EInvalidBitmap();
    TDibHeader header;
    if (filled == static_cast<int>(sizeof(DIBSECTION)) && section.dsBmih.biSize >= kDibHeaderSize)
        header = LoadDibHeader({reinterpret_cast<const uint8_t*>(&section.dsBmih), kDibHeaderSize});
    else
        header = DibHeaderOfSize(section.dsBm.bmWidth, section.dsBm.bmHeight);
    NormaliseDibHeader(header,
                       static_cast<uint32_t>(section.dsBm.bmBitsPixel) * section.dsBm.bmPlanes);
    return header;
}

DibBlocks FetchDib(HDC dc, HBITMAP bitmap) {
    const TDibHeader header = FetchHeaderOf(bitmap);
    const std::size_t headerBlock = HeaderBlockSize(header);
    DibBlocks dib;
    // The fetch may fill a whole colour table behind the header, whatever the header says.
    dib.header.resize(std::max(headerBlock, kDibHeaderAreaSize));
    StoreDibHeader(header, dib.header);
    dib.rows.resize(PixelBlockSize(header));
    const int lines =
        ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(header.biHeight), dib.rows.data(),
                    reinterpret_cast<BITMAPINFO*>(dib.header.data()), DIB_RGB_COLORS);
    // Rows the system could not supply would be written as garbage: refuse instead.
    if (lines != header.biHeight)
        throw EInvalidBitmap();
    dib.header.resize(headerBlock);
    return dib;
}

} // namespace

void SaveIconToFile(const std::wstring& FileName, HICON Icon) {
    if (!Icon)
        RaiseOSError(ERROR_INVALID_HANDLE);
    ICONINFO info{};
    if (!::GetIconInfo(Icon, &info))
        RaiseLastOSError();
    // Declared mask first so that the colour bitmap is deleted first.
    const UniqueBitmap mask(info.hbmMask);
    const UniqueBitmap colour(info.hbmColor);
    if (!colour || !mask)
        throw EInvalidBitmap();

    const UniqueDC dc(::CreateCompatibleDC(nullptr));
    if (!dc)
        RaiseLastOSError();
    const DibBlocks colourDib = FetchDib(dc.get(), colour.get());
    const DibBlocks maskDib = FetchDib(dc.get(), mask.get());
    WriteWholeFile(FileName, ComposeIconFile(colourDib.header, colourDib.rows, maskDib.rows));
}
