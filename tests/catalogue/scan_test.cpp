// The file-type scan over a scratch class registry: which keys give rows, in which order,
// with which texts, icons and status texts.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "support/catalogue_fixture.h"
#include "ui/cursor.h"

using Texts = std::vector<std::wstring>;

TEST_F(CatalogueTest, OnlyExtensionsWhoseClassHasAnOpenCommandGiveRows) {
    AddType(L".txt", L"txtfile", L"Text Document");
    AddType(L".bmp", L"Paint.Picture", L"Bitmap Image");
    registry.SetText(L".nodefault\\ShellNew", L"x"); // no class named
    registry.SetText(L".empty", L"");                // empty class name
    registry.SetText(L".noopen", L"noopenfile");     // class without open command
    registry.SetText(L"noopenfile", L"Has a description");
    registry.SetText(L"noopenfile\\shell\\print\\command", L"print.exe");
    registry.SetText(L"txtfile2", L"class key, not an extension");
    registry.SetText(L"txtfile2\\shell\\open\\command", L"x.exe");
    registry.SetText(L"*\\shell\\open\\command", L"x.exe");
    const DWORD number = 5;
    registry.CreateKey(L".number");
    UniqueKey key;
    ASSERT_EQ(::RegOpenKeyExW(registry.Root(), L".number", 0, KEY_SET_VALUE, key.put()), 0);
    ::RegSetValueExW(key.get(), nullptr, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                     sizeof(number));

    Scan();

    EXPECT_EQ(Column(0), (Texts{L".bmp", L".txt"}));
    EXPECT_EQ(Column(1), (Texts{L"Paint.Picture", L"txtfile"}));
    EXPECT_EQ(Column(2), (Texts{L"Bitmap Image", L"Text Document"}));
}

TEST_F(CatalogueTest, ClassWithoutDescriptionGivesARowWithAnEmptyDescription) {
    registry.SetText(L".log", L"logfile");
    registry.SetText(L"logfile\\shell\\open\\command", L"notepad.exe");
    Scan();
    ASSERT_EQ(frm.lv.Count(), 1);
    EXPECT_EQ(frm.lv.CellText(0, 1), L"logfile");
    EXPECT_EQ(frm.lv.CellText(0, 2), L"");
}

TEST_F(CatalogueTest, RowsFollowTheRegistrysEnumerationOrderAndAreAllTicked) {
    for (const wchar_t* ext : {L".zip", L".a", L".mp3", L".c"})
        AddType(ext, std::wstring(ext + 1) + L"file");
    Scan();
    Texts enumerated;
    wchar_t name[64];
    DWORD length = 64;
    for (DWORD i = 0; ::RegEnumKeyExW(registry.Root(), i, name, &length, nullptr, nullptr, nullptr,
                                      nullptr) == ERROR_SUCCESS;
         ++i, length = 64)
        if (name[0] == L'.')
            enumerated.emplace_back(name, length);
    EXPECT_EQ(Column(0), enumerated);
    EXPECT_EQ(CountCheckedRows(frm.lv), 4);
    EXPECT_TRUE(frm.btn_select.Down());
    EXPECT_EQ(frm.sb.PanelText(0), L"Найдено: (4)");
    EXPECT_EQ(frm.sb.PanelText(1), L"Выбрано: (4)");
}

TEST_F(CatalogueTest, AnEmptyRegistryGivesCountsOfZero) {
    Scan();
    EXPECT_EQ(frm.lv.Count(), 0);
    EXPECT_EQ(frm.sb.PanelText(0), L"Найдено: (0)");
    EXPECT_EQ(frm.sb.PanelText(1), L"Выбрано: (0)");
}

TEST_F(CatalogueTest, IconSizeChoiceSelectsTheImageListAndTheRowHeight) {
    AddType(L".txt", L"txtfile");
    AddType(L".ini", L"inifile");
    Scan();
    EXPECT_EQ(ListView_GetImageList(frm.lv.Handle(), LVSIL_SMALL), frm.ImageList_lv_16.Handle());
    EXPECT_EQ(frm.ImageList_lv_16.Count(), 2);
    RECT row{};
    ListView_GetItemRect(frm.lv.Handle(), 0, &row, LVIR_BOUNDS);
    EXPECT_LT(row.bottom - row.top, 32);

    frm.rg_16x16.SetChecked(false);
    frm.rg_32x32.SetChecked(true);
    // The choice does nothing to the current list until the next scan.
    EXPECT_EQ(ListView_GetImageList(frm.lv.Handle(), LVSIL_SMALL), frm.ImageList_lv_16.Handle());
    Scan();
    EXPECT_EQ(ListView_GetImageList(frm.lv.Handle(), LVSIL_SMALL), frm.ImageList_lv_32.Handle());
    EXPECT_EQ(frm.ImageList_lv_32.Count(), 2);
    EXPECT_EQ(frm.ImageList_lv_16.Count(), 0);
    ListView_GetItemRect(frm.lv.Handle(), 0, &row, LVIR_BOUNDS);
    EXPECT_GE(row.bottom - row.top, 32);
    EXPECT_EQ(frm.lv.ImageIndex(0), 0);
    EXPECT_EQ(frm.lv.ImageIndex(1), 1);
}

TEST_F(CatalogueTest, ASecondScanRestoresEveryRowTickedInRegistryOrder) {
    AddType(L".b", L"bfile");
    AddType(L".a", L"afile");
    Scan();
    const Texts first = Column(0);
    frm.lv.SetChecked(0, false);
    frm.lvColumnClick(0);
    frm.lvColumnClick(0);
    Scan();
    EXPECT_EQ(Column(0), first);
    EXPECT_EQ(CountCheckedRows(frm.lv), 2);
    EXPECT_EQ(frm.ImageList_lv_16.Count(), 2);
}

TEST_F(CatalogueTest, TheScanLeavesNoHourglassAndResetsThePreviewHint) {
    AddType(L".txt", L"txtfile");
    frm.Image_icon.hint = L"Просмотр извлекаемых иконок";
    Scan();
    EXPECT_EQ(Screen::Cursor(), nullptr);
    EXPECT_EQ(frm.Image_icon.hint, L"Просмотр иконки (32х32)");
}

TEST(GetExtensionIcon, GivesIconsOfTheRequestedSize) {
    for (const bool small : {true, false}) {
        UniqueIcon icon = GetExtensionIcon(L".txt", small);
        ASSERT_TRUE(icon);
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon.get(), &info));
        BITMAP bm{};
        ::GetObjectW(info.hbmColor, sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, small ? 16 : 32); // whatever the display scale
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
    }
}
