#pragma once
// Saving the shell icon of every ticked catalogue row as a .ico file in a folder the user
// picks, unticking each saved row; Esc asks whether to stop.

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "ui/controls.h"
#include "ui/list_view.h"
#include "ui/status_bar.h"

// Asks the user for the folder to save into, with Title above the folder tree; false when
// the user cancels.
using TChooseFolder = std::function<bool(const std::wstring& Title, std::wstring& Folder)>;

struct ExportControls {
    TListView& lv;
    TRadioButton& rg_16x16;
    TStatusBar& sb;
    TChooseFolder ChooseFolder;
    std::array<BYTE, 256>& KeyboardState;
};

// The file an exported row is saved as: folder + "\" + extension + "_16x16" or "_32x32" +
// ".ico". The separator is added even after a drive root's own.
std::wstring ExportFileName(const std::wstring& folder, const std::wstring& extension, bool small);

class TIconExport {
public:
    explicit TIconExport(ExportControls controls) : c_(controls) {}

    // The save command. Ignored while an export runs already.
    void Run();
    bool Running() const { return running_; }

private:
    // What the user can change while the export runs: the rows present, the icon size
    // choice and the keyboard. Only the window's messages change them, so reading them
    // again whenever messages have been handled is the same as reading them for every row.
    struct TLiveState {
        int Rows;
        bool Small;
        bool EscapeDown;
    };
    TLiveState ReadLiveState(int rows);
    bool EscapeDown();
    bool StopConfirmed();
    ExportControls c_;
    bool running_ = false;
};
