#include <windows.h>

#include "harvest/harvest_preview.h"

#include <climits>
#include <string>

void THarvestPreview::FillLibList() {
    if (ListLoadedEntries())
        ShowSelectedIcon();
}

void THarvestPreview::ShowLoadedIcon() {
    if (ListLoadedEntries())
        FillImageList();
}

bool THarvestPreview::ListLoadedEntries() {
    c_.LIBListBox.Clear();
    if (!c_.IconLoader)
        return false;
    const TIconList& icons = c_.IconLoader->Icons;
    for (int i = 0; i < icons.Count(); ++i)
        c_.LIBListBox.AddObject(icons.Strings(i), icons.Objects(i));
    if (c_.LIBListBox.Count() == 0)
        return false;
    c_.LIBListBox.SetItemIndex(0);
    return true;
}

void THarvestPreview::ShowSelectedIcon() {
    const int line = c_.LIBListBox.ItemIndex();
    if (line < 0 || !c_.HarvestIcon)
        return;
    if (auto* icon = static_cast<TAdvancedIcon*>(c_.LIBListBox.Object(line))) {
        c_.HarvestIcon->Assign(*icon);
        FillImageList();
    }
}

void THarvestPreview::FillImageList() {
    c_.ICOListBox.Clear();
    if (!c_.HarvestIcon)
        return;
    c_.ICOListBox.SetRedraw(false);
    const TIconImageList& images = c_.HarvestIcon->Images;
    for (int i = 0; i < images.Count(); ++i)
        c_.ICOListBox.AddObject(std::to_wstring(i + 1), images.Items(i));
    c_.Image_icon.Clear();
    if (images.Count() > 0)
        c_.Image_icon.SetIcon(images.Items(images.Count() - 1)->GetHandle());
    c_.ICOListBox.SetRedraw(true);
    if (c_.ICOListBox.Count() > 0)
        c_.ICOListBox.SetItemIndex(0);
}

TIconImage* THarvestPreview::ImageAt(UINT index) const {
    if (!c_.HarvestIcon || index > INT_MAX)
        return nullptr;
    return c_.HarvestIcon->Images.Items(static_cast<int>(index));
}

void THarvestPreview::MeasureItem(MEASUREITEMSTRUCT& item) {
    if (const TIconImage* image = ImageAt(item.itemID))
        item.itemHeight = image->Height() + 4u;
}

void THarvestPreview::DrawItem(DRAWITEMSTRUCT& item) {
    TIconImage* image = ImageAt(item.itemID);
    if (!image)
        return;
    const HDC dc = item.hDC;
    const RECT& r = item.rcItem;
    const auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessageW(::GetParent(item.hwndItem), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(item.hwndItem)));
    ::FillRect(dc, &r, brush ? brush : ::GetSysColorBrush(COLOR_WINDOW));
    if (r.left == 0)
        image->Draw(dc, (60 - image->Width()) / 2, r.top + 2);
    const std::wstring text = std::to_wstring(item.itemID + 1);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SetBkMode(dc, TRANSPARENT);
    ::TextOutW(dc, r.left + 100, r.top + 2 + (image->Height() - size.cy) / 2, text.c_str(),
               static_cast<int>(text.size()));
}
