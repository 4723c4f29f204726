#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/main_window.h"
#include "ui/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    // The folder picker's new dialog style needs COM on this thread.
    const HRESULT com = ::OleInitialize(nullptr);

    auto& hints = Application::Hints();
    hints.pauseMs = 50;
    hints.hidePauseMs = 7000;
    hints.color = RGB(252, 208, 56);
    Application::SetTitle(L"Quillmont");

    Application::Guarded([&] {
        TFormInstance<Tfrm_main_quillmont> frm_main_quillmont;
        frm_main_quillmont.Create();
        frm_main_quillmont.Show();
        Application::Run();
    });
    if (SUCCEEDED(com))
        ::OleUninitialize();
    return 0;
}
