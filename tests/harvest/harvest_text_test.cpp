// Counts as the harvest shows them, its output names and the masks of the file kinds.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "harvest/harvest_text.h"

TEST(HarvestText, CountsAreGroupedInThreesBySpaces) {
    EXPECT_EQ(FormatCount(0), L"0");
    EXPECT_EQ(FormatCount(999), L"999");
    EXPECT_EQ(FormatCount(1000), L"1 000");
    EXPECT_EQ(FormatCount(1234567), L"1 234 567");
    EXPECT_EQ(FormatCount(100000000000000), L"100 000 000 000 000");
    EXPECT_EQ(FormatCount(-1234), L"-1 234");
    EXPECT_EQ(FormatCount(std::numeric_limits<std::int64_t>::min()), L"-9 223 372 036 854 775 808");
}

TEST(HarvestText, OutputNamesKeepThirtyCharactersBeforeTheLastPoint) {
    EXPECT_EQ(HarvestFileName(L"D:\\Icons", L"notepad.exe", 12), L"D:\\Icons\\notepad_12.ico");
    EXPECT_EQ(HarvestFileName(L"D:\\Icons", L"My.Program.Name.exe", 3),
              L"D:\\Icons\\My.Program.Name_3.ico");
    EXPECT_EQ(HarvestFileName(L"D:\\", L"ICON.ICO", 0), L"D:\\\\ICON_0.ico");
    EXPECT_EQ(HarvestFileName(L"D:\\Icons", L".ico", 7), L"D:\\Icons\\-_7.ico");
    EXPECT_EQ(HarvestFileName(L"D:\\Icons", L"README", 8), L"D:\\Icons\\-_8.ico");
    EXPECT_EQ(HarvestFileName(L"D:\\I", L"abcdefghijklmnopqrstuvwxyz0123456789ABCD.dll", 40),
              L"D:\\I\\abcdefghijklmnopqrstuvwxyz0123_40.ico");
    // Thirty characters are kept as they are.
    EXPECT_EQ(ShortenName(L"abcdefghijklmnopqrstuvwxyz0123", 30),
              L"abcdefghijklmnopqrstuvwxyz0123");
    // A cut never splits a character made of two UTF-16 units.
    const std::wstring withPair{L'a', L'b', wchar_t(0xD83D), wchar_t(0xDE00), L'c'};
    EXPECT_EQ(ShortenName(withPair, 3), L"ab");
    EXPECT_EQ(ShortenName(withPair, 4), withPair.substr(0, 4));
}

TEST(HarvestText, MasksOfTheFileKinds) {
    EXPECT_EQ(FileTypeMask(0), L"*.exe,*.dll,*.cpl,*.ico");
    EXPECT_EQ(FileTypeMask(1), L"*.exe");
    EXPECT_EQ(FileTypeMask(2), L"*.dll");
    EXPECT_EQ(FileTypeMask(3), L"*.ico");
}
