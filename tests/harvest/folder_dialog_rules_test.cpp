// The folder picker's own rules: the browse flags of its options, where it places its
// window, and its version text.

#include <gtest/gtest.h>

#include "harvest/picker/folder_dialog_rules.h"

namespace {

TEST(FolderDialogFlags, EachOptionAddsItsShellFlag) {
    const struct {
        TOptions option;
        uint32_t flag;
    } table[] = {
        {fdoBrowseForComputer, 0x1000}, {fdoBrowseForPrinter, 0x2000},
        {fdoDontgoBelowDomain, 0x0002}, {fdoReturnFSAncestors, 0x0008},
        {fdoReturnOnlyFSDirs, 0x0001},  {fdoStatusText, 0x0004},
        {fdoNewDialogStyle, 0x0040},    {fdoNoNewFolderButton, 0x0200},
        {fdoEditBox, 0x0010},
    };
    TFolderOptions all;
    uint32_t allFlags = 0;
    for (const auto& row : table) {
        EXPECT_EQ(BrowseFlags({row.option}), row.flag) << int{row.option};
        all.Include(row.option);
        allFlags |= row.flag;
    }
    EXPECT_EQ(BrowseFlags(all), allFlags);
    EXPECT_EQ(BrowseFlags({}), 0u);
}

TEST(FolderDialogFlags, TheSetsThisProgramUses) {
    EXPECT_EQ(BrowseFlags({fdoNewDialogStyle}), 0x0040u);
    EXPECT_EQ(BrowseFlags({fdoNewDialogStyle, fdoNoNewFolderButton}), 0x0240u);
}

TEST(FolderDialogFlags, ShareableOnlyWithTheNewDialogStyle) {
    EXPECT_EQ(BrowseFlags({fdoShareable}), 0u);
    EXPECT_EQ(BrowseFlags({fdoShareable, fdoEditBox, fdoStatusText}), 0x0014u);
    EXPECT_EQ(BrowseFlags({fdoShareable, fdoNewDialogStyle}), 0x8040u);
}

TEST(FolderOptionsSet, IncludeExcludeAndCompare) {
    TFolderOptions options{fdoNewDialogStyle};
    EXPECT_TRUE(options.Contains(fdoNewDialogStyle));
    EXPECT_FALSE(options.Contains(fdoShareable));
    options.Include(fdoShareable).Exclude(fdoNewDialogStyle);
    EXPECT_EQ(options, (TFolderOptions{fdoShareable}));
    EXPECT_NE(options, TFolderOptions{});
}

TEST(FolderDialogPlacement, EveryRule) {
    const ScreenRect owner{100, 50, 741, 531}; // 641 x 481: odd sizes halve toward zero
    const ScreenRect dialog{0, 0, 321, 401};
    const ScreenRect work{0, 0, 1600, 960};
    auto place = [&](TDialogPosition p, int x = 0, int y = 0) {
        const ScreenPoint at = DialogPlacement(p, x, y, owner, dialog, work);
        return std::pair{at.x, at.y};
    };
    EXPECT_EQ(place(fdpDefault), std::pair(120, 70));
    EXPECT_EQ(place(fdpXY, 5, 5), std::pair(5, 5));
    EXPECT_EQ(place(fdpXY, -30, 40), std::pair(0, 40));
    EXPECT_EQ(place(fdpXY, 17, -1), std::pair(17, 0));
    EXPECT_EQ(place(fdpParentFormCenter), std::pair(100 + 320 - 160, 50 + 240 - 200));
    EXPECT_EQ(place(fdpScreenCenter), std::pair(800 - 160, 480 - 200));
}

TEST(FolderDialogPlacement, OwnerPartlyOffScreen) {
    const ScreenRect owner{-301, -41, 0, 0};
    const ScreenRect dialog{0, 0, 100, 100};
    const ScreenPoint centred = DialogPlacement(fdpParentFormCenter, 0, 0, owner, dialog, {});
    EXPECT_EQ(centred.x, -301 + 150 - 50);
    EXPECT_EQ(centred.y, -41 + 20 - 50);
    const ScreenPoint beside = DialogPlacement(fdpDefault, 0, 0, owner, dialog, {});
    EXPECT_EQ(beside.x, -281);
    EXPECT_EQ(beside.y, -21);
}

TEST(FolderDialogVersion, PackedBytesAsDecimals) {
    EXPECT_EQ(VersionText(0x01010400), L"1.1.4.0");
    EXPECT_EQ(VersionText(0xFF0A0009), L"255.10.0.9");
}

} // namespace
