// At 150 % (144 DPI) the shell hands a program aware of its DPI 24 x 24 and 48 x 48 icons;
// the catalogue's stay 16 x 16 and 32 x 32, with an icon location of the type's own and
// without. Checked by this test run again while the display setting, which each program
// reads as it starts, says 144 DPI.

#include <windows.h>

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "support/scratch_registry.h"
#include "ui/icon_size.h"

TEST(GetExtensionIcon, KeepsItsSizesOnAScaledDisplay) {
    const wchar_t *desktop = L"Control Panel\\Desktop", *scaledRun = L"QM_SCALED_RUN";
    if (!::GetEnvironmentVariableW(scaledRun, nullptr, 0)) {
        DWORD dpi = 144, code = ~0u;
        ::RegSetKeyValueW(HKEY_CURRENT_USER, desktop, L"LogPixels", REG_DWORD, &dpi, sizeof(dpi));
        ::SetEnvironmentVariableW(scaledRun, L"1");
        wchar_t exe[MAX_PATH];
        ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_filter=" +
                               L"GetExtensionIcon.KeepsItsSizesOnAScaledDisplay";
        STARTUPINFOW startup{sizeof(startup)};
        PROCESS_INFORMATION run{};
        if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &run)) {
            ::WaitForSingleObject(run.hProcess, INFINITE);
            ::GetExitCodeProcess(run.hProcess, &code);
            ::CloseHandle(run.hThread);
            ::CloseHandle(run.hProcess);
        }
        ::SetEnvironmentVariableW(scaledRun, nullptr);
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, desktop, L"LogPixels"); // the test prefix's 96
        EXPECT_EQ(code, 0u);
        return;
    }
    ASSERT_EQ(::GetSystemMetrics(SM_CXSMICON), 24) << "the display is not scaled";
    wchar_t system[MAX_PATH];
    ::GetSystemDirectoryW(system, MAX_PATH);
    ScratchRegistry registry;
    registry.AddFileType(L".qmlocated", L"qmlocated", L"", L"app.exe");
    registry.SetText(L"qmlocated\\DefaultIcon", std::wstring(system) + L"\\shell32.dll,3");
    for (const wchar_t* extension : {L".qmlocated", L".qmunregistered"}) {
        for (const bool small : {true, false}) {
            const SIZE size = IconSize(GetExtensionIcon(extension, small).get());
            EXPECT_EQ(size.cx, small ? 16 : 32) << extension;
            EXPECT_EQ(size.cy, size.cx);
        }
    }
}
