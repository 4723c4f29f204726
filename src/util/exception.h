#pragma once
// The program's error type: every failure is an exception carrying the text the user
// (or the error log) is shown. Portable: no Win32 here.

#include <string>

class Exception {
public:
    explicit Exception(std::wstring message) : message_(std::move(message)) {}
    virtual ~Exception() = default;
    const std::wstring& Message() const { return message_; }

private:
    std::wstring message_;
};

// Raised when a stream cannot supply the bytes a reader asked for.
class EReadError : public Exception {
public:
    using Exception::Exception;
};
