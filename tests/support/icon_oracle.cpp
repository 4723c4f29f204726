#include <windows.h>

#include "support/icon_oracle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "support/byte_writer.h"
#include "support/host_shell.h"
#include "support/scratch_folder.h"
#include "util/handle.h"

std::string Narrow(const std::wstring& s) {
    std::string out;
    for (wchar_t c : s)
        out += static_cast<char>(c < 128 ? c : '?');
    return out;
}

bool ToolsAvailable() {
    return HostShellAvailable() &&
           RunHostShell("command -v wrestool && command -v icotool").exitCode == 0;
}

// The length an .ico file's directory states: header, entries and every image's bytes.
std::size_t StatedLength(const std::vector<std::uint8_t>& Ico) {
    const std::size_t count = Get16(Ico, 4);
    std::size_t length = 6 + 16 * count;
    for (std::size_t i = 0; i < count; ++i)
        length += Get32(Ico, 6 + 16 * i + 8);
    return length;
}

// wrestool's file for group Name of File: <file>_14_<name>.ico, or with a language suffix.
std::wstring ExtractedFile(const std::wstring& Folder, const std::wstring& File,
                           const std::wstring& Name) {
    const std::wstring stem = Folder + L"\\" + File + L"_14_" + Name;
    if (::GetFileAttributesW((stem + L".ico").c_str()) != INVALID_FILE_ATTRIBUTES)
        return stem + L".ico";
    WIN32_FIND_DATAW data;
    UniqueFind find(::FindFirstFileW((stem + L"_*.ico").c_str(), &data));
    return find ? Folder + L"\\" + data.cFileName : std::wstring();
}

// Compares our .ico of each entry with wrestool's; returns the number compared.
int ExpectSameAsExtracted(const std::wstring& Ours, const std::wstring& Theirs,
                          const std::wstring& File) {
    const std::vector<std::uint8_t> ours = ReadFileBytes(Ours);
    if (Theirs.empty()) {
        ADD_FAILURE() << "wrestool extracted nothing for " << Narrow(Ours);
        return 0;
    }
    const std::vector<std::uint8_t> theirs = ReadFileBytes(Theirs);
    EXPECT_EQ(ours.size(), StatedLength(ours)) << Narrow(File);
    EXPECT_GE(theirs.size(), ours.size()) << Narrow(File);
    const std::size_t common = std::min(ours.size(), theirs.size());
    EXPECT_TRUE(std::equal(ours.begin(), ours.begin() + static_cast<std::ptrdiff_t>(common),
                           theirs.begin()))
        << Narrow(File) << ": differs from wrestool's " << Narrow(Theirs);
    return 1;
}

// Runs wrestool -x -t 14 on the listed files (Windows paths), into Out.
void ExtractGroups(const std::vector<std::wstring>& Files, const std::wstring& Out,
                   const ScratchFolder& Scratch) {
    std::ofstream list(std::filesystem::path(Scratch / L"files.txt"), std::ios::binary);
    for (const std::wstring& file : Files)
        list << HostPath(file) << '\n';
    list.close();
    const HostCommandResult result =
        RunHostShell("xargs -d '\\n' wrestool -x -t 14 -o " + ShellQuote(HostPath(Out)) + " < " +
                         ShellQuote(HostPath(Scratch / L"files.txt")),
                     300000);
    ASSERT_NE(result.exitCode, -1) << result.output;
}

double WrestoolSeconds(const std::vector<std::wstring>& Modules, const ScratchFolder& Scratch) {
    const std::wstring list = Scratch / L"modules.txt";
    {
        std::ofstream out(std::filesystem::path(list), std::ios::binary);
        for (const std::wstring& module : Modules)
            out << HostPath(module) << '\n';
    }
    const std::wstring extracted = Scratch / L"wrestool";
    ::CreateDirectoryW(extracted.c_str(), nullptr);
    const HostCommandResult result = RunHostShell(
        "s=$(date +%s%N); xargs -d '\\n' wrestool -x -t 14 -o " + ShellQuote(HostPath(extracted)) +
            " < " + ShellQuote(HostPath(list)) + " 2>/dev/null; e=$(date +%s%N); echo $((e - s))",
        600000);
    if (result.exitCode != 0)
        return -1;
    return std::stod(result.output.substr(
               result.output.find_last_of('\n', result.output.size() - 2) + 1)) /
           1e9;
}
