#include <windows.h>

#include "ui/menu.h"

#include <vector>

#include "ui/application.h"
#include "ui/image_list.h"
#include "util/exception.h"

namespace {

// A 32-bit premultiplied-alpha bitmap of an icon, as menus draw item pictures. The pixels
// come from the icon's own colour bitmap; icons without alpha take it from their mask.
HBITMAP MenuBitmapFromIcon(HICON icon, int size) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info))
        return nullptr;
    UniqueBitmap color(info.hbmColor), mask(info.hbmMask);
    if (!color)
        return nullptr;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = size;
    bi.bmiHeader.biHeight = -size;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    const size_t count = static_cast<size_t>(size) * static_cast<size_t>(size);
    std::vector<DWORD> pixels(count), maskBits(count);
    ScreenDC screen;
    if (!::GetDIBits(screen.get(), color.get(), 0, static_cast<UINT>(size), pixels.data(), &bi,
                     DIB_RGB_COLORS))
        return nullptr;
    bool hasAlpha = false;
    for (DWORD p : pixels)
        hasAlpha = hasAlpha || (p >> 24) != 0;
    if (!hasAlpha && mask)
        ::GetDIBits(screen.get(), mask.get(), 0, static_cast<UINT>(size), maskBits.data(), &bi,
                    DIB_RGB_COLORS);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return nullptr;
    auto* out = static_cast<DWORD*>(bits);
    for (size_t i = 0; i < count; ++i) {
        const DWORD p = pixels[i];
        const DWORD alpha = hasAlpha ? p >> 24 : ((maskBits[i] & 0xFFFFFF) ? 0 : 255);
        const DWORD r = ((p >> 16) & 0xFF) * alpha / 255, g = ((p >> 8) & 0xFF) * alpha / 255,
                    b = (p & 0xFF) * alpha / 255;
        out[i] = (alpha << 24) | (r << 16) | (g << 8) | b;
    }
    return bitmap;
}

} // namespace

bool TCommands::Execute(UINT id) const {
    const auto it = handlers_.find(id);
    if (it == handlers_.end() || !it->second)
        return false;
    it->second();
    return true;
}

void TMenu::LoadBar(int id) {
    menu_.reset(::LoadMenuW(Application::Instance(), MAKEINTRESOURCEW(id)));
    if (!menu_)
        throw Exception(L"Cannot load menu " + std::to_wstring(id));
    ReserveBitmapColumns(menu_.get());
}

void TMenu::LoadPopup(int id) {
    LoadBar(id);
}

void TMenu::ReserveBitmapColumns(HMENU menu) {
    MENUINFO mi{sizeof(mi)};
    mi.fMask = MIM_STYLE | MIM_APPLYTOSUBMENUS;
    mi.dwStyle = MNS_CHECKORBMP;
    ::SetMenuInfo(menu, &mi);
}

HMENU TMenu::Popup() const {
    return ::GetSubMenu(menu_.get(), 0);
}

void TMenu::SetPicture(UINT item, const TImageList& pictures, int index, bool byPosition,
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

void TMenu::SetEnabled(UINT id, bool enabled) {
    ::EnableMenuItem(menu_.get(), id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool TMenu::Enabled(UINT id) const {
    const UINT state = ::GetMenuState(menu_.get(), id, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

UINT TMenu::Track(HWND owner, POINT screen) const {
    return static_cast<UINT>(::TrackPopupMenu(Popup(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x,
                                              screen.y, 0, owner, nullptr));
}
