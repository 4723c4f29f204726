// Masks that cannot be compiled, with the place of the fault.

#include <gtest/gtest.h>

#include <string>

#include "harvest/scan/mask.h"

namespace {

std::wstring ErrorOf(const std::wstring& mask) {
    try {
        TMask compiled(mask);
    } catch (const EMaskError& e) {
        return e.Message();
    }
    return L"(compiled)";
}

std::wstring Expected(const std::wstring& mask, int position) {
    return L"'" + mask + L"' is an invalid mask at (" + std::to_wstring(position) + L")";
}

TEST(MaskErrors, BadSetsReportWhereTheFaultWasFound) {
    EXPECT_EQ(ErrorOf(L"[]"), Expected(L"[]", 2));
    EXPECT_EQ(ErrorOf(L"[!]"), Expected(L"[!]", 3));
    EXPECT_EQ(ErrorOf(L"[abc"), Expected(L"[abc", 5));
    EXPECT_EQ(ErrorOf(L"x["), Expected(L"x[", 3));
    EXPECT_EQ(ErrorOf(L"[!"), Expected(L"[!", 3));
    EXPECT_EQ(ErrorOf(L"[-a]"), Expected(L"[-a]", 2));
    EXPECT_EQ(ErrorOf(L"*.[!-a]"), Expected(L"*.[!-a]", 5));
}

// A "-" needs a character after it as well as before it.
TEST(MaskErrors, DashWithoutRangeEndIsAnError) {
    EXPECT_EQ(ErrorOf(L"[a-]"), Expected(L"[a-]", 3));
    EXPECT_EQ(ErrorOf(L"[a-"), Expected(L"[a-", 3));
    EXPECT_EQ(ErrorOf(L"[a--]"), L"(compiled)"); // the range "a" to "-" is merely empty
}

TEST(MaskErrors, AtMostThirtyStarredSteps) {
    std::wstring thirty;
    for (int i = 0; i < 30; ++i)
        thirty += L"*a";
    EXPECT_EQ(ErrorOf(thirty), L"(compiled)");
    // Stars in a row, and "?" right after a star, belong to the same step.
    EXPECT_EQ(ErrorOf(thirty + L"?"), L"(compiled)");
    std::wstring doubled;
    for (int i = 0; i < 30; ++i)
        doubled += L"**?a";
    EXPECT_EQ(ErrorOf(doubled), L"(compiled)");

    EXPECT_EQ(ErrorOf(thirty + L"*a"), Expected(thirty + L"*a", 62));
    EXPECT_EQ(ErrorOf(thirty + L"*[x]"), Expected(thirty + L"*[x]", 62));
    // A star at the end gives the end step its skip: found at the end of the mask.
    EXPECT_EQ(ErrorOf(thirty + L"*"), Expected(thirty + L"*", 62));
}

} // namespace
