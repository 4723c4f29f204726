// What the program reads about its own executable: folder, version, file date and the
// visual theme, on real modules and files.

#include <windows.h>

#include <uxtheme.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "util/app_folder.h"
#include "util/exe_file_date.h"
#include "util/exe_version.h"
#include "util/handle.h"
#include "util/os_error.h"
#include "util/visual_theme.h"

namespace {

// The file version of a module found by scanning its bytes for the fixed version block
// (signature 0xFEEF04BD): an oracle that does not go through the version services.
std::wstring ScannedFileVersion(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    if (!file)
        return L"<unreadable>";
    std::string bytes(::GetFileSize(file.get(), nullptr), '\0');
    DWORD read = 0;
    ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    const std::size_t at = bytes.find("\xBD\x04\xEF\xFE");
    if (at == std::string::npos || at + 16 > read)
        return L"<no version block>";
    DWORD ms = 0;
    DWORD ls = 0;
    std::memcpy(&ms, bytes.data() + at + 8, 4);
    std::memcpy(&ls, bytes.data() + at + 12, 4);
    return std::to_wstring(HIWORD(ms)) + L"." + std::to_wstring(LOWORD(ms)) + L"." +
           std::to_wstring(HIWORD(ls)) + L"." + std::to_wstring(LOWORD(ls));
}

std::wstring SystemModule(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    ::GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\" + name;
}

// A new empty file in the temporary folder, deleted afterwards.
class ScratchFile {
public:
    ScratchFile() {
        wchar_t temp[MAX_PATH];
        wchar_t name[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        ::GetTempFileNameW(temp, L"qmd", 0, name);
        path = name;
    }
    ~ScratchFile() {
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path.c_str());
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // Sets the last-write time to the given local time.
    void SetLocalWriteTime(const SYSTEMTIME& local) const {
        FILETIME localTime, utc;
        ::SystemTimeToFileTime(&local, &localTime);
        ::LocalFileTimeToFileTime(&localTime, &utc);
        UniqueFile file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
        ::SetFileTime(file.get(), nullptr, nullptr, &utc);
    }

    std::wstring path;
};

SYSTEMTIME LocalTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second,
                     WORD ms) {
    SYSTEMTIME t{};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    t.wSecond = second;
    t.wMilliseconds = ms;
    return t;
}

} // namespace

TEST(AppFolder, IsTheFolderOfTheRunningExecutable) {
    const std::wstring exe = ExePath();
    ASSERT_NE(::GetFileAttributesW(exe.c_str()), INVALID_FILE_ATTRIBUTES) << "no file at ExePath";
    const std::wstring folder = AppFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'\\');
    EXPECT_EQ(exe.rfind(folder, 0), 0u);
    EXPECT_EQ(exe.find(L'\\', folder.size()), std::wstring::npos); // the file is right inside
    EXPECT_EQ(ErrorLogPath(), folder + L"error.log");
}

TEST(ExeVersionText, ATestProgramWithoutVersionInformationGivesEmptyText) {
    EXPECT_EQ(ExeVersionText(), L"");
}

TEST(ExeVersionText, IsTheFileVersionOfTheProgram) {
    const std::wstring program = AppFolder() + L"Quillmont.exe";
    if (::GetFileAttributesW(program.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "Quillmont.exe is not built beside the tests";
    EXPECT_EQ(FileVersionText(program), L"1.0.0.0");
}

TEST(FileVersionText, MatchesTheVersionBlockOfSystemModules) {
    for (const wchar_t* name : {L"comctl32.dll", L"shell32.dll", L"kernel32.dll"}) {
        const std::wstring path = SystemModule(name);
        const std::wstring text = FileVersionText(path);
        EXPECT_FALSE(text.empty()) << name;
        EXPECT_EQ(text, ScannedFileVersion(path)) << name;
    }
}

TEST(FileVersionText, UnreadableFilesGiveEmptyText) {
    ScratchFile empty;
    EXPECT_EQ(FileVersionText(empty.path), L"");
    EXPECT_EQ(FileVersionText(L"C:\\no such folder\\none.exe"), L"");
}

TEST(FileDate, IsTheLocalWriteTimeInTwoSecondSteps) {
    ScratchFile file;
    file.SetLocalWriteTime(LocalTime(2023, 5, 6, 7, 8, 9, 500));
    const SYSTEMTIME date = FileDate(file.path);
    EXPECT_EQ(date.wYear, 2023);
    EXPECT_EQ(date.wMonth, 5);
    EXPECT_EQ(date.wDay, 6);
    EXPECT_EQ(date.wHour, 7);
    EXPECT_EQ(date.wMinute, 8);
    EXPECT_EQ(date.wSecond, 8); // odd seconds fall to the even second below
    EXPECT_EQ(date.wMilliseconds, 0);

    file.SetLocalWriteTime(LocalTime(2099, 12, 31, 23, 59, 58, 999));
    EXPECT_EQ(FileDate(file.path).wSecond, 58);
}

TEST(FileDate, RaisesWhenTheDateCannotBeRead) {
    EXPECT_THROW(FileDate(L"C:\\no such folder\\none.exe"), EOSError);

    ScratchFile file;
    file.SetLocalWriteTime(LocalTime(1979, 12, 31, 12, 0, 0, 0)); // before any date stamp
    EXPECT_THROW(FileDate(file.path), EOSError);

    file.SetLocalWriteTime(LocalTime(2020, 1, 1, 12, 0, 0, 0));
    ::SetFileAttributesW(file.path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_THROW(FileDate(file.path), EOSError);

    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring folder = temp;
    folder.pop_back(); // a folder is not a file
    EXPECT_THROW(FileDate(folder), EOSError);
}

TEST(ExeFileDate, IsTheDateOfTheRunningExecutable) {
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    ASSERT_TRUE(::GetFileAttributesExW(ExePath().c_str(), GetFileExInfoStandard, &attributes));
    FILETIME local;
    SYSTEMTIME expected;
    ::FileTimeToLocalFileTime(&attributes.ftLastWriteTime, &local);
    ::FileTimeToSystemTime(&local, &expected);
    expected.wSecond -= expected.wSecond % 2;
    expected.wMilliseconds = 0;
    const SYSTEMTIME date = ExeFileDate();
    EXPECT_EQ(std::memcmp(&date, &expected, sizeof date), 0);
}

TEST(VisualThemeActive, AgreesWithTheThemeLibrary) {
    EXPECT_EQ(VisualThemeActive(), ::IsThemeActive() != FALSE);
}
