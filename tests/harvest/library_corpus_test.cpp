// The corpus of damaged modules through the icon library, the way a harvest takes a file:
// load it, then save its first icon. Every file loads or is refused, 16-bit files with no
// error but a damaged image's or a spent budget's escaping, 32-bit ones with the readers'
// own errors only; no file takes a second, and icotool reads every icon written.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>

#include "harvest/icons/IconLibrary.h"
#include "support/broken_modules.h"
#include "support/host_shell.h"
#include "support/ne_builder.h"
#include "support/scratch_folder.h"
#include "support/system_modules.h"

namespace {

bool IsReaderError(const std::wstring& Message) {
    return Message == L"Stream read error" ||
           (Message.rfind(L"Ресурс ", 0) == 0 && Message.size() > 11 &&
            Message.compare(Message.size() - 10, 10, L" не найден") == 0);
}

std::wstring Wide(const std::string& s) {
    return {s.begin(), s.end()};
}

class LibraryCorpus : public testing::Test {
protected:
    LibraryCorpus() { ::CreateDirectoryW(out_.c_str(), nullptr); }

    // Loads the file into a library holding one entry and, when it gives entries, saves the
    // first icon as <name>.ico. Returns the error raised, empty for none.
    std::wstring Harvest(const std::string& Name, const std::vector<std::uint8_t>& Bytes,
                         const wchar_t* Extension) {
        const std::wstring path = folder_ / (Wide(Name) + Extension);
        WriteFileBytes(path, Bytes);
        TIconLibrary library;
        library.Icons.Add(L"previous", nullptr);
        std::wstring error;
        const auto start = std::chrono::steady_clock::now();
        try {
            library.LoadFromFile(path);
            TAdvancedIcon* icon = library.Icons.Objects(0);
            if (icon != nullptr && icon->Images.Count() > 0) {
                icon->SaveToFile(out_ + L"\\" + Wide(Name) + L".ico");
                saved_[Wide(Name) + L".ico"] = icon->Images.Count();
            }
        } catch (const Exception& e) {
            error = e.Message();
            EXPECT_EQ(library.Icons.Strings(0), L"previous");
        }
        EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                  1.0);
        // Whatever happened, a 32-bit module is not left loaded.
        EXPECT_TRUE(::DeleteFileW(path.c_str()));
        return error;
    }

    // Every icon written is one icotool reads, with all its images.
    void ExpectIcotoolReadsAll() {
        if (!HostShellAvailable())
            return;
        EXPECT_EQ(IcotoolImageCounts(out_), saved_);
    }

    ScratchFolder folder_;
    const std::wstring out_ = folder_ / L"out";
    std::map<std::wstring, int> saved_;
};

} // namespace

TEST_F(LibraryCorpus, SixteenBitModulesLoadOrAreRefused) {
    for (const TBrokenModule& module : BrokenNEModules()) {
        SCOPED_TRACE(module.Name);
        const std::wstring error = Harvest(module.Name, module.Bytes, L".icl");
        // Only a damaged image's or a spent budget's error is reported.
        EXPECT_TRUE(error.empty() || error.find(L"значк") != std::wstring::npos)
            << std::string(error.begin(), error.end());
    }
    EXPECT_GE(saved_.size(), 5u);
    ExpectIcotoolReadsAll();
}

TEST_F(LibraryCorpus, ThirtyTwoBitModulesLoadOrRaiseTheReadersErrors) {
    int refused = 0;
    for (const TBrokenModule& module : BrokenPEModules()) {
        SCOPED_TRACE(module.Name);
        const std::wstring error = Harvest(module.Name, module.Bytes, L".dll");
        EXPECT_TRUE(error.empty() || IsReaderError(error) ||
                    error.find(L"значк") != std::wstring::npos)
            << std::string(error.begin(), error.end());
        refused += !error.empty();
    }
    EXPECT_GE(saved_.size(), 5u);
    EXPECT_GE(refused, 3);
    ExpectIcotoolReadsAll();
}

TEST_F(LibraryCorpus, HostileFilesAreRefusedQuicklyWithNothingWritten) {
    std::vector<THostileModule> modules = HostileNEModules();
    const std::size_t sixteenBit = modules.size();
    for (THostileModule& module : HostilePEModules())
        modules.push_back(std::move(module));
    for (std::size_t i = 0; i < modules.size(); ++i) {
        const THostileModule& module = modules[i];
        SCOPED_TRACE(module.Name);
        EXPECT_EQ(Harvest(module.Name, module.Bytes, i < sixteenBit ? L".icl" : L".dll"),
                  module.Error);
        const std::wstring written = out_ + L"\\" + Wide(module.Name) + L".ico";
        if (!module.Error.empty()) {
            EXPECT_EQ(::GetFileAttributesW(written.c_str()), INVALID_FILE_ATTRIBUTES);
            continue;
        }
        // An over-long image is saved without the bytes after its rows.
        const std::vector<std::uint8_t> bytes = ReadFileBytes(written);
        const std::vector<std::uint8_t> image = MakeBitmapImage(32, 4).Data;
        ASSERT_EQ(bytes.size(), 22 + image.size());
        EXPECT_TRUE(std::equal(image.begin(), image.end(), bytes.begin() + 22));
    }
    ExpectIcotoolReadsAll();
}

// The system's own modules, of this process's bitness: each loads or fails within the
// second, and icotool reads every first icon saved from them.
TEST_F(LibraryCorpus, SystemModulesSaveIconsIcotoolReads) {
    wchar_t windows[MAX_PATH];
    const std::wstring folders[] = {
        SystemFolder(), std::wstring(windows, ::GetWindowsDirectoryW(windows, MAX_PATH))};
    for (std::size_t f = 0; f < 2; ++f)
        for (const std::wstring& file : FilesIn(folders[f])) {
            const auto start = std::chrono::steady_clock::now();
            TIconLibrary library;
            try {
                library.LoadFromFile(folders[f] + L"\\" + file);
                const TAdvancedIcon* icon =
                    library.Icons.Count() > 0 ? library.Icons.Objects(0) : nullptr;
                if (icon != nullptr && icon->Images.Count() > 0) {
                    const std::wstring name = std::to_wstring(f) + L"_" + file + L".ico";
                    icon->SaveToFile(out_ + L"\\" + name);
                    saved_[name] = icon->Images.Count();
                }
            } catch (const Exception&) {
                // Not a module, or one the readers refuse: an error is what it must give.
            }
            EXPECT_LT(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                1.0);
        }
    EXPECT_GE(saved_.size(), 10u);
    ExpectIcotoolReadsAll();
}
