#include <windows.h>

#include "support/scratch_folder.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(path.c_str());
            }
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
}

} // namespace

ScratchFolder::ScratchFolder() {
    static std::atomic<unsigned> serial{0};
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    std::wstring base(temp, length);
    while (!base.empty() && base.back() == L'\\')
        base.pop_back();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        path_ = base + L"\\qm-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                std::to_wstring(serial++);
        if (::CreateDirectoryW(path_.c_str(), nullptr))
            return;
    }
    throw std::runtime_error("cannot create a scratch folder");
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}

std::wstring ScratchFolder::operator/(const std::wstring& name) const {
    return path_ + L"\\" + name;
}

std::vector<std::wstring> ScratchFolder::Names() const {
    return EntryNamesIn(path_);
}

std::vector<std::wstring> EntryNamesIn(std::wstring folder) {
    if (folder.empty() || folder.back() != L'\\')
        folder += L'\\';
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((folder + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<unsigned char> ReadFileBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read a test file");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::wstring& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write a test file");
}
