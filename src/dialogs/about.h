#pragma once
// The about window: the program's picture, name, version and build date, the author's
// contact lines with a mail link and a web link, and an OK button.

#include <windows.h>

#include <vector>

#include "dialogs/JvUrlLabel.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "util/handle.h"

class Tfrm_about : public TForm {
public:
    // Creates the window (FormCreate runs at the end), owned by the application's hidden
    // window and centred over MainWindow.
    void Create(HWND MainWindow);

    // The menu command: shows the window modally over MainWindow, which stays disabled
    // until the window is closed, and frees it.
    static void Execute(HWND MainWindow);

    TImage Image;
    TLabel Label6;
    TLabel Label1;
    TLabel Label4;
    TLabel Label2;
    TJvURLlabel E_mail_label;
    TJvURLlabel URLlabel1;
    TLabel Label3;
    TLabel Label5;
    TLabel lbl_version;
    TLabel lbl_main_name;
    TLabel Label7;
    TBevel Bevel1;
    TButton BitBtn1;

    void FormCreate();
    void FormShow() override;
    void BitBtn1Click();

protected:
    void FormResize() override;

private:
    void CreateLabel(TLabel& label, const TBounds& bounds, const std::wstring& caption,
                     int fontHeight = 0);
    void CreateLink(TJvURLlabel& link, const TBounds& bounds, const std::wstring& caption);
    std::vector<UniqueFont> fonts_;
    UniqueIcon picture_;
    UniqueIcon glyph_;
};
