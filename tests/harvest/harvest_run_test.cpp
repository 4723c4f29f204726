// The harvest command end to end on a scratch tree, every dialog answered as a user would:
// the output files, the status texts, a damaged module's dialog and log entry, Esc.

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "../../res/resource_ids.h"
#include "harvest/icons/IconLibrary.h"
#include "harvest/harvest_text.h"
#include "dialogs/message_dialog_driving.h"
#include "support/broken_modules.h"
#include "support/dialog_answerer.h"
#include "support/icon_oracle.h"
#include "support/main_window_fixture.h"
#include "support/ne_builder.h"
#include "support/pe_builder.h"
#include "support/scratch_folder.h"
#include "support/system_modules.h"
#include "ui/cursor.h"
#include "util/app_folder.h"

using Handler = DialogAnswerer::Handler;
using Texts = std::vector<std::wstring>;

namespace {

// Presses the button captioned Caption (accelerator marks ignored); records the window's
// caption and texts first.
Handler Click(const std::wstring& Caption, Texts* Seen = nullptr) {
    return [Caption, Seen](HWND dialog) {
        if (Seen) {
            *Seen = DescendantTexts(dialog);
            Seen->insert(Seen->begin(), WindowText(dialog));
        }
        PressButtonCaptioned(dialog, Caption);
    };
}

Handler ConfirmFolder() {
    return [](HWND dialog) { PressButton(dialog, IDOK); };
}

// Wine's dialog now and then puts its start folder back over a choice made the moment it
// opens: the choice is made again a little later.
Handler ChooseFolder(const std::wstring& Folder) {
    return [Folder](HWND dialog) {
        for (int i = 0; i < 2; ++i) {
            ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE,
                           reinterpret_cast<LPARAM>(Folder.c_str()));
            PumpMessagesFor(150);
        }
        PressButton(dialog, IDOK);
    };
}

std::uintmax_t LogSize() {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(ErrorLogPath().c_str(), GetFileExInfoStandard, &data))
        return 0;
    return data.nFileSizeLow;
}

// The "Error № 25-1" entries appended to the log since From: the second line of each, the
// file it names.
Texts FileErrorEntries(std::uintmax_t From) {
    const std::vector<unsigned char> bytes = ReadFileBytes(ErrorLogPath());
    const std::string added(bytes.begin() + static_cast<std::ptrdiff_t>(From), bytes.end());
    const std::string tag = ", Error \xB9 25-1 \"";
    Texts files;
    for (std::size_t at = added.find(tag); at != std::string::npos; at = added.find(tag, at + 1)) {
        const std::size_t second = added.find("\"\r\n", at) + 3;
        const std::string path = added.substr(second, added.find("\r\n", second) - second);
        files.emplace_back(path.begin(), path.end());
    }
    return files;
}

class HarvestRun : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        frm.harvest.OpenFolder = [this](HWND, const std::wstring& folder) {
            opened.push_back(folder);
        };
        logStart = LogSize();
        frm.fd.Directory = tree.Path();
    }

    // Runs the command with the dialogs answered in turn; gives the number answered.
    std::size_t Harvest(std::vector<Handler> handlers) {
        DialogAnswerer answer(std::move(handlers), L"");
        frm.N_search_in_filesClick();
        return answer.Answered();
    }

    // The chooser, both pickers (the tree, then out) and then these answers.
    std::size_t HarvestTree(std::vector<Handler> more) {
        std::vector<Handler> handlers = {Click(L"OK"), ConfirmFolder(), ChooseFolder(out.Path())};
        handlers.insert(handlers.end(), more.begin(), more.end());
        return Harvest(std::move(handlers));
    }

    // Esc as the user presses it, when the walk enters its first folder.
    void PressEscDuringTheWalk() {
        auto walk = frm.SearchFolders.OnProcess;
        frm.SearchFolders.OnProcess = [this, walk, sent = false](auto& sender, const auto& dir,
                                                                 auto files, auto size) mutable {
            if (!sent)
                ::PostMessageW(frm.Handle(), WM_COMMAND, MAKEWPARAM(ID_A_ESC, 1), 0);
            sent = true;
            walk(sender, dir, files, size);
        };
    }

    void CopySystemFile(const std::wstring& Name, const std::wstring& As) {
        ASSERT_TRUE(
            ::CopyFileW((SystemFolder() + L"\\" + Name).c_str(), (tree / As).c_str(), FALSE))
            << Narrow(Name);
    }

    ScratchFolder tree;
    ScratchFolder out;
    Texts opened;
    std::uintmax_t logStart = 0;
};

// Writes the first module of the damaged corpus that the icon library refuses with an
// error; gives that error's message.
std::wstring WriteDamagedModule(const std::wstring& Path) {
    for (const TBrokenModule& module : BrokenPEModules()) {
        WriteFileBytes(Path, module.Bytes);
        try {
            TIconLibrary().LoadFromFile(Path);
        } catch (const Exception& e) {
            return e.Message();
        }
    }
    return {};
}

const wchar_t kLongName[] = L"a_module_with_a_rather_long_name_indeed.exe";

} // namespace

TEST_F(HarvestRun, CancelAtTheChooserChangesNothing) {
    frm.SetText(L"before");
    frm.Image_icon.hint = L"hint before";
    Texts chooser;
    EXPECT_EQ(Harvest({Click(L"Отмена", &chooser)}), 1u);
    EXPECT_EQ(chooser, (Texts{L"Поиск в директориях (Остановить - Esc)", L"Искать в файлах: ",
                              L"Все файлы", L"*.exe", L"*.dll", L"*.ico", L"OK", L"Отмена", L""}));
    EXPECT_EQ(frm.Text(), L"before");
    EXPECT_EQ(frm.Image_icon.hint, L"hint before");
    EXPECT_FALSE(frm.HarvestState.Busy);
}

TEST_F(HarvestRun, SavesEachModulesFirstIconAndCopiesIcoFiles) {
    CopySystemFile(L"notepad.exe", L"notepad.exe");
    CopySystemFile(L"shell32.dll", L"shell32.dll");
    CopySystemFile(L"notepad.exe", kLongName);
    WriteFileBytes(tree / L"old16.exe", BuildNEModule(SampleNEFixture()).Bytes);
    TNEFixture icl = SampleNEFixture();
    icl.LeadingNames = {"ICL"};
    WriteFileBytes(tree / L"library.dll", BuildNEModule(icl).Bytes);
    WriteFileBytes(tree / L"noicons.dll", BuildPEModule({{10, L"", 1, {1, 2, 3}}}).Bytes);
    const std::wstring damagedError = WriteDamagedModule(tree / L"damaged.dll");
    ASSERT_FALSE(damagedError.empty());
    ASSERT_TRUE(::CreateDirectoryW((tree / L"sub").c_str(), nullptr));
    TIconLibrary fixture;
    fixture.LoadFromFile(tree / L"old16.exe");
    ASSERT_GT(fixture.Icons.Count(), 0);
    fixture.Icons.Objects(0)->SaveToFile(tree / L"sub\\ICON.ICO");
    WriteFileBytes(tree / L"sub\\.ico", {0, 0, 1, 0, 0, 0});

    PressEscDuringTheWalk();
    Texts stop, error;
    EXPECT_EQ(HarvestTree({Click(L"Нет", &stop), Click(L"OK", &error)}), 5u);

    // The run went on after the No and after the damaged module.
    ASSERT_FALSE(stop.empty());
    EXPECT_EQ(stop[0], L"Поиск...");
    ASSERT_FALSE(error.empty());
    EXPECT_EQ(error[0], L"Ошибка");
    const std::wstring damagedPath = tree / L"damaged.dll";
    const std::wstring shown =
        L"\r\nОшибка обработки № 25-1 (" + damagedError + L"), " + damagedPath;
    EXPECT_NE(std::find(error.begin(), error.end(), shown), error.end());
    EXPECT_EQ(FileErrorEntries(logStart), Texts{damagedPath});

    const std::map<std::wstring, std::wstring> stems = {
        {L"notepad.exe", L"notepad"},
        {L"shell32.dll", L"shell32"},
        {kLongName, L"a_module_with_a_rather_long_na"},
        {L"old16.exe", L"old16"},
        {L"library.dll", L"library"},
        {L"ICON.ICO", L"ICON"},
        {L".ico", L"-"}};
    const std::vector<TFilePack>& found = frm.SearchFolders.FileList();
    ASSERT_EQ(found.size(), 9u);
    std::set<std::wstring> expected;
    std::vector<std::wstring> modules;
    for (std::size_t i = 0; i < found.size(); ++i) {
        const auto stem = stems.find(found[i].Name);
        if (stem == stems.end())
            continue;
        const std::wstring output = stem->second + L"_" + std::to_wstring(i) + L".ico";
        expected.insert(output);
        if (found[i].Name.ends_with(L".ICO") || found[i].Name.ends_with(L".ico"))
            EXPECT_EQ(ReadFileBytes(out / output), ReadFileBytes(found[i].Path + found[i].Name));
        else
            modules.push_back(found[i].Name);
    }
    const Texts names = out.Names();
    EXPECT_EQ(std::set<std::wstring>(names.begin(), names.end()), expected);
    EXPECT_EQ(frm.sb.PanelText(0), L"*.exe,*.dll,*.cpl,*.ico");
    EXPECT_EQ(frm.sb.PanelText(1), L"Готово");
    EXPECT_EQ(frm.sb.PanelText(2), L"Проверено файлов: 9, сохранено иконок: (7)");
    EXPECT_EQ(frm.sb.PanelText(3), L"");
    EXPECT_EQ(frm.Text(), L"Quillmont");
    EXPECT_EQ(frm.Image_icon.Icon(), nullptr);
    EXPECT_EQ(Screen::Cursor(), nullptr);
    EXPECT_FALSE(frm.HarvestState.Busy);
    EXPECT_EQ(opened, Texts{out.Path()});
    EXPECT_EQ(frm.Image_icon.hint, L"Просмотр извлекаемых иконок");
    EXPECT_FALSE(frm.fd.Options.Contains(fdoNoNewFolderButton));

    if (!ToolsAvailable())
        GTEST_SKIP() << "icoutils run on the Linux host, reached only under Wine";
    const ScratchFolder scratch;
    std::vector<std::wstring> modulePaths;
    for (const std::wstring& module : modules)
        modulePaths.push_back(tree / module);
    ExtractGroups(modulePaths, scratch.Path(), scratch);
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (std::find(modules.begin(), modules.end(), found[i].Name) == modules.end())
            continue;
        TIconLibrary library;
        library.LoadFromFile(found[i].Path + found[i].Name);
        const bool sixteenBit = found[i].Name == L"old16.exe" || found[i].Name == L"library.dll";
        const std::wstring group = sixteenBit ? L"1" : library.Icons.Strings(0);
        EXPECT_EQ(ExpectSameAsExtracted(HarvestFileName(out.Path(), found[i].Name, i),
                                        ExtractedFile(scratch.Path(), found[i].Name, group),
                                        found[i].Name),
                  1);
    }
}

TEST_F(HarvestRun, EscAnsweredYesDuringTheWalkProcessesNothing) {
    CopySystemFile(L"notepad.exe", L"notepad.exe");
    CopySystemFile(L"notepad.exe", L"second.exe");
    PressEscDuringTheWalk();
    EXPECT_EQ(HarvestTree({Click(L"Да")}), 4u);
    EXPECT_TRUE(frm.HarvestState.StopRequest);
    EXPECT_TRUE(out.Names().empty());
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(frm.HarvestState.SavedCount, 0);
    EXPECT_EQ(frm.sb.PanelText(1), L"Готово");
    EXPECT_EQ(frm.sb.PanelText(2),
              L"Проверено файлов: " +
                  FormatCount(static_cast<std::int64_t>(frm.SearchFolders.FileList().size())) +
                  L", сохранено иконок: (0)");
}

TEST_F(HarvestRun, ClosingTheWindowDuringTheRunEndsIt) {
    CopySystemFile(L"notepad.exe", L"notepad.exe");
    auto process = frm.SearchFolders.OnChanged;
    frm.SearchFolders.OnChanged = [this, process](auto& sender, auto files, auto size) {
        frm.Close(); // handled inside the wait before the files are processed
        process(sender, files, size);
    };
    EXPECT_EQ(HarvestTree({}), 3u);
    EXPECT_FALSE(::IsWindow(frm.Handle()));
    EXPECT_TRUE(out.Names().empty());
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(frm.harvest.Running());
}
