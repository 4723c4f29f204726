// Adding and removing the Explorer entry in a scratch class registry, with the dialogs that
// report it answered from the test.

#include <windows.h>

#include <gtest/gtest.h>

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

// The one message dialog a command shows, as "title|text", answered with Enter.
class ShownDialog {
public:
    ShownDialog()
        : answer_(
              [this](HWND dialog) {
                  text_ = WindowText(dialog) + L"|" +
                          MessageFormOf(dialog).FindComponent(L"Message")->Text();
                  PressKey(dialog, VK_RETURN);
              },
              kFormClass) {}
    std::wstring Text() const {
        EXPECT_EQ(answer_.Answered(), 1u);
        return text_;
    }

private:
    std::wstring text_;
    DialogAnswerer answer_;
};

std::wstring RunCommand(const std::wstring& exe, int tag) {
    ShownDialog shown;
    TExplorerEntry(exe).Execute(tag);
    return shown.Text();
}

std::string LogBytes() {
    UniqueFile file(::CreateFileW(ErrorLogPath().c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                  nullptr));
    if (!file)
        return {};
    std::string bytes(::GetFileSize(file.get(), nullptr), '\0');
    DWORD read = 0;
    ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

std::string Cp1251(const std::wstring& text) {
    std::string bytes(text.size() * 2, '\0');
    bytes.resize(::WideCharToMultiByte(1251, 0, text.c_str(), static_cast<int>(text.size()),
                                       bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                       nullptr));
    return bytes;
}

class ExplorerEntryTest : public ::testing::Test {
protected:
    ScratchRegistry classes;
};

} // namespace

TEST_F(ExplorerEntryTest, AddWritesTheEntryAndSucceedsAgain) {
    EXPECT_EQ(RunCommand(kExe, 0), L"Windows Explorer|\r\nДобавлено!");
    EXPECT_EQ(classes.Text(kKey, L"Icon"), kQuoted);
    EXPECT_EQ(classes.Text(kKey, L"MUIVerb"), L"Открыть «Quillmont»");
    EXPECT_EQ(classes.Text(kKey + L"\\Command"), kQuoted);

    classes.SetText(kKey, L"old", L"Icon");
    EXPECT_EQ(RunCommand(kExe, 0), L"Windows Explorer|\r\nДобавлено!");
    EXPECT_EQ(classes.Text(kKey, L"Icon"), kQuoted);

    // A renamed executable gets its own entry; the old one stays.
    EXPECT_EQ(RunCommand(L"C:\\Tools\\Renamed.exe", 0), L"Windows Explorer|\r\nДобавлено!");
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
    ShownDialog shown;
    entry.ReportAdded(registry);
    EXPECT_EQ(shown.Text(), L"Windows Explorer|\r\nСоздание пункта меню в проводнике не "
                            L"удалось!\r\n(Возможно не хватает прав)");
    EXPECT_EQ(registry.CurrentKey(), nullptr);
}

TEST_F(ExplorerEntryTest, RemoveDeletesTheWholeEntryAndNothingElse) {
    classes.SetText(kKey + L"\\Command", kQuoted);
    classes.SetText(kKey + L"\\Command\\Deeper", L"x");
    classes.CreateKey(kKey + L"\\Other\\More");
    classes.SetText(L"Directory\\Background\\shell\\Quillmont2\\Command", L"keep");

    EXPECT_EQ(RunCommand(kExe, 1), L"Windows Explorer|\r\nУдалено!");
    EXPECT_FALSE(classes.HasKey(kKey));
    EXPECT_EQ(classes.Text(L"Directory\\Background\\shell\\Quillmont2\\Command"), L"keep");
    // Nothing there: still reported as removed.
    EXPECT_EQ(RunCommand(kExe, 1), L"Windows Explorer|\r\nУдалено!");
}

TEST_F(ExplorerEntryTest, OtherTagsDoNothing) {
    DialogAnswerer none([](HWND dialog) { PressKey(dialog, VK_RETURN); }, kFormClass);
    TExplorerEntry(kExe).Execute(2);
    EXPECT_EQ(none.Answered(), 0u);
    EXPECT_FALSE(classes.HasKey(L"Directory"));
}

TEST_F(ExplorerEntryTest, AKeyThatCannotBeCreatedIsShownAndLoggedOnce) {
    // Below a volatile key only volatile keys can be created.
    classes.CreateKey(L"Directory\\Background");
    UniqueKey background, shell;
    ASSERT_EQ(::RegOpenKeyExW(classes.Root(), L"Directory\\Background", 0, KEY_ALL_ACCESS,
                              background.put()),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegCreateKeyExW(background.get(), L"shell", 0, nullptr, REG_OPTION_VOLATILE,
                                KEY_ALL_ACCESS, nullptr, shell.put(), nullptr),
              ERROR_SUCCESS);

    const std::string before = LogBytes();
    const std::wstring message = L"Failed to create key " + kKey + L"\\Command\\";
    EXPECT_EQ(RunCommand(kExe, 0), L"Ошибка|\r\n" + message + L"\r\n(Возможно не хватает прав)");

    const std::string after = LogBytes();
    ASSERT_GT(after.size(), before.size());
    const std::string added = after.substr(before.size());
    const std::string tail = Cp1251(L", Ошибка № 63219-2 " + message + L"\r\n");
    ASSERT_GE(added.size(), tail.size());
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
    EXPECT_TRUE(registry.KeyExists(L"\\A\\B\\"));
    EXPECT_EQ(registry.ReadString(L"missing"), L"");
    const DWORD number = 7;
    ::RegSetValueExW(registry.CurrentKey(), L"n", 0, REG_DWORD,
                     reinterpret_cast<const BYTE*>(&number), sizeof(number));
    EXPECT_THROW(registry.ReadString(L"n"), Exception);
    // A string stored without its terminator reads back whole.
    ::RegSetValueExW(registry.CurrentKey(), L"s", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"ab"),
                     4);
    EXPECT_EQ(registry.ReadString(L"s"), L"ab");
    registry.CloseKey();
    EXPECT_EQ(registry.ReadString(L"s"), L"");
    EXPECT_THROW(registry.WriteString(L"v", L"x"), Exception);
}
