// The folder scanner's events: how a walk is reported, stopped and broken off.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search_folders_tree.h"
#include "support/scratch_folder.h"
#include "util/handle.h"

namespace {

using namespace search_folders_test;
using Events = std::vector<Event>;

// root: a.exe (10 bytes), sub\b.exe (20), sub\inner\c.exe (40). Each folder holds at most one
// folder, so the order of events does not depend on the order of listing.
class ScannerEvents : public ::testing::Test {
protected:
    void SetUp() override {
        MakeFile(root / L"a.exe", 10);
        MakeFolder(sub);
        MakeFile(sub + L"\\b.exe", 20);
        MakeFolder(inner);
        MakeFile(inner + L"\\c.exe", 40);
        scanner.ScanDir = root.Path();
        scanner.FileMask = L"*.exe";
    }

    ScratchFolder root;
    const std::wstring sub = root / L"sub";
    const std::wstring inner = root / L"sub\\inner";
    TJvSearchFolders scanner;
    EventLog log{scanner};
};

TEST_F(ScannerEvents, EachFolderIsReportedOnEnteringAndLeaving) {
    scanner.Start();
    ASSERT_EQ(log.Events.size(), 7u);
    EXPECT_EQ(log.Events.front(), (Event{root.Path(), 0, 0}));
    EXPECT_EQ(log.Events[5], (Event{root.Path(), 3, 70}));
    EXPECT_EQ(log.Events[6], (Event{L"(changed)", 3, 70}));
    // sub and inner each come as a nested pair.
    const std::vector<std::wstring> dirs{log.Events[1].Dir, log.Events[2].Dir, log.Events[3].Dir,
                                         log.Events[4].Dir};
    EXPECT_EQ(dirs, (std::vector<std::wstring>{sub, inner, inner, sub}));
    EXPECT_EQ(log.Events[3].CountFiles - log.Events[2].CountFiles, 1); // c.exe, inside inner
}

TEST_F(ScannerEvents, BadMaskIsRaisedBeforeAnyEvent) {
    scanner.FileMask = L"*.exe, [x";
    try {
        scanner.Start();
        FAIL() << "started";
    } catch (const EMaskError& e) {
        EXPECT_EQ(e.Message(), L"'[x' is an invalid mask at (3)");
    }
    EXPECT_TRUE(log.Events.empty());
}

TEST_F(ScannerEvents, MissingFolderIsStillReportedTwice) {
    scanner.ScanDir = root / L"absent";
    scanner.Start();
    EXPECT_EQ(log.Events,
              (Events{{root / L"absent", 0, 0}, {root / L"absent", 0, 0}, {L"(changed)", 0, 0}}));
}

TEST_F(ScannerEvents, EmptyStartFolderFindsNothing) {
    scanner.ScanDir = L"";
    scanner.Start();
    EXPECT_EQ(log.Events, (Events{{L"", 0, 0}, {L"", 0, 0}, {L"(changed)", 0, 0}}));
}

// A folder another program holds open without sharing cannot be listed; the walk passes it
// by and goes on.
TEST_F(ScannerEvents, UnreadableFolderIsSkippedQuietly) {
    UniqueFile lock(::CreateFileW(sub.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(lock);
    WIN32_FIND_DATAW probe;
    if (UniqueFind(::FindFirstFileW((sub + L"\\*.*").c_str(), &probe)))
        GTEST_SKIP() << "the file system lists a folder held without sharing";
    scanner.Start();
    EXPECT_EQ(log.Events, (Events{{root.Path(), 0, 0},
                                  {sub, log.Events[1].CountFiles, log.Events[1].SizeOfFiles},
                                  {sub, log.Events[1].CountFiles, log.Events[1].SizeOfFiles},
                                  {root.Path(), 1, 10},
                                  {L"(changed)", 1, 10}}));
}

TEST_F(ScannerEvents, StopFromOnProcessEndsEveryLevelAndStillReports) {
    std::int32_t countAtStop = -1;
    log.Action = [&](TJvSearchFolders& sender, const std::wstring& dir) {
        if (dir == inner && countAtStop < 0) {
            sender.Stop();
            countAtStop = sender.CountFiles();
        }
    };
    scanner.Start();
    // After the stop: inner, sub and root are left, nothing else is entered or counted.
    ASSERT_EQ(log.Events.size(), 7u);
    EXPECT_EQ(log.Events[3].Dir, inner);
    EXPECT_EQ(log.Events[4].Dir, sub);
    EXPECT_EQ(log.Events[5].Dir, root.Path());
    for (size_t i = 3; i < 7; ++i)
        EXPECT_EQ(log.Events[i].CountFiles, countAtStop);
    EXPECT_EQ(log.Events[6].Dir, L"(changed)");
    EXPECT_EQ(scanner.CountFiles(), countAtStop);
    for (const TFilePack& pack : scanner.FileList())
        EXPECT_NE(pack.Name, L"c.exe");

    // The next walk is a full one again.
    log.Events.clear();
    log.Action = nullptr;
    scanner.Start();
    EXPECT_EQ(scanner.CountFiles(), 3);
}

// A window whose message handler stops the scanner: the stop arrives through the message
// pump of the walk, as Esc does in the program.
TJvSearchFolders* stopTarget = nullptr;
const UINT stopMessage = WM_APP + 7;

LRESULT CALLBACK StopWindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == stopMessage && stopTarget)
        stopTarget->Stop();
    return ::DefWindowProcW(window, message, w, l);
}

TEST_F(ScannerEvents, StopFromAMessageHandlerDuringThePump) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = StopWindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ScannerStopTestWindow";
    ::RegisterClassW(&windowClass);
    UniqueWindow window(::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0,
                                          HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr));
    ASSERT_TRUE(window);
    stopTarget = &scanner;
    log.Action = [&](TJvSearchFolders&, const std::wstring& dir) {
        if (dir == sub && log.Events.size() == 2)
            ::PostMessageW(window.get(), stopMessage, 0, 0);
    };
    scanner.Start();
    stopTarget = nullptr;
    // The message was handled on entering sub, before its first entry.
    EXPECT_EQ(log.Events,
              (Events{{root.Path(), 0, 0},
                      {sub, log.Events[1].CountFiles, log.Events[1].SizeOfFiles},
                      {sub, log.Events[1].CountFiles, log.Events[1].SizeOfFiles},
                      {root.Path(), log.Events[1].CountFiles, log.Events[1].SizeOfFiles},
                      {L"(changed)", log.Events[1].CountFiles, log.Events[1].SizeOfFiles}}));
}

struct HandlerFailure {};

TEST_F(ScannerEvents, FailingHandlerClosesOpenFoldersAndSkipsOnChanged) {
    log.Action = [&](TJvSearchFolders&, const std::wstring& dir) {
        if (dir == inner)
            throw HandlerFailure{};
    };
    EXPECT_THROW(scanner.Start(), HandlerFailure);
    // inner failed on entering, before its listing opened: only sub and root are closed.
    ASSERT_EQ(log.Events.size(), 5u);
    EXPECT_EQ(log.Events[2].Dir, inner);
    EXPECT_EQ(log.Events[3].Dir, sub);
    EXPECT_EQ(log.Events[4].Dir, root.Path());
}

TEST_F(ScannerEvents, FailureOnLeavingStillClosesTheEnclosingFolders) {
    int leftInner = 0;
    log.Action = [&](TJvSearchFolders&, const std::wstring& dir) {
        if (dir == inner && ++leftInner == 2)
            throw HandlerFailure{};
    };
    EXPECT_THROW(scanner.Start(), HandlerFailure);
    ASSERT_EQ(log.Events.size(), 6u);
    EXPECT_EQ(log.Events[3].Dir, inner);
    EXPECT_EQ(log.Events[4].Dir, sub);
    EXPECT_EQ(log.Events[5].Dir, root.Path());
}

} // namespace
