#include <windows.h>

#include "app/stored_controls.h"

#include "app/prop_description.h"

namespace {

RECT OuterBounds(const TForm& form) {
    RECT r{};
    ::GetWindowRect(form.Handle(), &r);
    return r;
}

// The bounds a window comes back with: while minimised its rectangle is the caption-sized
// icon's, so the normal bounds stand in for it; a maximised window keeps its maximised ones.
RECT KeptBounds(const TForm& form) {
    const HWND window = form.Handle();
    WINDOWPLACEMENT placement{sizeof(placement)};
    if (!::IsIconic(window) || !::GetWindowPlacement(window, &placement))
        return OuterBounds(form);
    RECT r = placement.rcNormalPosition;
    // Placement rectangles are in workspace coordinates, which start at the work area.
    MONITORINFO monitor{sizeof(monitor)};
    if (!(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) &&
        ::GetMonitorInfoW(::MonitorFromRect(&r, MONITOR_DEFAULTTOPRIMARY), &monitor))
        ::OffsetRect(&r, monitor.rcWork.left - monitor.rcMonitor.left,
                     monitor.rcWork.top - monitor.rcMonitor.top);
    return r;
}

bool IsRadioButton(HWND window) {
    wchar_t className[16]{};
    ::GetClassNameW(window, className, 16);
    const auto type = ::GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK;
    return ::lstrcmpiW(className, L"Button") == 0 &&
           (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON);
}

void UntickOtherRadioButtons(HWND ticked) {
    for (HWND w = ::GetWindow(::GetParent(ticked), GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        if (w != ticked && IsRadioButton(w))
            ::SendMessageW(w, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

} // namespace

TStoredForm::TStoredForm(TForm& form, std::wstring name, std::wstring className)
    : TStoredComponent(std::move(name), std::move(className)), form_(form) {}

std::optional<std::wstring> TStoredForm::GetProp(const std::wstring& name) const {
    const RECT r = KeptBounds(form_);
    if (name == L"Left")
        return IntegerText(r.left);
    if (name == L"Top")
        return IntegerText(r.top);
    if (name == L"Width")
        return IntegerText(r.right - r.left);
    if (name == L"Height")
        return IntegerText(r.bottom - r.top);
    return std::nullopt;
}

bool TStoredForm::SetProp(const std::wstring& name, const std::wstring& value) {
    const auto number = ReadInteger(value);
    if (!number)
        return false;
    RECT r = OuterBounds(form_);
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    if (name == L"Left")
        r.left = *number;
    else if (name == L"Top")
        r.top = *number;
    else if (name == L"Width")
        width = *number;
    else if (name == L"Height")
        height = *number;
    else
        return false;
    ::SetWindowPos(form_.Handle(), nullptr, r.left, r.top, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

TStoredCheckBox::TStoredCheckBox(TCheckBox& box, std::wstring name, std::wstring className)
    : TStoredComponent(std::move(name), std::move(className)), box_(box) {}

std::optional<std::wstring> TStoredCheckBox::GetProp(const std::wstring& name) const {
    if (name == L"Checked")
        return BooleanText(box_.Checked());
    return std::nullopt;
}

bool TStoredCheckBox::SetProp(const std::wstring& name, const std::wstring& value) {
    const auto checked = ReadBoolean(value);
    if (name != L"Checked" || !checked)
        return false;
    box_.SetChecked(*checked);
    if (*checked && IsRadioButton(box_.Handle()))
        UntickOtherRadioButtons(box_.Handle());
    return true;
}

TStoredListView::TStoredListView(TListView& list, std::wstring name, std::wstring className)
    : TStoredComponent(std::move(name), std::move(className)), list_(list) {}

int TStoredListView::ItemCount(const std::wstring& collection) const {
    return collection == L"Columns" ? list_.ColumnCount() : 0;
}

std::optional<int> TStoredListView::ColumnOf(const std::wstring& name) const {
    const std::wstring prefix = L"Columns.__Item";
    const std::wstring suffix = L".Width";
    if (name.size() <= prefix.size() + suffix.size() ||
        name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return std::nullopt;
    const auto index = ReadInteger(
        std::wstring_view(name).substr(prefix.size(), name.size() - prefix.size() - suffix.size()));
    if (!index || *index < 0 || *index >= list_.ColumnCount())
        return std::nullopt;
    return index;
}

std::optional<std::wstring> TStoredListView::GetProp(const std::wstring& name) const {
    if (const auto column = ColumnOf(name))
        return IntegerText(list_.ColumnWidth(*column));
    return std::nullopt;
}

bool TStoredListView::SetProp(const std::wstring& name, const std::wstring& value) {
    const auto column = ColumnOf(name);
    const auto width = ReadInteger(value);
    if (!column || !width)
        return false;
    list_.SetColumnWidth(*column, *width);
    return true;
}
