#pragma once
// Registry access with one open key at a time: a chosen root, a current key, and key paths
// taken relative to the current key unless they begin with "\" (then relative to the root).

#include <windows.h>

#include <string>

#include "util/reg_key.h"

class TRegistry {
public:
    // Chooses the root key; no key is open afterwards.
    void SetRootKey(HKEY root);
    HKEY CurrentKey() const { return current_.Handle(); }

    // Whether the key can be opened for reading (query and enumerate).
    bool KeyExists(const std::wstring& key) const;
    // Creates the key and every missing key above it; raises "Failed to create key <key>".
    void CreateKey(const std::wstring& key);
    // Opens the key with full access (creating it first when canCreate); on success it
    // becomes the current key.
    bool OpenKey(const std::wstring& key, bool canCreate);
    // Stores a string in the current key (empty name: the key's default value); raises
    // "Failed to set data for '<name>'".
    void WriteString(const std::wstring& name, const std::wstring& value);
    // The string value of the current key; empty when the value or the current key is
    // missing. Raises "Invalid data type for '<name>'" for a value that is not a string and
    // "Failed to get data for '<name>'" when it cannot be read.
    std::wstring ReadString(const std::wstring& name) const;
    // Deletes the key with all its subkeys (last subkey first, each the same way).
    bool DeleteKey(const std::wstring& key);
    void CloseKey();

private:
    struct Base {
        HKEY key;
        std::wstring path;
    };
    // The key a path is relative to, and the path without its leading "\".
    Base BaseOf(const std::wstring& key) const;

    HKEY root_ = HKEY_CURRENT_USER;
    TRegKey current_;
};
