// The error log writer on real files, and the message text of a caught failure.

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "support/scratch_folder.h"
#include "util/error_log.h"
#include "util/exception.h"
#include "util/exception_text.h"
#include "util/handle.h"

namespace {

std::string ReadBytes(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return "<missing>";
    std::string bytes(::GetFileSize(file.get(), nullptr), '\0');
    DWORD read = 0;
    ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    UniqueFile file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

TEST(AppendLogLine, WritesWindows1251BytesAndCrLf) {
    ScratchFolder folder;
    const std::wstring log = folder / L"error.log";
    AppendLogLine(log, L"Ошибка № 1 ё");
    EXPECT_EQ(ReadBytes(log), "\xCE\xF8\xE8\xE1\xEA\xE0 \xB9 1 \xB8\r\n");
}

TEST(AppendLogLine, CreatesTheFileThenAppendsInCallOrder) {
    ScratchFolder folder;
    const std::wstring log = folder / L"error.log";
    ASSERT_FALSE(Exists(log));
    AppendLogLine(log, L"first");
    EXPECT_EQ(ReadBytes(log), "first\r\n");
    AppendLogLine(log, L"second\r\nwith its own break");
    AppendLogLine(log, L"");
    EXPECT_EQ(ReadBytes(log), "first\r\nsecond\r\nwith its own break\r\n\r\n");
}

TEST(AppendLogLine, KeepsWhatTheFileAlreadyHolds) {
    ScratchFolder folder;
    const std::wstring log = folder / L"error.log";
    WriteBytes(log, "older line\r\nno break at the end");
    AppendLogLine(log, L"new");
    EXPECT_EQ(ReadBytes(log), "older line\r\nno break at the endnew\r\n");
}

TEST(AppendLogLine, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    ScratchFolder folder;
    const std::wstring log = folder / L"error.log";
    AppendLogLine(log, L"C:\\日本\\a.exe");
    EXPECT_EQ(ReadBytes(log), "C:\\??\\a.exe\r\n");
}

TEST(AppendLogLine, SwallowsFailuresAndTriesAgainNextTime) {
    ScratchFolder folder;
    EXPECT_NO_THROW(AppendLogLine(folder / L"no such folder\\error.log", L"lost"));
    EXPECT_FALSE(Exists(folder / L"no such folder\\error.log"));

    // A log another program holds open without sharing cannot be written; once released,
    // the next line goes in.
    const std::wstring log = folder / L"error.log";
    WriteBytes(log, "");
    UniqueFile holder(
        ::CreateFileW(log.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    AppendLogLine(log, L"lost");
    holder.reset();
    AppendLogLine(log, L"kept");
    EXPECT_EQ(ReadBytes(log), "kept\r\n");
}

TEST(AppendLogLine, ALogOpenInAViewerStillTakesLines) {
    // A viewer that shares writing may keep the log open: the writer shares reading, and
    // closes after each line so the viewer sees every one.
    ScratchFolder folder;
    const std::wstring log = folder / L"error.log";
    AppendLogLine(log, L"one");
    UniqueFile reader(::CreateFileW(log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(reader);
    AppendLogLine(log, L"two");
    EXPECT_EQ(ReadBytes(log), "one\r\ntwo\r\n");
}

TEST(CurrentExceptionMessage, GivesTheTextOfEachKindOfFailure) {
    const auto messageOf = [](auto&& raise) {
        try {
            raise();
        } catch (...) {
            return CurrentExceptionMessage();
        }
        return std::wstring(L"<nothing raised>");
    };
    EXPECT_EQ(messageOf([] { throw Exception(L"Не удалось"); }), L"Не удалось");
    EXPECT_EQ(messageOf([] { throw EReadError(L"Stream read error"); }), L"Stream read error");
    EXPECT_EQ(messageOf([] { throw std::runtime_error("plain"); }), L"plain");
    EXPECT_EQ(messageOf([] { throw 42; }), L"Unknown error");
    EXPECT_EQ(CurrentExceptionMessage(), L""); // nothing in flight
}
