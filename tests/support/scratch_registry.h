#pragma once
// A registry of the test's own: for its lifetime one predefined key (HKEY_CLASSES_ROOT
// unless told otherwise) of this process is redirected, with RegOverridePredefKey, to a
// fresh empty key under HKEY_CURRENT_USER\Software\QuillmontTests. The code under test, and
// the shell it calls, then see exactly the keys the test wrote; the real registry is never
// touched. The end restores the predefined key and deletes the scratch tree.
//
// One override per predefined key at a time: a second one for the same key raises
// std::logic_error. Redirecting HKEY_CURRENT_USER also hides the user's own settings
// (regional formats included) from the whole process while it lasts.

#include <windows.h>

#include <optional>
#include <string>

class ScratchRegistry {
public:
    explicit ScratchRegistry(HKEY predefined = HKEY_CLASSES_ROOT);
    ~ScratchRegistry();
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;

    // The scratch key, which the predefined key now stands for, and its path under
    // HKEY_CURRENT_USER.
    HKEY Root() const { return root_; }
    const std::wstring& Path() const { return path_; }

    // Creates the key (and the keys above it) below the root.
    void CreateKey(const std::wstring& subKey);
    // Sets a text (REG_SZ) value, creating the key; an empty name sets the default value.
    void SetText(const std::wstring& subKey, const std::wstring& text,
                 const std::wstring& valueName = L"");

    // A registered file type as the class registry holds it: the extension key (with its
    // dot) whose default value names the class, the class key whose default value is the
    // description, and the class's shell\open\command.
    void AddFileType(const std::wstring& extension, const std::wstring& className,
                     const std::wstring& description, const std::wstring& openCommand);

    // What the code under test wrote: whether a key exists, and a text value (nullopt when
    // the key or value is missing or the value is not text).
    bool HasKey(const std::wstring& subKey) const;
    std::optional<std::wstring> Text(const std::wstring& subKey,
                                     const std::wstring& valueName = L"") const;

private:
    HKEY predefined_;
    std::wstring path_;
    HKEY root_ = nullptr;
};
