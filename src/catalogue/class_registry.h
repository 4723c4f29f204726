#pragma once
// Reading the class registry (HKEY_CLASSES_ROOT) the way the file-type scan needs it.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "util/handle.h"

namespace class_registry {

// Opens a key below HKEY_CLASSES_ROOT for full access (an empty path opens the root for
// reading). An empty result means the key cannot be opened.
UniqueKey Open(const std::wstring& path, REGSAM access = KEY_ALL_ACCESS);

// The names of the direct subkeys, in the registry's enumeration order.
std::vector<std::wstring> SubkeyNames(HKEY key);

// The default value as text (REG_SZ or REG_EXPAND_SZ, unexpanded, up to its first NUL);
// empty when it is missing or has no data; nullopt when it holds another type of data.
std::optional<std::wstring> DefaultText(HKEY key);

} // namespace class_registry
