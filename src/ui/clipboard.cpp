#include <windows.h>

#include "ui/clipboard.h"

#include <cstring>

namespace {

// Open for the life of the object (the clipboard is one for the whole desktop).
class ClipboardScope {
public:
    explicit ClipboardScope(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    ~ClipboardScope() {
        if (open_)
            ::CloseClipboard();
    }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    bool Open() const { return open_; }

private:
    bool open_;
};

} // namespace

bool SetClipboardText(HWND owner, const std::wstring& text) {
    ClipboardScope clipboard(owner);
    if (!clipboard.Open() || !::EmptyClipboard())
        return false;
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        return false;
    void* data = ::GlobalLock(memory);
    if (!data) {
        ::GlobalFree(memory);
        return false;
    }
    std::memcpy(data, text.c_str(), bytes);
    ::GlobalUnlock(memory);
    // On success the clipboard owns the memory.
    if (!::SetClipboardData(CF_UNICODETEXT, memory)) {
        ::GlobalFree(memory);
        return false;
    }
    return true;
}
