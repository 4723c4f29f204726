#include "harvest/scan/mask.h"

namespace {

// Names are compared without regard to the case of the Latin letters only; every other
// character, Cyrillic included, must match exactly.
wchar_t UpCaseLatin(wchar_t ch) {
    return ch >= L'a' && ch <= L'z' ? ch - (L'a' - L'A') : ch;
}

std::wstring MaskErrorText(std::wstring_view mask, size_t position) {
    return L"'" + std::wstring(mask) + L"' is an invalid mask at (" + std::to_wstring(position) +
           L")";
}

} // namespace

EMaskError::EMaskError(std::wstring_view mask, size_t position)
    : Exception(MaskErrorText(mask, position)) {}

TMask::TMask(std::wstring_view mask) {
    bool skip = false;
    int skipSteps = 0;
    // Each step takes the pending "*"; position is where the step begins (1-based).
    auto add = [&](TMaskStep&& step, size_t position) {
        if (skip) {
            if (++skipSteps > MaxSkipSteps)
                throw EMaskError(mask, position);
            step.Skip = true;
            skip = false;
        }
        Steps.push_back(std::move(step));
    };

    for (size_t i = 0; i < mask.size(); ++i) {
        TMaskStep step;
        switch (mask[i]) {
        case L'*':
            skip = true;
            break;
        case L'?':
            // "*?" is read as "*": the skip already covers the one character.
            if (!skip) {
                step.Kind = TStepKind::AnyOne;
                add(std::move(step), i + 1);
            }
            break;
        case L'[': {
            const size_t open = i;
            i = CompileSet(mask, open, step);
            add(std::move(step), open + 1);
            break;
        }
        default:
            step.Char = UpCaseLatin(mask[i]);
            add(std::move(step), i + 1);
            break;
        }
    }
    TMaskStep end;
    end.Kind = TStepKind::End;
    add(std::move(end), mask.size() + 1);
}

// Reads the set that opens at mask[open] into step; returns the index of its closing "]".
size_t TMask::CompileSet(std::wstring_view mask, size_t open, TMaskStep& step) {
    step.Kind = TStepKind::Set;
    size_t i = open + 1;
    if (i < mask.size() && mask[i] == L'!') {
        step.Negated = true;
        ++i;
    }
    bool haveStart = false;
    wchar_t start = 0; // the last single character, where a following "-" range begins
    for (; i < mask.size() && mask[i] != L']'; ++i) {
        if (mask[i] != L'-') {
            start = UpCaseLatin(mask[i]);
            haveStart = true;
            step.Ranges.push_back({start, start});
            continue;
        }
        // A range needs a character on both sides of its "-".
        if (!haveStart || i + 1 >= mask.size() || mask[i + 1] == L']')
            throw EMaskError(mask, i + 1);
        const wchar_t last = UpCaseLatin(mask[++i]);
        if (last >= start)
            step.Ranges.push_back({start, last});
    }
    if (i >= mask.size())
        throw EMaskError(mask, mask.size() + 1);
    if (step.Ranges.empty())
        throw EMaskError(mask, i + 1);
    return i;
}

bool TMask::InSet(const TMaskStep& step, wchar_t ch) {
    const wchar_t up = UpCaseLatin(ch);
    for (const TCharRange& range : step.Ranges)
        if (up >= range.First && up <= range.Last)
            return !step.Negated;
    return step.Negated;
}

// Whether step takes the name character ch (the end step takes no character at all).
bool TMask::Accepts(const TMaskStep& step, wchar_t ch) {
    switch (step.Kind) {
    case TStepKind::Literal:
        return UpCaseLatin(ch) == step.Char;
    case TStepKind::AnyOne:
        return true;
    case TStepKind::Set:
        return InSet(step, ch);
    case TStepKind::End:
        break;
    }
    return false;
}

// Steps run left to right. A step after "*" first slides to the nearest character it
// takes and remembers the place after it, so that a later failure can slide it further.
// Only the most recent such place is kept: every step takes exactly one character, so once
// a later "*" has been reached, moving an earlier one right can only leave the later one
// fewer places to try. This keeps matching linear in the name for each "*" instead of
// exponential in the number of them.
bool TMask::Matches(std::wstring_view name) const {
    size_t pos = 0;
    size_t step = 0;
    bool haveRetry = false;
    size_t retryPos = 0;
    size_t retryStep = 0;
    for (;;) {
        const TMaskStep& s = Steps[step];
        if (s.Skip) {
            while (pos < name.size() && !Accepts(s, name[pos]))
                ++pos;
            haveRetry = pos < name.size();
            retryPos = pos + 1;
            retryStep = step;
        }
        if (pos == name.size() ? s.Kind == TStepKind::End : Accepts(s, name[pos])) {
            if (s.Kind == TStepKind::End)
                return true;
            ++pos;
            ++step;
            continue;
        }
        if (!haveRetry)
            return false;
        pos = retryPos;
        step = retryStep;
    }
}
