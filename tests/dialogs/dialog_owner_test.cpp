// A message dialog shown while another program is in front still belongs to the program:
// the main window (or the dialog last active over it) owns it and is disabled meanwhile.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "dialogs/u_msgDlg.h"
#include "message_dialog_driving.h"
#include "support/dialog_answerer.h"
#include "support/quit_request_drain.h"
#include "ui/form.h"

namespace {

struct MainForm : Form {
    MainForm() {
        CreateForm(L"Главное окно", 400, 300, nullptr);
        MakeMainForm();
        Show();
    }
};

struct ShownDialog {
    HWND dialog = nullptr, owner = nullptr;
    bool ownerEnabled = true;
    RECT placed{};
};

// Shows an error report while the other program's window is in front.
ShownDialog ShowReport(HWND other, const std::function<void()>& whileShown = {}) {
    ::SetForegroundWindow(other);
    PumpMessagesFor(100);
    EXPECT_EQ(::GetActiveWindow(), nullptr);
    ShownDialog seen;
    DialogAnswerer answer(
        [&](HWND dialog) {
            seen = {dialog, ::GetWindow(dialog, GW_OWNER)};
            seen.ownerEnabled = ::IsWindowEnabled(seen.owner);
            ::GetWindowRect(dialog, &seen.placed);
            if (whileShown)
                whileShown();
            PressKey(dialog, VK_RETURN);
        },
        kFormClass);
    TimedMessageDlg(L"Ошибка", L"Файл не прочитан", mtError, mbOKOnly, false, 0, clBtnFace, false);
    return seen;
}

} // namespace

TEST(MessageDialogOwner, TheMainWindowOrItsLastDialogOwnsWhileAnotherProgramIsInFront) {
    QuitRequestDrain drain;
    FormInstance<MainForm> main;
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION notepad{};
    wchar_t command[] = L"notepad.exe";
    ASSERT_TRUE(::CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &notepad));
    ::WaitForInputIdle(notepad.hProcess, 10000);
    const HWND other = ::FindWindowW(L"Notepad", nullptr);

    ShownDialog nested;
    const ShownDialog first = ShowReport(other, [&] { nested = ShowReport(other); });
    ::TerminateProcess(notepad.hProcess, 0);
    ::CloseHandle(notepad.hThread);
    ::CloseHandle(notepad.hProcess);
    EXPECT_EQ(first.owner, main.Handle());
    EXPECT_FALSE(first.ownerEnabled);
    EXPECT_TRUE(::IsWindowEnabled(main.Handle()));
    RECT m{};
    ::GetWindowRect(main.Handle(), &m);
    const RECT& d = first.placed;
    EXPECT_EQ(d.left, m.left + (m.right - m.left) / 2 - (d.right - d.left) / 2);
    EXPECT_EQ(d.top, m.top + (m.bottom - m.top) / 2 - (d.bottom - d.top) / 2);
    // A second report while the first still shows belongs to the first, the main window's
    // last active pop-up.
    EXPECT_EQ(nested.owner, first.dialog);
    EXPECT_FALSE(nested.ownerEnabled);
}
