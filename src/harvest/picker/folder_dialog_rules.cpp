#include "harvest/picker/folder_dialog_rules.h"

#include <algorithm>
#include <array>

#include "dialogs/msg_dlg_layout.h"

namespace {

// BIF_... values of the shell, in the order of TOptions (fdoShareable last).
constexpr std::array<uint32_t, 10> kOptionFlags = {
    0x1000, // BIF_BROWSEFORCOMPUTER
    0x2000, // BIF_BROWSEFORPRINTER
    0x0002, // BIF_DONTGOBELOWDOMAIN
    0x0008, // BIF_RETURNFSANCESTORS
    0x0001, // BIF_RETURNONLYFSDIRS
    0x0004, // BIF_STATUSTEXT
    0x0040, // BIF_NEWDIALOGSTYLE
    0x0200, // BIF_NONEWFOLDERBUTTON
    0x0010, // BIF_EDITBOX
    0x8000, // BIF_SHAREABLE
};
constexpr uint32_t kNewDialogStyle = 0x0040;

} // namespace

uint32_t BrowseFlags(TFolderOptions options) {
    uint32_t flags = 0;
    for (int option = fdoBrowseForComputer; option <= fdoEditBox; ++option)
        if (options.Contains(static_cast<TOptions>(option)))
            flags |= kOptionFlags[option];
    if ((flags & kNewDialogStyle) && options.Contains(fdoShareable))
        flags |= kOptionFlags[fdoShareable];
    return flags;
}

ScreenPoint DialogPlacement(TDialogPosition position, int x, int y, const ScreenRect& owner,
                            const ScreenRect& dialog, const ScreenRect& workArea) {
    switch (position) {
    case fdpXY:
        return {std::max(x, 0), std::max(y, 0)};
    case fdpParentFormCenter:
        return {CentredStart(owner.left, owner.Width(), dialog.Width()),
                CentredStart(owner.top, owner.Height(), dialog.Height())};
    case fdpScreenCenter:
        return {CentredStart(workArea.left, workArea.Width(), dialog.Width()),
                CentredStart(workArea.top, workArea.Height(), dialog.Height())};
    case fdpDefault:
        break;
    }
    return {owner.left + 20, owner.top + 20};
}

std::wstring VersionText(uint32_t packed) {
    return std::to_wstring(packed >> 24) + L"." + std::to_wstring((packed >> 16) & 0xFF) + L"." +
           std::to_wstring((packed >> 8) & 0xFF) + L"." + std::to_wstring(packed & 0xFF);
}
