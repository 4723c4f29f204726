// Which marked folders the walk enters: links are left, other marks are walked.

#include <gtest/gtest.h>

#include <cstdint>

#include "harvest/scan/reparse_rule.h"

namespace {

constexpr std::uint32_t kFolder = 0x10;
constexpr std::uint32_t kMarkedFolder = 0x10 | 0x400;

TEST(ReparseRule, LinksAreLeftAndOtherMarksAreWalked) {
    EXPECT_TRUE(EntersFolder(kFolder, 0));
    EXPECT_TRUE(EntersFolder(kFolder, 0xA000000C)); // a stale tag without the mark is ignored
    // Name surrogates: symbolic link, junction, a link made by the Linux subsystem.
    for (std::uint32_t link : {0xA000000Cu, 0xA0000003u, 0xA000001Du})
        EXPECT_FALSE(EntersFolder(kMarkedFolder, link)) << std::hex << link;
    // Synced cloud folders (plain and with their sub-tags), deduplicated, projected folders.
    for (std::uint32_t mark : {0x9000001Au, 0x9000601Au, 0x80000013u, 0x9000001Cu})
        EXPECT_TRUE(EntersFolder(kMarkedFolder, mark)) << std::hex << mark;
    // A mark whose tag the listing did not give may be a link.
    EXPECT_FALSE(EntersFolder(kMarkedFolder, 0));
    // Files are never entered, marked or not.
    EXPECT_FALSE(EntersFolder(0x20, 0));
    EXPECT_FALSE(EntersFolder(0x20 | 0x400, 0x9000001A));
}

} // namespace
