#include <windows.h>
#include <commctrl.h>

#include "ui/image_list.h"

#include "ui/application.h"
#include "util/exception.h"

void TImageList::Create(int size, int initialCapacity, int grow) {
    size_ = size;
    list_.reset(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, initialCapacity, grow));
    if (!list_)
        throw Exception(L"Cannot create image list");
}

int TImageList::AddIcon(HICON icon) {
    return ::ImageList_AddIcon(list_.get(), icon);
}

int TImageList::AddIconResource(int id) {
    UniqueIcon icon(static_cast<HICON>(::LoadImageW(Application::Instance(), MAKEINTRESOURCEW(id),
                                                    IMAGE_ICON, size_, size_, LR_DEFAULTCOLOR)));
    return icon ? AddIcon(icon.get()) : -1;
}

int TImageList::Count() const {
    return ::ImageList_GetImageCount(list_.get());
}

void TImageList::Clear() {
    ::ImageList_RemoveAll(list_.get());
}

UniqueIcon TImageList::GetIcon(int index) const {
    return UniqueIcon(::ImageList_GetIcon(list_.get(), index, ILD_NORMAL));
}
