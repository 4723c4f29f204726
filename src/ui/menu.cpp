#include <windows.h>

#include "ui/menu.h"

#include <vector>

#include "ui/application.h"
#include "ui/image_list.h"
#include "util/exception.h"

namespace {

// A 32-bit premultiplied-alpha bitmap of an icon, as menus draw item pictures.
HBITMAP MenuBitmapFromIcon(HICON icon, int size) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = size;
    bi.bmiHeader.biHeight = -size;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return nullptr;
    UniqueDC dc(::CreateCompatibleDC(nullptr));
    const HGDIOBJ old = ::SelectObject(dc.get(), bitmap);
    ::DrawIconEx(dc.get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    ::SelectObject(dc.get(), old);
    ::GdiFlush();
    // Icons without alpha leave the alpha byte at 0: make their drawn pixels opaque.
    auto* px = static_cast<DWORD*>(bits);
    const size_t count = static_cast<size_t>(size) * static_cast<size_t>(size);
    bool hasAlpha = false;
    for (size_t i = 0; i < count; ++i)
        hasAlpha = hasAlpha || (px[i] >> 24) != 0;
    if (!hasAlpha) {
        for (size_t i = 0; i < count; ++i)
            if (px[i] != 0)
                px[i] |= 0xFF000000u;
    }
    return bitmap;
}

} // namespace

bool Commands::Execute(UINT id) const {
    const auto it = handlers_.find(id);
    if (it == handlers_.end() || !it->second)
        return false;
    it->second();
    return true;
}

void Menu::LoadBar(int id) {
    menu_.reset(::LoadMenuW(Application::Instance(), MAKEINTRESOURCEW(id)));
    if (!menu_)
        throw Exception(L"Cannot load menu " + std::to_wstring(id));
}

void Menu::LoadPopup(int id) { LoadBar(id); }

HMENU Menu::Popup() const { return ::GetSubMenu(menu_.get(), 0); }

void Menu::SetPicture(UINT item, const ImageList& pictures, int index, bool byPosition,
                      HMENU parent) {
    UniqueIcon icon = pictures.GetIcon(index);
    if (!icon)
        return;
    UniqueBitmap bitmap(MenuBitmapFromIcon(icon.get(), pictures.Size()));
    MENUITEMINFOW mii{sizeof(mii)};
    mii.fMask = MIIM_BITMAP;
    mii.hbmpItem = bitmap.get();
    ::SetMenuItemInfoW(parent ? parent : menu_.get(), item, byPosition, &mii);
    pictures_.push_back(std::move(bitmap));
}

void Menu::SetEnabled(UINT id, bool enabled) {
    ::EnableMenuItem(menu_.get(), id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool Menu::Enabled(UINT id) const {
    const UINT state = ::GetMenuState(menu_.get(), id, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

UINT Menu::Track(HWND owner, POINT screen) const {
    return static_cast<UINT>(::TrackPopupMenu(Popup(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x,
                                              screen.y, 0, owner, nullptr));
}
