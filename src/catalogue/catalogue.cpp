#include <windows.h>

#include "catalogue/catalogue.h"

#include "catalogue/class_registry.h"
#include "catalogue/shell_icon.h"
#include "ui/application.h"
#include "ui/cursor.h"
#include "util/flag_scope.h"

namespace {

const wchar_t* const kPreviewHint = L"Просмотр иконки (32х32)";

} // namespace

UniqueIcon GetExtensionIcon(const std::wstring& extension, bool small) {
    return ShellIconAtSize(extension, FILE_ATTRIBUTE_NORMAL, small);
}

int CountCheckedRows(const TListView& list) {
    int count = 0;
    const int rows = list.Count();
    for (int i = 0; i < rows; ++i)
        count += list.Checked(i) ? 1 : 0;
    return count;
}

std::wstring CheckedCountText(int count) {
    return L"Выбрано: (" + std::to_wstring(count) + L")";
}

void TCatalogue::Scan() {
    if (scanning_)
        return;
    TCursorScope hourglass(IDC_WAIT);
    const bool small = SmallIcons();
    c_.Image_icon.hint = kPreviewHint;
    c_.ImageList_lv_16.Clear();
    c_.ImageList_lv_32.Clear();
    {
        // However the scan ends, the list's batch update ends with it.
        const TFlagScope scope(scanning_, [this] { c_.lv.EndUpdate(); });
        c_.lv.BeginUpdate();
        c_.lv.Clear();
        c_.sb.SetPanelText(0, L"Ждите....");
        c_.lv.SetImageLists((small ? c_.ImageList_lv_16 : c_.ImageList_lv_32).Handle(),
                            c_.ImageList_lv_32.Handle());
        ScanRegistry(small);
        c_.btn_select.SetDown(true);
    }
    ::MessageBeep(MB_ICONASTERISK);
    const std::wstring rows = std::to_wstring(c_.lv.Count());
    c_.sb.SetPanelText(0, L"Найдено: (" + rows + L")");
    c_.sb.SetPanelText(1, CheckedCountText(c_.lv.Count()));
}

void TCatalogue::ScanRegistry(bool small) {
    std::vector<std::wstring> names;
    if (const TRegKey root = class_registry::Open(L"", KEY_READ))
        names = root.SubkeyNames();
    for (const std::wstring& name : names) {
        if (name.empty() || name[0] != L'.')
            continue;
        std::wstring className;
        {
            const TRegKey key = class_registry::Open(name);
            if (!key)
                continue;
            auto value = class_registry::DefaultText(key);
            if (!value || value->empty())
                continue;
            className = std::move(*value);
        }
        std::wstring description;
        if (const TRegKey classKey = class_registry::Open(className)) {
            auto value = class_registry::DefaultText(classKey);
            if (!value)
                continue;
            description = std::move(*value);
        }
        if (!class_registry::Open(className + L"\\shell\\open\\command"))
            continue;
        AddRow(name, className, description, small);
        Application::ProcessMessages();
    }
}

void TCatalogue::AddRow(const std::wstring& extension, const std::wstring& className,
                        const std::wstring& description, bool small) {
    TImageList& images = small ? c_.ImageList_lv_16 : c_.ImageList_lv_32;
    UniqueIcon icon = ShellIconAtSize(extension, 0, small);
    const int image = icon ? images.AddIcon(icon.get()) : -1;
    const int row = c_.lv.AddRow(extension, {className, description}, image);
    c_.lv.SetChecked(row, true);
}

void TCatalogue::SelectAll() {
    if (scanning_)
        return;
    const int rows = c_.lv.Count();
    if (rows == 0) {
        c_.sb.SetPanelText(1, L"");
        return;
    }
    const bool tick = c_.btn_select.Down();
    for (int i = 0; i < rows; ++i)
        c_.lv.SetChecked(i, tick);
    c_.sb.SetPanelText(1, CheckedCountText(CountCheckedRows(c_.lv)));
}

void TCatalogue::MouseUp(POINT where) {
    bool onCheckBox = false;
    if (c_.lv.HitTest(where, &onCheckBox) >= 0 && onCheckBox)
        c_.sb.SetPanelText(1, CheckedCountText(CountCheckedRows(c_.lv)));
}

void TCatalogue::ShowPreview() {
    const int row = c_.lv.Selected();
    if (row < 0)
        return;
    UniqueIcon icon = GetExtensionIcon(c_.lv.CellText(row, 0), false);
    c_.Image_icon.SetIcon(icon.get());
}
