#pragma once
// Menus: the main menu and pop-up menus loaded from the program's resources, with commands
// bound to handlers by item id and 16 x 16 pictures beside the items.

#include <windows.h>

#include <functional>
#include <map>
#include <vector>

#include "util/handle.h"

class TImageList;

// A command table: item or shortcut id -> handler. Menus and keyboard actions share it.
class TCommands {
public:
    void Bind(UINT id, std::function<void()> handler) { handlers_[id] = std::move(handler); }
    // Runs the handler of id; false when none is bound.
    bool Execute(UINT id) const;

private:
    std::map<UINT, std::function<void()>> handlers_;
};

class TMenu {
public:
    // The main menu (bar) from the MENU resource `id`.
    void LoadBar(int id);
    // A pop-up menu: the first submenu of the MENU resource `id`.
    void LoadPopup(int id);
    HMENU Handle() const { return menu_.get(); }
    HMENU Popup() const;
    // Makes a menu and its submenus draw pictures in the check-mark column.
    static void ReserveBitmapColumns(HMENU menu);
    // Gives up ownership (a menu set on a window is destroyed with the window).
    HMENU Release() { return menu_.release(); }

    // Puts picture `index` of `pictures` beside item `id` (by command id, or by position
    // when byPosition, for submenus).
    void SetPicture(UINT item, const TImageList& pictures, int index, bool byPosition = false,
                    HMENU parent = nullptr);
    void SetEnabled(UINT id, bool enabled);
    bool Enabled(UINT id) const;
    // Shows the pop-up menu at a screen point; returns the chosen id (0: none).
    UINT Track(HWND owner, POINT screen) const;

private:
    UniqueMenu menu_;
    std::vector<UniqueBitmap> pictures_;
};
