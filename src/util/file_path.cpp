#include "util/file_path.h"

std::wstring FolderOfFile(std::wstring_view FilePath) {
    const std::size_t cut = FilePath.rfind(L'\\');
    std::wstring folder(cut == std::wstring_view::npos ? std::wstring_view{}
                                                       : FilePath.substr(0, cut + 1));
    if (folder.empty() || folder.back() != L'\\')
        folder += L'\\';
    return folder;
}
