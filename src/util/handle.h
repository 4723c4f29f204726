#pragma once
// Move-only owners for the Win32 handles the program holds. Each owner releases its
// handle exactly once; copying is forbidden so ownership is always visible in the type.

#include <windows.h>
#include <commctrl.h>

#include <utility>

template <typename H, typename Traits> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o)
            reset(o.release());
        return *this;
    }

    H get() const { return h_; }
    explicit operator bool() const { return Traits::valid(h_); }
    H release() { return std::exchange(h_, Traits::invalid()); }
    void reset(H h = Traits::invalid()) {
        if (Traits::valid(h_))
            Traits::close(h_);
        h_ = h;
    }
    // For APIs that fill in a handle through an out parameter.
    H* put() {
        reset();
        return &h_;
    }

private:
    H h_ = Traits::invalid();
};

template <typename H, auto Close> struct NullHandleTraits {
    static H invalid() { return nullptr; }
    static bool valid(H h) { return h != nullptr; }
    static void close(H h) { Close(h); }
};

struct FileHandleTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static bool valid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void close(HANDLE h) { ::CloseHandle(h); }
};

struct FindHandleTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static bool valid(HANDLE h) { return h != INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { ::FindClose(h); }
};

inline void CloseRegKey(HKEY k) {
    ::RegCloseKey(k);
}
inline void DestroyIconHandle(HICON h) {
    ::DestroyIcon(h);
}
// Fonts, brushes and bitmaps all go back through DeleteObject.
template <typename H> void DeleteGdiObject(H h) {
    ::DeleteObject(h);
}
inline void DeleteDeviceContext(HDC h) {
    ::DeleteDC(h);
}
inline void DestroyImageListHandle(HIMAGELIST h) {
    ::ImageList_Destroy(h);
}
inline void UnloadModuleHandle(HMODULE h) {
    ::FreeLibrary(h);
}
inline void DestroyMenuHandle(HMENU h) {
    ::DestroyMenu(h);
}
inline void DestroyWindowHandle(HWND h) {
    ::DestroyWindow(h);
}

using UniqueFile = UniqueHandle<HANDLE, FileHandleTraits>;
using UniqueFind = UniqueHandle<HANDLE, FindHandleTraits>;
using UniqueKey = UniqueHandle<HKEY, NullHandleTraits<HKEY, CloseRegKey>>;
using UniqueIcon = UniqueHandle<HICON, NullHandleTraits<HICON, DestroyIconHandle>>;
using UniqueBitmap = UniqueHandle<HBITMAP, NullHandleTraits<HBITMAP, DeleteGdiObject<HBITMAP>>>;
using UniqueFont = UniqueHandle<HFONT, NullHandleTraits<HFONT, DeleteGdiObject<HFONT>>>;
using UniqueBrush = UniqueHandle<HBRUSH, NullHandleTraits<HBRUSH, DeleteGdiObject<HBRUSH>>>;
using UniqueDC = UniqueHandle<HDC, NullHandleTraits<HDC, DeleteDeviceContext>>;
using UniqueImageList =
    UniqueHandle<HIMAGELIST, NullHandleTraits<HIMAGELIST, DestroyImageListHandle>>;
using UniqueModule = UniqueHandle<HMODULE, NullHandleTraits<HMODULE, UnloadModuleHandle>>;
using UniqueMenu = UniqueHandle<HMENU, NullHandleTraits<HMENU, DestroyMenuHandle>>;
using UniqueWindow = UniqueHandle<HWND, NullHandleTraits<HWND, DestroyWindowHandle>>;

// A GDI object selected into a DC for a scope: the DC's previous object is put back on every
// path, so a DC never keeps an object that is about to be deleted.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~SelectedObject() { ::SelectObject(dc_, old_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A screen DC borrowed with GetDC and given back with ReleaseDC.
class ScreenDC {
public:
    ScreenDC() : dc_(::GetDC(nullptr)) {}
    ~ScreenDC() { ::ReleaseDC(nullptr, dc_); }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};
