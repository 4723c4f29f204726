// The icon file writer on real icon handles: the bytes it writes, what outside readers
// (the system's own icon loader and icoutils' icotool) make of them, and what it leaves on
// disk when it fails.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "export/ico_layout.h"
#include "export/icon_writer.h"
#include "support/byte_writer.h"
#include "support/host_shell.h"
#include "support/scratch_folder.h"
#include "util/handle.h"
#include "util/os_error.h"

namespace {

using Bytes = std::vector<unsigned char>;

// The picture every test icon shows: a colour per pixel, and a mask that leaves every
// third pixel of a diagonal see-through.
uint32_t PixelColour(int x, int y) {
    return 0xFF000000u | (x & 0xFF) << 16 | (y & 0xFF) << 8 | 0x5A;
}
bool PixelTransparent(int x, int y) {
    return (x + 2 * y) % 3 == 0;
}

UniqueIcon MakeIcon(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    UniqueBitmap colour(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = PixelColour(x, y);

    const int maskRow = (width + 15) / 16 * 2; // CreateBitmap rows are word-aligned
    std::vector<uint8_t> maskBits(static_cast<std::size_t>(maskRow) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (PixelTransparent(x, y))
                maskBits[y * maskRow + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    UniqueBitmap mask(::CreateBitmap(width, height, 1, 1, maskBits.data()));

    ICONINFO icon{TRUE, 0, 0, mask.get(), colour.get()};
    return UniqueIcon(::CreateIconIndirect(&icon));
}

int ScreenDepth() {
    const ScreenDC screen;
    return ::GetDeviceCaps(screen.get(), BITSPIXEL) * ::GetDeviceCaps(screen.get(), PLANES);
}

std::wstring ExceptionText(const std::wstring& file, HICON icon) {
    try {
        SaveIconToFile(file, icon);
    } catch (const Exception& e) {
        return e.Message();
    }
    return L"(no error)";
}

struct Shape {
    int width, height;
    std::size_t fileLength;
};

class WrittenIcon : public testing::TestWithParam<Shape> {
protected:
    void SetUp() override {
        // The colour bitmap of an icon handle has the display's depth.
        if (ScreenDepth() != 32)
            GTEST_SKIP() << "the expected lengths are those of a 32-bit display";
    }
    ScratchFolder folder;
};

TEST_P(WrittenIcon, HeadImageRowsAndMaskRows) {
    const Shape s = GetParam();
    const UniqueIcon icon = MakeIcon(s.width, s.height);
    ASSERT_TRUE(icon);
    const std::wstring file = folder / L"icon.ico";
    SaveIconToFile(file, icon.get());
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"icon.ico"}) << "no temporary left";

    const Bytes b = ReadFileBytes(file);
    const std::size_t c = std::size_t(s.width) * s.height * 4;
    const std::size_t maskRow = (s.width + 31) / 32 * 4;
    const std::size_t m = maskRow * s.height;
    ASSERT_EQ(b.size(), s.fileLength);
    ASSERT_EQ(b.size(), 38 + 40 + c + m);
    EXPECT_EQ(Get16(b, 0), 0);
    EXPECT_EQ(Get16(b, 2), 1);
    EXPECT_EQ(Get16(b, 4), 1);
    EXPECT_EQ(b[6], s.width & 0xFF);
    EXPECT_EQ(b[7], s.height & 0xFF);
    EXPECT_EQ(b[8], 32);
    EXPECT_EQ(b[9], 0);
    EXPECT_EQ(Get16(b, 10), 1);
    EXPECT_EQ(Get16(b, 12), 32);
    EXPECT_EQ(Get32(b, 14), 40 + c + m);
    EXPECT_EQ(Get32(b, 18), 38u);
    for (std::size_t i = 22; i < 38; ++i)
        ASSERT_EQ(b[i], 0) << "filler byte " << i;
    EXPECT_EQ(Get32(b, 38), 40u);
    EXPECT_EQ(Get32(b, 42), static_cast<uint32_t>(s.width));
    EXPECT_EQ(Get32(b, 46), static_cast<uint32_t>(2 * s.height));
    EXPECT_EQ(Get16(b, 50), 1);
    EXPECT_EQ(Get16(b, 52), 32);
    EXPECT_EQ(Get32(b, 58), c);

    // Rows are stored bottom-up; the colour is compared without its alpha channel.
    int wrongColours = 0, wrongMaskBits = 0;
    for (int y = 0; y < s.height; ++y) {
        const std::size_t row = s.height - 1 - y;
        for (int x = 0; x < s.width; ++x) {
            const uint32_t stored = Get32(b, 78 + (row * s.width + x) * 4);
            wrongColours += (stored & 0xFFFFFF) != (PixelColour(x, y) & 0xFFFFFF);
            const bool bit = b[78 + c + row * maskRow + x / 8] & (0x80 >> (x % 8));
            wrongMaskBits += bit != PixelTransparent(x, y);
        }
    }
    EXPECT_EQ(wrongColours, 0);
    EXPECT_EQ(wrongMaskBits, 0);
}

TEST_P(WrittenIcon, OutsideReadersSeeOneImageOfItsSizeAndDepth) {
    const Shape s = GetParam();
    const UniqueIcon icon = MakeIcon(s.width, s.height);
    const std::wstring file = folder / L"read back.ico";
    SaveIconToFile(file, icon.get());

    const UniqueIcon loaded(
        static_cast<HICON>(::LoadImageW(nullptr, file.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)));
    ASSERT_TRUE(loaded) << "the system's icon loader refuses the file";
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(loaded.get(), &info));
    const UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    ::GetObjectW(colour.get(), sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, s.width);
    EXPECT_EQ(bm.bmHeight, s.height);

    if (!HostShellAvailable())
        GTEST_SKIP() << "icotool runs on the Linux host, reached only under Wine";
    const HostCommandResult listed = RunHostShell("icotool -l " + ShellQuote(HostPath(file)));
    EXPECT_EQ(listed.exitCode, 0) << listed.errors;
    EXPECT_EQ(listed.output, "--icon --index=1 --width=" + std::to_string(s.width) + " --height=" +
                                 std::to_string(s.height) + " --bit-depth=32 --palette-size=0\n");
}

INSTANTIATE_TEST_SUITE_P(Sizes, WrittenIcon,
                         testing::Values(Shape{16, 16, 1166}, Shape{32, 32, 4302},
                                         Shape{48, 48, 9678}, Shape{24, 16, 1678},
                                         Shape{256, 256, 270414}));

class IconWriter : public testing::Test {
protected:
    ScratchFolder folder;
};

TEST_F(IconWriter, ReplacesLongerAndShorterFilesWithExactlyTheNewContent) {
    const UniqueIcon icon = MakeIcon(16, 16);
    const std::wstring fresh = folder / L"fresh.ico";
    SaveIconToFile(fresh, icon.get());
    const Bytes expected = ReadFileBytes(fresh);

    for (std::size_t oldLength : {std::size_t{100000}, std::size_t{10}, expected.size()}) {
        const std::wstring file = folder / L"old.ico";
        WriteFileBytes(file, Bytes(oldLength, 0xAA));
        SaveIconToFile(file, icon.get());
        EXPECT_EQ(ReadFileBytes(file), expected) << "over a file of " << oldLength << " bytes";
    }
    EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"fresh.ico", L"old.ico"}));
}

TEST_F(IconWriter, NullHandleRaisesTheOSErrorAndWritesNothing) {
    try {
        SaveIconToFile(folder / L"null.ico", nullptr);
        FAIL() << "no error";
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        EXPECT_EQ(e.Message(), L"System Error.  Code: 6.\r\n" + SysErrorMessage(6));
    }
    EXPECT_TRUE(folder.Names().empty());
}

TEST_F(IconWriter, MonochromeIconIsAnInvalidBitmap) {
    const std::vector<uint8_t> andXor(4 * 64, 0x0F);
    const UniqueIcon mono(::CreateIcon(nullptr, 32, 32, 1, 1, andXor.data(), andXor.data() + 128));
    ASSERT_TRUE(mono);
    EXPECT_EQ(ExceptionText(folder / L"mono.ico", mono.get()),
              L"Неверное растровое(Bitmap) изображение ");
    EXPECT_TRUE(folder.Names().empty());
}

TEST_F(IconWriter, TargetThatCannotBeWrittenLeavesNothingBehind) {
    const UniqueIcon icon = MakeIcon(16, 16);

    try {
        SaveIconToFile(folder / L"missing\\a.ico", icon.get());
        FAIL() << "no error";
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
        EXPECT_EQ(e.Message(), L"System Error.  Code: 3.\r\n" + SysErrorMessage(3));
    }
    EXPECT_TRUE(folder.Names().empty());

    ASSERT_TRUE(::CreateDirectoryW((folder / L"taken.ico").c_str(), nullptr));
    EXPECT_THROW(SaveIconToFile(folder / L"taken.ico", icon.get()), EOSError);
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"taken.ico"});

    const std::wstring readOnly = folder / L"read-only.ico";
    WriteFileBytes(readOnly, Bytes(10, 0x55));
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(SaveIconToFile(readOnly, icon.get()), EOSError);
    EXPECT_EQ(ReadFileBytes(readOnly), Bytes(10, 0x55));
    EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"read-only.ico", L"taken.ico"}));
}

TEST_F(IconWriter, KeepsTheCallersIconAndReleasesItsBitmaps) {
    const UniqueIcon icon = MakeIcon(32, 32);
    const HANDLE process = ::GetCurrentProcess();
    // Warm up once so that caches the system fills on first use are not counted.
    SaveIconToFile(folder / L"a.ico", icon.get());
    const DWORD before = ::GetGuiResources(process, GR_GDIOBJECTS);
    for (int i = 0; i < 50; ++i) {
        SaveIconToFile(folder / L"a.ico", icon.get());
        EXPECT_THROW(SaveIconToFile(folder / L"missing\\a.ico", icon.get()), EOSError);
    }
    if (before != 0) {
        EXPECT_EQ(::GetGuiResources(process, GR_GDIOBJECTS), before);
    }

    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon.get(), &info)) << "the caller's icon must stay usable";
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
}

} // namespace
