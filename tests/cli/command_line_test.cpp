// The console harvester's command line and the texts it builds, without running it.

#include <gtest/gtest.h>

#include "cli/cli_options.h"
#include "cli/cli_text.h"
#include "harvest/harvest_text.h"

TEST(CommandLine, ReadsOptionsAnywhereAndRefusesWhatItCannotUse) {
    const TParsedCommandLine full = ParseCommandLine(
        {L"--all-groups", L"C:\\in", L"--kinds=exe,icl", L"--report", L"r.tsv", L"--quiet",
         L"--follow-mun", L"--real-system32", L"--skip-duplicates", L"--", L"-out"});
    ASSERT_EQ(full.Error, L"");
    const TCliOptions& o = full.Options;
    EXPECT_EQ(o.Folder, L"C:\\in");
    EXPECT_EQ(o.Output, L"-out");
    EXPECT_EQ(KindsMask(o.Kinds), L"*.exe,*.icl");
    EXPECT_EQ(o.Report, L"r.tsv");
    EXPECT_TRUE(o.AllGroups && o.Quiet && o.FollowMun && o.RealSystem32 && o.SkipDuplicates);

    // With no options the walk takes exactly the window's "all files" mask.
    const TParsedCommandLine plain = ParseCommandLine({L"a", L"b"});
    EXPECT_EQ(KindsMask(plain.Options.Kinds), FileTypeMask(0));
    EXPECT_FALSE(plain.Options.AllGroups || plain.Options.SkipDuplicates);
    EXPECT_TRUE(ParseCommandLine({L"--version"}).Error.empty());

    for (const std::vector<std::wstring>& bad : {std::vector<std::wstring>{L"a"},
                                                 {L"a", L"b", L"c"},
                                                 {L"--bogus", L"a", L"b"},
                                                 {L"a", L"b", L"--kinds"},
                                                 {L"--kinds", L".exe", L"a", L"b"},
                                                 {L"--kinds", L"exe,,dll", L"a", L"b"},
                                                 {L"--kinds", L"*", L"a", L"b"},
                                                 {L"--report=", L"a", L"b"}})
        EXPECT_FALSE(ParseCommandLine(bad).Error.empty()) << bad.size();
}

TEST(CommandLine, ReportLinesKeepOneFieldPerColumn) {
    EXPECT_EQ(ReportLine(L"C:\\a\tb.dll", TSourceKind::PE32, L"error: bad\r\nthing", {}),
              L"C:\\a b.dll\tPE32\terror: bad  thing\t\t\t\r\n");
    const std::vector<THarvestGroup> groups = {
        {L"MAIN", L"D:\\out\\a_0_MAIN.ico", L"", {{16, 16, 4, false}, {256, 256, 32, true}}},
        {L"7", L"D:\\out\\a_0_7.ico", L"b_3_1.ico", {{32, 32, 8, false}}}};
    EXPECT_EQ(ReportLine(L"C:\\a.exe", TSourceKind::MUN, L"saved", groups),
              L"C:\\a.exe\tMUN\tsaved\ta_0_MAIN.ico;duplicate of b_3_1.ico\tMAIN;7\t"
              L"16x16x4,256x256x32png;32x32x8\r\n");
    EXPECT_EQ(ReportHeader().find(L'\t'), 6u);
}
