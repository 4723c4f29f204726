#pragma once
// A fresh empty folder under the temporary folder for one test, removed with everything in
// it when the test ends.

#include <windows.h>

#include <string>
#include <vector>

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's path, without a trailing backslash.
    const std::wstring& Path() const { return path_; }
    // Path() + "\" + name.
    std::wstring operator/(const std::wstring& name) const;
    // The names of the entries directly inside the folder, sorted.
    std::vector<std::wstring> Names() const;

private:
    std::wstring path_;
};

// The names of the entries directly inside Folder (with or without its trailing "\"), sorted.
std::vector<std::wstring> EntryNamesIn(std::wstring folder);

// Whole-file helpers for checking what a test wrote.
std::vector<unsigned char> ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::vector<unsigned char>& bytes);
