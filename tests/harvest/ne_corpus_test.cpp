// The corpus of damaged 16-bit modules through the parser: each one reads or is refused
// with the reader's own errors; the sanitizers of the native build see any byte read out
// of bounds.

#include <gtest/gtest.h>

#include "harvest/icons/ne_parser.h"
#include "support/broken_modules.h"
#include "support/ne_reading.h"

TEST(NECorpus, EveryModuleReadsOrIsRefused) {
    const std::vector<TBrokenModule> corpus = BrokenNEModules();
    ASSERT_GT(corpus.size(), 150u);
    int read = 0;
    for (const TBrokenModule& module : corpus) {
        SCOPED_TRACE(module.Name);
        try {
            const auto groups = ReadNEGroups(module.Bytes, L"broken");
            for (const TNEGroupRead& group : groups) {
                for (const TFixtureImage& image : group.Images)
                    EXPECT_LE(image.Data.size(), module.Bytes.size());
            }
            ++read;
        } catch (const EICLReadError&) {
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), L"Stream read error");
        }
    }
    // The undamaged module, and damage the reader does not look at, still read.
    EXPECT_GE(read, 5);
    EXPECT_EQ(corpus.front().Name, "ne-good");
    EXPECT_NO_THROW(ReadNEGroups(corpus.front().Bytes, L"good"));
}
