#pragma once
// Writing a file so that it is never seen half-written: the new content goes to a temporary
// file beside the target, which then replaces the target in one step.

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

// Makes FileName hold exactly Bytes. On failure raises the OS error; the target is then
// either untouched or already complete, and no temporary file is left behind.
void WriteWholeFile(const std::wstring& FileName, std::span<const uint8_t> Bytes);

// Makes FileName a copy of the file Source (its bytes and last-write time), with the same
// guarantees as WriteWholeFile; an unreadable source leaves the target untouched.
void CopyWholeFile(const std::wstring& Source, const std::wstring& FileName);
