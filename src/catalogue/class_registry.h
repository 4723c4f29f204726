#pragma once
// Reading the class registry (HKEY_CLASSES_ROOT) the way the file-type scan needs it.

#include <windows.h>

#include <optional>
#include <string>

#include "util/reg_key.h"

namespace class_registry {

// Opens a key below HKEY_CLASSES_ROOT for full access (an empty path opens the root for
// reading). An empty result means the key cannot be opened.
TRegKey Open(const std::wstring& path, REGSAM access = KEY_ALL_ACCESS);

// The default value as text (REG_SZ or REG_EXPAND_SZ, unexpanded, up to its first NUL);
// empty when it is missing or cannot be read; nullopt when it holds another type of data.
std::optional<std::wstring> DefaultText(const TRegKey& key);

} // namespace class_registry
