#include "harvest/scan/mask.h"

namespace {

// Names are compared without regard to the case of the Latin letters only; every other
// character, Cyrillic included, must match exactly.
wchar_t UpCaseLatin(wchar_t Ch) {
    return Ch >= L'a' && Ch <= L'z' ? Ch - (L'a' - L'A') : Ch;
}

std::wstring MaskErrorText(std::wstring_view Mask, size_t Position) {
    return L"'" + std::wstring(Mask) + L"' is an invalid mask at (" + std::to_wstring(Position) +
           L")";
}

} // namespace

EMaskError::EMaskError(std::wstring_view Mask, size_t Position)
    : Exception(MaskErrorText(Mask, Position)) {}

TMask::TMask(std::wstring_view Mask) {
    bool skip = false;
    int skipSteps = 0;
    // Each step takes the pending "*"; Position is where the step begins (1-based).
    auto add = [&](TMaskStep&& step, size_t Position) {
        if (skip) {
            if (++skipSteps > MaxSkipSteps)
                throw EMaskError(Mask, Position);
            step.Skip = true;
            skip = false;
        }
        Steps.push_back(std::move(step));
    };

    for (size_t i = 0; i < Mask.size(); ++i) {
        TMaskStep step;
        switch (Mask[i]) {
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
            i = CompileSet(Mask, open, step);
            add(std::move(step), open + 1);
            break;
        }
        default:
            step.Char = UpCaseLatin(Mask[i]);
            add(std::move(step), i + 1);
            break;
        }
    }
    TMaskStep end;
    end.Kind = TStepKind::End;
    add(std::move(end), Mask.size() + 1);
}

// Reads the set that opens at Mask[Open] into Step; returns the index of its closing "]".
size_t TMask::CompileSet(std::wstring_view Mask, size_t Open, TMaskStep& Step) {
    Step.Kind = TStepKind::Set;
    size_t i = Open + 1;
    if (i < Mask.size() && Mask[i] == L'!') {
        Step.Negated = true;
        ++i;
    }
    bool haveStart = false;
    wchar_t start = 0; // the last single character, where a following "-" range begins
    for (; i < Mask.size() && Mask[i] != L']'; ++i) {
        if (Mask[i] != L'-') {
            start = UpCaseLatin(Mask[i]);
            haveStart = true;
            Step.Ranges.push_back({start, start});
            continue;
        }
        // A range needs a character on both sides of its "-".
        if (!haveStart || i + 1 >= Mask.size() || Mask[i + 1] == L']')
            throw EMaskError(Mask, i + 1);
        const wchar_t last = UpCaseLatin(Mask[++i]);
        if (last >= start)
            Step.Ranges.push_back({start, last});
    }
    if (i >= Mask.size())
        throw EMaskError(Mask, Mask.size() + 1);
    if (Step.Ranges.empty())
        throw EMaskError(Mask, i + 1);
    return i;
}

bool TMask::InSet(const TMaskStep& Step, wchar_t Ch) {
    const wchar_t up = UpCaseLatin(Ch);
    for (const TCharRange& range : Step.Ranges)
        if (up >= range.First && up <= range.Last)
            return !Step.Negated;
    return Step.Negated;
}

// Whether Step takes the name character Ch (the end step takes no character at all).
bool TMask::Accepts(const TMaskStep& Step, wchar_t Ch) {
    switch (Step.Kind) {
    case TStepKind::Literal:
        return UpCaseLatin(Ch) == Step.Char;
    case TStepKind::AnyOne:
        return true;
    case TStepKind::Set:
        return InSet(Step, Ch);
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
bool TMask::Matches(std::wstring_view Name) const {
    size_t pos = 0;
    size_t step = 0;
    bool haveRetry = false;
    size_t retryPos = 0;
    size_t retryStep = 0;
    for (;;) {
        const TMaskStep& s = Steps[step];
        if (s.Skip) {
            while (pos < Name.size() && !Accepts(s, Name[pos]))
                ++pos;
            haveRetry = pos < Name.size();
            retryPos = pos + 1;
            retryStep = step;
        }
        if (pos == Name.size() ? s.Kind == TStepKind::End : Accepts(s, Name[pos])) {
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
