// The portable text rules of the utility routines: sizes, the program folder and the
// last-character search.

#include <gtest/gtest.h>

#include "util/file_path.h"
#include "util/last_char_pos.h"
#include "util/size_text.h"

TEST(FormatSizeText, UnitBoundaries) {
    EXPECT_EQ(FormatSizeText(0, L"."), L"0 Byte(s)");
    EXPECT_EQ(FormatSizeText(1, L"."), L"1 Byte(s)");
    EXPECT_EQ(FormatSizeText(1023, L"."), L"1023 Byte(s)");
    EXPECT_EQ(FormatSizeText(1024, L"."), L"1.00 KB");
    EXPECT_EQ(FormatSizeText(1048575, L"."), L"1024.00 KB"); // rounds up, stays in KB
    EXPECT_EQ(FormatSizeText(1048576, L"."), L"1.00 MB");
    EXPECT_EQ(FormatSizeText(1073741823, L"."), L"1024.00 MB");
    EXPECT_EQ(FormatSizeText(1073741824, L"."), L"1.00 GB");
    EXPECT_EQ(FormatSizeText(std::int64_t{1} << 40, L"."), L"1024.00 GB"); // no unit above GB
    EXPECT_EQ(FormatSizeText(INT64_MAX, L"."), L"8589934592.00 GB");
}

TEST(FormatSizeText, TwoRoundedDecimalsOfTheFullValue) {
    EXPECT_EQ(FormatSizeText(1536, L"."), L"1.50 KB");
    EXPECT_EQ(FormatSizeText(1034, L"."), L"1.01 KB"); // 1.0098 rounds up
    EXPECT_EQ(FormatSizeText(1029, L"."), L"1.00 KB"); // 1.0049 rounds down
    EXPECT_EQ(FormatSizeText(123456789012, L"."), L"114.98 GB");
}

TEST(FormatSizeText, UsesTheGivenSeparatorWithoutGrouping) {
    EXPECT_EQ(FormatSizeText(1024, L","), L"1,00 KB");
    EXPECT_EQ(FormatSizeText(std::int64_t{5000} << 30, L","), L"5000,00 GB");
    EXPECT_EQ(FormatSizeText(1536, L"<>"), L"1<>50 KB"); // a separator may be longer
    EXPECT_EQ(FormatSizeText(99999, L","), L"97,66 KB");
}

TEST(FormatSizeText, NegativeCountsArePlainBytes) {
    EXPECT_EQ(FormatSizeText(-1, L"."), L"-1 Byte(s)");
    EXPECT_EQ(FormatSizeText(-5000000000, L"."), L"-5000000000 Byte(s)");
    EXPECT_EQ(FormatSizeText(INT64_MIN, L"."), L"-9223372036854775808 Byte(s)");
}

TEST(FolderOfFile, EndsInExactlyOneBackslash) {
    EXPECT_EQ(FolderOfFile(L"C:\\Program Files\\Quillmont\\Quillmont.exe"),
              L"C:\\Program Files\\Quillmont\\");
    EXPECT_EQ(FolderOfFile(L"C:\\Quillmont.exe"), L"C:\\");
    EXPECT_EQ(FolderOfFile(L"\\\\server\\share\\Quillmont.exe"), L"\\\\server\\share\\");
    EXPECT_EQ(FolderOfFile(L"\\\\?\\D:\\Tools\\q.exe"), L"\\\\?\\D:\\Tools\\");
    EXPECT_EQ(FolderOfFile(L"C:\\Папка\\имя.с.точками.exe"), L"C:\\Папка\\");
}

TEST(LastCharPos, FindsTheLastOccurrence) {
    EXPECT_EQ(LastCharPos(L"name.tar.gz", '.'), 8);
    EXPECT_EQ(LastCharPos(L".hidden", '.'), 0);
    EXPECT_EQ(LastCharPos(L"readme", '.'), -1);
    EXPECT_EQ(LastCharPos(L"", '.'), -1);
    EXPECT_EQ(LastCharPos(L"trailing.", '.'), 8);
    EXPECT_EQ(LastCharPos(L"файл.иконки.ico", '.'), 11);
    EXPECT_EQ(LastCharPos(L"AbA", 'a'), -1); // case-sensitive
    EXPECT_EQ(LastCharPos(L"AbA", 'A'), 2);
}

TEST(LastCharPos, ReadsTheCharacterAsWindows1251) {
    EXPECT_EQ(LastCharPos(L"папа", '\xE0'), 3);     // а
    EXPECT_EQ(LastCharPos(L"ЁжЁ", '\xA8'), 2);      // Ё
    EXPECT_EQ(LastCharPos(L"№ 5, № 6", '\xB9'), 5); // №
    EXPECT_EQ(LastCharPos(L"À", '\xC0'), -1);       // 0xC0 is А, not Latin À
    EXPECT_EQ(LastCharPos(L"xА", '\xC0'), 1);
}
