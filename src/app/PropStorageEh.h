#pragma once
// Keeping a window's state between runs: the property store, which knows which properties
// of its window to keep and when to restore and save them, and the store manager, which
// keeps the property description in the current user's registry, one value per line.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/stored_props.h"
#include "ui/form.h"

// Keeps descriptions under RegistryKey \ application key \ section: one REG_SZ value per
// line, named "Line" and the line's number from 0 in ten digits (Line0000000000, ...).
class TRegPropStorageManEh {
public:
    HKEY RegistryKey = HKEY_CURRENT_USER;
    // The key below the root; empty means "Software\" + the application title (or, without
    // a title, the executable's name without its extension).
    std::wstring Path;
    // Descriptions are always kept as text lines.
    static constexpr bool WriteAsText = true;

    std::wstring ApplicationKey() const;
    // Writes the description's lines and deletes the numbered values after them up to the
    // first gap. Raises "Failed to set data for 'LineNNNNNNNNNN'" when a line cannot be
    // written (Line0000000000 when the key cannot be created).
    void WriteDescription(const std::wstring& section, const std::wstring& text);
    // The lines read back, each followed by CR LF: from Line0000000000 up to the first
    // number missing, never more lines than the key has values. Empty when there is none.
    std::wstring ReadDescription(const std::wstring& section) const;
};

class TPropStorageEh {
public:
    using ComponentsFn = std::function<std::unique_ptr<TStoredComponent>()>;

    // Takes over the owner's show, close-query and destroy events, calling on to the
    // owner's own handlers. components gives the window as the store sees it.
    TPropStorageEh(TForm& owner, ComponentsFn components);
    TPropStorageEh(const TPropStorageEh&) = delete;
    TPropStorageEh& operator=(const TPropStorageEh&) = delete;

    bool Active = true;
    // The registry key of this window's description; empty means the window's class name.
    std::wstring Section;
    TRegPropStorageManEh* StorageManager = nullptr;
    TPropertyNamesEh StoredProps;

    // Reads the description and applies what it can. Never reports anything: a missing or
    // broken description leaves the window as it is.
    void RestoreWindowState() noexcept;
    // Builds the description of the current values and hands it to the manager.
    void StoreWindowState();
    // Whether the state was saved since it was last restored.
    bool Stored() const { return stored_; }

private:
    std::wstring SectionName(const TStoredComponent& window) const;
    void Show();
    bool CloseQuery();
    void Destroy();
    // Saves, showing a failure in the top-level error display instead of raising it.
    void StoreShowingErrors() noexcept;

    TForm& owner_;
    ComponentsFn components_;
    std::function<void()> ownShow_;
    std::function<bool()> ownCloseQuery_;
    std::function<void()> ownDestroy_;
    bool stored_ = false;
};
