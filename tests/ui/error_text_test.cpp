// The full-stop rule of the top-level error display.

#include <gtest/gtest.h>

#include "ui/error_text.h"

TEST(ErrorDisplayText, AppendsAFullStopAfterLettersDigitsAndQuestionMarks) {
    EXPECT_EQ(ErrorDisplayText(L"Cannot open file"), L"Cannot open file.");
    EXPECT_EQ(ErrorDisplayText(L"Ошибка чтения"), L"Ошибка чтения.");
    EXPECT_EQ(ErrorDisplayText(L"Code 5"), L"Code 5.");
    EXPECT_EQ(ErrorDisplayText(L"Why?"), L"Why?.");
    EXPECT_EQ(ErrorDisplayText(L"a/b"), L"a/b.");
}

TEST(ErrorDisplayText, LeavesMessagesEndingAtOrBelowTheFullStopAlone) {
    EXPECT_EQ(ErrorDisplayText(L""), L"");
    EXPECT_EQ(ErrorDisplayText(L"Done."), L"Done.");
    EXPECT_EQ(ErrorDisplayText(L"(see log)"), L"(see log)");
    EXPECT_EQ(ErrorDisplayText(L"name \"x\""), L"name \"x\"");
    EXPECT_EQ(ErrorDisplayText(L"trailing "), L"trailing ");
    EXPECT_EQ(ErrorDisplayText(L"System Error.  Code: 5.\r\n"), L"System Error.  Code: 5.\r\n");
    EXPECT_EQ(ErrorDisplayText(L"dash-"), L"dash-");
}
