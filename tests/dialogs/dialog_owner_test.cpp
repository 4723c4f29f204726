// A message dialog shown while another program is in front belongs to the program: the main
// window owns it and is disabled while it shows.

#include <windows.h>

#include <gtest/gtest.h>

#include "message_dialog_driving.h"
#include "support/main_window_fixture.h"

using MessageDialogOwner = MainWindowFixture;

TEST_F(MessageDialogOwner, IsTheMainWindowWhileAnotherProgramIsInFront) {
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION notepad{};
    wchar_t command[] = L"notepad.exe";
    ASSERT_TRUE(::CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &notepad));
    ::WaitForInputIdle(notepad.hProcess, 10000);
    ::SetForegroundWindow(::FindWindowW(L"Notepad", nullptr));
    PumpMessagesFor(100);
    EXPECT_EQ(::GetActiveWindow(), nullptr);
    HWND owner = nullptr;
    bool mainEnabled = true;
    DialogAnswerer answer(
        [&](HWND dialog) {
            owner = ::GetWindow(dialog, GW_OWNER);
            mainEnabled = ::IsWindowEnabled(frm.Handle());
            PressKey(dialog, VK_RETURN);
        },
        kFormClass);
    TimedMessageDlg(L"Ошибка", L"Файл не прочитан", mtError, mbOKOnly, false, 0, clBtnFace, false);
    ::TerminateProcess(notepad.hProcess, 0);
    ::CloseHandle(notepad.hThread);
    ::CloseHandle(notepad.hProcess);
    EXPECT_EQ(owner, frm.Handle());
    EXPECT_FALSE(mainEnabled);
    EXPECT_TRUE(::IsWindowEnabled(frm.Handle()));
}
