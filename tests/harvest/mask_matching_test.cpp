// Matching of compiled wildcard masks against file names.

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "harvest/scan/mask.h"
#include "mask_reference.h"

namespace {

bool Match(const wchar_t* mask, const wchar_t* name) {
    return TMask(mask).Matches(name);
}

TEST(MaskMatching, ExtensionMaskTakesWholeNameInEitherCase) {
    EXPECT_TRUE(Match(L"*.exe", L"NOTEPAD.EXE"));
    EXPECT_TRUE(Match(L"*.exe", L"notepad.exe"));
    EXPECT_FALSE(Match(L"*.exe", L"notepad.exe.bak"));
    EXPECT_FALSE(Match(L"*.exe", L"notepad.ex"));
    EXPECT_TRUE(Match(L"*.exe", L"a.exe.exe"));
    EXPECT_TRUE(Match(L"*.exe", L".exe"));
}

TEST(MaskMatching, StarAndStarDotStar) {
    EXPECT_TRUE(Match(L"*", L"README"));
    EXPECT_TRUE(Match(L"*", L".hidden"));
    EXPECT_TRUE(Match(L"***", L"x"));
    EXPECT_TRUE(Match(L"*.*", L"a.b"));
    EXPECT_TRUE(Match(L"*.*", L"trailing."));
    EXPECT_FALSE(Match(L"*.*", L"README"));
}

TEST(MaskMatching, LiteralsMustCoverTheWholeName) {
    EXPECT_TRUE(Match(L"abc", L"ABC"));
    EXPECT_FALSE(Match(L"abc", L"abcd"));
    EXPECT_FALSE(Match(L"abc", L"ab"));
    EXPECT_FALSE(Match(L"abc", L"xabc"));
}

TEST(MaskMatching, QuestionMarkTakesOneCharacterButNothingAfterStar) {
    EXPECT_FALSE(Match(L"a?", L"a"));
    EXPECT_TRUE(Match(L"a?", L"ab"));
    EXPECT_FALSE(Match(L"a?", L"abc"));
    EXPECT_TRUE(Match(L"a*?", L"a"));
    EXPECT_TRUE(Match(L"a*??", L"a"));
    EXPECT_TRUE(Match(L"a*?c", L"ac"));
    EXPECT_TRUE(Match(L"?*", L"z"));
    EXPECT_FALSE(Match(L"?*", L""));
}

TEST(MaskMatching, SetsRangesAndNegation) {
    EXPECT_TRUE(Match(L"[a-c]*", L"apple"));
    EXPECT_TRUE(Match(L"[a-c]*", L"Cherry"));
    EXPECT_FALSE(Match(L"[a-c]*", L"date"));
    EXPECT_FALSE(Match(L"[!a-c]*", L"Banana"));
    EXPECT_TRUE(Match(L"[!a-c]*", L"date"));
    EXPECT_TRUE(Match(L"[!a-c]*", L"1st"));
    EXPECT_FALSE(Match(L"[!a-c]*", L""));
    EXPECT_TRUE(Match(L"x[0-9][0-9]", L"X42"));
    EXPECT_FALSE(Match(L"x[0-9][0-9]", L"X4"));
    // A range starts at the last single character: "c-e" here runs from "a".
    EXPECT_TRUE(Match(L"[a-c-e]", L"d"));
    // A reversed range adds nothing; its first character is still a member.
    EXPECT_TRUE(Match(L"[z-ax]", L"x"));
    EXPECT_TRUE(Match(L"[z-ax]", L"Z"));
    EXPECT_FALSE(Match(L"[z-ax]", L"m"));
    // "!" after the first place, and "*" or "?" inside, are plain members.
    EXPECT_TRUE(Match(L"[a!]", L"!"));
    EXPECT_TRUE(Match(L"[!!]", L"a"));
    EXPECT_TRUE(Match(L"[*?]", L"?"));
    EXPECT_FALSE(Match(L"[*?]", L"a"));
}

TEST(MaskMatching, OnlyLatinLettersIgnoreCase) {
    EXPECT_TRUE(Match(L"readme.TXT", L"README.txt"));
    EXPECT_FALSE(Match(L"док*", L"ДОК.txt"));
    EXPECT_TRUE(Match(L"док*", L"док.txt"));
    EXPECT_TRUE(Match(L"[а-я]*", L"файл"));
    EXPECT_FALSE(Match(L"[а-я]*", L"Файл"));
    // Neighbours of the Latin letters stay as they are.
    EXPECT_FALSE(Match(L"{", L"["));
    EXPECT_FALSE(Match(L"`", L"@"));
    EXPECT_FALSE(Match(L"[{]", L"["));
}

TEST(MaskMatching, BracketBangAndDashOutsideSetsAreLiterals) {
    EXPECT_TRUE(Match(L"a]b", L"A]B"));
    EXPECT_TRUE(Match(L"!x-y", L"!X-Y"));
    EXPECT_FALSE(Match(L"a]b", L"ab"));
}

TEST(MaskMatching, StarRetriesLaterPlaces) {
    EXPECT_TRUE(Match(L"*ab", L"aab"));
    EXPECT_TRUE(Match(L"*a*b", L"xaxxb"));
    EXPECT_FALSE(Match(L"*a*b", L"xbxxa"));
    EXPECT_TRUE(Match(L"*.tar.gz", L"a.tar.tar.gz"));
    EXPECT_TRUE(Match(L"a*b*c*d", L"aXbYbcZd"));
    EXPECT_FALSE(Match(L"a*b*c*d", L"aXbYbcZ"));
}

// A mask with the most "*" allowed, each before a character that occurs everywhere, against
// a long name that fails only at its last character: retrying every combination of places
// would never finish.
TEST(MaskMatching, ManyStarsOnALongNameFinish) {
    std::wstring mask;
    for (int i = 0; i < TMask::MaxSkipSteps; ++i)
        mask += L"*a";
    mask += L"b";
    const std::wstring name(255, L'a');
    EXPECT_FALSE(TMask(mask).Matches(name));
    EXPECT_TRUE(TMask(mask).Matches(name + L"b"));
}

// Random masks and names over a small alphabet, checked against the plain reading of the
// rules: catches a matcher that gives up on a retry it needed, or takes too much.
TEST(MaskMatching, AgreesWithPlainReadingOfTheRules) {
    const std::wstring maskChars = L"aAb*?[]!-";
    const std::wstring nameChars = L"aAb-!";
    std::mt19937 random(20240607);
    auto pick = [&](const std::wstring& from, size_t maxLength) {
        std::wstring text(random() % (maxLength + 1), L' ');
        for (wchar_t& ch : text)
            ch = from[random() % from.size()];
        return text;
    };
    int compared = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::wstring mask = pick(maskChars, 7);
        std::optional<TMask> compiled;
        try {
            compiled.emplace(mask);
        } catch (const EMaskError&) {
            continue;
        }
        for (int j = 0; j < 10; ++j) {
            const std::wstring name = pick(nameChars, 8);
            ASSERT_EQ(compiled->Matches(name), mask_reference::Matches(mask, name))
                << "mask '" << std::string(mask.begin(), mask.end()) << "' name '"
                << std::string(name.begin(), name.end()) << "'";
            ++compared;
        }
    }
    EXPECT_GT(compared, 50000);
}

} // namespace
