// The corpus of damaged modules through the icon library: every file loads or is refused,
// 16-bit files without any error escaping, 32-bit ones with the reader's own errors only.

#include <windows.h>

#include <gtest/gtest.h>

#include "harvest/IconLibrary.h"
#include "support/broken_modules.h"
#include "support/scratch_folder.h"

namespace {

bool IsReaderError(const std::wstring& Message) {
    return Message == L"Stream read error" ||
           (Message.rfind(L"Ресурс ", 0) == 0 && Message.size() > 11 &&
            Message.compare(Message.size() - 10, 10, L" не найден") == 0);
}

} // namespace

TEST(LibraryCorpus, SixteenBitModulesLoadOrLeaveTheEntries) {
    const ScratchFolder folder;
    TIconLibrary library;
    int loaded = 0;
    for (const TBrokenModule& module : BrokenNEModules()) {
        SCOPED_TRACE(module.Name);
        const std::wstring path =
            folder / (std::wstring(module.Name.begin(), module.Name.end()) + L".icl");
        WriteFileBytes(path, module.Bytes);
        library.Icons.Clear();
        library.Icons.Add(L"previous", nullptr);
        EXPECT_NO_THROW(library.LoadFromFile(path));
        if (library.Icons.Count() == 1 && library.Icons.Strings(0) == L"previous")
            continue;
        ++loaded;
        for (int i = 0; i < library.Icons.Count(); ++i)
            ASSERT_NE(library.Icons.Objects(i), nullptr);
    }
    EXPECT_GE(loaded, 5);
}

TEST(LibraryCorpus, ThirtyTwoBitModulesLoadOrRaiseTheReadersErrors) {
    const ScratchFolder folder;
    TIconLibrary library;
    int loaded = 0;
    int refused = 0;
    for (const TBrokenModule& module : BrokenPEModules()) {
        SCOPED_TRACE(module.Name);
        const std::wstring path =
            folder / (std::wstring(module.Name.begin(), module.Name.end()) + L".dll");
        WriteFileBytes(path, module.Bytes);
        library.Icons.Clear();
        try {
            library.LoadFromFile(path);
            loaded += library.Icons.Count() > 0;
        } catch (const Exception& e) {
            EXPECT_TRUE(IsReaderError(e.Message()))
                << std::string(e.Message().begin(), e.Message().end());
            EXPECT_EQ(library.Icons.Count(), 0);
            ++refused;
        }
        // Whatever happened, the module is not left loaded.
        EXPECT_TRUE(::DeleteFileW(path.c_str()));
    }
    EXPECT_GE(loaded, 5);
    EXPECT_GE(refused, 3);
}
