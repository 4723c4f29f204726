// What a harvest tells about a file: its kind, its groups' identifiers, its images' sizes,
// and the names of group outputs.

#include <gtest/gtest.h>

#include <algorithm>

#include "harvest/harvest_details.h"
#include "support/ne_builder.h"
#include "support/pe_builder.h"

namespace {

TSourceKind KindOf(const std::vector<std::uint8_t>& Bytes) {
    TMemorySource source(Bytes);
    return ModuleSourceKind(source);
}

} // namespace

TEST(HarvestDetails, KindsFromTheHeaders) {
    std::vector<std::uint8_t> pe =
        BuildPEModule(IconGroupResources({{"", 0, {MakeBitmapImage(16, 4)}}})).Bytes;
    EXPECT_EQ(KindOf(pe), TSourceKind::PE32);
    const std::size_t magic = pe[60] + 24u;
    pe[magic] = 0x0B;
    pe[magic + 1] = 0x02;
    EXPECT_EQ(KindOf(pe), TSourceKind::PE32Plus);
    pe.resize(magic + 1); // the magic cut in half
    EXPECT_EQ(KindOf(pe), TSourceKind::Other);
    EXPECT_EQ(KindOf(BuildNEModule(SampleNEFixture()).Bytes), TSourceKind::NE);
    EXPECT_EQ(KindOf({'M', 'Z'}), TSourceKind::Other);
}

TEST(HarvestDetails, SixteenBitGroupsByNameOrNumber) {
    TNEFixture fixture = SampleNEFixture();
    fixture.Groups[0].Name = "FIRST";
    fixture.Groups[2].Number = 300;
    const std::vector<std::uint8_t> bytes = BuildNEModule(fixture).Bytes;
    TMemorySource source(bytes);
    EXPECT_EQ(NEGroupIdentifiers(source), (std::vector<std::string>{"FIRST", "2", "300"}));
}

TEST(HarvestDetails, ImageFactsComeFromTheImagesThemselves) {
    TFixtureImage bitmap = MakeBitmapImage(48, 8);
    bitmap.Entry.Width = 16; // the entry's claim is not what is reported
    EXPECT_EQ(ImageFactsOf(bitmap.Data), (TImageFacts{48, 48, 8, false}));
    EXPECT_EQ(ImageFactsOf(MakePngImage(256).Data), (TImageFacts{256, 256, 32, true}));
    EXPECT_EQ(ImageFactsOf(std::vector<std::uint8_t>(10)), std::nullopt);
    EXPECT_EQ(ImageFactsText({256, 256, 32, true}), L"256x256x32png");

    // An .ico file whose second entry points past its end names one image.
    std::vector<std::uint8_t> ico = {0, 0,  1, 0, 2,  0,  16, 16, 0,  0,  1,  0, 4,
                                     0, 40, 0, 0, 0,  38, 0,  0,  0,  16, 16, 0, 0,
                                     1, 0,  4, 0, 40, 0,  0,  0,  99, 0,  0,  0};
    ico.resize(ico.size() + 40);
    std::copy_n(bitmap.Data.begin(), 40, ico.end() - 40);
    ASSERT_EQ(IcoFileImages(ico).size(), 1u);
    EXPECT_EQ(IcoFileImages(ico)[0].size(), 40u);
}

TEST(HarvestDetails, GroupNamesMadeSafeForFileNames) {
    EXPECT_EQ(GroupFileName(L"D:\\o", L"shell32.dll", 7, L"A<B>:\"/\\|?*\x01"),
              L"D:\\o\\shell32_7_A_B_________.ico");
    EXPECT_EQ(GroupFileName(L"D:\\o", L"x.exe", 0, std::wstring(80, L'N')),
              L"D:\\o\\x_0_" + std::wstring(60, L'N') + L".ico");
}
