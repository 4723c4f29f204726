// At 150 % (144 DPI) the shell hands a program aware of its DPI 24 x 24 and 48 x 48 icons;
// the catalogue's stay 16 x 16 and 32 x 32, for a type with an icon location of its own and
// for one with the shell's generic icon. Checked in a second run of this test started while
// the user's display setting is 144 DPI (read by each program as it starts).

#include <windows.h>

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "support/scratch_registry.h"
#include "ui/icon_size.h"

namespace {

const wchar_t kScaledRun[] = L"QM_SCALED_DISPLAY_RUN";

class ScaledDisplay {
public:
    ScaledDisplay() {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                          KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key_.put(), nullptr);
        DWORD size = sizeof(old_);
        had_ = !::RegQueryValueExW(key_.get(), L"LogPixels", nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(&old_), &size);
        Set(144);
    }
    ~ScaledDisplay() { had_ ? Set(old_) : (void)::RegDeleteValueW(key_.get(), L"LogPixels"); }
    ScaledDisplay(const ScaledDisplay&) = delete;
    ScaledDisplay& operator=(const ScaledDisplay&) = delete;

private:
    void Set(DWORD dpi) {
        ::RegSetValueExW(key_.get(), L"LogPixels", 0, REG_DWORD, reinterpret_cast<BYTE*>(&dpi),
                         sizeof(dpi));
    }
    UniqueKey key_;
    DWORD old_ = 96;
    bool had_ = false;
};

DWORD RunThisTestAgain() {
    wchar_t exe[MAX_PATH];
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_filter=" +
                           L"GetExtensionIcon.KeepsItsSizesOnAScaledDisplay";
    ::SetEnvironmentVariableW(kScaledRun, L"1");
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    const bool started = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0,
                                          nullptr, nullptr, &startup, &process);
    ::SetEnvironmentVariableW(kScaledRun, nullptr);
    DWORD code = ~0u;
    if (started) {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::GetExitCodeProcess(process.hProcess, &code);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    return code;
}

} // namespace

TEST(GetExtensionIcon, KeepsItsSizesOnAScaledDisplay) {
    if (!::GetEnvironmentVariableW(kScaledRun, nullptr, 0)) {
        const ScaledDisplay scaled;
        EXPECT_EQ(RunThisTestAgain(), 0u);
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
