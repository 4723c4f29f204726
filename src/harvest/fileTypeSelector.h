#pragma once
// The file-kind chooser of a harvest: which files of the tree to take icons from.

#include <windows.h>

#include <string>

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/radio_group.h"

// "Поиск в директориях (Остановить - Esc)". Made anew for every harvest and kept nowhere,
// so it opens on "Все файлы" every time.
class Tfrm_fileTypeSelector : public TForm {
public:
    // Creates the dialog owned by owner and centred over it.
    void Create(HWND owner);

    TRadioGroup rg_file_type;
    TButton btn_ok;
    TButton btn_cancel;
    TBevel Bevel1;
};

// Shows the chooser modally. True with the scanner mask of the chosen kind when the user
// confirmed with OK; false for any other ending (Cancel, Esc, the close box).
bool ChooseFileTypeMask(HWND owner, std::wstring& mask);
