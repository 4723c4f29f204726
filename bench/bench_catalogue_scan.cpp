// Times the file-type scan over 1,000, 5,000 and 10,000 registered extensions against the
// bare platform calls it cannot avoid (the same registry reads, shell icon requests,
// image-list and list-view insertions in a plain loop).

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "support/quiet_start.h"
#include "support/quit_request_drain.h"
#include "support/scratch_registry.h"
#include "ui/application.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

void FillRegistry(ScratchRegistry& registry, int count) {
    for (int i = 0; i < count; ++i) {
        const std::wstring n = std::to_wstring(i);
        registry.AddFileType(L".e" + n, L"class" + n, L"Description " + n, L"app.exe \"%1\"");
    }
}

std::wstring ReadDefault(HKEY key) {
    wchar_t buffer[512];
    DWORD size = sizeof(buffer), type = 0;
    if (::RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS)
        return {};
    return std::wstring(buffer, size / sizeof(wchar_t)).c_str();
}

// The platform calls of one scan, with nothing of the program's own around them.
void BareScan(Tfrm_main_quillmont& frm) {
    const HWND lv = frm.lv.Handle();
    ::ImageList_RemoveAll(frm.ImageList_lv_16.Handle());
    ::SendMessageW(lv, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(lv);
    HKEY root = nullptr;
    ::RegOpenKeyExW(HKEY_CLASSES_ROOT, nullptr, 0, KEY_READ, &root);
    std::vector<std::wstring> names;
    wchar_t name[256];
    DWORD length = 256;
    for (DWORD i = 0; ::RegEnumKeyExW(root, i, name, &length, nullptr, nullptr, nullptr, nullptr) ==
                      ERROR_SUCCESS;
         ++i, length = 256)
        names.emplace_back(name, length);
    ::RegCloseKey(root);
    int row = 0;
    for (const auto& ext : names) {
        HKEY key = nullptr;
        ::RegOpenKeyExW(HKEY_CLASSES_ROOT, ext.c_str(), 0, KEY_ALL_ACCESS, &key);
        const std::wstring cls = ReadDefault(key);
        ::RegCloseKey(key);
        ::RegOpenKeyExW(HKEY_CLASSES_ROOT, cls.c_str(), 0, KEY_ALL_ACCESS, &key);
        const std::wstring description = ReadDefault(key);
        ::RegCloseKey(key);
        ::RegOpenKeyExW(HKEY_CLASSES_ROOT, (cls + L"\\shell\\open\\command").c_str(), 0,
                        KEY_ALL_ACCESS, &key);
        SHFILEINFOW info{};
        ::SHGetFileInfoW(ext.c_str(), 0, &info, sizeof(info),
                         SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = row++;
        item.pszText = const_cast<wchar_t*>(ext.c_str());
        item.iImage = ::ImageList_AddIcon(frm.ImageList_lv_16.Handle(), info.hIcon);
        const int at = ListView_InsertItem(lv, &item);
        ListView_SetItemText(lv, at, 1, const_cast<wchar_t*>(cls.c_str()));
        ListView_SetItemText(lv, at, 2, const_cast<wchar_t*>(description.c_str()));
        ListView_SetCheckState(lv, at, TRUE);
        ::DestroyIcon(info.hIcon);
        ::RegCloseKey(key);
    }
    ::SendMessageW(lv, WM_SETREDRAW, TRUE, 0);
}

// The three kinds of platform call apart, to show which of them grows faster than the rows.
void PhaseTimes(Tfrm_main_quillmont& frm, int count) {
    std::vector<std::wstring> names;
    for (int i = 0; i < count; ++i)
        names.push_back(L".e" + std::to_wstring(i));
    auto start = Clock::now();
    for (const auto& ext : names) {
        HKEY key = nullptr;
        ::RegOpenKeyExW(HKEY_CLASSES_ROOT, ext.c_str(), 0, KEY_ALL_ACCESS, &key);
        ReadDefault(key);
        ::RegCloseKey(key);
    }
    const double registry = Seconds(start);
    start = Clock::now();
    std::vector<HICON> icons;
    for (const auto& ext : names) {
        SHFILEINFOW info{};
        ::SHGetFileInfoW(ext.c_str(), 0, &info, sizeof(info),
                         SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON);
        icons.push_back(info.hIcon);
    }
    const double shell = Seconds(start);
    const HWND lv = frm.lv.Handle();
    const HIMAGELIST images = frm.ImageList_lv_16.Handle();
    ::ImageList_RemoveAll(images);
    ::SendMessageW(lv, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(lv);
    start = Clock::now();
    std::vector<int> indices;
    for (HICON icon : icons)
        indices.push_back(::ImageList_AddIcon(images, icon));
    const double imageList = Seconds(start);
    start = Clock::now();
    for (size_t i = 0; i < names.size(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(names[i].c_str());
        item.iImage = indices[i];
        ListView_InsertItem(lv, &item);
    }
    const double insert = Seconds(start);
    start = Clock::now();
    for (size_t i = 0; i < names.size(); ++i) {
        ListView_SetItemText(lv, static_cast<int>(i), 1, const_cast<wchar_t*>(names[i].c_str()));
        ListView_SetItemText(lv, static_cast<int>(i), 2, const_cast<wchar_t*>(names[i].c_str()));
    }
    const double texts = Seconds(start);
    start = Clock::now();
    for (size_t i = 0; i < names.size(); ++i)
        ListView_SetCheckState(lv, static_cast<int>(i), TRUE);
    const double checks = Seconds(start);
    ::SendMessageW(lv, WM_SETREDRAW, TRUE, 0);
    for (HICON icon : icons)
        ::DestroyIcon(icon);
    const auto us = [count](double seconds) { return seconds * 1e6 / count; };
    std::printf("%8s per row, us: registry read %.1f, shell icon %.1f, image-list add %.1f, "
                "row insert %.1f, two sub-item texts %.1f, check mark %.1f\n",
                "", us(registry), us(shell), us(imageList), us(insert), us(texts), us(checks));
}

template <typename F> double Time(F&& run) {
    const auto start = Clock::now();
    run();
    return Seconds(start);
}

} // namespace

int main() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    std::printf("%8s %12s %12s %10s %10s\n", "rows", "scan s", "bare s", "rows/s", "ratio");
    std::fflush(stdout);
    double previous = 0;
    int previousCount = 0;
    for (const int count : {1000, 5000, 10000}) {
        ScratchRegistry registry;
        FillRegistry(registry, count);
        QuitRequestDrain drain;
        TFormInstance<Tfrm_main_quillmont> frm;
        frm.Create();
        QuietStart(frm);
        frm.Show();
        Application::ProcessMessages();
        const int repeats = count <= 1000 ? 5 : 2;
        // Interleaved, best of each: both see the same state of the machine.
        double bare = 1e9, scan = 1e9;
        for (int r = 0; r < repeats; ++r) {
            bare = std::min(bare, Time([&] { BareScan(frm); }));
            scan = std::min(scan, Time([&] { frm.btn_search.Click(); }));
        }
        if (frm.lv.Count() != count)
            std::printf("unexpected row count %d\n", frm.lv.Count());
        std::printf("%8d %12.3f %12.3f %10.0f %10.2f\n", count, scan, bare, count / scan,
                    scan / bare);
        std::fflush(stdout);
        if (previous > 0)
            std::printf("%8s time(%d) / time(%d) = %.2f\n", "", count, previousCount,
                        scan / previous);
        previous = scan;
        previousCount = count;
        PhaseTimes(frm, count);
        std::fflush(stdout);
    }
    return 0;
}
