#include <windows.h>

#include "harvest/picker/JvFolderDialog.h"

#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>

#include <cwchar>

#include "ui/form.h"

namespace {

static_assert(BIF_BROWSEFORCOMPUTER == 0x1000 && BIF_BROWSEFORPRINTER == 0x2000 &&
              BIF_DONTGOBELOWDOMAIN == 0x0002 && BIF_RETURNFSANCESTORS == 0x0008 &&
              BIF_RETURNONLYFSDIRS == 0x0001 && BIF_STATUSTEXT == 0x0004 &&
              BIF_NEWDIALOGSTYLE == 0x0040 && BIF_NONEWFOLDERBUTTON == 0x0200 &&
              BIF_EDITBOX == 0x0010 && BIF_SHAREABLE == 0x8000);

constexpr uint32_t kVersion = 0x01010400; // 1.1.4.0

bool FolderExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The dialog of the new style hosts shell views, which need single-threaded COM on the
// thread that shows it. Every successful initialisation (also a repeated one) is undone; a
// thread already set up for multi-threaded COM is left as it is.
class OleScope {
public:
    OleScope() : initialised_(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~OleScope() {
        if (initialised_)
            ::OleUninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

private:
    bool initialised_;
};

// The item list the dialog returns, given back through the shell's allocator.
class ShellItemList {
public:
    explicit ShellItemList(LPITEMIDLIST list) : list_(list) {}
    ~ShellItemList() {
        IMalloc* malloc = nullptr;
        if (list_ && SUCCEEDED(::SHGetMalloc(&malloc))) {
            malloc->Free(list_);
            malloc->Release();
        }
    }
    ShellItemList(const ShellItemList&) = delete;
    ShellItemList& operator=(const ShellItemList&) = delete;
    LPITEMIDLIST get() const { return list_; }

private:
    LPITEMIDLIST list_;
};

ScreenRect WindowRectOf(HWND window) {
    RECT r{};
    if (window)
        ::GetWindowRect(window, &r);
    return {r.left, r.top, r.right, r.bottom};
}

ScreenRect WorkArea() {
    RECT r{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return {r.left, r.top, r.right, r.bottom};
}

BOOL CALLBACK RememberFolderTree(HWND child, LPARAM found) {
    wchar_t name[64];
    if (::GetClassNameW(child, name, 64) > 0 && std::wcscmp(name, L"SysTreeView32") == 0)
        *reinterpret_cast<HWND*>(found) = child;
    return TRUE;
}

// The dialog's folder tree; when several trees are found the last one counts.
HWND FindFolderTree(HWND dialog) {
    HWND tree = nullptr;
    ::EnumChildWindows(dialog, RememberFolderTree, reinterpret_cast<LPARAM>(&tree));
    return tree;
}

// Posted, not sent: the tree scrolls once it has finished its own handling of the change.
void ScrollSelectionIntoView(HWND dialog) {
    const HWND tree = FindFolderTree(dialog);
    if (!tree)
        return;
    const LPARAM item = ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    ::PostMessageW(tree, TVM_ENSUREVISIBLE, 0, item);
}

} // namespace

TJvFolderDialog::TJvFolderDialog(TForm* owner) : Directory(StartFolder()), owner_(owner) {}

std::wstring TJvFolderDialog::Version() const {
    return VersionText(kVersion);
}

std::wstring TJvFolderDialog::StartFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, path)) &&
        FolderExists(path))
        return path;
    const DWORD length = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring current(length, L'\0');
    current.resize(::GetCurrentDirectoryW(length, current.data()));
    return current;
}

bool TJvFolderDialog::Execute() {
    const OleScope ole;
    wchar_t displayName[MAX_PATH + 1] = {};
    ownerWindow_ = owner_ && owner_->Handle() ? owner_->Handle() : ::GetActiveWindow();
    if (!FolderExists(Directory))
        Directory = StartFolder();

    BROWSEINFOW info{};
    info.hwndOwner = ownerWindow_;
    info.pszDisplayName = displayName;
    info.lpszTitle = Title.c_str();
    info.ulFlags = BrowseFlags(Options);
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(this);
    callbackFailed_ = false;
    const ShellItemList chosen(::SHBrowseForFolderW(&info));
    // A failure inside the dialog counts as a cancel.
    if (!chosen.get() || callbackFailed_)
        return false;

    wchar_t path[MAX_PATH + 1] = {};
    if (!::SHGetPathFromIDListW(chosen.get(), path))
        return false;
    Directory = path;
    imageIndex_ = info.iImage;
    DisplayName = displayName;
    return true;
}

int CALLBACK TJvFolderDialog::BrowseCallback(HWND dialog, UINT message, LPARAM /*param*/,
                                             LPARAM data) {
    auto* self = reinterpret_cast<TJvFolderDialog*>(data);
    try {
        if (message == BFFM_INITIALIZED)
            self->DialogInitialized(dialog);
        else if (message == BFFM_SELCHANGED)
            ScrollSelectionIntoView(dialog);
    } catch (...) {
        self->callbackFailed_ = true;
    }
    return 0;
}

void TJvFolderDialog::DialogInitialized(HWND dialog) {
    ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(Directory.c_str()));
    // Some shells (Wine's) cannot always find the folder while the tree is still being built
    // and leave another one selected; selecting it again once the dialog runs always works.
    ::PostMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(Directory.c_str()));
    const ScreenPoint at =
        DialogPlacement(DialogPosition, DialogX, DialogY, WindowRectOf(ownerWindow_),
                        WindowRectOf(dialog), WorkArea());
    ::SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (!Caption.empty())
        ::SendMessageW(dialog, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Caption.c_str()));
}
