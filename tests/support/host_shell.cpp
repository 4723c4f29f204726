#include <windows.h>

#include "support/host_shell.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "support/scratch_folder.h"

namespace {

// Wine's own path conversions; the results are allocated on the process heap.
using ToUnixName = char*(CDECL*)(LPCWSTR);
using ToDosName = WCHAR*(CDECL*)(LPCSTR);

template <typename F> F WineExport(const char* name) {
    return reinterpret_cast<F>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), name)));
}

std::wstring DosPath(const char* unixPath) {
    const auto toDos = WineExport<ToDosName>("wine_get_dos_file_name");
    WCHAR* dos = toDos ? toDos(unixPath) : nullptr;
    if (!dos)
        throw std::runtime_error("no DOS path for a host path");
    std::wstring path = dos;
    ::HeapFree(::GetProcessHeap(), 0, dos);
    return path;
}

// The command line argument quoted so that the usual Windows splitting gives it back whole.
std::wstring QuoteArgument(const std::wstring& arg) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

std::wstring Widen(const std::string& text) {
    std::wstring wide(text.size() * 2 + 1, L'\0');
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                        wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n : 0);
    return wide;
}

std::string ReadText(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

bool HostShellAvailable() {
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr &&
           WineExport<ToUnixName>("wine_get_unix_file_name") != nullptr &&
           WineExport<ToDosName>("wine_get_dos_file_name") != nullptr;
}

std::string HostPath(const std::wstring& windowsPath) {
    const auto toUnix = WineExport<ToUnixName>("wine_get_unix_file_name");
    char* unix = toUnix ? toUnix(windowsPath.c_str()) : nullptr;
    if (!unix)
        throw std::runtime_error("no host path for a Windows path");
    std::string path = unix;
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return path;
}

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

HostCommandResult RunHostShell(const std::string& command, DWORD timeoutMs) {
    HostCommandResult result;
    if (!HostShellAvailable())
        return result;
    const ScratchFolder folder;
    const std::string output = ShellQuote(HostPath(folder / L"output"));
    const std::string errors = ShellQuote(HostPath(folder / L"errors"));
    const std::string status = HostPath(folder / L"status");
    const std::string script = "{ " + command + "\n} >" + output + " 2>" + errors +
                               " </dev/null; echo $? >" + ShellQuote(status + ".part") + " && mv " +
                               ShellQuote(status + ".part") + " " + ShellQuote(status);
    std::wstring line = QuoteArgument(DosPath("/bin/sh")) + L" -c " + QuoteArgument(Widen(script));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        return result;
    // Unix programs come back without handles; close whatever a Wine version might give.
    if (process.hThread)
        ::CloseHandle(process.hThread);
    if (process.hProcess)
        ::CloseHandle(process.hProcess);

    const DWORD start = ::GetTickCount();
    while (!Exists(folder / L"status")) {
        if (::GetTickCount() - start > timeoutMs) {
            result.output = "the host command did not finish in time";
            return result;
        }
        ::Sleep(10);
    }
    result.exitCode = std::stoi(ReadText(folder / L"status"));
    result.output = ReadText(folder / L"output");
    result.errors = ReadText(folder / L"errors");
    return result;
}

std::map<std::wstring, int> IcotoolImageCounts(const std::wstring& Folder) {
    const HostCommandResult result = RunHostShell(
        "cd " + ShellQuote(HostPath(Folder)) +
            " && for f in *.ico; do [ -f \"$f\" ] && echo \"$(icotool -l \"$f\" 2>/dev/null |"
            " grep -c -- '^--icon') $f\"; done",
        300000);
    std::map<std::wstring, int> counts;
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t blank = line.find(' ');
        if (blank == std::string::npos)
            continue;
        const std::string name = line.substr(blank + 1);
        counts[std::wstring(name.begin(), name.end())] = std::stoi(line.substr(0, blank));
    }
    return counts;
}
