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
    for (DWORD i = 0; ::RegEnumKeyExW(root, i, name, &length, nullptr, nullptr, nullptr,
                                      nullptr) == ERROR_SUCCESS;
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

template <typename F>
double Best(F&& run, int repeats) {
    double best = 1e9;
    for (int i = 0; i < repeats; ++i) {
        const auto start = Clock::now();
        run();
        best = std::min(best, Seconds(start));
    }
    return best;
}

} // namespace

int main() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    std::printf("%8s %12s %12s %10s %10s\n", "rows", "scan s", "bare s", "rows/s", "ratio");
    double previous = 0;
    for (const int count : {1000, 5000, 10000}) {
        ScratchRegistry registry;
        FillRegistry(registry, count);
        Tfrm_main_quillmont frm;
        frm.Create();
        frm.Show();
        Application::ProcessMessages();
        const int repeats = count <= 1000 ? 5 : 3;
        const double bare = Best([&] { BareScan(frm); }, repeats);
        const double scan = Best([&] { frm.btn_search.Click(); }, repeats);
        if (frm.lv.Count() != count)
            std::printf("unexpected row count %d\n", frm.lv.Count());
        std::printf("%8d %12.3f %12.3f %10.0f %10.2f\n", count, scan, bare, count / scan,
                    scan / bare);
        if (previous > 0)
            std::printf("%8s time(%d) / time(%d) = %.2f\n", "", count, count / 2, scan / previous);
        previous = scan;
    }
    return 0;
}
