#pragma once
// Errors of operating-system calls, with the system's own description of the error code.

#include <windows.h>

#include <string>

#include "util/exception.h"

class EOSError : public Exception {
public:
    explicit EOSError(DWORD code);
    DWORD ErrorCode() const { return code_; }

private:
    DWORD code_;
};

// The system's text for an error code, without the trailing line break; empty if unknown.
std::wstring SysErrorMessage(DWORD code);

// Raises EOSError for GetLastError(): "System Error.  Code: N.\r\n<text>", or
// "A call to an OS function failed" when the failing call left no error code.
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseOSError(DWORD code);
