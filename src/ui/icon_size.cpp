#include <windows.h>

#include "ui/icon_size.h"

#include "util/handle.h"

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info))
        return {0, 0};
    const UniqueBitmap color(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    if (!::GetObjectW(color ? color.get() : mask.get(), sizeof(bm), &bm))
        return {0, 0};
    return {bm.bmWidth, color ? bm.bmHeight : bm.bmHeight / 2};
}
