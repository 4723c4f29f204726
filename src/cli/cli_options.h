#pragma once
// The console harvester's command line: quillmont-harvest [options] FOLDER OUTPUT.
// Portable: no Win32 here.

#include <string>
#include <vector>

struct TCliOptions {
    std::wstring Folder;
    std::wstring Output;
    std::vector<std::wstring> Kinds = {L"exe", L"dll", L"cpl", L"ico"};
    std::wstring Report; // empty: no report
    bool AllGroups = false;
    bool FollowMun = false;
    bool RealSystem32 = false;
    bool SkipDuplicates = false;
    bool Quiet = false;
    bool Help = false;
    bool Version = false;
};

struct TParsedCommandLine {
    TCliOptions Options;
    std::wstring Error; // empty when the line is usable
};

// Reads the arguments after the program's name. Options may come anywhere; "--" ends them;
// "--kinds" and "--report" take the next argument or "=value". With --help or --version
// nothing else is required.
TParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& Args);

// The scanner mask of the kinds: "*.exe,*.dll,*.cpl,*.ico" for the default ones.
std::wstring KindsMask(const std::vector<std::wstring>& Kinds);

std::wstring UsageText();
// "quillmont-harvest <version>".
std::wstring VersionText();
