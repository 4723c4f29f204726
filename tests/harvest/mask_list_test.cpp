// Splitting and compiling the comma-separated mask list.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harvest/scan/mask_list.h"

namespace {

using Elements = std::vector<std::wstring>;

TEST(MaskList, SpacesAroundElementsAreDropped) {
    EXPECT_EQ(SplitMaskList(L" *.exe , *.dll "), (Elements{L"*.exe", L"*.dll"}));
    EXPECT_EQ(SplitMaskList(L"*.exe,*.dll,*.cpl,*.ico"),
              (Elements{L"*.exe", L"*.dll", L"*.cpl", L"*.ico"}));
    EXPECT_EQ(SplitMaskList(L"my  file*.txt"), (Elements{L"my  file*.txt"}));
    // Only the space character is a space.
    EXPECT_EQ(SplitMaskList(L"\t*.exe\t"), (Elements{L"\t*.exe\t"}));
}

TEST(MaskList, CommasAndEmptyElements) {
    EXPECT_EQ(SplitMaskList(L"*.exe,"), (Elements{L"*.exe"}));
    EXPECT_EQ(SplitMaskList(L""), Elements{});
    EXPECT_EQ(SplitMaskList(L","), (Elements{L""}));
    EXPECT_EQ(SplitMaskList(L",a"), (Elements{L"", L"a"}));
    EXPECT_EQ(SplitMaskList(L"a, ,b"), (Elements{L"a", L"", L"b"}));
    EXPECT_EQ(SplitMaskList(L"a, "), (Elements{L"a", L""}));
    EXPECT_EQ(SplitMaskList(L"x"), (Elements{L"x"}));
}

TEST(MaskList, EmptyListOrElementMatchesNoName) {
    EXPECT_FALSE(MatchesAny(CompileMaskList(L""), L"a.exe"));
    EXPECT_FALSE(MatchesAny(CompileMaskList(L" , "), L"a.exe"));
    EXPECT_FALSE(MatchesAny(CompileMaskList(L" , "), L" "));
}

TEST(MaskList, AnyElementMayMatch) {
    const TMultiMaskList masks = CompileMaskList(L"*.exe, *.dll");
    ASSERT_EQ(masks.size(), 2u);
    EXPECT_TRUE(MatchesAny(masks, L"KERNEL32.DLL"));
    EXPECT_TRUE(MatchesAny(masks, L"cmd.exe"));
    EXPECT_FALSE(MatchesAny(masks, L"readme.txt"));
}

TEST(MaskList, FirstBadElementIsReportedAlone) {
    try {
        CompileMaskList(L"*.exe, [x , [");
        FAIL() << "compiled";
    } catch (const EMaskError& e) {
        EXPECT_EQ(e.Message(), L"'[x' is an invalid mask at (3)");
    }
}

} // namespace
