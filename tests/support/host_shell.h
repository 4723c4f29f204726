#pragma once
// Runs a command of the Linux host from a test running under Wine, so that outside tools
// (icoutils' icotool and wrestool) can check what the program wrote.
//
// Wine starts a Unix program handed to CreateProcess, but gives back no process handle and
// does not connect its standard handles. So the command runs in the host's /bin/sh with
// its output sent to files, then leaves its exit status in a second file, which appears
// all at once (it is renamed into place); the caller waits for that file.

#include <windows.h>

#include <map>
#include <string>

struct HostCommandResult {
    int exitCode = -1;  // -1: the command could not be started or did not finish in time
    std::string output; // standard output
    std::string errors; // standard error
};

// True when the tests run under Wine, where host commands can be started.
bool HostShellAvailable();

// The host's path of a Windows path (as the host shell must be given it).
std::string HostPath(const std::wstring& windowsPath);

// The text quoted for the host shell (in single quotes).
std::string ShellQuote(const std::string& text);

// Runs the shell command line and waits for its end, at most timeoutMs milliseconds.
HostCommandResult RunHostShell(const std::string& command, DWORD timeoutMs = 60000);

// How many images icoutils' icotool lists for each .ico file of Folder, by file name. A file
// it rejects lists fewer images than its directory holds, or none.
std::map<std::wstring, int> IcotoolImageCounts(const std::wstring& Folder);
