#include <windows.h>

#include "ui/cursor.h"

namespace Screen {
namespace {
LPCWSTR current = nullptr;
} // namespace

void SetCursor(LPCWSTR cursorId) {
    current = cursorId;
    ::SetCursor(::LoadCursorW(nullptr, cursorId ? cursorId : IDC_ARROW));
}

LPCWSTR Cursor() {
    return current;
}

bool ApplyCursor() {
    if (!current)
        return false;
    ::SetCursor(::LoadCursorW(nullptr, current));
    return true;
}

} // namespace Screen
