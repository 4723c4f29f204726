#include "cli/cli_options.h"

#include <string_view>

#include "qm_version.h"

namespace {

#define QM_WIDEN2(x) L##x
#define QM_WIDEN(x) QM_WIDEN2(x)

// A kind is an extension without its dot: none of the characters masks or paths give a
// meaning to.
bool IsPlainKind(std::wstring_view Kind) {
    return !Kind.empty() && Kind.find_first_of(L".,;*?\\/:<>|\" \t") == std::wstring_view::npos;
}

std::wstring ParseKinds(std::wstring_view List, std::vector<std::wstring>& Kinds) {
    Kinds.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = List.find(L',', start);
        const std::wstring_view kind = List.substr(start, comma - start);
        if (!IsPlainKind(kind))
            return L"--kinds wants extensions without dots, separated by commas, not \"" +
                   std::wstring(List) + L"\"";
        Kinds.emplace_back(kind);
        if (comma == std::wstring_view::npos)
            return {};
        start = comma + 1;
    }
}

} // namespace

TParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& Args) {
    TParsedCommandLine parsed;
    TCliOptions& o = parsed.Options;
    std::vector<std::wstring> operands;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < Args.size() && parsed.Error.empty(); ++i) {
        const std::wstring& arg = Args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != L'-') {
            operands.push_back(arg);
            continue;
        }
        const std::size_t equals = arg.find(L'=');
        const std::wstring name = arg.substr(0, equals);
        // The value of an option that takes one: after "=", or the next argument.
        auto value = [&](std::wstring& Into) {
            if (equals != std::wstring::npos)
                Into = arg.substr(equals + 1);
            else if (i + 1 < Args.size())
                Into = Args[++i];
            else
                parsed.Error = name + L" needs a value";
        };
        const std::vector<std::pair<const wchar_t*, bool*>> flags = {
            {L"--all-groups", &o.AllGroups},
            {L"--follow-mun", &o.FollowMun},
            {L"--real-system32", &o.RealSystem32},
            {L"--skip-duplicates", &o.SkipDuplicates},
            {L"--quiet", &o.Quiet},
            {L"--help", &o.Help},
            {L"-h", &o.Help},
            {L"--version", &o.Version}};
        bool known = false;
        for (const auto& [flag, field] : flags) {
            if (arg == flag) {
                *field = known = true;
            }
        }
        if (known)
            continue;
        if (arg == L"--") {
            optionsEnded = true;
        } else if (name == L"--kinds") {
            std::wstring list;
            value(list);
            if (parsed.Error.empty())
                parsed.Error = ParseKinds(list, o.Kinds);
        } else if (name == L"--report") {
            value(o.Report);
            if (parsed.Error.empty() && o.Report.empty())
                parsed.Error = L"--report needs a file name";
        } else {
            parsed.Error = L"unknown option " + arg;
        }
    }
    if (!parsed.Error.empty() || o.Help || o.Version)
        return parsed;
    if (operands.size() != 2)
        parsed.Error = operands.size() < 2 ? L"FOLDER and OUTPUT are both needed"
                                           : L"too many arguments: " + operands[2];
    else {
        o.Folder = operands[0];
        o.Output = operands[1];
    }
    return parsed;
}

std::wstring KindsMask(const std::vector<std::wstring>& Kinds) {
    std::wstring mask;
    for (const std::wstring& kind : Kinds)
        mask += (mask.empty() ? L"*." : L",*.") + kind;
    return mask;
}

std::wstring VersionText() {
    return L"quillmont-harvest " QM_WIDEN(QM_VERSION_TEXT);
}

std::wstring UsageText() {
    return L"Usage: quillmont-harvest [options] FOLDER OUTPUT\n"
           L"Saves the icons of the modules and .ico files in the FOLDER tree into OUTPUT\n"
           L"(created when missing): each module's first icon group with all its images as\n"
           L"<name>_<position>.ico, each .ico file copied, as Quillmont's harvest does.\n"
           L"\n"
           L"  --kinds LIST        extensions to collect, comma-separated without dots\n"
           L"                      (default exe,dll,cpl,ico), e.g. exe,dll,icl,scr,ocx,mun,ico\n"
           L"  --all-groups        every icon group of a module, as\n"
           L"                      <name>_<position>_<group>.ico\n"
           L"  --follow-mun        a module in System32 or SysWOW64 without icons is read\n"
           L"                      from %SystemRoot%\\SystemResources\\<its name>.mun\n"
           L"  --real-system32     32-bit build on 64-bit Windows: see the real System32\n"
           L"  --skip-duplicates   do not write an output identical to one already written\n"
           L"  --report FILE       write a tab-separated UTF-8 line for every file found\n"
           L"  --quiet             no progress and no summary; failures are still shown\n"
           L"  --help              show this text\n"
           L"  --version           show the version\n"
           L"\n"
           L"Exit status: 0 all files done, 1 some files failed (or Ctrl+C stopped the run),\n"
           L"2 a usage error or a FOLDER or OUTPUT that cannot be used.\n"
           L"Failures are also appended to error.log beside the program.\n";
}
