#pragma once
// An open registry key that closes itself: opened or created with the access the caller
// asks for, listed, read and written. Every part of the program reaches the registry
// through it, so odd data (strings without a terminator or of odd length) reads the same
// everywhere. Calls return the registry's own status codes.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "util/handle.h"

class TRegKey {
public:
    // Opens parent\path (an empty path: parent itself, under a handle of its own). Any key
    // held before is closed first; after a failure none is held.
    LSTATUS Open(HKEY parent, const std::wstring& path, REGSAM access);
    // The same, creating the key and every missing key above it first.
    LSTATUS Create(HKEY parent, const std::wstring& path, REGSAM access,
                   DWORD options = REG_OPTION_NON_VOLATILE);
    void Close() { key_.reset(); }

    HKEY Handle() const { return key_.get(); }
    explicit operator bool() const { return static_cast<bool>(key_); }

    // The names of the direct subkeys and of the values, in the registry's order.
    std::vector<std::wstring> SubkeyNames() const;
    std::vector<std::wstring> ValueNames() const;

    // The type of a value (REG_SZ, REG_DWORD, ...); nullopt when there is no such value.
    std::optional<DWORD> ValueType(const std::wstring& name) const;
    // A REG_SZ or REG_EXPAND_SZ value (unexpanded) up to its first NUL; an empty name reads
    // the key's default value. ERROR_UNSUPPORTED_TYPE for data of another type; text is
    // empty unless the result is ERROR_SUCCESS.
    LSTATUS QueryString(const std::wstring& name, std::wstring& text) const;
    // Stores text as REG_SZ with its terminator.
    LSTATUS SetString(const std::wstring& name, const std::wstring& text);
    LSTATUS DeleteValue(const std::wstring& name);

    // Deletes parent\path with everything under it: each subkey the same way, the last
    // one first, then the key itself. The result is that of the last step.
    static LSTATUS DeleteTree(HKEY parent, const std::wstring& path);

private:
    UniqueKey key_;
};
