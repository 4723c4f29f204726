// The folder picker driven through the real shell dialog: what it opens on, where it
// stands, what it is called, and what it gives back when the user chooses or cancels.

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "harvest/picker/JvFolderDialog.h"
#include "support/dialog_answerer.h"
#include "support/scratch_folder.h"
#include "ui/form.h"

namespace {

constexpr int kMakeNewFolderButton = 0x3746;

// What a handler saw of the dialog before answering it.
struct Seen {
    std::wstring caption;
    RECT rect{};
    std::vector<std::wstring> texts;
    std::wstring selected; // the tree's selected item as shown
    bool selectedVisible = false;
    bool newFolderButton = false;
};

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

HWND FolderTree(HWND dialog) {
    for (HWND window : Descendants(dialog))
        if (WindowClass(window) == L"SysTreeView32")
            return window;
    return nullptr;
}

Seen Look(HWND dialog) {
    Seen seen;
    seen.caption = WindowText(dialog);
    ::GetWindowRect(dialog, &seen.rect);
    seen.texts = DescendantTexts(dialog);
    const HWND button = ::GetDlgItem(dialog, kMakeNewFolderButton);
    seen.newFolderButton = button && ::IsWindowVisible(button);
    if (const HWND tree = FolderTree(dialog)) {
        auto item =
            reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
        wchar_t text[MAX_PATH] = {};
        TVITEMW tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = text;
        tv.cchTextMax = MAX_PATH;
        ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
        seen.selected = text;
        RECT r{};
        std::memcpy(&r, &item, sizeof item); // the message takes the item in the rectangle
        seen.selectedVisible =
            ::SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)) != 0;
    }
    return seen;
}

DialogAnswerer::Handler LookAndPress(Seen& seen, int button) {
    return [&seen, button](HWND dialog) {
        seen = Look(dialog);
        PressButton(dialog, button);
    };
}

DialogAnswerer::Handler ChooseAndConfirm(const std::wstring& folder) {
    return [folder](HWND dialog) {
        ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
        PressButton(dialog, IDOK);
    };
}

class FolderDialogShell : public testing::Test {
protected:
    void SetUp() override {
        owner.CreateForm(L"Owner", 600, 400, nullptr);
        ::SetWindowPos(owner.Handle(), nullptr, 210, 130, 700, 500, SWP_NOZORDER);
        owner.Show();
        ::CreateDirectoryW((folder / L"alpha").c_str(), nullptr);
        ::CreateDirectoryW((folder / L"beta").c_str(), nullptr);
        fd.Directory = folder / L"alpha";
    }
    RECT OwnerRect() const {
        RECT r{};
        ::GetWindowRect(owner.Handle(), &r);
        return r;
    }

    TFormInstance<TForm> owner;
    ScratchFolder folder;
    TJvFolderDialog fd{&owner};
};

TEST(FolderDialogDefaults, AsCreated) {
    TJvFolderDialog fd;
    EXPECT_EQ(fd.Caption, L"Выбор директория");
    EXPECT_EQ(fd.Title, L"");
    EXPECT_EQ(fd.Directory, TJvFolderDialog::StartFolder());
    EXPECT_EQ(fd.Options, TFolderOptions{fdoNewDialogStyle});
    EXPECT_EQ(fd.DialogPosition, fdpDefault);
    EXPECT_EQ(fd.DialogX, 0);
    EXPECT_EQ(fd.DialogY, 0);
    EXPECT_EQ(fd.ImageIndex(), 0);
    EXPECT_EQ(fd.DisplayName, L"");
    fd.SetVersion(L"9.9.9.9");
    EXPECT_EQ(fd.Version(), L"1.1.4.0");
}

TEST(FolderDialogDefaults, StartFolderIsTheDesktopWhenItExists) {
    wchar_t desktop[MAX_PATH + 1] = {};
    ASSERT_TRUE(
        SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop)));
    const DWORD attributes = ::GetFileAttributesW(desktop);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        GTEST_SKIP() << "this prefix has no desktop folder";
    EXPECT_EQ(TJvFolderDialog::StartFolder(), desktop);
}

TEST_F(FolderDialogShell, ChosenFolderIsReturned) {
    // Wine's dialog now and then puts its start folder back over a choice made the moment it
    // opens (a user's click comes later): then the choice is made again in a new dialog.
    for (int attempt = 0; attempt < 5 && fd.Directory != folder / L"beta"; ++attempt) {
        fd.Directory = folder / L"alpha";
        const DialogAnswerer answer(ChooseAndConfirm(folder / L"beta"));
        ASSERT_TRUE(fd.Execute());
        EXPECT_EQ(answer.Answered(), 1u);
    }
    EXPECT_EQ(fd.Directory, folder / L"beta");
    // Windows names the item; Wine gives its path.
    EXPECT_TRUE(EndsWith(fd.DisplayName, L"beta")) << fd.DisplayName;
    EXPECT_GE(fd.ImageIndex(), 0);

    // The next dialog opens where this one ended.
    Seen seen;
    const DialogAnswerer again(LookAndPress(seen, IDOK));
    ASSERT_TRUE(fd.Execute());
    EXPECT_EQ(seen.selected, L"beta");
    EXPECT_EQ(fd.Directory, folder / L"beta");
}

TEST_F(FolderDialogShell, OpensWithDirectorySelectedAndInView) {
    for (int i = 0; i < 60; ++i)
        ::CreateDirectoryW((folder / (L"many" + std::to_wstring(100 + i))).c_str(), nullptr);
    fd.Directory = folder / L"many159";
    Seen seen;
    const DialogAnswerer answer(LookAndPress(seen, IDOK));
    ASSERT_TRUE(fd.Execute());
    EXPECT_EQ(seen.selected, L"many159");
    EXPECT_TRUE(seen.selectedVisible);
    EXPECT_EQ(fd.Directory, folder / L"many159");
    EXPECT_TRUE(EndsWith(fd.DisplayName, L"many159")) << fd.DisplayName;
}

TEST_F(FolderDialogShell, OpensOnDirectoryEachTimeWhereverTheLastOneWas) {
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    for (const std::wstring& dir : {std::wstring(windows), folder / L"alpha", folder / L"beta",
                                    std::wstring(windows), folder / L"beta"}) {
        fd.Directory = dir;
        Seen seen;
        const DialogAnswerer answer(LookAndPress(seen, IDOK));
        ASSERT_TRUE(fd.Execute());
        EXPECT_EQ(fd.Directory, dir)
            << "the dialog opened on " << testing::PrintToString(seen.selected);
    }
}

TEST_F(FolderDialogShell, CancelKeepsEveryProperty) {
    fd.DisplayName = L"before";
    Seen seen;
    const DialogAnswerer answer(LookAndPress(seen, IDCANCEL));
    EXPECT_FALSE(fd.Execute());
    EXPECT_EQ(answer.Answered(), 1u);
    EXPECT_EQ(fd.Directory, folder / L"alpha");
    EXPECT_EQ(fd.DisplayName, L"before");
    EXPECT_EQ(fd.ImageIndex(), 0);
}

TEST_F(FolderDialogShell, ItemWithoutAPathCountsAsCancel) {
    LPITEMIDLIST computer = nullptr;
    ASSERT_TRUE(SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer)));
    const DialogAnswerer answer([computer](HWND dialog) {
        ::SendMessageW(dialog, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(computer));
        PressButton(dialog, IDOK);
    });
    EXPECT_FALSE(fd.Execute());
    ::CoTaskMemFree(computer);
    EXPECT_EQ(fd.Directory, folder / L"alpha");
    EXPECT_EQ(fd.DisplayName, L"");
}

TEST_F(FolderDialogShell, CaptionReplacedOrKeptAndTitleShown) {
    fd.Title = L"Выберите папку (3)";
    Seen ours, shells;
    {
        const DialogAnswerer answer(LookAndPress(ours, IDCANCEL));
        fd.Execute();
    }
    fd.Caption.clear();
    {
        const DialogAnswerer answer(LookAndPress(shells, IDCANCEL));
        fd.Execute();
    }
    EXPECT_EQ(ours.caption, L"Выбор директория");
    EXPECT_FALSE(shells.caption.empty());
    EXPECT_NE(shells.caption, L"Выбор директория");
    EXPECT_NE(std::find(ours.texts.begin(), ours.texts.end(), fd.Title), ours.texts.end());
}

TEST_F(FolderDialogShell, PlacedByItsRule) {
    struct Case {
        TDialogPosition position;
        int x, y;
    };
    const RECT o = OwnerRect();
    for (const Case c : {Case{fdpXY, 5, 5}, Case{fdpXY, -30, 40}, Case{fdpXY, 60, -7},
                         Case{fdpDefault, 0, 0}, Case{fdpParentFormCenter, 0, 0}}) {
        fd.DialogPosition = c.position;
        fd.DialogX = c.x;
        fd.DialogY = c.y;
        Seen seen;
        const DialogAnswerer answer(LookAndPress(seen, IDCANCEL));
        fd.Execute();
        const int w = seen.rect.right - seen.rect.left, h = seen.rect.bottom - seen.rect.top;
        POINT expected{};
        if (c.position == fdpXY)
            expected = {std::max(c.x, 0), std::max(c.y, 0)};
        else if (c.position == fdpDefault)
            expected = {o.left + 20, o.top + 20};
        else
            expected = {o.left + (o.right - o.left) / 2 - w / 2,
                        o.top + (o.bottom - o.top) / 2 - h / 2};
        EXPECT_EQ(seen.rect.left, expected.x) << int{c.position} << " " << c.x << "," << c.y;
        EXPECT_EQ(seen.rect.top, expected.y) << int{c.position} << " " << c.x << "," << c.y;
    }
}

TEST_F(FolderDialogShell, MissingDirectoryFallsBackToTheStartFolderEvenOnCancel) {
    const std::wstring gone = folder / L"gone";
    ASSERT_TRUE(::CreateDirectoryW(gone.c_str(), nullptr));
    ASSERT_TRUE(::RemoveDirectoryW(gone.c_str()));
    fd.Directory = gone;
    {
        const DialogAnswerer answer([](HWND dialog) { PressButton(dialog, IDCANCEL); });
        EXPECT_FALSE(fd.Execute());
    }
    EXPECT_EQ(fd.Directory, TJvFolderDialog::StartFolder());

    fd.Directory = gone;
    const DialogAnswerer answer([](HWND dialog) { PressButton(dialog, IDOK); });
    ASSERT_TRUE(fd.Execute()) << "the dialog opened on the start folder";
    EXPECT_EQ(fd.Directory, TJvFolderDialog::StartFolder());
}

TEST_F(FolderDialogShell, OptionsReachTheDialog) {
    Seen plain, noNewFolder;
    {
        const DialogAnswerer answer(LookAndPress(plain, IDCANCEL));
        fd.Execute();
    }
    fd.Options = {fdoNewDialogStyle, fdoNoNewFolderButton};
    {
        const DialogAnswerer answer(LookAndPress(noNewFolder, IDCANCEL));
        fd.Execute();
    }
    EXPECT_TRUE(plain.newFolderButton);
    EXPECT_FALSE(noNewFolder.newFolderButton);
}

} // namespace
