#pragma once
// The errors of opening, creating and writing files, with the full path and the system's
// text for the failure.

#include <windows.h>

#include <string>

#include "util/exception.h"

// "Невозможно открыть файл ""%s"". %s"
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

// "Невозможно создать файл ""%s"". %s"
class EFCreateError : public Exception {
public:
    using Exception::Exception;
};

// "Ошибка записи потока"
class EWriteError : public Exception {
public:
    EWriteError() : Exception(L"Ошибка записи потока") {}
};

// Both take the error from GetLastError, so call them right after the failing call.
[[noreturn]] void RaiseFileOpenError(const std::wstring& fileName);
[[noreturn]] void RaiseFileCreateError(const std::wstring& fileName);
[[noreturn]] void RaiseFileCreateError(const std::wstring& fileName, DWORD code);
