#pragma once
// The real System32 for a 32-bit process on 64-bit Windows: file-system redirection off for
// the life of the scope, on this thread only, and back on after it. Nothing happens in a
// 64-bit process, on 32-bit Windows, or when the scope is not asked for.

#include <windows.h>

class TRealSystem32Scope {
public:
    explicit TRealSystem32Scope(bool Wanted);
    ~TRealSystem32Scope();
    TRealSystem32Scope(const TRealSystem32Scope&) = delete;
    TRealSystem32Scope& operator=(const TRealSystem32Scope&) = delete;

private:
    PVOID old_ = nullptr;
    bool off_ = false;
};
