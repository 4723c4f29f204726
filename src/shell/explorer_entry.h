#pragma once
// The program's entry in Explorer's context menu of a folder's background: adding it,
// removing it, and telling the user how it went.

#include <windows.h>

#include <string>

#include "shell/registry.h"

class TExplorerEntry {
public:
    // The entry for the executable at exePath, named after its file name.
    explicit TExplorerEntry(std::wstring exePath);

    // The menu command: tag 0 adds the entry, 1 removes it, any other value does nothing.
    // A registry failure is logged and shown with a hint about missing rights.
    void Execute(int tag);

    // Writes the entry's keys and values; the Command key stays the current key.
    void WriteEntry(TRegistry& registry);
    // Reads the command back and reports "Добавлено!" when it holds the quoted path.
    void ReportAdded(TRegistry& registry);
    // Deletes the entry with everything under it and reports "Удалено!" once it is gone.
    void Remove(TRegistry& registry);

private:
    std::wstring exePath_;
    std::wstring name_;
    std::wstring base_;
};
