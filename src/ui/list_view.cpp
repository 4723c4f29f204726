#include <windows.h>
#include <commctrl.h>

#include "ui/list_view.h"

#include <windowsx.h>

void TListView::Create(HWND parent, const TBounds& b, const std::vector<TListViewColumn>& columns,
                       DWORD extendedStyle) {
    CreateChild(parent, WC_LISTVIEWW,
                WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                    LVS_SHAREIMAGELISTS,
                WS_EX_CLIENTEDGE, b);
    ListView_SetExtendedListViewStyle(hwnd_, extendedStyle);
    int index = 0;
    for (const auto& c : columns) {
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        col.pszText = const_cast<wchar_t*>(c.caption.c_str());
        col.cx = ScaleForDpi(c.width, hwnd_);
        col.iSubItem = index;
        ListView_InsertColumn(hwnd_, index, &col);
        ++index;
    }
}

void TListView::SetImageLists(HIMAGELIST small, HIMAGELIST large) {
    ListView_SetImageList(hwnd_, small, LVSIL_SMALL);
    ListView_SetImageList(hwnd_, large, LVSIL_NORMAL);
}

int TListView::Count() const {
    return static_cast<int>(Request(LVM_GETITEMCOUNT, 0, 0));
}

int TListView::AddRow(const std::wstring& caption, const std::vector<std::wstring>& subItems,
                      int image) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = Count();
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    item.iImage = image;
    const int row = ListView_InsertItem(hwnd_, &item);
    for (size_t i = 0; i < subItems.size(); ++i)
        ListView_SetItemText(hwnd_, row, static_cast<int>(i + 1),
                             const_cast<wchar_t*>(subItems[i].c_str()));
    return row;
}

void TListView::Clear() {
    ListView_DeleteAllItems(hwnd_);
}

std::wstring TListView::CellText(int row, int column) const {
    std::wstring text(260, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        const auto length = static_cast<size_t>(
            ::SendMessageW(hwnd_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

bool TListView::Checked(int row) const {
    // As ListView_GetCheckState: the state image's number less one.
    const auto state = static_cast<UINT>(Request(LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
    return ((state >> 12) - 1) != 0;
}

std::optional<std::wstring> TListView::CheckedCaption(int row) const {
    std::wstring text(260, L'\0');
    for (;;) {
        LVITEMW item{};
        item.mask = LVIF_STATE | LVIF_TEXT;
        item.iItem = row;
        item.stateMask = LVIS_STATEIMAGEMASK;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        // As Checked(): every state image but the first (unticked) one counts as ticked.
        if (!Request(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ||
            (item.state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(1))
            return std::nullopt;
        // The control may hand back a text of its own instead of filling the buffer.
        const std::wstring caption = item.pszText ? item.pszText : L"";
        if (caption.size() + 1 < text.size())
            return caption;
        text.resize(text.size() * 2);
    }
}
void TListView::SetChecked(int row, bool checked) {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    Request(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

int TListView::ImageIndex(int row) const {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    ListView_GetItem(hwnd_, &item);
    return item.iImage;
}

int TListView::Selected() const {
    return ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED);
}

void TListView::Select(int row) {
    ListView_SetItemState(hwnd_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void TListView::MakeVisible(int row, bool partialOk) {
    ListView_EnsureVisible(hwnd_, row, partialOk);
}

int TListView::ColumnWidth(int column) const {
    return ListView_GetColumnWidth(hwnd_, column);
}
void TListView::SetColumnWidth(int column, int width) {
    ListView_SetColumnWidth(hwnd_, column, width);
}
int TListView::ColumnCount() const {
    return Header_GetItemCount(ListView_GetHeader(hwnd_));
}

int TListView::HitTest(POINT p, bool* onCheckBox) const {
    LVHITTESTINFO info{};
    info.pt = p;
    const int row = ListView_SubItemHitTest(const_cast<HWND>(hwnd_), &info);
    if (onCheckBox)
        *onCheckBox = row >= 0 && info.flags == LVHT_ONITEMSTATEICON;
    return row;
}

void TListView::BeginUpdate() {
    ::SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
}

void TListView::EndUpdate() {
    ::SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

namespace {

int CALLBACK CompareRanks(LPARAM a, LPARAM b, LPARAM) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

} // namespace

void TListView::Reorder(const std::vector<int>& order) {
    for (size_t position = 0; position < order.size(); ++position) {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = order[position];
        item.lParam = static_cast<LPARAM>(position);
        ListView_SetItem(hwnd_, &item);
    }
    ListView_SortItems(hwnd_, CompareRanks, 0);
}

bool TListView::HandleNotify(NMHDR& header, LRESULT&) {
    switch (header.code) {
    case NM_CLICK:
    case NM_RCLICK:
        // Where the list view tracks the click itself, the button release never reaches
        // the control: report it from the click notification instead.
        if (!sawButtonUp_ && OnMouseUp)
            OnMouseUp(reinterpret_cast<NMITEMACTIVATE&>(header).ptAction);
        sawButtonUp_ = false;
        if (header.code == NM_CLICK && OnClick)
            OnClick();
        return true;
    case LVN_COLUMNCLICK:
        if (OnColumnClick)
            OnColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
        return true;
    default:
        return false;
    }
}

LRESULT TListView::HandleOwnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_KEYUP:
        if (OnKeyUp)
            OnKeyUp(static_cast<WORD>(wp));
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        sawButtonUp_ = false;
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        sawButtonUp_ = true;
        if (OnMouseUp)
            OnMouseUp(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        break;
    case WM_CONTEXTMENU:
        if (OnContextMenu) {
            OnContextMenu(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            return 0;
        }
        break;
    default:
        break;
    }
    return DefaultOwnMessage(msg, wp, lp);
}

namespace {

// Drawing gets at most one part in this many of a loop's time.
constexpr DWORD kDrawShare = 40;

} // namespace

TListRedrawThrottle::TListRedrawThrottle(TListView& list, DWORD periodMs)
    : list_(list), periodMs_(periodMs), due_(periodMs) {
    list_.BeginUpdate();
}

TListRedrawThrottle::~TListRedrawThrottle() {
    Pause();
}

void TListRedrawThrottle::Pause() {
    if (drawing_)
        return;
    const DWORD start = ::GetTickCount();
    // Scrolling is costly, so it is done once per drawing, not once per change.
    if (pendingRow_ >= 0 && pendingRow_ < list_.Count())
        list_.MakeVisible(pendingRow_, true);
    pendingRow_ = -1;
    list_.EndUpdate();
    ::UpdateWindow(list_.Handle());
    const DWORD took = ::GetTickCount() - start;
    due_.Restart(took * kDrawShare > periodMs_ ? took * kDrawShare : periodMs_);
    drawing_ = true;
}

void TListRedrawThrottle::Resume() {
    if (!drawing_)
        return;
    list_.BeginUpdate();
    drawing_ = false;
}

void TListRedrawThrottle::Tick() {
    if (drawing_ || !due_.Due())
        return;
    Pause();
    Resume();
}
