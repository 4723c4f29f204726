// The multi-image icon model over real resources: modules written by the fixture builder
// and loaded by the system as data files.

#include <windows.h>

#include <gtest/gtest.h>

#include <typeinfo>

#include "harvest/icons/AdvancedIcon.h"
#include "support/byte_writer.h"
#include "support/pe_builder.h"
#include "support/scratch_folder.h"

namespace {

std::vector<TFixtureGroup> SampleGroups() {
    TFixtureGroup numbered; // group 1
    numbered.Images = {MakeBitmapImage(16, 4), MakeBitmapImage(32, 32)};
    TFixtureGroup named;
    named.Name = "NAMED";
    named.Images = {MakeBitmapImage(48, 8), MakePngImage(256), MakePngImage(48)};
    return {numbered, named};
}

class IconModel : public testing::Test {
protected:
    // Writes the resources as a module and loads it as a data file.
    HMODULE Load(const std::vector<TPEResource>& Resources) {
        const std::wstring path = folder_ / (L"m" + std::to_wstring(modules_.size()) + L".dll");
        WriteFileBytes(path, BuildPEModule(Resources).Bytes);
        modules_.emplace_back(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        EXPECT_TRUE(modules_.back()) << "the system refused the fixture module";
        return modules_.back().get();
    }
    HMODULE LoadGroups(const std::vector<TFixtureGroup>& Groups) {
        return Load(IconGroupResources(Groups));
    }
    // The sample module with its group directory of group 1 replaced.
    HMODULE LoadWithDirectory(std::vector<std::uint8_t> Directory) {
        std::vector<TPEResource> resources = IconGroupResources(SampleGroups());
        for (TPEResource& r : resources) {
            if (r.Type == 14 && r.Name.empty())
                r.Data = Directory;
        }
        return Load(resources);
    }

    ScratchFolder folder_;
    std::vector<UniqueModule> modules_;
    TReadBudget budget_{std::uint64_t{1} << 32};
};

std::vector<std::uint8_t> Bytes(std::span<const std::uint8_t> Span) {
    return {Span.begin(), Span.end()};
}

// Bytes the loaders would refuse, held as an image all the same.
class TJunkImage : public TIconImage {
public:
    TJunkImage(const TIconEntry& Entry, std::vector<std::uint8_t> Data) {
        SetContents(Entry, std::move(Data));
    }
};

// The number of pixels of a white 64 x 64 canvas that the image changes.
int PaintedPixels(TIconImage& Image) {
    ScreenDC screen;
    UniqueDC dc(::CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), 64, 64));
    const HGDIOBJ old = ::SelectObject(dc.get(), bitmap.get());
    const RECT all{0, 0, 64, 64};
    ::FillRect(dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    Image.Draw(dc.get(), 8, 8);
    int painted = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x)
            painted += ::GetPixel(dc.get(), x, y) != RGB(255, 255, 255);
    }
    ::SelectObject(dc.get(), old);
    return painted;
}

} // namespace

TEST(IconImageList, CountsCapacityAndItemsOutOfRange) {
    TIconImageList list;
    EXPECT_EQ(list.Items(0), nullptr);
    for (int i = 0; i < 3; ++i) {
        list.Add(std::make_unique<TIconImage>());
        EXPECT_EQ(list.Capacity(), i + 1); // a full list grows by exactly one slot
    }
    EXPECT_EQ(list.Count(), 3);
    EXPECT_NE(list.Items(2), nullptr);
    EXPECT_EQ(list.Items(3), nullptr);
    EXPECT_EQ(list.Items(-1), nullptr);
    EXPECT_EQ(list.Items(70000), nullptr);
    list.SetCapacity(10);
    EXPECT_EQ(list.Capacity(), 10);
    EXPECT_EQ(list.Items(5), nullptr);
    list.SetCapacity(1);
    EXPECT_EQ(list.Capacity(), 3); // never below the count
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_EQ(list.Items(0), nullptr);
}

TEST(IconImageList, HoldsAtMost65535Images) {
    TIconImageList list;
    list.SetCapacity(TIconImageList::MaxCount);
    for (int i = 0; i < TIconImageList::MaxCount; ++i)
        list.Add(std::make_unique<TIconImage>());
    EXPECT_EQ(list.Count(), 65535);
    try {
        list.Add(std::make_unique<TIconImage>());
        FAIL() << "a 65536th image was taken";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), L"List capacity out of bounds (65536)");
    }
    EXPECT_EQ(list.Count(), 65535);
}

TEST(IconImage, FreshImageHasNothing) {
    TIconImage image;
    EXPECT_EQ(image.Entry(), TIconEntry{});
    EXPECT_TRUE(image.Data().empty());
    EXPECT_EQ(image.GetHandle(), nullptr);
    TMemoryStream stream;
    image.SaveToStream(stream);
    EXPECT_EQ(stream.Size(), 0u);
    EXPECT_EQ(PaintedPixels(image), 0);
}

TEST_F(IconModel, LoadsGroupsByNumberAndByName) {
    const std::vector<TFixtureGroup> groups = SampleGroups();
    const HMODULE module = LoadGroups(groups);
    TAdvancedIcon icon;
    ASSERT_TRUE(icon.LoadFromResource(module, MAKEINTRESOURCEW(1), budget_));
    ASSERT_EQ(icon.Images.Count(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(icon.Images.Items(i)->Entry(),
                  groups[0].Images[static_cast<std::size_t>(i)].Entry);
        EXPECT_EQ(Bytes(icon.Images.Items(i)->Data()),
                  groups[0].Images[static_cast<std::size_t>(i)].Data);
    }
    ASSERT_TRUE(icon.LoadFromResource(module, L"NAMED", budget_)); // appended to the images there
    ASSERT_EQ(icon.Images.Count(), 5);
    EXPECT_EQ(icon.Images.Items(2)->Width(), 48);
    EXPECT_EQ(icon.Images.Items(3)->Width(), 0); // a 256-pixel PNG
    EXPECT_EQ(icon.Images.Items(3)->Height(), 0);
    EXPECT_EQ(icon.Images.Items(4)->Width(), 48); // a 48-pixel PNG is not taken for 256
    EXPECT_EQ(icon.Images.Items(4)->Height(), 48);
    EXPECT_EQ(icon.Images.Items(4)->BitCount(), 32);
}

TEST_F(IconModel, SizeComesFromTheImageBytes) {
    std::vector<TFixtureGroup> groups(1);
    TFixtureImage misstated = MakeBitmapImage(32, 8);
    misstated.Entry.Width = 99;
    misstated.Entry.Height = 7;
    TFixtureImage tall = MakeBitmapImage(48, 4);
    Patch32(tall.Data, 8, 64 * 2);                      // 48 wide, 64 high: the smaller side wins
    tall.Data.resize(tall.Data.size() + 16 * (24 + 8)); // the rows of 16 more lines
    tall.Entry.BytesInRes = static_cast<std::uint32_t>(tall.Data.size());
    TFixtureImage scrap{TIconEntry{24, 24, 0, 0, 1, 32, 10}, std::vector<std::uint8_t>(10, 0x28)};
    groups[0].Images = {misstated, tall, scrap};
    TAdvancedIcon icon;
    // Bytes too short for a header are not an image: the load stops there.
    try {
        icon.LoadFromResource(LoadGroups(groups), MAKEINTRESOURCEW(1), budget_);
        FAIL() << "a 10-byte image was taken";
    } catch (const EIconDataError& e) {
        EXPECT_EQ(e.Message(), L"Заголовок изображения значка поврежден");
    }
    ASSERT_EQ(icon.Images.Count(), 2);
    EXPECT_EQ(icon.Images.Items(0)->Width(), 32);
    EXPECT_EQ(icon.Images.Items(0)->Height(), 32);
    EXPECT_EQ(icon.Images.Items(0)->ColorCount(), misstated.Entry.ColorCount);
    EXPECT_EQ(icon.Images.Items(1)->Width(), 48);
    EXPECT_EQ(icon.Images.Items(1)->Height(), 48);
}

TEST_F(IconModel, StatedLengthsAgainstTheResourceHeld) {
    std::vector<TFixtureGroup> groups(1);
    TFixtureImage longer = MakeBitmapImage(16, 4);
    longer.Entry.BytesInRes += 5000; // states more than the resource holds
    TFixtureImage padded = MakeBitmapImage(16, 1);
    const std::vector<std::uint8_t> image = padded.Data;
    padded.Data.resize(image.size() + 100, 0x55); // the entry states the padding too
    padded.Entry.BytesInRes = static_cast<std::uint32_t>(padded.Data.size());
    TFixtureImage shorter = MakeBitmapImage(16, 8);
    shorter.Entry.BytesInRes -= 100;
    groups[0].Images = {longer, padded, shorter};
    TAdvancedIcon icon;
    try {
        icon.LoadFromResource(LoadGroups(groups), MAKEINTRESOURCEW(1), budget_);
        FAIL() << "an image cut short was taken";
    } catch (const EIconDataError& e) {
        EXPECT_EQ(e.Message(), L"Данные изображения значка короче, чем указано в его заголовке");
    }
    ASSERT_EQ(icon.Images.Count(), 2);
    EXPECT_EQ(icon.Images.Items(0)->BytesInRes(), longer.Data.size());
    EXPECT_EQ(Bytes(icon.Images.Items(0)->Data()), longer.Data);
    EXPECT_EQ(icon.Images.Items(1)->BytesInRes(), image.size());
    EXPECT_EQ(Bytes(icon.Images.Items(1)->Data()), image);
}

TEST_F(IconModel, DirectoriesThatAreNotIconDirectories) {
    TAdvancedIcon icon;
    ASSERT_TRUE(icon.LoadFromResource(LoadGroups(SampleGroups()), L"NAMED", budget_));
    ASSERT_EQ(icon.Images.Count(), 3);
    for (std::vector<std::uint8_t> header :
         {std::vector<std::uint8_t>{0, 0, 2, 0, 0, 0}, std::vector<std::uint8_t>{1, 0, 1, 0, 0, 0},
          std::vector<std::uint8_t>{0, 0, 1}}) {
        EXPECT_FALSE(
            icon.LoadFromResource(LoadWithDirectory(header), MAKEINTRESOURCEW(1), budget_));
        EXPECT_EQ(icon.Images.Count(), 3);
        EXPECT_EQ(icon.Images.Capacity(), 3);
    }
    EXPECT_TRUE(
        icon.LoadFromResource(LoadWithDirectory({0, 0, 1, 0, 0, 0}), MAKEINTRESOURCEW(1), budget_));
    EXPECT_EQ(icon.Images.Count(), 3);
}

TEST_F(IconModel, MissingResourcesAndShortDirectories) {
    const HMODULE module = LoadGroups(SampleGroups());
    TAdvancedIcon icon;
    auto messageOf = [this, &icon](HMODULE m, LPCWSTR name) {
        try {
            icon.LoadFromResource(m, name, budget_);
        } catch (const EResNotFound& e) {
            return L"not found: " + e.Message();
        } catch (const EReadError& e) {
            return L"read: " + e.Message();
        }
        return std::wstring(L"loaded");
    };
    EXPECT_EQ(messageOf(module, MAKEINTRESOURCEW(77)), L"not found: Ресурс 77 не найден");
    EXPECT_EQ(messageOf(module, L"NOPE"), L"not found: Ресурс NOPE не найден");
    EXPECT_EQ(icon.Images.Count(), 0);

    // The second entry names icon 999, which the module lacks: the first image stays.
    std::vector<std::uint8_t> directory = GroupDirectoryBytes(SampleGroups()[0], 1);
    Patch16(directory, 6 + 14 + 12, 999);
    EXPECT_EQ(messageOf(LoadWithDirectory(directory), MAKEINTRESOURCEW(1)),
              L"not found: Ресурс 999 не найден");
    EXPECT_EQ(icon.Images.Count(), 1);

    // States three entries, holds two.
    directory = GroupDirectoryBytes(SampleGroups()[0], 1);
    Patch16(directory, 4, 3);
    EXPECT_EQ(messageOf(LoadWithDirectory(directory), MAKEINTRESOURCEW(1)),
              L"read: Stream read error");
    EXPECT_EQ(icon.Images.Count(), 3);
}

TEST_F(IconModel, HandlesAndDrawing) {
    TAdvancedIcon icon;
    ASSERT_TRUE(icon.LoadFromResource(LoadGroups(SampleGroups()), MAKEINTRESOURCEW(1), budget_));
    TIconImage& image = *icon.Images.Items(1);
    const HICON handle = image.GetHandle();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(image.GetHandle(), handle); // made once
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(handle, &info));
    BITMAP colour{};
    ::GetObjectW(info.hbmColor, sizeof colour, &colour);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    EXPECT_EQ(colour.bmWidth, 32);
    EXPECT_GT(PaintedPixels(image), 0);
    EXPECT_LE(PaintedPixels(image), 32 * 32);

    TJunkImage junk(TIconEntry{32, 32, 0, 0, 1, 32, 64}, std::vector<std::uint8_t>(64, 0xEE));
    EXPECT_EQ(junk.GetHandle(), nullptr);
    EXPECT_EQ(PaintedPixels(junk), 0);
}

TEST_F(IconModel, CopiesShareNothing) {
    auto source = std::make_unique<TAdvancedIcon>();
    ASSERT_TRUE(source->LoadFromResource(LoadGroups(SampleGroups()), L"NAMED", budget_));
    TAdvancedIcon copy;
    copy.LoadFromResource(modules_.back().get(), MAKEINTRESOURCEW(1), budget_);
    copy.Assign(*source); // replaces what was there
    ASSERT_EQ(copy.Images.Count(), 3);
    EXPECT_EQ(copy.Images.Capacity(), 3);
    std::vector<std::vector<std::uint8_t>> data;
    for (int i = 0; i < 3; ++i) {
        TIconImage* original = source->Images.Items(i);
        TIconImage* image = copy.Images.Items(i);
        EXPECT_NE(image, original);
        EXPECT_EQ(image->Entry(), original->Entry());
        EXPECT_NE(image->Data().data(), original->Data().data());
        EXPECT_EQ(typeid(*image), typeid(TIconImage)); // a plain image, whatever the source
        if (original->GetHandle()) {
            EXPECT_NE(image->GetHandle(), original->GetHandle());
        }
        data.push_back(Bytes(image->Data()));
    }
    source.reset();
    EXPECT_GT(PaintedPixels(*copy.Images.Items(0)), 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Bytes(copy.Images.Items(i)->Data()), data[static_cast<std::size_t>(i)]);

    TIconImage empty;
    auto emptyCopy = TIconImage::CreateCopy(empty);
    EXPECT_TRUE(emptyCopy->Data().empty());
    EXPECT_EQ(emptyCopy->GetHandle(), nullptr);
}

TEST_F(IconModel, SavesTheIcoForm) {
    std::vector<TFixtureGroup> groups(2);
    groups[0].Images = {MakeBitmapImage(16, 32)};                        // 1128 bytes
    groups[1].Images = {MakeBitmapImage(32, 4), MakeBitmapImage(32, 8)}; // 744 and 2216
    const HMODULE module = LoadGroups(groups);
    TAdvancedIcon one;
    TAdvancedIcon two;
    ASSERT_TRUE(one.LoadFromResource(module, MAKEINTRESOURCEW(1), budget_));
    ASSERT_TRUE(two.LoadFromResource(module, MAKEINTRESOURCEW(2), budget_));

    const std::wstring path = folder_ / L"out.ico";
    WriteFileBytes(path, std::vector<std::uint8_t>(5000, 0x55)); // replaced and truncated
    one.SaveToFile(path);
    std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 1150u);
    EXPECT_EQ(Get32(bytes, 18), 22u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 22, bytes.end()), groups[0].Images[0].Data);

    two.SaveToFile(path);
    bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 2998u);
    EXPECT_EQ(Get32(bytes, 18), 38u);
    EXPECT_EQ(Get32(bytes, 34), 782u);
    TMemoryStream stream;
    two.SaveToStream(stream);
    EXPECT_EQ(Bytes(stream.Bytes()), bytes);
}

TEST_F(IconModel, IconWithoutImagesCreatesNoFile) {
    TAdvancedIcon empty;
    empty.SaveToFile(folder_ / L"none.ico");
    EXPECT_TRUE(folder_.Names().empty());
    WriteFileBytes(folder_ / L"kept.ico", {1, 2, 3});
    empty.SaveToFile(folder_ / L"kept.ico");
    EXPECT_EQ(ReadFileBytes(folder_ / L"kept.ico"), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST_F(IconModel, FileThatCannotBeCreated) {
    TAdvancedIcon icon;
    ASSERT_TRUE(icon.LoadFromResource(LoadGroups(SampleGroups()), MAKEINTRESOURCEW(1), budget_));
    const std::wstring path = folder_ / L"missing\\out.ico";
    try {
        icon.SaveToFile(path);
        FAIL() << "saved into a folder that does not exist";
    } catch (const EFCreateError& e) {
        const std::wstring start = L"Невозможно создать файл \"" + path + L"\". ";
        EXPECT_EQ(e.Message().substr(0, start.size()), start);
        EXPECT_GT(e.Message().size(), start.size()); // the system's text follows
    }
}
