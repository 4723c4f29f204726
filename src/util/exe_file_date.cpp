#include <windows.h>

#include "util/exe_file_date.h"

#include "util/app_folder.h"
#include "util/handle.h"
#include "util/os_error.h"

SYSTEMTIME FileDate(const std::wstring& Path) {
    WIN32_FIND_DATAW entry;
    UniqueFind find(::FindFirstFileW(Path.c_str(), &entry));
    if (!find)
        RaiseLastOSError();
    if (entry.dwFileAttributes &
        (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY))
        RaiseOSError(ERROR_FILE_NOT_FOUND);

    FILETIME local;
    WORD date = 0;
    WORD time = 0;
    FILETIME stamped;
    SYSTEMTIME result;
    if (!::FileTimeToLocalFileTime(&entry.ftLastWriteTime, &local) ||
        !::FileTimeToDosDateTime(&local, &date, &time) ||
        !::DosDateTimeToFileTime(date, time, &stamped) ||
        !::FileTimeToSystemTime(&stamped, &result))
        RaiseLastOSError();
    return result;
}

SYSTEMTIME ExeFileDate() {
    return FileDate(ExePath());
}
