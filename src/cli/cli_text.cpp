#include "cli/cli_text.h"

namespace {

std::wstring FileNameOf(std::wstring_view Path) {
    const std::size_t slash = Path.find_last_of(L"\\/");
    return std::wstring(slash == std::wstring_view::npos ? Path : Path.substr(slash + 1));
}

// The groups' field made by Part, joined by ";".
template <typename F> std::wstring JoinGroups(const std::vector<THarvestGroup>& Groups, F Part) {
    std::wstring field;
    for (std::size_t i = 0; i < Groups.size(); ++i)
        field += (i ? L";" : L"") + Part(Groups[i]);
    return OneLine(field);
}

} // namespace

std::wstring OneLine(std::wstring_view Text) {
    std::wstring line(Text);
    for (wchar_t& c : line)
        if (c == L'\t' || c == L'\r' || c == L'\n')
            c = L' ';
    return line;
}

std::wstring FileProgress(std::size_t Done, std::size_t Total, std::wstring_view Path) {
    return L"[" + std::to_wstring(Done) + L"/" + std::to_wstring(Total) + L"] " +
           std::to_wstring(Total - Done) + L" left: " + std::wstring(Path);
}

std::wstring WalkProgress(std::size_t Found, std::wstring_view Folder) {
    return L"scanning, " + std::to_wstring(Found) + L" found: " + std::wstring(Folder);
}

std::wstring SummaryLine(std::size_t Checked, std::size_t Saved, std::size_t Failed) {
    return L"files checked: " + std::to_wstring(Checked) + L", icons saved: " +
           std::to_wstring(Saved) + L", files failed: " + std::to_wstring(Failed);
}

std::wstring ReportHeader() {
    return L"source\tkind\tresult\toutputs\tgroups\timages\r\n";
}

std::wstring ReportLine(std::wstring_view Source, TSourceKind Kind, std::wstring_view Result,
                        const std::vector<THarvestGroup>& Groups) {
    const std::wstring outputs = JoinGroups(Groups, [](const THarvestGroup& g) {
        return g.DuplicateOf.empty() ? FileNameOf(g.Output) : L"duplicate of " + g.DuplicateOf;
    });
    const std::wstring names = JoinGroups(Groups, [](const THarvestGroup& g) { return g.Name; });
    const std::wstring images = JoinGroups(Groups, [](const THarvestGroup& g) {
        std::wstring list;
        for (std::size_t k = 0; k < g.Images.size(); ++k)
            list += (k ? L"," : L"") + ImageFactsText(g.Images[k]);
        return list;
    });
    return OneLine(Source) + L"\t" + SourceKindText(Kind) + L"\t" + OneLine(Result) + L"\t" +
           outputs + L"\t" + names + L"\t" + images + L"\r\n";
}
