#pragma once
// Moving a module's icon from the loader to the harvest's own icon and the preview: the
// loader's entries go to a hidden list, the chosen entry is copied into the harvest icon,
// whose images go to a second hidden, owner-drawn list, and the last of them to the preview.

#include <windows.h>

#include <memory>

#include "harvest/icons/AdvancedIcon.h"
#include "harvest/icons/IconLibrary.h"
#include "ui/controls.h"
#include "ui/list_box.h"

struct THarvestPreviewControls {
    TListBox& LIBListBox;
    TListBox& ICOListBox;
    TImage& Image_icon;
    std::unique_ptr<TAdvancedIcon>& HarvestIcon;
    std::unique_ptr<TIconLibrary>& IconLoader;
};

class THarvestPreview {
public:
    explicit THarvestPreview(THarvestPreviewControls controls) : c_(controls) {}

    // The loader's entries into LIBListBox; the first one, if any, is chosen and shown.
    void FillLibList();
    // The loader's entries into LIBListBox with the first one chosen, and the harvest icon,
    // already holding a copy of it, shown.
    void ShowLoadedIcon();
    // The chosen entry of LIBListBox copied into the harvest icon and shown.
    void ShowSelectedIcon();
    // The harvest icon's images into ICOListBox, the last one into the preview.
    void FillImageList();

    void MeasureItem(MEASUREITEMSTRUCT& item);
    void DrawItem(DRAWITEMSTRUCT& item);

private:
    // The loader's entries into LIBListBox, the first chosen; false when there are none.
    bool ListLoadedEntries();
    TIconImage* ImageAt(UINT index) const;
    THarvestPreviewControls c_;
};
