#pragma once
// One compiled wildcard mask for file names: "*" skips any run of characters, "?" takes
// exactly one, "[...]" takes one character of a set ("[!...]" one outside it, "a-z" a
// range). Only the Latin letters a to z are matched without regard to case.
// Portable: no Win32 here.

#include <string>
#include <string_view>
#include <vector>

#include "util/exception.h"

// Raised when a mask text cannot be compiled; position is 1-based (the mask's length plus
// one when the fault was found at its end).
class EMaskError : public Exception {
public:
    EMaskError(std::wstring_view mask, size_t position);
};

class TMask {
public:
    // A mask may hold at most this many steps preceded by "*".
    static constexpr int MaxSkipSteps = 30;

    explicit TMask(std::wstring_view mask);

    // True when the whole name is taken up by the mask.
    bool Matches(std::wstring_view name) const;

private:
    enum class TStepKind { Literal, AnyOne, Set, End };

    struct TCharRange {
        wchar_t First;
        wchar_t Last;
    };

    struct TMaskStep {
        TStepKind Kind = TStepKind::Literal;
        bool Skip = false; // a "*" stood before this step
        bool Negated = false;
        wchar_t Char = 0;               // literal, already upper-cased
        std::vector<TCharRange> Ranges; // set members, upper-cased
    };

    static size_t CompileSet(std::wstring_view mask, size_t open, TMaskStep& step);
    static bool Accepts(const TMaskStep& step, wchar_t ch);
    static bool InSet(const TMaskStep& step, wchar_t ch);

    std::vector<TMaskStep> Steps;
};
