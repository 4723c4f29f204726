// Adding and removing the Explorer entry in a scratch class registry, with the dialogs that
// report it answered from the test.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "dialogs/message_dialog_driving.h"
#include "shell/explorer_entry.h"
#include "support/scratch_registry.h"
#include "util/app_folder.h"
#include "util/exception.h"

namespace {

const std::wstring kExe = L"C:\\Program Files\\Quillmont\\Quillmont.exe";
const std::wstring kKey = L"Directory\\Background\\shell\\Quillmont";
const std::wstring kQuoted = L"\"" + kExe + L"\"";
const std::wstring kAdded = L"Windows Explorer|\r\nДобавлено!";
const std::wstring kRemoved = L"Windows Explorer|\r\nУдалено!";

// Runs fn, which shows one message dialog; answers it with Enter and gives "title|text".
template <typename F> std::wstring Shown(F fn) {
    std::wstring shown;
    DialogAnswerer answer(
        [&](HWND dialog) {
            shown =
                WindowText(dialog) + L"|" + MessageFormOf(dialog).FindComponent(L"Message")->Text();
            PressKey(dialog, VK_RETURN);
        },
        kFormClass);
    fn();
    EXPECT_EQ(answer.Answered(), 1u);
    return shown;
}

std::wstring RunCommand(const std::wstring& exe, int tag) {
    return Shown([&] { TExplorerEntry(exe).Execute(tag); });
}

std::string LogBytes() {
    std::ifstream log(std::filesystem::path(ErrorLogPath()), std::ios::binary);
    return {std::istreambuf_iterator<char>(log), {}};
}

class ExplorerEntryTest : public ::testing::Test {
protected:
    ScratchRegistry classes;
};

} // namespace

TEST_F(ExplorerEntryTest, AddWritesTheEntryAndSucceedsAgain) {
    EXPECT_EQ(RunCommand(kExe, 0), kAdded);
    EXPECT_EQ(classes.Text(kKey, L"Icon"), kQuoted);
    EXPECT_EQ(classes.Text(kKey, L"MUIVerb"), L"Открыть «Quillmont»");
    EXPECT_EQ(classes.Text(kKey + L"\\Command"), kQuoted);

    EXPECT_EQ(RunCommand(kExe, 0), kAdded);

    // A renamed executable gets its own entry; the old one stays.
    EXPECT_EQ(RunCommand(L"C:\\Tools\\Renamed.exe", 0), kAdded);
    EXPECT_EQ(classes.Text(L"Directory\\Background\\shell\\Renamed\\Command"),
              L"\"C:\\Tools\\Renamed.exe\"");
    EXPECT_TRUE(classes.HasKey(kKey));
}

TEST_F(ExplorerEntryTest, ACommandChangedBeforeTheReadBackIsReportedAsFailure) {
    TRegistry registry;
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    TExplorerEntry entry(kExe);
    entry.WriteEntry(registry);
    classes.SetText(kKey + L"\\Command", L"\"C:\\Other\\other.exe\"");
    EXPECT_EQ(Shown([&] { entry.ReportAdded(registry); }),
              L"Windows Explorer|\r\nСоздание пункта меню в проводнике не удалось!\r\n"
              L"(Возможно не хватает прав)");
}

TEST_F(ExplorerEntryTest, RemoveDeletesTheWholeEntryAndNothingElse) {
    classes.SetText(kKey + L"\\Command\\Deeper", L"x");
    classes.CreateKey(kKey + L"\\Other\\More");
    classes.SetText(L"Directory\\Background\\shell\\Quillmont2\\Command", L"keep");

    EXPECT_EQ(RunCommand(kExe, 1), kRemoved);
    EXPECT_FALSE(classes.HasKey(kKey));
    EXPECT_EQ(classes.Text(L"Directory\\Background\\shell\\Quillmont2\\Command"), L"keep");
    EXPECT_EQ(RunCommand(kExe, 1), kRemoved); // nothing there
}

TEST_F(ExplorerEntryTest, AKeyThatCannotBeCreatedIsShownAndLoggedOnce) {
    // Below a volatile key only volatile keys can be created.
    classes.CreateKey(L"Directory\\Background");
    UniqueKey shell;
    ASSERT_EQ(::RegCreateKeyExW(classes.Root(), L"Directory\\Background\\shell", 0, nullptr,
                                REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, shell.put(), nullptr),
              ERROR_SUCCESS);

    const std::string before = LogBytes();
    EXPECT_EQ(RunCommand(kExe, 0), L"Ошибка|\r\nFailed to create key " + kKey +
                                       L"\\Command\\\r\n(Возможно не хватает прав)");
    const std::string added = LogBytes().substr(before.size());
    const std::string tail = " 63219-2 Failed to create key Directory\\Background\\shell\\"
                             "Quillmont\\Command\\\r\n";
    ASSERT_GT(added.size(), tail.size());
    EXPECT_EQ(added.substr(added.size() - tail.size()), tail);
    EXPECT_EQ(added.find("\r\n"), added.size() - 2); // one line
}

TEST_F(ExplorerEntryTest, RegistryPathsAndValues) {
    classes.SetText(L"A\\B", L"b");
    TRegistry registry;
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    EXPECT_TRUE(registry.OpenKey(L"A\\", false));
    EXPECT_TRUE(registry.KeyExists(L"B"));    // relative to the current key
    EXPECT_FALSE(registry.KeyExists(L"\\B")); // from the root
    // A number is no string; a missing value reads as empty.
    const DWORD number = 7;
    ::RegSetValueExW(registry.CurrentKey(), L"n", 0, REG_DWORD,
                     reinterpret_cast<const BYTE*>(&number), sizeof(number));
    EXPECT_THROW(registry.ReadString(L"n"), Exception);
    EXPECT_EQ(registry.ReadString(L"missing"), L"");
    registry.CloseKey();
    EXPECT_THROW(registry.WriteString(L"v", L"x"), Exception);
}
