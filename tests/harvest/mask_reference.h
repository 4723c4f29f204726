#pragma once
// An independent, deliberately plain reading of the wildcard rules, working on the mask text
// itself (recursion with a memo table) rather than on compiled steps. The tests and the
// fuzz target compare TMask against it. Only call it for masks that compile.

#include <string_view>
#include <vector>

namespace mask_reference {

inline wchar_t Up(wchar_t c) {
    return c >= L'a' && c <= L'z' ? c - 32 : c;
}

// Whether the set whose "[" is at Mask[Open] holds Ch; End receives the index after "]".
inline bool SetHolds(std::wstring_view Mask, size_t Open, wchar_t Ch, size_t& End) {
    size_t i = Open + 1;
    const bool negated = i < Mask.size() && Mask[i] == L'!';
    if (negated)
        ++i;
    bool found = false;
    wchar_t start = 0;
    for (; Mask[i] != L']'; ++i) {
        if (Mask[i] == L'-') {
            const wchar_t last = Up(Mask[++i]);
            found = found || (Up(Ch) >= start && Up(Ch) <= last);
        } else {
            start = Up(Mask[i]);
            found = found || Up(Ch) == start;
        }
    }
    End = i + 1;
    return found != negated;
}

class Matcher {
public:
    Matcher(std::wstring_view Mask, std::wstring_view Name)
        : mask(Mask), name(Name), memo((Mask.size() + 1) * (Name.size() + 1), -1) {}

    bool Run() { return From(0, 0); }

private:
    bool From(size_t m, size_t n) {
        signed char& seen = memo[m * (name.size() + 1) + n];
        if (seen < 0)
            seen = Compute(m, n) ? 1 : 0;
        return seen == 1;
    }

    bool Compute(size_t m, size_t n) {
        if (m == mask.size())
            return n == name.size();
        if (mask[m] == L'*') {
            // Any run of "*" and "?" after a "*" stands for one "*".
            size_t rest = m;
            while (rest < mask.size() && (mask[rest] == L'*' || mask[rest] == L'?'))
                ++rest;
            for (size_t k = n; k <= name.size(); ++k)
                if (From(rest, k))
                    return true;
            return false;
        }
        if (n == name.size())
            return false;
        if (mask[m] == L'?')
            return From(m + 1, n + 1);
        if (mask[m] == L'[') {
            size_t end = 0;
            return SetHolds(mask, m, name[n], end) && From(end, n + 1);
        }
        return Up(mask[m]) == Up(name[n]) && From(m + 1, n + 1);
    }

    std::wstring_view mask;
    std::wstring_view name;
    std::vector<signed char> memo;
};

inline bool Matches(std::wstring_view Mask, std::wstring_view Name) {
    return Matcher(Mask, Name).Run();
}

} // namespace mask_reference
