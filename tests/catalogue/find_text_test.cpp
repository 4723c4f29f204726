// The find command's entry test, hit test and texts.

#include <gtest/gtest.h>

#include "catalogue/find_text.h"

TEST(FindEntry, BlankEntriesSearchNothing) {
    EXPECT_TRUE(IsBlankEntry(L""));
    EXPECT_TRUE(IsBlankEntry(L"   "));
    EXPECT_TRUE(IsBlankEntry(L" \t\r\n\x01"));
    EXPECT_FALSE(IsBlankEntry(L" txt"));
    EXPECT_FALSE(IsBlankEntry(L"."));
    EXPECT_FALSE(IsBlankEntry(L"\x00A0")); // a no-break space is a character of its own
}

TEST(FindEntry, HitsAreCaseSensitiveSubstrings) {
    EXPECT_TRUE(IsHit(L".txt", L"txt"));
    EXPECT_TRUE(IsHit(L".atxtb", L"txt"));
    EXPECT_TRUE(IsHit(L".txt", L".txt"));
    EXPECT_FALSE(IsHit(L".txt", L"TXT"));
    EXPECT_FALSE(IsHit(L".txt", L" txt")); // the entry is searched as typed, blanks included
    EXPECT_FALSE(IsHit(L".tx", L"txt"));
    EXPECT_TRUE(IsHit(L".doc", L"."));
    EXPECT_FALSE(IsHit(L"", L"."));
}

TEST(FindTexts, QuestionAndReport) {
    EXPECT_EQ(FindQuestionText(L"txt"), L"Значение \"txt\" найдено\r\nПродолжить поиск?");
    EXPECT_EQ(FindReportTitle(L" txt"), L"Поик \" txt\"");
    EXPECT_EQ(FindReportText(0), L"Поиск окончен. Найдено: (0)");
    EXPECT_EQ(FindReportText(1234), L"Поиск окончен. Найдено: (1234)");
}
