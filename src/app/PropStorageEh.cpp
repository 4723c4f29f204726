#include <windows.h>

#include "app/PropStorageEh.h"

#include "ui/application.h"

TPropStorageEh::TPropStorageEh(TForm& owner, ComponentsFn components)
    : owner_(owner), components_(std::move(components)), ownShow_(owner.OnShow),
      ownCloseQuery_(owner.OnCloseQuery), ownDestroy_(owner.OnDestroy) {
    owner.OnShow = [this] { Show(); };
    owner.OnCloseQuery = [this] { return CloseQuery(); };
    owner.OnDestroy = [this] { Destroy(); };
}

std::wstring TPropStorageEh::SectionName(const TStoredComponent& window) const {
    return Section.empty() ? window.ClassName() : Section;
}

void TPropStorageEh::RestoreWindowState() noexcept {
    stored_ = false;
    if (!StorageManager)
        return;
    try {
        const auto window = components_();
        const std::wstring text = StorageManager->ReadDescription(SectionName(*window));
        if (text.empty())
            return;
        if (const auto description = ReadPropDescription(text))
            ApplyPropDescription(*window, *description);
    } catch (...) {
        // Restoring never reports: the window keeps whatever it has so far.
    }
}

void TPropStorageEh::StoreWindowState() {
    if (!StorageManager)
        return;
    const auto window = components_();
    StorageManager->WriteDescription(
        SectionName(*window), WritePropDescription(BuildPropDescription(*window, StoredProps)));
    stored_ = true;
}

void TPropStorageEh::StoreShowingErrors() noexcept {
    Application::Guarded([this] { StoreWindowState(); });
}

void TPropStorageEh::Show() {
    if (Active)
        RestoreWindowState();
    ownShow_();
}

// A failed save does not keep the window open: the error is shown and it closes anyway.
bool TPropStorageEh::CloseQuery() {
    const bool canClose = ownCloseQuery_();
    if (canClose && Active && owner_.Handle())
        StoreShowingErrors();
    return canClose;
}

// Saves again when closing did not save (or failed to), before the window's own handler.
void TPropStorageEh::Destroy() {
    if (Active && !stored_)
        StoreShowingErrors();
    ownDestroy_();
}
