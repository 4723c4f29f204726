#pragma once
// The folder picker: the shell's browse-for-folder dialog, opened with a given folder
// selected and scrolled into view, placed by a chosen rule and with its own caption.

#include <windows.h>

#include <cstdint>
#include <string>

#include "harvest/picker/folder_dialog_rules.h"

class TForm;

class TJvFolderDialog {
public:
    // owner: the form the dialog belongs to (null: the active window at Execute).
    explicit TJvFolderDialog(TForm* owner = nullptr);
    TJvFolderDialog(const TJvFolderDialog&) = delete;
    TJvFolderDialog& operator=(const TJvFolderDialog&) = delete;

    // Caption of the dialog window; empty keeps the shell's own.
    std::wstring Caption = L"Выбор директория";
    // Instruction shown above the folder tree.
    std::wstring Title;
    // In: the folder selected when the dialog opens. Out: the chosen folder's path.
    std::wstring Directory;
    TFolderOptions Options{fdoNewDialogStyle};
    TDialogPosition DialogPosition = fdpDefault;
    int32_t DialogX = 0;
    int32_t DialogY = 0;
    // The chosen item's name as the shell shows it (after a successful Execute).
    std::wstring DisplayName;

    // The chosen folder's icon in the system image list (after a successful Execute).
    int32_t ImageIndex() const { return imageIndex_; }
    std::wstring Version() const;
    // A stored version is read and ignored: the version is the component's own.
    void SetVersion(const std::wstring&) {}

    // Shows the dialog modally. True when the user chose a folder with a file-system path;
    // Directory, ImageIndex and DisplayName then describe it. A Directory that no longer
    // names a folder is first replaced by the start folder, even if the user cancels.
    bool Execute();

    // The current user's desktop folder, or the current directory when that is missing.
    static std::wstring StartFolder();

private:
    static int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM param, LPARAM data);
    void DialogInitialized(HWND dialog);

    TForm* owner_;
    HWND ownerWindow_ = nullptr;
    int32_t imageIndex_ = 0;
    bool callbackFailed_ = false;
};
