#pragma once
// An owned image list of square pictures with an alpha channel.

#include <windows.h>
#include <commctrl.h>

#include "util/handle.h"

class TImageList {
public:
    void Create(int size, int initialCapacity = 16, int grow = 16);
    HIMAGELIST Handle() const { return list_.get(); }
    int Size() const { return size_; }
    // Adds a copy of the icon; returns its index (-1 when the list refuses it).
    int AddIcon(HICON icon);
    // Adds the icon resource `id` of the program at the list's size.
    int AddIconResource(int id);
    int Count() const;
    void Clear();
    // A new icon of the picture at index, owned by the caller.
    UniqueIcon GetIcon(int index) const;

private:
    UniqueImageList list_;
    int size_ = 16;
};
