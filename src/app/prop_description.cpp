#include "app/prop_description.h"

#include <climits>

namespace {

const wchar_t* const kLineBreak = L"\r\n";

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

std::wstring_view Trim(std::wstring_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IsIdentifierStart(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_';
}

bool IsIdentifier(std::wstring_view s) {
    if (s.empty() || !IsIdentifierStart(s.front()))
        return false;
    for (wchar_t c : s) {
        if (!IsIdentifierStart(c) && !(c >= L'0' && c <= L'9'))
            return false;
    }
    return true;
}

// A property name: identifiers joined by full stops ("Columns.__Item0.Width").
bool IsPropertyName(std::wstring_view s) {
    for (;;) {
        const auto dot = s.find(L'.');
        if (!IsIdentifier(s.substr(0, dot)))
            return false;
        if (dot == std::wstring_view::npos)
            return true;
        s.remove_prefix(dot + 1);
    }
}

bool IsValue(std::wstring_view s) {
    return IsIdentifier(s) || ReadInteger(s).has_value();
}

void WriteObject(const TPropObject& object, const std::wstring& indent, std::wstring& out) {
    out += indent + L"object " + object.Name + L": " + object.ClassName + kLineBreak;
    const std::wstring inner = indent + L"  ";
    for (const auto& [name, value] : object.Props)
        out += inner + name + L" = " + value + kLineBreak;
    for (const TPropObject& child : object.Children)
        WriteObject(child, inner, out);
    out += indent + L"end" + kLineBreak;
}

// The two sides of the first Separator in line, each without its surrounding blanks.
std::optional<std::pair<std::wstring_view, std::wstring_view>> SplitTrimmed(std::wstring_view line,
                                                                            wchar_t Separator) {
    const auto at = line.find(Separator);
    if (at == std::wstring_view::npos)
        return std::nullopt;
    return std::pair{Trim(line.substr(0, at)), Trim(line.substr(at + 1))};
}

// "object Name: Class", spacing free.
std::optional<TPropObject> ReadObjectLine(std::wstring_view line) {
    constexpr std::wstring_view keyword = L"object";
    if (line.substr(0, keyword.size()) != keyword || line.size() == keyword.size() ||
        !IsBlank(line[keyword.size()]))
        return std::nullopt;
    line.remove_prefix(keyword.size());
    const auto parts = SplitTrimmed(line, L':');
    if (!parts || !IsIdentifier(parts->first) || !IsIdentifier(parts->second))
        return std::nullopt;
    return TPropObject{std::wstring(parts->first), std::wstring(parts->second), {}, {}};
}

// "Name = Value", spacing free.
std::optional<std::pair<std::wstring, std::wstring>> ReadPropLine(std::wstring_view line) {
    const auto parts = SplitTrimmed(line, L'=');
    if (!parts || !IsPropertyName(parts->first) || !IsValue(parts->second))
        return std::nullopt;
    return std::pair{std::wstring(parts->first), std::wstring(parts->second)};
}

// The reader proper; may throw std::bad_alloc, which the public entry turns into nullopt.
std::optional<TPropObject> Read(std::wstring_view text) {
    std::optional<TPropObject> root;
    std::vector<TPropObject*> open; // the root and the objects inside it not yet ended
    for (const std::wstring& raw : SplitLines(text)) {
        const std::wstring_view line = Trim(raw);
        if (line.empty())
            continue;
        if (root && open.empty())
            break; // lines after the root's end belong to no description of this window
        if (line == L"end") {
            if (open.empty())
                return std::nullopt;
            open.pop_back();
        } else if (auto object = ReadObjectLine(line)) {
            if (open.size() >= static_cast<std::size_t>(kMaxPropDepth))
                return std::nullopt;
            if (!root) {
                root = std::move(*object);
                open.push_back(&*root);
            } else {
                open.back()->Children.push_back(std::move(*object));
                open.push_back(&open.back()->Children.back());
            }
        } else if (auto prop = ReadPropLine(line)) {
            if (open.empty())
                return std::nullopt;
            open.back()->Props.push_back(std::move(*prop));
        } else {
            return std::nullopt;
        }
    }
    if (!root || !open.empty())
        return std::nullopt;
    return root;
}

} // namespace

TPropObject& TPropObject::Child(const std::wstring& name, const std::wstring& className) {
    for (TPropObject& child : Children) {
        if (child.Name == name)
            return child;
    }
    Children.push_back({name, className, {}, {}});
    return Children.back();
}

std::wstring WritePropDescription(const TPropObject& root) {
    std::wstring out;
    WriteObject(root, L"", out);
    return out;
}

std::optional<TPropObject> ReadPropDescription(std::wstring_view text) noexcept {
    try {
        return Read(text);
    } catch (...) {
        return std::nullopt;
    }
}

std::wstring IntegerText(long long value) {
    return std::to_wstring(value);
}

std::wstring BooleanText(bool value) {
    return value ? L"True" : L"False";
}

std::optional<int> ReadInteger(std::wstring_view text) {
    const bool negative = !text.empty() && text.front() == L'-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        value = value * 10 + (c - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<bool> ReadBoolean(std::wstring_view text) {
    if (text == L"True")
        return true;
    if (text == L"False")
        return false;
    return std::nullopt;
}

std::vector<std::wstring> SplitLines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\r' && text[i] != L'\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::wstring JoinLines(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const std::wstring& line : lines)
        text += line + kLineBreak;
    return text;
}
