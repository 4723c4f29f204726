// Which marked folders the walk enters: links are left, other marks are walked.

#include <gtest/gtest.h>

#include "harvest/scan/reparse_rule.h"

TEST(ReparseRule, LinksAreLeftAndOtherMarksAreWalked) {
    const unsigned folder = 0x10, marked = 0x10 | 0x400;
    EXPECT_TRUE(EntersFolder(folder, 0xA000000C)); // a tag without the mark is ignored
    // Symbolic link, junction, a Linux subsystem link; and a mark without its tag.
    for (unsigned link : {0xA000000Cu, 0xA0000003u, 0xA000001Du, 0u})
        EXPECT_FALSE(EntersFolder(marked, link)) << std::hex << link;
    // Synced cloud folders (with a sub-tag too), deduplicated and projected folders.
    for (unsigned mark : {0x9000001Au, 0x9000601Au, 0x80000013u, 0x9000001Cu})
        EXPECT_TRUE(EntersFolder(marked, mark)) << std::hex << mark;
    EXPECT_FALSE(EntersFolder(0x20 | 0x400, 0x9000001A)); // files are never entered
}
